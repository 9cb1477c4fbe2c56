#include "presentation/HookDialog.h"

#include "presentation/HelpTopic.h"
#include "shell/AppServices.h"

namespace lexinum {

HookDialog::HookDialog(QWidget* parent, AppServices& app, int helpTopic)
    : QDialog(parent), app_(app), helpKeys_(app) {
    SetHelpTopic(this, helpTopic);
}

void HookDialog::Help() {
    app_.RunCommand(Command::ContextHelp);
}

int HookDialog::HelpTopic() const {
    return HelpTopicOf(this);
}

} // namespace lexinum
