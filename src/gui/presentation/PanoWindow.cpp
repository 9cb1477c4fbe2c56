#include "presentation/PanoWindow.h"

#include "app/CommandRouter.h"
#include "app/Layout.h"
#include "app/TivApp.h"
#include "letters/ResultEdit.h"
#include "presentation/HelpKeyFilter.h"
#include "presentation/HlpStrButton.h"

#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontMetrics>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <cmath>

namespace lexinum {

namespace {

// Help topic of the font dialog.
constexpr int kFontDialogTopic = 272;
// The largest size the font dialog gives the results box, in points.
constexpr int kLargestResultFontPoints = 28;
// Length of the separator rule, in underscores.
constexpr int kRuleLength = 8;

} // namespace

PanoWindow::PanoWindow(TivApp& app, const std::string& section, QWidget* parent)
    : BmpViewWindow(section, parent), channel(app.solverText), app_(app) {
    resultBox_ = new ResultEdit(this);
    newButton = MakeButton(Command::NewDraw, QStringLiteral("No&uveau"), true);
    viewButton = MakeButton(Command::ShowSolutions, QStringLiteral("&Voir"), false);
    continueButton = MakeButton(Command::Continue, QStringLiteral("&Poursuivre"), true);
    checkButton = MakeButton(Command::Check, QStringLiteral("&Vérifier"), false);

    const auto outsideMatch = [this] { return !app_.competition; };
    commands_.EnableWhen(Command::NewDraw, outsideMatch);
    commands_.EnableWhen(Command::ShowSolutions, outsideMatch);
    commands_.EnableWhen(Command::PlayNumbers, outsideMatch);
    commands_.EnableWhen(Command::PlayLetters, outsideMatch);
    commands_.EnableWhen(Command::Options, outsideMatch);
    commands_.EnableWhen(Command::Continue, [this] { return app_.competition; });
    commands_.EnableWhen(Command::Check, [this] { return canCheck; });
    commands_.OnCommand(Command::Fonts, [this] { ChooseResultFont(); });
}

PanoWindow::~PanoWindow() {
    // The worker must be gone before the windows it reports to.
    channel.Stop();
    channel.Join();
}

HlpStrButton* PanoWindow::MakeButton(Command command, const QString& label, bool tabStop) {
    auto* button = new HlpStrButton(command, label, this);
    button->hide();
    button->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    connect(button, &QPushButton::clicked, this, [this, command] { app_.RunCommand(command); });
    return button;
}

HlpStrButton* PanoWindow::MakeGameButton(Command command, const QString& label) {
    gameButton = MakeButton(command, label, false);
    return gameButton;
}

void PanoWindow::EnsureSetUp() {
    if (setUp_)
        return;
    setUp_ = true;
    SetupWindow();
}

void PanoWindow::SetupWindow() {
    LoadResultFont();
    PlaceChildren();
    ShowTrainingButtons();
}

bool PanoWindow::CanClose() {
    StopSearch();
    // A pane never shown has read nothing, so it has nothing to write back.
    if (setUp_)
        SaveResultFont();
    return true;
}

void PanoWindow::Activate() {
    HlpStrButton* first = competitionButtons_ ? continueButton : newButton;
    first->setFocus(Qt::OtherFocusReason);
}

void PanoWindow::PlaceChildren() {
    const Layout& layout = Layout::Current();
    resultBox_->setGeometry(layout.ResultRect());
    const QSize buttonSize(layout.BUTTON_WDTH, layout.BUTTON_HGHT);
    const std::pair<HlpStrButton*, int> places[] = {
        {newButton, 1}, {continueButton, 1}, {viewButton, 2}, {checkButton, 2}, {gameButton, 3}};
    for (const auto& [button, place] : places) {
        if (button == nullptr)
            continue;
        button->setGeometry(QRect(layout.ButtonPlace(place), buttonSize));
        button->setFont(app_.buttonFont);
        // The buttons of places 1 and 2 are drawn as default buttons.
        button->setDefault(place != 3);
    }
}

void PanoWindow::ShowCompetitionButtons() {
    competitionButtons_ = true;
    for (HlpStrButton* button : {newButton, viewButton, gameButton}) {
        if (button != nullptr)
            button->hide();
    }
    continueButton->show();
    checkButton->show();
    app_.RefreshCommands();
}

void PanoWindow::ShowTrainingButtons() {
    competitionButtons_ = false;
    continueButton->hide();
    checkButton->hide();
    for (HlpStrButton* button : {newButton, viewButton, gameButton}) {
        if (button != nullptr)
            button->show();
    }
    app_.RefreshCommands();
}

void PanoWindow::UpdateButtons(const CommandRouter& router) {
    for (HlpStrButton* button : {newButton, viewButton, gameButton, continueButton, checkButton}) {
        if (button != nullptr)
            button->setEnabled(router.IsEnabled(button->CommandId()));
    }
}

void PanoWindow::AppendSeparator(std::string& text) const {
    const QFontMetrics metrics(resultFont_);
    const int space = metrics.horizontalAdvance(QLatin1Char(' '));
    const int underscore = metrics.horizontalAdvance(QLatin1Char('_'));
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int width = Layout::Current().RESULT_WDTH - kRuleLength * underscore - scrollBar;
    const int spaces = space > 0 && width > 0 ? (width / space) / 2 : 0;
    text.append(static_cast<std::size_t>(spaces), ' ');
    text.append(static_cast<std::size_t>(kRuleLength), '_');
    text.append("\n");
}

void PanoWindow::StopSearch() {
    channel.Stop();
}

void PanoWindow::SetResultFont(const QFont& font) {
    resultFont_ = font;
    resultBox_->setFont(font);
}

void PanoWindow::ChooseResultFont() {
    app_.helpContext = kFontDialogTopic;
    QFontDialog dialog(resultFont_, this);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    HelpKeyFilter helpKeys;
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        QPushButton* help = buttons->addButton(QStringLiteral("&Aide"), QDialogButtonBox::HelpRole);
        connect(help, &QPushButton::clicked, this, [this] { app_.RunCommand(Command::ContextHelp); });
    }
    if (dialog.exec() == QDialog::Accepted) {
        QFont chosen = dialog.selectedFont();
        if (chosen.pointSizeF() > kLargestResultFontPoints)
            chosen.setPointSize(kLargestResultFontPoints);
        SetResultFont(chosen);
    }
    app_.helpContext = 0;
}

void PanoWindow::LoadResultFont() {
    Profile& settings = app_.Settings();
    const std::string& section = Section();
    QFont font(QString::fromStdString(settings.ReadString(section, "Police", "Arial", 31)));
    const int height = settings.ReadInt(section, "hauteur police", -16);
    // A negative height is that of the characters, a positive one that of the cell.
    font.setPixelSize(std::clamp(std::abs(height), 1, 200));
    const int weight = settings.ReadInt(section, "épaisseur police", 700);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
    font.setItalic(settings.ReadInt(section, "italique", 0) != 0);
    SetResultFont(font);
}

void PanoWindow::SaveResultFont() {
    Profile& settings = app_.Settings();
    const std::string& section = Section();
    int pixels = resultFont_.pixelSize();
    if (pixels <= 0) {
        const QScreen* shownOn = screen();
        const double dpi = shownOn != nullptr ? shownOn->logicalDotsPerInchY() : 96.0;
        pixels = static_cast<int>(std::lround(resultFont_.pointSizeF() * dpi / 72.0));
    }
    settings.WriteString(section, "Police", resultFont_.family().toStdString());
    settings.WriteInt(section, "hauteur police", -pixels);
    settings.WriteInt(section, "épaisseur police", static_cast<int>(resultFont_.weight()));
    settings.WriteInt(section, "italique", resultFont_.italic() ? 1 : 0);
}

} // namespace lexinum
