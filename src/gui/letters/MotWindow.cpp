#include "letters/MotWindow.h"

#include "common/Profile.h"
#include "common/Prompter.h"
#include "letters/BonjourEventValidator.h"
#include "letters/ButtonPalette.h"
#include "letters/LettrEnterDialog.h"
#include "letters/LexFindDialog.h"
#include "letters/MotEnterDialog.h"
#include "letters/MotOptionsDialog.h"
#include "letters/NumbersOnlyDialog.h"
#include "letters/PickWordDialog.h"
#include "lexicon/LetterDraw.h"
#include "lexicon/LettersRoundText.h"
#include "lexicon/LexiconSeed.h"
#include "lexicon/LexiconSeeding.h"
#include "lexicon/LexiconTexts.h"
#include "presentation/HlpStrButton.h"
#include "presentation/ResultEdit.h"
#include "presentation/SliceWait.h"
#include "presentation/ValidEdit.h"
#include "shell/AppServices.h"
#include "shell/GameFonts.h"
#include "shell/Layout.h"
#include "shell/SettingsKeys.h"
#include "shell/TimerPeriods.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include <algorithm>

namespace lexinum {

namespace {

constexpr const char* kSection = keys::kLetters;

// What the message bar says while the lexicon is first copied.
const QString& PreparingText() {
    static const QString text = QString::fromUtf8("Préparation du lexique…");
    return text;
}

// How often the copy's progress is brought up to date.
// How often the window looks at the first copy of the lexicon: over yet, how far.
constexpr int kSeedingPollMs = 20;

LexiconSeed::Progress& SeedingWatch() {
    static LexiconSeed::Progress watch;
    return watch;
}

} // namespace

MotWindow::MotWindow(AppServices& app, QWidget* parent) : PanoWindow(app, Game::Letters, kSection, parent) {
    setAccessibleName(QString::fromUtf8(GameTitle(Game::Letters)));
    MakeGameButton(Command::PlayNumbers);

    fieldValidator_ = new BonjourEventValidator(letters_, [this] { StopSearch(); });
    lettersField_ = new ValidEdit(fieldValidator_, this);
    lettersField_->setMaxLength(LetterDraw::kMaxLetters);
    lettersField_->setAccessibleName(QStringLiteral("Tirage"));
    lettersField_->setFocusPolicy(Qt::StrongFocus);
    lettersField_->SetWholeTextCheck([this](const QString& text) { return fieldValidator_->Commit(text); });
    connect(lettersField_, &QLineEdit::textChanged, this, &MotWindow::FitLettersField);
    // The field comes first when tabbing through the pane, then "No&uveau".
    if (QWidget* first = Button(Command::NewDraw))
        setTabOrder(lettersField_, first);

    GameState& state = app.State();
    const auto outsideMatch = [&state] { return !state.Competition(); };
    CommandTable& commands = MutableCommands();
    commands.OnCommand(Command::PlayNumbers, [this] { App().ShowGame(Game::Numbers); });
    commands.OnCommand(Command::NewDraw, [this] {
        NewLetters();
        // A screen reader is led to the new draw, as when the game comes forward.
        if (App().ScreenReaderActive()) {
            lettersField_->setFocus(Qt::OtherFocusReason);
            lettersField_->selectAll();
        }
    });
    commands.OnCommand(Command::ShowSolutions, [this] { SeeSolutions(); });
    commands.OnCommand(Command::Options, [this] { ChangeOptions(); });
    commands.OnCommand(Command::LetterPalette, [this] { TogglePalette(); });
    commands.EnableWhen(Command::LetterPalette, outsideMatch);
    // A match hides the palette but keeps the player's wish for training: no check mark meanwhile.
    commands.CheckWhen(Command::LetterPalette, [&state] { return state.LetterPaletteShown() && !state.Competition(); });
    commands.OnCommand(Command::ChangeLexicon, [this] { ChangeLexicon(); });
    commands.EnableWhen(Command::ChangeLexicon, outsideMatch);
    // Words may be added or removed at any time, in a match too.
    commands.OnCommand(Command::AddWords, [this] { PickWords(true); });
    commands.EnableWhen(Command::AddWords, [] { return true; });
    commands.OnCommand(Command::RemoveWords, [this] { PickWords(false); });
    commands.EnableWhen(Command::RemoveWords, [] { return true; });
    connect(&state, &GameState::changed, this, &MotWindow::FollowPalette);
}

void MotWindow::ReadSettings() {
    const Profile& settings = App().Settings();
    App().State().SetLetterPaletteShown(settings.ReadInt(kSection, keys::kPaletteShown, 1) != 0);
    // A hand-edited file never makes a draw of more than 27 letters, nor
    // asks more vowels than letters.
    letterCount_ =
        LetterDraw::LetterCountInRange(settings.ReadInt(kSection, keys::kLetterCount, LetterDraw::kDefaultLetters));
    trainingLetterCount_ = letterCount_;
    vowelCount_ = LetterDraw::VowelCountInRange(
        settings.ReadInt(kSection, keys::kVowelCount, LetterDraw::kDefaultVowels), letterCount_);
    autoChoice_ = settings.ReadInt(kSection, keys::kAutoChoice, 0) != 0;
}

void MotWindow::SetSeedingWatch(std::function<bool(std::size_t copied, std::size_t count)> watch) {
    SeedingWatch() = std::move(watch);
}

MotWindow::~MotWindow() {
    // A first copy still running is given up (nothing is left of it; the next
    // start copies again) and waited for.
    seeding_.reset();
}

void MotWindow::ReadLexicon() {
    const std::string configured =
        App().Settings().ReadString(kSection, keys::kLexiconFolder, "", Profile::kMaxValueLength);
    const std::string dataFolder = App().DataFolder().toStdString();
    const std::string shipped = App().ShippedLexiconFolder().toStdString();
    lexiconFolder_ = QString::fromStdString(LexiconSeed::FolderOf(configured, dataFolder).string());
    if (LexiconSeed::NeedsCopy(configured, dataFolder)) {
        // A first start: the shipped lexicon is copied while the window shows
        // and answers. The draws meanwhile take the letter weights of the
        // shipped index, which the copy will have; the lexicon itself is read
        // only once the copy is whole.
        LexiconSet shippedIndex;
        shippedIndex.ReadLexIni(shipped);
        if (shippedIndex.Ready())
            lexicon_.SetWeights(shippedIndex.VowelWeights(), shippedIndex.ConsonantWeights());
        seeding_ = std::make_unique<LexiconSeeding>();
        seeding_->Start(configured, dataFolder, shipped, {}, SeedingWatch());
        seedingClock_.start();
        WatchSeeding();
        return;
    }
    // The player's own lexicon, copied from the shipped one whenever it is missing.
    const LexiconSeed::PlayerFolder player = LexiconSeed::OpenPlayerFolder(configured, dataFolder, shipped);
    lexiconFolder_ = QString::fromStdString(player.folder.string());
    ReadLexiconIndex(player.problem);
}

void MotWindow::ReadLexiconIndex(const std::string& problem) {
    if (!problem.empty())
        Prompter::Active().Tell("Erreur de fichier:\r\n" + problem, AppServices::kProgramName, PromptIcon::Exclamation);
    // An incomplete index leaves the lexicon unusable until it is located and repaired.
    lexicon_.ReadLexIni(lexiconFolder_.toStdString());
}

void MotWindow::ShowSeeding() {
    seedingShown_ = true;
    App().ShowProgress(PreparingText(), static_cast<int>(seeding_->FilesCopied()),
                       static_cast<int>(seeding_->FileCount()));
}

void MotWindow::WatchSeeding() {
    if (seeding_ == nullptr)
        return;
    // The window's thread looks for the copy's end itself: nothing made on
    // the copy's thread crosses to it through the event queue.
    if (seeding_->Ended()) {
        EndSeeding();
        return;
    }
    // A copy longer than a blink shows its progress.
    if (seedingShown_ || seedingClock_.elapsed() >= App().Periods().progressDelay.count())
        ShowSeeding();
    QTimer::singleShot(kSeedingPollMs, this, [this] { WatchSeeding(); });
}

void MotWindow::EndSeeding() {
    if (seeding_ == nullptr || !seeding_->Ended())
        return;
    const LexiconSeed::PlayerFolder player = seeding_->Result();
    seeding_.reset();
    if (seedingShown_) {
        seedingShown_ = false;
        App().ShowProgress({}, 0, 0);
    }
    lexiconFolder_ = QString::fromStdString(player.folder.string());
    ReadLexiconIndex(player.problem);
}

void MotWindow::WaitForLexicon() {
    if (seeding_ == nullptr)
        return;
    // The player asked for the lexicon: what it waits on shows at once.
    ShowSeeding();
    SliceWait(App().Gate()).Run([this](std::chrono::milliseconds slice) {
        // The end may have been taken meanwhile by WatchSeeding.
        if (seeding_ == nullptr || seeding_->WaitFor(slice))
            return SearchChannel::WaitResult::Ready;
        return SearchChannel::WaitResult::TimedOut;
    });
    EndSeeding();
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
        SaveColour();
        settings.WriteInt(kSection, keys::kVowelCount, vowelCount_);
        // The training count, even when the game closes in a match of nine letters.
        settings.WriteInt(kSection, keys::kLetterCount, trainingLetterCount_);
        settings.WriteInt(kSection, keys::kAutoChoice, autoChoice_ ? 1 : 0);
        if (palette_ != nullptr) {
            settings.WriteInt(kSection, keys::kPaletteShown, App().State().LetterPaletteShown() ? 1 : 0);
            palette_->SavePosition(settings);
        }
        settings.WriteString(kSection, keys::kLexiconFolder,
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
    lettersField_->setGeometry(CurrentLayout().DRAW_RECT);
    FitLettersField();
}

void MotWindow::FitLettersField() {
    // Every letter of the draw shows: the big font, made smaller only where a
    // long draw would not fit the field (its widest letter counted for each).
    QFont font = App().Fonts().bigFont;
    const int letters = std::max(1, static_cast<int>(lettersField_->text().size()));
    const int room = lettersField_->width() - 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth) - 6;
    while (font.pixelSize() > 6 && QFontMetrics(font).horizontalAdvance(QString(letters, QLatin1Char('W'))) > room)
        font.setPixelSize(font.pixelSize() - 1);
    if (font != lettersField_->font())
        lettersField_->setFont(font);
}

void MotWindow::ShowLetters() {
    lettersField_->setText(QString::fromStdString(letters_));
    update();
}

void MotWindow::AutoDraw() {
    letters_ = LetterDraw::AutoDraw(lexicon_, letterCount_, vowelCount_);
}

void MotWindow::NewLetters(bool refillBags) {
    if (!App().State().Competition() && autoChoice_) {
        AutoDraw();
    } else {
        lettersField_->clear();
        LettrEnterDialog dialog(this, App(), lexicon_, letterCount_, refillBags);
        dialog.exec();
        letters_ = dialog.Letters();
    }
    ShowLetters();
    StopSearch();
}

void MotWindow::ChangeOptions() {
    MotOptionsDialog dialog(this, App(), LettersOptions{trainingLetterCount_, vowelCount_, autoChoice_});
    if (dialog.exec() == QDialog::Accepted)
        ApplyOptions(dialog.Options());
}

void MotWindow::ApplyOptions(const LettersOptions& options) {
    const int letters = LetterDraw::LetterCountInRange(options.letterCount);
    const int vowels = LetterDraw::VowelCountInRange(options.vowelCount, letters);
    const bool countsChanged = letters != trainingLetterCount_ || vowels != vowelCount_;
    trainingLetterCount_ = letters;
    vowelCount_ = vowels;
    autoChoice_ = options.autoChoice;
    // A match draws nine letters whatever the training count.
    if (App().State().Competition())
        return;
    letterCount_ = letters;
    if (countsChanged) {
        // Drawn at once with the new counts, whether training draws are automatic or not.
        AutoDraw();
        ShowLetters();
        StopSearch();
    }
}

bool MotWindow::TakeLettersField() {
    return lettersField_->CheckWholeText();
}

bool MotWindow::TakeDraw() {
    // A draw typed in the field counts even if the field still has the focus;
    // a field left invalid has said so, and the draw before it stays.
    TakeLettersField();
    return true;
}

bool MotWindow::ReadyForRound() {
    return EnsureLexicon();
}

void MotWindow::StartSolutionsSearch() {
    search_.Search().PrepareLetters(letters_);
    search_.Search().StartSolutions(search_.Channel());
}

std::string MotWindow::AskPlayer(const QRect& area) {
    word_.clear();
    wordResult_ = WordCheckResult::NoAnswer;
    MotEnterDialog dialog(this, App(), area, letters_, [this](const std::string& word) {
        return CheckWord(lexicon_, letters_, word, &Channel(), &lexiconNews_);
    });
    dialog.exec();
    word_ = dialog.Word();
    wordResult_ = dialog.Result();
    return VerdictText(word_, wordResult_);
}

std::string MotWindow::FirstBatchText(std::string batch) {
    // The remark goes above the first group, whole, whatever the group's size.
    return LettersRoundText::TrainingRemark(wordResult_, static_cast<int>(word_.size()),
                                            search_.Search().GroupLength()) +
           batch;
}

void MotWindow::StartLettersGame() {
    Channel().TakeText();
    ResultBox()->clear();
    if (App().State().Competition()) {
        // Between two rounds of a match: no draw until "&Poursuivre".
        lettersField_->clear();
        App().State().SetCanCheck(Game::Letters, false);
        PanoWindow::Activate();
        return;
    }
    FollowPalette();
    NewLetters();
    lettersField_->setFocus(Qt::OtherFocusReason);
    lettersField_->selectAll();
}

void MotWindow::EnterCompetition() {
    PanoWindow::EnterCompetition();
    letters_.clear();
    lettersField_->clear();
    lettersField_->setReadOnly(true);
    letterCount_ = LetterDraw::kDefaultLetters;
    FollowPalette();
    if (isVisible())
        PanoWindow::Activate();
}

void MotWindow::LeaveCompetition() {
    PanoWindow::LeaveCompetition();
    letterCount_ = trainingLetterCount_;
    lettersField_->setReadOnly(false);
    FollowPalette();
    if (isVisible())
        lettersField_->setFocus(Qt::OtherFocusReason);
}

bool MotWindow::DrawForMatch(const MatchRound& round) {
    if (!EnsureLexicon())
        return false;
    NewLetters(round.setStarts);
    return !letters_.empty();
}

void MotWindow::StartComputerSearch(int level) {
    WordSearch& search = search_.Search();
    search.PrepareLetters(letters_);
    search.ChooseHiddenFiles(level);
    search.StartComputer(Channel());
}

std::string MotWindow::ComputerAnswerText(bool answered) {
    // A search that gave up on its lexicon has found nothing of the draw,
    // whatever it handed over; so has one without a word that the player's
    // check stopped, having met the same loss.
    const bool wordUnread =
        wordResult_ == WordCheckResult::LexiconLost || wordResult_ == WordCheckResult::IndexMismatch;
    computerAnswered_ = answered && !search_.Search().GaveUp() && !(wordUnread && search_.Search().BestLength() == 0);
    computerLength_ = computerAnswered_ ? search_.Search().BestLength() : 0;
    std::string computer = Channel().TakeText();
    if (!computerAnswered_)
        computer = LettersRoundText::kComputerUnableText;
    return LettersRoundText::MatchRemark(wordResult_, static_cast<int>(word_.size()), computerLength_) + computer;
}

RoundReport MotWindow::MatchReport() const {
    LettersRoundReport report;
    report.accepted = wordResult_ == WordCheckResult::Accepted;
    report.computerLength = computerLength_;
    report.playerLength = static_cast<int>(word_.size());
    // A word the lexicon could not judge is not a wrong word.
    report.judged = wordResult_ != WordCheckResult::LexiconLost && wordResult_ != WordCheckResult::IndexMismatch;
    // The computer's search ends with an answer (a word or none) unless the
    // lexicon was lost meanwhile: the computer did not play that round.
    report.computerSearched = computerAnswered_;
    return report;
}

std::string MotWindow::ReviewBatchText(std::string batch) {
    std::string text;
    AppendSeparator(text);
    text +=
        LettersRoundText::TrainingRemark(wordResult_, static_cast<int>(word_.size()), search_.Search().GroupLength());
    return text + batch;
}

bool MotWindow::LocateLexicon(const std::string& radical) {
    WaitForLexicon();
    const QString startAt = lastLexiconFile_.isEmpty() ? lexiconFolder_ : lastLexiconFile_;
    LexFindDialog dialog(this, App(), lexicon_, radical, startAt, &Channel());
    const bool adopted = dialog.exec() == QDialog::Accepted;
    if (!dialog.ChosenFile().isEmpty())
        lastLexiconFile_ = dialog.ChosenFile();
    if (adopted)
        lexiconFolder_ = QString::fromStdString(lexicon_.Directory().string());
    return adopted;
}

bool MotWindow::EnsureLexicon() {
    WaitForLexicon();
    // A lexicon changed on the disk is read again; one that cannot serve says
    // why first, unless a search or a check has just told its loss.
    if (lexicon_.Refresh()) {
        lexiconNews_.Forget();
        return true;
    }
    if (!lexicon_.Problem().empty() && !lexiconNews_.ToldAny())
        lexiconNews_.Tell(lexicon_.Problem(), LexiconTexts::kCaption, PromptIcon::Exclamation);
    // The player has now been through the location dialog: a later attempt
    // says again why the lexicon cannot serve.
    const bool located = LocateLexicon(kAnyLexicon);
    lexiconNews_.Forget();
    if (located)
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
    // What the search left is dropped only once its worker has gone.
    if (HaltSearch())
        Channel().TakeText();
    LocateLexicon(kAnyLexicon);
}

void MotWindow::PickWords(bool adding) {
    // No search may read a file while it is rewritten, nor judge the old
    // lexicon against the new one (in a match: the review of the round).
    HaltSearch();
    if (!EnsureLexicon())
        return;
    const QString selection = ResultBox()->textCursor().selectedText();
    PickWordDialog dialog(this, App(), adding ? PickWordDialog::Mode::Add : PickWordDialog::Mode::Remove, lexicon_,
                          &Channel(), selection);
    dialog.exec();
    if (dialog.Changes() > 0)
        lexicon_.Refresh();
}

void MotWindow::CreatePalette() {
    palette_ = new ButtonPalette(lettersField_, App(), window());
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen != nullptr ? screen->virtualGeometry().size() : QSize();
    palette_->PlaceAt(ButtonPalette::SavedPosition(App().Settings(), screenSize));
    // At the screen's corner it would cover the frame's menus: the first
    // time, it stands beside the frame instead.
    placePaletteBesideFrame_ = !ButtonPalette::HasSavedPosition(App().Settings());
    connect(palette_, &ButtonPalette::closedByPlayer, this, [this] { App().State().SetLetterPaletteShown(false); });
    App().State().SetLetterPaletteShown(true);
    FollowPalette();
}

void MotWindow::PlacePaletteBesideFrame() {
    placePaletteBesideFrame_ = false;
    palette_->PlaceBeside(*window());
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
