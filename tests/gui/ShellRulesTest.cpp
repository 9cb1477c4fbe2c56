// The rules of the shell that need no window: the layout formulas, the
// command routing and catalog, the state's announcements, the command line,
// the platform check, dialog centring.
#include "GuiTestMain.h"
#include "app/CommandLineFile.h"
#include "app/GameFileData.h"
#include "app/PlatformCheck.h"
#include "presentation/CenteredDialog.h"
#include "shell/CommandCatalog.h"
#include "shell/CommandRouter.h"
#include "shell/GameState.h"
#include "shell/Layout.h"

#include <QSignalSpy>
#include <QTest>

using namespace lexinum;

namespace {

// Metrics of a typical screen: 8×16 base font, 16×32 big font, 1280×1024.
Layout::Metrics SampleMetrics(bool maximized) {
    Layout::Metrics m;
    m.averageWidth = 8;
    m.maxWidth = 9;
    m.textHeight = 16;
    m.internalLeading = 2;
    m.externalLeading = 1;
    m.bigMaxWidth = 19;
    m.bigTextHeight = 32;
    m.bigInternalLeading = 4;
    m.bigExternalLeading = 0;
    m.dialogFrameX = 3;
    m.dialogFrameY = 3;
    m.captionHeight = 19;
    m.menuHeight = 20;
    m.baseUnitX = 8;
    m.baseUnitY = 16;
    m.screenWidth = 1280;
    m.screenHeight = 1024;
    m.maximized = maximized;
    return m;
}

} // namespace

class ShellRulesTest : public QObject {
    Q_OBJECT

private slots:
    void layoutPlacesEveryPartInsideTheFrame_data();
    void layoutPlacesEveryPartInsideTheFrame();
    void layoutNormalSizeComesFromDialogUnits();
    void layoutMaximizedFillsTheScreen();
    void textHeightIsAFortiethOrATwentiethOfTheScreen();
    void routerAsksThePaneFirstAndGreysWhatNobodyAnswers();
    void routerNeverRunsADisabledCommand();
    void routerGreysWhatNobodyRunsWhateverItsEnabler();
    void catalogHasEveryCommandsFacts();
    void stateAnnouncesEveryChangeOnce();
    void commandLineFileIsTheLastArgumentWithoutQuotes();
    void gameFileFolder();
    void platformCheckRefusesOnlySixteenBitHosts();
    void centredPositionTruncatesTowardZero();
    void centringCountsTheDecorations();
};

void ShellRulesTest::layoutPlacesEveryPartInsideTheFrame_data() {
    QTest::addColumn<bool>("maximized");
    QTest::newRow("normal") << false;
    QTest::newRow("maximized") << true;
}

void ShellRulesTest::layoutPlacesEveryPartInsideTheFrame() {
    QFETCH(bool, maximized);
    const Layout l = Layout::Compute(SampleMetrics(maximized));
    // Results box, a gap, the column; three buttons with gaps and a right margin.
    QCOMPARE(l.ResultRect().x() + l.RESULT_WDTH + l.CHAR_WDTH, l.COLUMN_X);
    QCOMPARE(l.ButtonPlace(1).x(), l.COLUMN_X);
    QCOMPARE(l.ButtonPlace(2).x() - l.ButtonPlace(1).x(), l.BUTTON_WDTH + l.CHAR_WDTH);
    QCOMPARE(l.ButtonPlace(3).x() + l.BUTTON_WDTH + l.CHAR_WDTH, l.GAME_FRAME_WDTH);
    // The buttons stand on the bottom line of the results box.
    QCOMPARE(l.BUTTON_ROW_Y + l.BUTTON_HGHT, l.CHAR_HGHT + l.RESULT_HGHT);
    // The draw display spans the button row; the score window ends where it ends.
    QCOMPARE(l.DRAW_RECT.x() + l.DRAW_RECT.width(), l.ButtonPlace(3).x() + l.BUTTON_WDTH);
    QCOMPARE(l.SCORE_RECT.x() + l.SCORE_RECT.width(), l.DRAW_RECT.x() + l.DRAW_RECT.width());
    QCOMPARE(l.SCORE_RECT.x(), l.CLOCK_RECT.x() + l.CLOCK_RECT.width() + l.CHAR_WDTH);
    QCOMPARE(l.SCORE_RECT.y(), l.CLOCK_RECT.y());
    // Draw, number fields, clock, from top to bottom, a text height apart.
    QCOMPARE(l.NUMBER_RECT.y(), l.DRAW_RECT.y() + l.DRAW_RECT.height() + l.CHAR_HGHT);
    QCOMPARE(l.CLOCK_RECT.y(), l.NUMBER_RECT.y() + l.NUMBER_RECT.height() + l.CHAR_HGHT);
    QCOMPARE(l.TARGET_RECT.y(), l.DRAW_RECT.y());
    // The pane is the frame less its caption, menu, message bar and borders.
    const Layout::Metrics m = SampleMetrics(maximized);
    const int borders = maximized ? 0 : 2 * m.dialogFrameY;
    QCOMPARE(l.PANE_HGHT, l.GAME_FRAME_HGHT - m.captionHeight - m.menuHeight - (m.menuHeight + 1) - borders);
    // A button is as wide as a big box, the width of two boxes and a gap.
    QCOMPARE(l.BUTTON_WDTH, l.BIG_BOX_WDTH);
    QCOMPARE(l.BUTTON_WDTH, 2 * l.BOX_WDTH + l.CHAR_WDTH);
}

void ShellRulesTest::layoutNormalSizeComesFromDialogUnits() {
    const Layout l = Layout::Compute(SampleMetrics(false));
    // 128 × 140 dialog units.
    QCOMPARE(l.RESULT_WDTH, 8 * 128 / 4);
    QCOMPARE(l.RESULT_HGHT, 16 * 140 / 8);
    QCOMPARE(l.GAME_FRAME_HGHT, 19 + 2 * 16 + l.RESULT_HGHT + 20 + 21 + 2 * 3);
    QCOMPARE(l.CLOCK_RECT.height(), l.RESULT_HGHT / 6);
}

void ShellRulesTest::layoutMaximizedFillsTheScreen() {
    const Layout normal = Layout::Compute(SampleMetrics(false));
    const Layout l = Layout::Compute(SampleMetrics(true));
    QCOMPARE(l.GAME_FRAME_WDTH, 1280);
    QCOMPARE(l.GAME_FRAME_HGHT, 1024);
    QCOMPARE(l.RESULT_HGHT, 1024 - 2 * 16 - 19 - 20 - 21);
    QVERIFY(l.RESULT_WDTH > normal.RESULT_WDTH);
    QCOMPARE(l.BUTTON_WDTH, normal.BUTTON_WDTH);

    // A screen too small for the column still gives a results box.
    Layout::Metrics tiny = SampleMetrics(true);
    tiny.screenWidth = 100;
    tiny.screenHeight = 50;
    const Layout small = Layout::Compute(tiny);
    QVERIFY(small.RESULT_WDTH >= 1);
    QVERIFY(small.RESULT_HGHT >= 1);
}

void ShellRulesTest::textHeightIsAFortiethOrATwentiethOfTheScreen() {
    QCOMPARE(Layout::TextHeight(1024, 20, 19, false), (1024 - (20 + 38)) / 40);
    QCOMPARE(Layout::TextHeight(1024, 20, 19, true), (1024 - (20 + 38)) / 20);
    QCOMPARE(Layout::TextHeight(30, 20, 19, false), 1);
}

void ShellRulesTest::routerAsksThePaneFirstAndGreysWhatNobodyAnswers() {
    CommandTable pane;
    CommandTable frame;
    CommandTable app;
    QStringList ran;
    pane.EnableWhen(Command::NewDraw, [] { return false; });
    frame.OnCommand(Command::NewDraw, [&] { ran << "frame 101"; });
    app.OnCommand(Command::ContextHelp, [&] { ran << "app 132"; });
    frame.OnCommand(Command::ContextHelp, [&] { ran << "frame 132"; });
    app.EnableWhen(Command::Check, [] { return true; });
    app.OnCommand(Command::Check, [&] { ran << "app 140"; });
    bool palette = true;
    app.CheckWhen(Command::LetterPalette, [&] { return palette; });

    const CommandRouter router{&pane, &frame, &app};
    QVERIFY(!router.IsEnabled(Command::NewDraw));    // the pane's enabler decides over the frame's handler
    QVERIFY(router.IsEnabled(Command::ContextHelp)); // a handler and no enabler: enabled
    QVERIFY(!router.IsEnabled(Command::TopTen));     // nobody answers: greyed
    QVERIFY(router.IsEnabled(Command::Check));       // a handler, and an enabler that says yes
    QVERIFY(router.Run(Command::ContextHelp));
    QCOMPARE(ran, QStringList{"frame 132"}); // the frame comes before the application
    QVERIFY(router.IsChecked(Command::LetterPalette));
    palette = false;
    QVERIFY(!router.IsChecked(Command::LetterPalette));

    // A derived pane's entry replaces its base's.
    pane.EnableWhen(Command::NewDraw, [] { return true; });
    pane.OnCommand(Command::NewDraw, [] {});
    QVERIFY(router.IsEnabled(Command::NewDraw));
}

void ShellRulesTest::routerNeverRunsADisabledCommand() {
    CommandTable table;
    int runs = 0;
    bool enabled = false;
    table.OnCommand(Command::Continue, [&] { ++runs; });
    table.EnableWhen(Command::Continue, [&] { return enabled; });
    const CommandRouter router{nullptr, &table};
    QVERIFY(!router.Run(Command::Continue));
    QVERIFY(!router.Run(Command::About));
    enabled = true;
    QVERIFY(router.Run(Command::Continue));
    QCOMPARE(runs, 1);
}

void ShellRulesTest::routerGreysWhatNobodyRunsWhateverItsEnabler() {
    // An enabler that says yes for a command nobody runs: the item would be
    // enabled and do nothing, so it is grey.
    CommandTable pane;
    CommandTable app;
    pane.EnableWhen(Command::NewDraw, [] { return true; });
    pane.EnableWhen(Command::Options, [] { return true; });
    app.OnCommand(Command::Options, [] {});
    const CommandRouter router{&pane, &app};
    QVERIFY(!router.IsEnabled(Command::NewDraw));
    QVERIFY(!router.Run(Command::NewDraw));
    // Handled further down the chain, the first enabler still decides.
    QVERIFY(router.IsEnabled(Command::Options));
    pane.EnableWhen(Command::Options, [] { return false; });
    QVERIFY(!router.IsEnabled(Command::Options));
}

void ShellRulesTest::catalogHasEveryCommandsFacts() {
    for (const Command command :
         {Command::NewDraw,       Command::ShowSolutions, Command::PlayNumbers,   Command::PlayLetters,
          Command::TopTen,        Command::Colours,       Command::Fonts,         Command::Options,
          Command::LetterPalette, Command::BitmapFile,    Command::BitmapPalette, Command::HelpContents,
          Command::HelpOnHelp,    Command::ContextHelp,   Command::About,         Command::Check,
          Command::Continue,      Command::AddWords,      Command::RemoveWords,   Command::ChangeLexicon,
          Command::Exit,          Command::NewMatch,      Command::ResumeMatch,   Command::SaveMatch,
          Command::SaveMatchAs,   Command::QuitMatch}) {
        const CommandFacts& facts = CommandCatalog::Of(command);
        QCOMPARE(facts.command, command);
        QVERIFY(std::string(facts.menuLabel).find('&') != std::string::npos);
        QVERIFY(!CommandCatalog::Hint(CommandNumber(command)).empty());
    }
    QCOMPARE(CommandCatalog::MenuLabel(Command::NewDraw, false), "&Nouvelles lettres");
    QCOMPARE(CommandCatalog::MenuLabel(Command::NewDraw, true), "&Nouveaux nombres");
    QCOMPARE(CommandCatalog::MenuLabel(Command::PlayLetters, true), "Jouer aux &Lettres");
    // The pane buttons and the dialogs' help topics.
    QCOMPARE(CommandCatalog::Of(Command::NewDraw).buttonLabel, "No&uveau");
    QCOMPARE(CommandCatalog::Of(Command::ShowSolutions).buttonLabel, "&Voir");
    QCOMPARE(CommandCatalog::Of(Command::PlayNumbers).buttonLabel, "Chiff&res");
    QCOMPARE(CommandCatalog::Of(Command::PlayLetters).buttonLabel, "Lett&res");
    QCOMPARE(CommandCatalog::Of(Command::Continue).buttonLabel, "&Poursuivre");
    QCOMPARE(CommandCatalog::Of(Command::Check).buttonLabel, "&Vérifier");
    QCOMPARE(TopicNumber(CommandCatalog::Of(Command::Fonts).helpTopic), 272);
    QCOMPARE(TopicNumber(CommandCatalog::Of(Command::NewMatch).helpTopic), 317);
    QCOMPARE(CommandCatalog::Hint(24339), std::string("Quitte la partie en cours et retourne en mode entraînement"));
    QCOMPARE(CommandCatalog::Hint(999), std::string());
}

void ShellRulesTest::stateAnnouncesEveryChangeOnce() {
    GameState state;
    QSignalSpy changed(&state, &GameState::changed);
    state.SetCompetition(true);
    state.SetCompetition(true);
    state.SetShownGame(Game::Numbers);
    state.SetShownGame(Game::Numbers);
    state.SetCanCheck(Game::Numbers, true);
    QCOMPARE(changed.count(), 3);
    QVERIFY(state.CanCheck(Game::Numbers));
    QVERIFY(!state.CanCheck(Game::Letters));
    state.SetMatchOver(true);
    state.SetMatchModified(true);
    state.SetLetterPaletteShown(true);
    state.SetBitmapPaletteShown(true);
    state.SetHelpAvailable(true);
    QCOMPARE(changed.count(), 8);
}

void ShellRulesTest::commandLineFileIsTheLastArgumentWithoutQuotes() {
    QCOMPARE(CommandLineFile({}), std::string());
    QCOMPARE(CommandLineFile({"\"/home/joueur/mes parties/match 1.tiv\""}),
             std::string("/home/joueur/mes parties/match 1.tiv"));
    QCOMPARE(CommandLineFile({"premier.tiv", "second.tiv"}), std::string("second.tiv"));
    QCOMPARE(CommandLineFile({"\""}), std::string());
    // Only one quote is taken from each end.
    QCOMPARE(CommandLineFile({"\"\"a\"\""}), std::string("\"a\""));
    // The show options are not a saved game, wherever they stand.
    QCOMPARE(CommandLineFile({"partie.tiv", "--maximized"}), std::string("partie.tiv"));
    QCOMPARE(CommandLineFile({"--minimized"}), std::string());
    QCOMPARE(CommandLineShowRequest({"partie.tiv"}), 0);
    QCOMPARE(CommandLineShowRequest({"--minimized", "partie.tiv"}), 1);
    QCOMPARE(CommandLineShowRequest({"--minimized", "--maximized"}), 2);
    // A long path is kept whole rather than cut to another file's name.
    const std::string longPath = "/" + std::string(300, 'p') + ".tiv";
    QCOMPARE(CommandLineFile({longPath}), longPath);
}

void ShellRulesTest::gameFileFolder() {
    GameFileData data;
    QCOMPARE(data.FileFolder(), std::string());
    data.fileName = "partie.tiv";
    QCOMPARE(data.FileFolder(), std::string());
    data.fileName = "/home/joueur/parties/partie.tiv";
    QCOMPARE(data.FileFolder(), std::string("/home/joueur/parties"));
    data.fileName = "C:\\jeux\\partie.tiv";
    QCOMPARE(data.FileFolder(), std::string("C:\\jeux"));
    data.fileName = "/partie.tiv";
    QCOMPARE(data.FileFolder(), std::string("/"));
}

void ShellRulesTest::platformCheckRefusesOnlySixteenBitHosts() {
    QVERIFY(!PlatformCheck::IsSupported("windows", 3, 10));
    QVERIFY(!PlatformCheck::IsSupported("windows", 3, 11));
    QVERIFY(!PlatformCheck::IsSupported("windows", 2, 0));
    QVERIFY(PlatformCheck::IsSupported("windows", 3, 95));
    QVERIFY(PlatformCheck::IsSupported("windows", 4, 0));
    QVERIFY(PlatformCheck::IsSupported("windows", 6, 1));
    QVERIFY(PlatformCheck::IsSupported("windows", -1, -1));
    // Other systems' versions say nothing of 16-bit hosts: a Linux 3.10 kernel plays.
    QVERIFY(PlatformCheck::IsSupported("linux", 3, 10));
    QVERIFY(PlatformCheck::IsSupported("linux", 2, 6));
    QVERIFY(PlatformCheck::IsSupported("darwin", 3, 0));
    QVERIFY(PlatformCheck::CurrentIsSupported());
    QCOMPARE(PlatformCheck::RefusalText(),
             std::string("Ce programme est conçu pour les versions 32 bits de Windows: NT, 95, 98 ou ultérieur.\r\n"
                         "Pour Windows 3.10 ou 3.11, utilisez l'exécutable tiv16.exe."));
}

void ShellRulesTest::centredPositionTruncatesTowardZero() {
    QCOMPARE(CenteredDialog::CenteredPosition(QRect(100, 50, 600, 400), QSize(200, 100)), QPoint(300, 200));
    QCOMPARE(CenteredDialog::CenteredPosition(QRect(0, 0, 101, 51), QSize(0, 0)), QPoint(50, 25));
    // (-101 + -100 - 2) / 2 = -101.5, truncated to -101 (not -102).
    QCOMPARE(CenteredDialog::CenteredPosition(QRect(-101, -101, 1, 1), QSize(2, 2)), QPoint(-101, -101));
    // A dialog larger than its parent starts left of it, with no clamping.
    QCOMPARE(CenteredDialog::CenteredPosition(QRect(0, 0, 100, 100), QSize(300, 300)), QPoint(-100, -100));
    // Then it is brought back onto the screen, title bar first where it cannot fit.
    const QRect screen(0, 0, 1366, 768);
    QCOMPARE(CenteredDialog::KeptOnScreen(QPoint(-31, 100), QSize(600, 200), screen), QPoint(0, 100));
    QCOMPARE(CenteredDialog::KeptOnScreen(QPoint(1000, 700), QSize(600, 200), screen), QPoint(766, 568));
    QCOMPARE(CenteredDialog::KeptOnScreen(QPoint(-50, -50), QSize(2000, 900), screen), QPoint(0, 0));
    QCOMPARE(CenteredDialog::KeptOnScreen(QPoint(10, 20), QSize(600, 200), screen), QPoint(10, 20));
}

void ShellRulesTest::centringCountsTheDecorations() {
    // Before the window system has decorated the dialog, it is measured with
    // its parent's decorations; once it has its own, with those.
    const QMargins frame(4, 28, 4, 4);
    QCOMPARE(CenteredDialog::DecoratedSize(QSize(200, 100), QMargins(), frame), QSize(208, 132));
    QCOMPARE(CenteredDialog::DecoratedSize(QSize(200, 100), QMargins(1, 20, 1, 1), frame), QSize(202, 121));
    // A 600×400 frame at (100, 50): the decorated 208×132 dialog sits in its middle.
    QCOMPARE(CenteredDialog::CenteredPosition(QRect(100, 50, 600, 400), QSize(208, 132)), QPoint(296, 184));
}

LEXINUM_GUI_TEST(ShellRulesTest)
#include "ShellRulesTest.moc"
