#include "presentation/ChooseFontDialog.h"

#include "common/Prompter.h"
#include "presentation/WindowHelpTopic.h"
#include "shell/AppServices.h"

#include <QDialogButtonBox>
#include <QFontInfo>
#include <QPushButton>

#include <cmath>

namespace lexinum {

QString ChooseFontDialog::TooLargeText(int largestPoints) {
    return QStringLiteral("La taille de la police ne peut dépasser %1 points.").arg(largestPoints);
}

ChooseFontDialog::ChooseFontDialog(QWidget* parent, AppServices& app, HelpTopic helpTopic, int largestPoints)
    : QFontDialog(parent), app_(app), helpKeys_(app), largestPoints_(largestPoints) {
    setOption(QFontDialog::DontUseNativeDialog);
    SetHelpTopic(this, helpTopic);
    if (auto* buttons = findChild<QDialogButtonBox*>()) {
        QPushButton* help = buttons->addButton(QStringLiteral("&Aide"), QDialogButtonBox::HelpRole);
        connect(help, &QPushButton::clicked, this, [this] { app_.RunCommand(Command::ContextHelp); });
    }
}

QFont ChooseFontDialog::AsSeen(const QFont& font) const {
    const QFontInfo seen(font);
    QFont shown(seen.family());
    // A font asked in pixels has no size in points until the screen gives one.
    const int points = static_cast<int>(std::lround(seen.pointSizeF()));
    shown.setPointSize(std::max(1, points));
    shown.setWeight(font.weight());
    shown.setItalic(font.italic());
    return shown;
}

bool ChooseFontDialog::SameChoice(const QFont& a, const QFont& b) {
    return a.family() == b.family() && a.pointSize() == b.pointSize() && a.weight() == b.weight() &&
           a.italic() == b.italic() && a.underline() == b.underline() && a.strikeOut() == b.strikeOut();
}

std::optional<QFont> ChooseFontDialog::Choose(const QFont& current) {
    const QFont shown = AsSeen(current);
    QFont offered = shown;
    for (;;) {
        setCurrentFont(offered);
        if (exec() != QDialog::Accepted)
            return std::nullopt;
        const QFont chosen = selectedFont();
        if (chosen.pointSize() > largestPoints_) {
            Prompter::Active().Tell(TooLargeText(largestPoints_).toStdString(), AppServices::kProgramName,
                                    PromptIcon::Exclamation);
            offered = chosen;
            offered.setPointSize(largestPoints_);
            continue;
        }
        if (SameChoice(chosen, shown))
            return std::nullopt;
        return chosen;
    }
}

} // namespace lexinum
