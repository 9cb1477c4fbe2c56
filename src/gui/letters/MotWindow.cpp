#include "letters/MotWindow.h"

#include "common/Profile.h"
#include "common/Prompter.h"
#include "letters/BonjourEventValidator.h"
#include "letters/ButtonPalette.h"
#include "letters/LettrEnterDialog.h"
#include "letters/LexFindDialog.h"
#include "letters/MotEnterDialog.h"
#include "letters/NumbersOnlyDialog.h"
#include "lexicon/LetterDraw.h"
#include "lexicon/LettersRoundText.h"
#include "lexicon/LexiconSeed.h"
#include "lexicon/LexiconTexts.h"
#include "presentation/HlpStrButton.h"
#include "presentation/ResultEdit.h"
#include "presentation/ValidEdit.h"
#include "shell/AppServices.h"
#include "shell/GameFonts.h"
#include "shell/Layout.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace lexinum {

namespace {

constexpr char kSection[] = "LETTRES";

} // namespace

MotWindow::MotWindow(AppServices& app, QWidget* parent) : PanoWindow(app, Game::Letters, kSection, parent) {
    setAccessibleName(QStringLiteral("Le mot le plus long"));
    MakeGameButton(Command::PlayNumbers);

    fieldValidator_ = new BonjourEventValidator(letters_, [this] { StopSearch(); });
    lettersField_ = new ValidEdit(fieldValidator_, this);
    lettersField_->setMaxLength(LetterDraw::kMaxLetters);
    lettersField_->setAccessibleName(QStringLiteral("Tirage"));
    lettersField_->setFocusPolicy(Qt::StrongFocus);
    lettersField_->SetWholeTextCheck([this](const QString& text) { return fieldValidator_->Commit(text); });
    // The field comes first when tabbing through the pane, then "No&uveau".
    if (QWidget* first = Button(Command::NewDraw))
        setTabOrder(lettersField_, first);

    GameState& state = app.State();
    const auto outsideMatch = [&state] { return !state.Competition(); };
    CommandTable& commands = MutableCommands();
    commands.OnCommand(Command::PlayNumbers, [this] { App().ShowGame(Game::Numbers); });
    commands.OnCommand(Command::NewDraw, [this] { NewLetters(); });
    commands.OnCommand(Command::ShowSolutions, [this] { SeeSolutions(); });
    commands.OnCommand(Command::LetterPalette, [this] { TogglePalette(); });
    commands.EnableWhen(Command::LetterPalette, outsideMatch);
    commands.CheckWhen(Command::LetterPalette, [&state] { return state.LetterPaletteShown(); });
    commands.OnCommand(Command::ChangeLexicon, [this] { ChangeLexicon(); });
    commands.EnableWhen(Command::ChangeLexicon, outsideMatch);
    connect(&state, &GameState::changed, this, &MotWindow::FollowPalette);
}

MotWindow::~MotWindow() {
    Channel().Halt();
}

void MotWindow::ReadSettings() {
    const Profile& settings = App().Settings();
    App().State().SetLetterPaletteShown(settings.ReadInt(kSection, "palette", 1) != 0);
    // A hand-edited file never makes a draw of more than 27 letters, nor
    // asks more vowels than letters.
    letterCount_ =
        LetterDraw::LetterCountInRange(settings.ReadInt(kSection, "nb lettres", LetterDraw::kDefaultLetters));
    trainingLetterCount_ = letterCount_;
    vowelCount_ = LetterDraw::VowelCountInRange(settings.ReadInt(kSection, "nb voyelles", LetterDraw::kDefaultVowels),
                                                letterCount_);
    autoChoice_ = settings.ReadInt(kSection, "choix auto", 0) != 0;
}

void MotWindow::ReadLexicon() {
    const std::string configured = App().Settings().ReadString(kSection, "lexiques", "", Profile::kMaxValueLength);
    // The player's own lexicon, copied from the shipped one whenever it is missing.
    const LexiconSeed::PlayerFolder player = LexiconSeed::OpenPlayerFolder(configured, App().DataFolder().toStdString(),
                                                                           App().ShippedLexiconFolder().toStdString());
    lexiconFolder_ = QString::fromStdString(player.folder.string());
    if (!player.problem.empty())
        Prompter::Active().Tell("Erreur de fichier:\r\n" + player.problem, AppServices::kProgramName,
                                PromptIcon::Exclamation);
    const LexiconSet::IndexReading reading = lexicon_.ReadLexIni(lexiconFolder_.toStdString());
    // An incomplete index leaves the lexicon unusable until it is located and repaired.
    lexicon_.ready = reading.Complete();
}

void MotWindow::SetupWindow() {
    ReadSettings();
    PanoWindow::SetupWindow();
    lexicon_.ResetToInitialWeights();
    ReadLexicon();
    AutoDraw();
    ShowLetters();
    StopSearch();
    lettersField_->setFocus(Qt::OtherFocusReason);
    if (App().State().LetterPaletteShown())
        CreatePalette();
}

bool MotWindow::CanClose() {
    StopSearch();
    if (IsSetUp()) {
        Profile& settings = App().Settings();
        settings.WriteInt(kSection, "nb voyelles", vowelCount_);
        settings.WriteInt(kSection, "nb lettres", letterCount_);
        settings.WriteInt(kSection, "choix auto", autoChoice_ ? 1 : 0);
        if (palette_ != nullptr) {
            settings.WriteInt(kSection, "palette", App().State().LetterPaletteShown() ? 1 : 0);
            palette_->SavePosition(settings);
        }
        settings.WriteString(kSection, "lexiques",
                             LexiconSeed::SettingFor(lexiconFolder_.toStdString(), App().DataFolder().toStdString()));
    }
    return PanoWindow::CanClose();
}

void MotWindow::Activate() {
    StartLettersGame();
}

void MotWindow::showEvent(QShowEvent* event) {
    PanoWindow::showEvent(event);
    const bool firstPlace = placePaletteBesideFrame_;
    FollowPalette();
    // Shown with the frame, the palette is brought over it once the frame is
    // on screen (and put beside it again, the frame having its final size).
    QTimer::singleShot(0, this, [this, firstPlace] {
        if (palette_ == nullptr || !palette_->isVisible())
            return;
        if (firstPlace)
            PlacePaletteBesideFrame();
        palette_->raise();
    });
}

void MotWindow::hideEvent(QHideEvent* event) {
    PanoWindow::hideEvent(event);
    FollowPalette();
}

void MotWindow::PlaceChildren() {
    PanoWindow::PlaceChildren();
    lettersField_->setFont(App().Fonts().bigFont);
    lettersField_->setGeometry(Layout::Current().DRAW_RECT);
}

void MotWindow::ShowLetters() {
    lettersField_->setText(QString::fromStdString(letters_));
    update();
}

void MotWindow::AutoDraw() {
    letters_ = LetterDraw::AutoDraw(lexicon_, letterCount_, vowelCount_);
}

void MotWindow::NewLetters() {
    if (!App().State().Competition() && autoChoice_) {
        AutoDraw();
    } else {
        lettersField_->clear();
        LettrEnterDialog dialog(this, App(), lexicon_, letterCount_);
        dialog.exec();
        letters_ = dialog.Letters();
    }
    ShowLetters();
    StopSearch();
}

bool MotWindow::TakeLettersField() {
    return lettersField_->CheckWholeText();
}

void MotWindow::SeeSolutions() {
    // A draw typed in the field counts even if the field still has the focus.
    TakeLettersField();
    if (!Channel().Stopped()) {
        ShowNextGroup(false);
        return;
    }
    if (!EnsureLexicon())
        return;
    // What is left of a stopped search is gone before the new one starts.
    if (Channel().WorkerAlive())
        HaltSearch();
    search_.PrepareLetters(letters_);
    Channel().TakeText();
    ResultBox()->clear();
    search_.StartSolutions(Channel());
    std::string& answer = AnswerText();
    AskWord(answer);
    AppendSeparator(answer);
    ResultBox()->Append(answer);
    ShowNextGroup(true);
}

void MotWindow::AskWord(std::string& text) {
    word_.clear();
    wordResult_ = WordCheckResult::NoAnswer;
    ResultBox()->clear();
    const QRect area(ResultBox()->mapToGlobal(QPoint(0, 0)), ResultBox()->size());
    MotEnterDialog dialog(this, App(), area, letters_,
                          [this](const std::string& word) { return CheckWord(lexicon_, letters_, word, &Channel()); });
    dialog.exec();
    word_ = dialog.Word();
    wordResult_ = dialog.Result();
    text += VerdictText(word_, wordResult_);
}

void MotWindow::ShowNextGroup(bool first) {
    if (WaitBatch() != SearchChannel::WaitResult::Ready)
        return;
    std::string shown;
    // The remark goes above the first group, whole, whatever the group's size.
    if (first)
        shown = LettersRoundText::TrainingRemark(wordResult_, static_cast<int>(word_.size()), search_.GroupLength());
    shown += Channel().TakeText();
    ResultBox()->Append(shown);
    Channel().Continue();
}

void MotWindow::StartLettersGame() {
    Channel().TakeText();
    ResultBox()->clear();
    if (App().State().Competition()) {
        PanoWindow::Activate();
        return;
    }
    FollowPalette();
    NewLetters();
    lettersField_->setFocus(Qt::OtherFocusReason);
    lettersField_->selectAll();
}

bool MotWindow::LocateLexicon(const std::string& radical) {
    const QString startAt = lastLexiconFile_.isEmpty() ? lexiconFolder_ : lastLexiconFile_;
    LexFindDialog dialog(this, App(), lexicon_, radical, startAt, &Channel());
    const bool adopted = dialog.exec() == QDialog::Accepted;
    if (!dialog.ChosenFile().isEmpty())
        lastLexiconFile_ = dialog.ChosenFile();
    if (adopted)
        lexiconFolder_ = QString::fromStdString(lexicon_.directory.string());
    return adopted;
}

bool MotWindow::EnsureLexicon() {
    if (lexicon_.ready || LocateLexicon(kAnyLexicon))
        return true;
    OfferNumbersOnly();
    return false;
}

void MotWindow::OfferNumbersOnly() {
    NumbersOnlyDialog dialog(this, App());
    const int answer = dialog.exec();
    if (answer == QDialog::Accepted) {
        if (App().State().LettersShown())
            App().ShowGame(Game::Numbers);
    } else if (answer == NumbersOnlyDialog::kQuit) {
        App().Quit();
    }
}

void MotWindow::ChangeLexicon() {
    HaltSearch();
    Channel().TakeText();
    LocateLexicon(kAnyLexicon);
}

void MotWindow::CreatePalette() {
    palette_ = new ButtonPalette(lettersField_, App(), window());
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen != nullptr ? screen->virtualGeometry().size() : QSize();
    palette_->move(ButtonPalette::SavedPosition(App().Settings(), screenSize));
    // At the screen's corner it would cover the frame's menus: the first
    // time, it stands beside the frame instead.
    placePaletteBesideFrame_ = !ButtonPalette::HasSavedPosition(App().Settings());
    connect(palette_, &ButtonPalette::closedByPlayer, this, [this] { App().State().SetLetterPaletteShown(false); });
    App().State().SetLetterPaletteShown(true);
    FollowPalette();
}

void MotWindow::PlacePaletteBesideFrame() {
    placePaletteBesideFrame_ = false;
    const QRect frame = window()->frameGeometry();
    const QScreen* screen = window()->screen();
    const QRect room = screen != nullptr ? screen->availableGeometry() : frame;
    const int x = std::min(frame.right() + 1, room.right() + 1 - palette_->sizeHint().width());
    // Level with the frame's client area, so that its own small title bar shows too.
    palette_->move(std::max(room.left(), x), std::max(room.top(), window()->geometry().top()));
}

ButtonPalette* MotWindow::Palette() const {
    return palette_.data();
}

void MotWindow::TogglePalette() {
    if (palette_ == nullptr) {
        CreatePalette();
        return;
    }
    GameState& state = App().State();
    state.SetLetterPaletteShown(!state.LetterPaletteShown());
}

void MotWindow::FollowPalette() {
    if (palette_ == nullptr)
        return;
    const GameState& state = App().State();
    // Shown in training, over the letters pane on screen, while the player wants it.
    const bool shown = state.LetterPaletteShown() && state.LettersShown() && !state.Competition() && isVisible();
    if (shown && placePaletteBesideFrame_)
        PlacePaletteBesideFrame();
    if (palette_->isVisible() != shown)
        palette_->setVisible(shown);
}

} // namespace lexinum
