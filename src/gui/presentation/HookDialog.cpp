#include "presentation/HookDialog.h"

#include "app/TivApp.h"

namespace lexinum {

HookDialog::HookDialog(QWidget* parent) : QDialog(parent) {}

void HookDialog::Help() {
    if (TivApp* app = TivApp::Instance())
        app->RunCommand(Command::ContextHelp);
}

} // namespace lexinum
