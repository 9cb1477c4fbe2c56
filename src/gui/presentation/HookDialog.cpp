#include "presentation/HookDialog.h"

#include "presentation/WindowHelpTopic.h"
#include "shell/AppServices.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

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

HookDialog::ButtonRow HookDialog::MakeButtonRow() {
    ButtonRow row;
    row.ok = new QPushButton(QStringLiteral("O&K"), this);
    row.cancel = new QPushButton(QStringLiteral("Annuler"), this);
    row.help = new QPushButton(QStringLiteral("&Aide"), this);
    row.ok->setDefault(true);
    connect(row.ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(row.cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(row.help, &QPushButton::clicked, this, &HookDialog::Help);
    row.layout = new QHBoxLayout;
    for (QPushButton* button : {row.ok, row.cancel, row.help})
        row.layout->addWidget(button);
    return row;
}

void HookDialog::FixSizeForTitle() {
    QFont titleFont = font();
    titleFont.setBold(true);
    const QFontMetrics title(titleFont);
    const int titleWidth = title.horizontalAdvance(windowTitle()) + 12 * title.averageCharWidth() +
                           4 * style()->pixelMetric(QStyle::PM_TitleBarButtonSize);
    setFixedSize(std::max(sizeHint().width(), titleWidth), sizeHint().height());
}

} // namespace lexinum
