#include "presentation/HookDialog.h"

#include "presentation/WindowHelpTopic.h"
#include "shell/AppServices.h"

namespace lexinum {

HookDialog::HookDialog(QWidget* parent, AppServices& app, HelpTopic helpTopic)
    : QDialog(parent), app_(app), helpKeys_(app) {
    SetHelpTopic(this, helpTopic);
}

void HookDialog::Help() {
    app_.RunCommand(Command::ContextHelp);
}

int HookDialog::Topic() const {
    return HelpTopicOf(this);
}

} // namespace lexinum
