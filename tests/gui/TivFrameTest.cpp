// The frame as the player meets it: menus and their hints, the layout size
// it keeps, maximizing, the game switch, the match's menus, closing.
#include "app/TivFrame.h"
#include "GameFixture.h"
#include "GuiTestMain.h"
#include "common/Profile.h"
#include "letters/MotWindow.h"
#include "numbers/ChifWindow.h"
#include "presentation/HlpStrButton.h"
#include "presentation/ResultEdit.h"
#include "shell/CommandCatalog.h"
#include "shell/Layout.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyleOptionButton>
#include <QTest>

#include <climits>

using namespace lexinum;

class TivFrameTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { game_.SetUp(); }
    void cleanup() { game_.Reset(); }

    void startsInTrainingOnTheLettersPaneWithoutWritingSettings();
    void paneFillsTheFrameAsTheLayoutSays();
    void aDragOnTheBorderBringsTheFrameBack();
    void commandsNobodyRunsAreGreyed();
    void switchingGamesChangesCaptionMenuAndButtons();
    void menusAndButtonsFollowTheMatch();
    void matchMenuOnTheNumbersPane();
    void menuHintsReachTheMessageBar();
    void greyedItemsStillShowTheirHint();
    void closingWritesPositionAndKeepsTheGamesFolder();
    void savedPositionOffEveryScreenOpensAtTheCorner();
    void settingsThatCannotBeWrittenAreReported();
    void maximizeDoublesTheTextAndRestoreBringsItBack();
    void startsMinimizedOrMaximizedWhenAsked();
    void buttonLabelsFitAtEveryScreenHeight_data();
    void buttonLabelsFitAtEveryScreenHeight();
    void secondCopyBringsTheGameForward();

private:
    test::GameFixture game_;
};

void TivFrameTest::startsInTrainingOnTheLettersPaneWithoutWritingSettings() {
    game_.Start({"\"/home/joueur/mes parties/partie 1.tiv\""});
    TivApp& app = game_.App();
    QCOMPARE(game_.Frame().windowTitle(), QStringLiteral("Le mot le plus long"));
    QVERIFY(app.State().LettersShown());
    QVERIFY(!app.State().Competition());
    QCOMPARE(app.CommandLineFileName(), std::string("/home/joueur/mes parties/partie 1.tiv"));
    QCOMPARE(game_.Frame().Client(), static_cast<PanoWindow*>(app.LettersPane()));
    QCOMPARE(game_.Frame().pos(), QPoint(0, 0));
    QCOMPARE(game_.MenuTitles(), QStringList({"&Fichier", "&Jeu", "&Options", "&Lexique", "&?"}));
    QCOMPARE(game_.ItemLabels(0), QStringList({"&Nouvelle partie...", "Rouvrir &partie...", "&Enregistrer partie",
                                               "Enregistrer partie s&ous...", "Qui&tter partie", "&Quitter"}));
    QCOMPARE(game_.ItemLabels(1), QStringList({"&Nouvelles lettres", "&Voir les solutions...", "Jouer aux &Chiffres",
                                               "Les 10 &meilleurs..."}));
    QCOMPARE(game_.ItemLabels(2), QStringList({"&Couleurs...", "Po&lices...", "&Paramètres...", "A&fficher palette",
                                               "Fichier &bitmap...", "Choi&x bitmap"}));
    QCOMPARE(game_.ItemLabels(3), QStringList({"&Ajouter mots...", "&Supprimer mots...", "&Changer de lexique..."}));
    QCOMPARE(game_.ItemLabels(4), QStringList({"&Sommaire", "&Utiliser l'aide", "&Contextuelle", "&A propos"}));
    MotWindow* pane = app.LettersPane();
    QCOMPARE(pane->Button(Command::PlayNumbers)->text(), QStringLiteral("Chiff&res"));
    QCOMPARE(pane->Button(Command::NewDraw)->text(), QStringLiteral("No&uveau"));
    QVERIFY(pane->Button(Command::NewDraw)->isVisible());
    QVERIFY(!pane->Button(Command::Continue)->isVisible());
    QVERIFY(!QFile::exists(game_.IniPath()));
}

void TivFrameTest::paneFillsTheFrameAsTheLayoutSays() {
    game_.Start();
    const Layout& layout = game_.App().CurrentLayout();
    TivFrame& frame = game_.Frame();
    QCOMPARE(frame.width(), layout.GAME_FRAME_WDTH);
    QCOMPARE(frame.centralWidget()->size(), QSize(layout.GAME_FRAME_WDTH, layout.PANE_HGHT));
    QCOMPARE(frame.minimumSize(), frame.size());
    // No largest size: the window system must be able to offer to maximize it.
    QVERIFY(frame.maximumWidth() > layout.GAME_FRAME_WDTH);
    MotWindow* pane = game_.App().LettersPane();
    QCOMPARE(pane->ResultBox()->geometry(), layout.ResultRect());
    const QSize button(layout.BUTTON_WDTH, layout.BUTTON_HGHT);
    QCOMPARE(pane->Button(Command::NewDraw)->geometry(), QRect(layout.ButtonPlace(1), button));
    QCOMPARE(pane->Button(Command::ShowSolutions)->geometry(), QRect(layout.ButtonPlace(2), button));
    QCOMPARE(pane->Button(Command::PlayNumbers)->geometry(), QRect(layout.ButtonPlace(3), button));
    QCOMPARE(pane->Button(Command::Continue)->geometry(), pane->Button(Command::NewDraw)->geometry());
    QCOMPARE(pane->Button(Command::Check)->geometry(), pane->Button(Command::ShowSolutions)->geometry());
    // Tab stops: the place-1 buttons only; the results box is not one.
    QCOMPARE(pane->Button(Command::NewDraw)->focusPolicy(), Qt::StrongFocus);
    QVERIFY(!(pane->Button(Command::ShowSolutions)->focusPolicy() & Qt::TabFocus));
    QVERIFY(!(pane->ResultBox()->focusPolicy() & Qt::TabFocus));
    QVERIFY(pane->ResultBox()->isReadOnly());
}

void TivFrameTest::aDragOnTheBorderBringsTheFrameBack() {
    game_.Start();
    TivFrame& frame = game_.Frame();
    const QSize layoutSize = frame.size();
    frame.resize(layoutSize + QSize(150, 90));
    QTRY_COMPARE(frame.size(), layoutSize);
    QCOMPARE(game_.App().CurrentLayout().GAME_FRAME_WDTH, layoutSize.width());
}

void TivFrameTest::commandsNobodyRunsAreGreyed() {
    game_.Start();
    TivFrame& frame = game_.Frame();
    for (Command enabled :
         {Command::PlayNumbers, Command::Fonts, Command::Colours, Command::BitmapFile, Command::BitmapPalette,
          Command::ContextHelp, Command::HelpContents, Command::HelpOnHelp, Command::About, Command::Exit,
          Command::NewMatch, Command::ResumeMatch, Command::TopTen, Command::Options, Command::AddWords})
        QVERIFY2(frame.FindMenuItem(enabled)->isEnabled(), qPrintable(QString::number(CommandNumber(enabled))));
    // Whatever the mode says, a command with nobody to run it is grey, in the
    // menus and on the buttons: no item is ever enabled and dead; so is one
    // its enabler refuses (no match to save or leave).
    for (Command greyed : {Command::SaveMatch, Command::QuitMatch}) {
        QVERIFY2(!frame.FindMenuItem(greyed)->isEnabled(), qPrintable(QString::number(CommandNumber(greyed))));
        QVERIFY(!game_.App().RunCommand(greyed));
    }
    MotWindow* pane = game_.App().LettersPane();
    QVERIFY(pane->Button(Command::PlayNumbers)->isEnabled());
    QVERIFY(frame.FindMenuItem(Command::LetterPalette)->isCheckable());

    // Without a help window, the help commands are grey too.
    game_.App().SetHelpViewer({});
    for (Command help : {Command::ContextHelp, Command::HelpContents, Command::HelpOnHelp})
        QVERIFY(!frame.FindMenuItem(help)->isEnabled());
}

void TivFrameTest::switchingGamesChangesCaptionMenuAndButtons() {
    game_.Start();
    TivApp& app = game_.App();
    // The player presses "Chiff&res".
    QTest::mouseClick(app.LettersPane()->Button(Command::PlayNumbers), Qt::LeftButton);
    QVERIFY(!app.State().LettersShown());
    QCOMPARE(game_.Frame().windowTitle(), QStringLiteral("Le compte est bon"));
    QCOMPARE(game_.Frame().Client(), static_cast<PanoWindow*>(app.NumbersPane()));
    QVERIFY(app.NumbersPane()->isVisible());
    QVERIFY(!app.LettersPane()->isVisible());
    QCOMPARE(game_.MenuTitles(), QStringList({"&Fichier", "&Jeu", "&Options", "&?"}));
    QVERIFY(!game_.Frame().LexiconMenuShown());
    QCOMPARE(game_.ItemLabels(1), QStringList({"&Nouveaux nombres", "&Voir les solutions...", "Jouer aux &Lettres",
                                               "Les 10 &meilleurs..."}));
    QCOMPARE(game_.Frame().FindMenuItem(Command::PlayLetters)->statusTip(), QStringLiteral("Passe au jeu des lettres"));
    QVERIFY(game_.Frame().FindMenuItem(Command::PlayNumbers) == nullptr);
    ChifWindow* numbers = app.NumbersPane();
    QCOMPARE(numbers->Button(Command::PlayLetters)->text(), QStringLiteral("Lett&res"));
    QVERIFY(numbers->Button(Command::NewDraw)->isVisible() && numbers->Button(Command::PlayLetters)->isEnabled());
    QCOMPARE(numbers->Button(Command::PlayLetters)->geometry(),
             app.LettersPane()->Button(Command::PlayNumbers)->geometry());

    // And back, from the menu item.
    game_.Frame().FindMenuItem(Command::PlayLetters)->trigger();
    QVERIFY(app.State().LettersShown());
    QCOMPARE(game_.Frame().windowTitle(), QStringLiteral("Le mot le plus long"));
    QCOMPARE(game_.MenuTitles(), QStringList({"&Fichier", "&Jeu", "&Options", "&Lexique", "&?"}));
    QCOMPARE(game_.ItemLabels(1), QStringList({"&Nouvelles lettres", "&Voir les solutions...", "Jouer aux &Chiffres",
                                               "Les 10 &meilleurs..."}));
    QVERIFY(game_.Prompts().messages.empty());

    // A "&Lexique" popup that is not in the bar cannot be taken out: said, and the switch goes on.
    game_.Frame().UseNumbersMenu();
    game_.Frame().UseNumbersMenu();
    QCOMPARE(game_.Prompts().messages.size(), std::size_t(1));
    QCOMPARE(game_.Prompts().messages[0].text, std::string("Suppression impossible du menu Lexique."));
    QCOMPARE(game_.Prompts().messages[0].caption, std::string("Lexinum"));
    game_.Frame().UseLettersMenu();
    QCOMPARE(game_.MenuTitles(), QStringList({"&Fichier", "&Jeu", "&Options", "&Lexique", "&?"}));
}

void TivFrameTest::menusAndButtonsFollowTheMatch() {
    game_.Start();
    TivFrame& frame = game_.Frame();
    GameState& state = game_.App().State();
    MotWindow* pane = game_.App().LettersPane();
    // Setting the state is enough: menus, buttons and enablers follow.
    state.SetCompetition(true);
    for (Command training : {Command::NewDraw, Command::ShowSolutions, Command::PlayNumbers, Command::Options})
        QVERIFY(!frame.IsCommandEnabled(training));
    QVERIFY(!frame.IsCommandEnabled(Command::Check));
    QVERIFY(!game_.App().RunCommand(Command::PlayNumbers));
    QVERIFY(state.LettersShown());
    QVERIFY(pane->Button(Command::Continue)->isVisible());
    QVERIFY(pane->Button(Command::Check)->isVisible() && !pane->Button(Command::Check)->isEnabled());
    QVERIFY(!pane->Button(Command::NewDraw)->isVisible() && !pane->Button(Command::PlayNumbers)->isVisible());
    QCOMPARE(game_.ItemLabels(1),
             QStringList({"&Poursuivre", "&Vérifier", "Jouer aux &Chiffres", "Les 10 &meilleurs..."}));
    QCOMPARE(frame.FindMenuItem(Command::Continue)->statusTip(), QStringLiteral("Continue la partie"));
    QVERIFY(!frame.FindMenuItem(Command::PlayNumbers)->isEnabled());

    // Back to training: the training set and menu again.
    state.SetCompetition(false);
    QVERIFY(pane->Button(Command::NewDraw)->isVisible());
    QVERIFY(!pane->Button(Command::Continue)->isVisible());
    QVERIFY(frame.FindMenuItem(Command::PlayNumbers)->isEnabled());
    QCOMPARE(game_.ItemLabels(1), QStringList({"&Nouvelles lettres", "&Voir les solutions...", "Jouer aux &Chiffres",
                                               "Les 10 &meilleurs..."}));
}

void TivFrameTest::matchMenuOnTheNumbersPane() {
    game_.Start();
    TivApp& app = game_.App();
    app.State().SetCompetition(true);
    // The match brings the numbers pane forward itself: the switch command is disabled.
    app.ShowGame(Game::Numbers);
    QCOMPARE(game_.MenuTitles(), QStringList({"&Fichier", "&Jeu", "&Options", "&?"}));
    QCOMPARE(game_.ItemLabels(1),
             QStringList({"&Poursuivre", "&Vérifier", "Jouer aux &Lettres", "Les 10 &meilleurs..."}));
    QVERIFY(!game_.Frame().FindMenuItem(Command::PlayLetters)->isEnabled());
    QVERIFY(app.NumbersPane()->Button(Command::Continue)->isVisible());
    QVERIFY(!app.NumbersPane()->Button(Command::NewDraw)->isVisible());

    // Leaving the match on the numbers pane gives back its own training items.
    app.State().SetCompetition(false);
    QCOMPARE(game_.ItemLabels(1), QStringList({"&Nouveaux nombres", "&Voir les solutions...", "Jouer aux &Lettres",
                                               "Les 10 &meilleurs..."}));
    QVERIFY(game_.Frame().FindMenuItem(Command::PlayLetters)->isEnabled());
}

void TivFrameTest::menuHintsReachTheMessageBar() {
    game_.Start();
    TivFrame& frame = game_.Frame();
    // An open menu shows the hint of its highlighted item through the menu bar that opened it.
    frame.FindMenuItem(Command::Exit)->showStatusText(frame.menuBar());
    QCOMPARE(frame.statusBar()->currentMessage(), QStringLiteral("Met fin au programme"));
    // Every item of every menu has the hint of its command.
    for (const QAction* popup : frame.menuBar()->actions()) {
        for (const QAction* item : popup->menu()->actions()) {
            if (!item->isSeparator())
                QCOMPARE(item->statusTip().toStdString(), CommandCatalog::Hint(item->data().toInt()));
        }
    }
}

void TivFrameTest::greyedItemsStillShowTheirHint() {
    game_.Start();
    TivFrame& frame = game_.Frame();
    // "&Enregistrer partie" is grey in training.
    QAction* save = frame.FindMenuItem(Command::SaveMatch);
    QVERIFY(!save->isEnabled());
    QMenu* file = frame.menuBar()->actions().first()->menu();
    frame.menuBar()->setActiveAction(file->menuAction());
    QVERIFY(QTest::qWaitForWindowExposed(file));
    file->setActiveAction(save);
    QCOMPARE(frame.statusBar()->currentMessage().toStdString(), CommandCatalog::Hint(Command::SaveMatch));
    file->close();
    QVERIFY(frame.statusBar()->currentMessage().isEmpty());
}

void TivFrameTest::closingWritesPositionAndKeepsTheGamesFolder() {
    // Folders deeper than the game's original 259 characters, and a long font name: read and written back whole.
    const std::string games = "/home/joueur/" + std::string(300, 'p') + "/parties";
    const std::string images = "/home/joueur/" + std::string(300, 'i') + "/images";
    const std::string face = "Une police au nom bien plus long que trente et un caractères";
    {
        Profile before(game_.IniPath().toStdString());
        QVERIFY(before.WriteString("GENERAL", "parties", games));
        QVERIFY(before.WriteString("GENERAL", "bitmaps", images));
        QVERIFY(before.WriteString("LETTRES", "Police", face));
    }
    game_.Start();
    QCOMPARE(game_.App().GameData().initialDir, games);
    game_.Frame().move(123, 45);
    QVERIFY(game_.App().RunCommand(Command::Exit));
    QVERIFY(!game_.Frame().isVisible());

    const Profile after(game_.IniPath().toStdString());
    QCOMPARE(after.ReadInt("GENERAL", "x", -1), 123);
    QCOMPARE(after.ReadInt("GENERAL", "y", -1), 45);
    QCOMPARE(after.ReadString("GENERAL", "parties", "", Profile::kMaxValueLength), games);
    QCOMPARE(after.ReadString("GENERAL", "bitmaps", "", Profile::kMaxValueLength), images);
    QCOMPARE(after.ReadString("LETTRES", "Police", "", Profile::kMaxValueLength), face);

    // The next start opens where the frame was.
    game_.Start();
    QCOMPARE(game_.Frame().pos(), QPoint(123, 45));
    // A game saved in another folder makes that folder the next one.
    game_.App().GameData().fileName = "/tmp/ailleurs/match.tiv";
    QVERIFY(game_.Frame().close());
    QCOMPARE(Profile(game_.IniPath().toStdString()).ReadString("GENERAL", "parties", "", Profile::kMaxValueLength),
             std::string("/tmp/ailleurs"));
}

void TivFrameTest::savedPositionOffEveryScreenOpensAtTheCorner() {
    const QPoint corner = QGuiApplication::primaryScreen()->availableGeometry().topLeft();
    // Off the screens, and at the very limits of the integers (a damaged file).
    for (const auto& [x, y] : {std::pair{50000, -9000}, std::pair{INT_MAX, INT_MAX}, std::pair{INT_MIN, INT_MAX}}) {
        {
            Profile before(game_.IniPath().toStdString());
            QVERIFY(before.WriteInt("GENERAL", "x", x));
            QVERIFY(before.WriteInt("GENERAL", "y", y));
        }
        game_.Start();
        QCOMPARE(game_.Frame().pos(), corner);
        game_.Reset();
    }
}

void TivFrameTest::settingsThatCannotBeWrittenAreReported() {
    // A file stands where the settings folder should be.
    const QString folder = TivApp::SettingsFolder();
    QDir(folder).removeRecursively();
    QDir().mkpath(QFileInfo(folder).path());
    QFile blocker(folder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    game_.Start();
    QVERIFY(game_.Frame().close());
    QVERIFY(!game_.Frame().isVisible());
    QVERIFY(!game_.Prompts().messages.empty());
    QVERIFY(game_.Prompts().messages[0].text.starts_with("Erreur de fichier:\r\n"));
    QCOMPARE(game_.Prompts().messages[0].icon, PromptIcon::Exclamation);
    game_.Reset();
    QVERIFY(QFile::remove(folder));
}

void TivFrameTest::maximizeDoublesTheTextAndRestoreBringsItBack() {
    game_.Start();
    TivApp& app = game_.App();
    TivFrame& frame = game_.Frame();
    const int normalText = QFontMetrics(app.Fonts().baseFont).height();
    const Layout normal = game_.App().CurrentLayout();
    frame.showMaximized();
    QTRY_VERIFY(app.Maximized());
    const Layout& big = game_.App().CurrentLayout();
    QCOMPARE(big.GAME_FRAME_WDTH, frame.screen()->geometry().width());
    // The results box takes what the column leaves of the screen's width.
    QCOMPARE(big.RESULT_WDTH, big.GAME_FRAME_WDTH - 5 * big.CHAR_WDTH - 3 * big.BUTTON_WDTH);
    const int maximizedText = QFontMetrics(app.Fonts().baseFont).height();
    QVERIFY2(std::abs(maximizedText - 2 * normalText) <= 2,
             qPrintable(QStringLiteral("%1 then %2").arg(normalText).arg(maximizedText)));
    QCOMPARE(app.LettersPane()->ResultBox()->geometry(), big.ResultRect());

    frame.showNormal();
    QTRY_VERIFY(!app.Maximized());
    QCOMPARE(QFontMetrics(app.Fonts().baseFont).height(), normalText);
    QCOMPARE(game_.App().CurrentLayout().GAME_FRAME_WDTH, normal.GAME_FRAME_WDTH);
    QTRY_COMPARE(frame.width(), normal.GAME_FRAME_WDTH);
    QCOMPARE(frame.minimumSize(), frame.size());
}

void TivFrameTest::startsMinimizedOrMaximizedWhenAsked() {
    game_.Start({}, TivApp::ShowState::Maximized);
    QVERIFY(game_.Frame().isMaximized());
    QTRY_VERIFY(game_.App().Maximized());
    QCOMPARE(game_.App().CurrentLayout().GAME_FRAME_WDTH, game_.Frame().screen()->geometry().width());
    game_.Reset();

    game_.Start({"--minimized"}, TivApp::ShowState::Minimized);
    QVERIFY(game_.Frame().isMinimized());
    QVERIFY(!game_.App().Maximized());
    // The show options are not taken for a saved game.
    QVERIFY(game_.App().CommandLineFileName().empty());
}

void TivFrameTest::buttonLabelsFitAtEveryScreenHeight_data() {
    QTest::addColumn<int>("screenHeight");
    QTest::addColumn<bool>("maximized");
    for (int height : {600, 720, 768, 800, 900, 1024, 1050, 1080, 1200, 1440, 1600, 1800, 2160}) {
        QTest::addRow("%d", height) << height << false;
        QTest::addRow("%d maximized", height) << height << true;
    }
}

void TivFrameTest::buttonLabelsFitAtEveryScreenHeight() {
    QFETCH(int, screenHeight);
    QFETCH(bool, maximized);
    const GameFonts fonts = TivApp::FontsFor(screenHeight, maximized);
    const Layout layout = TivApp::GeometryFor(fonts, QSize(screenHeight * 16 / 9, screenHeight), maximized);
    for (Command command : {Command::Continue, Command::Check, Command::PlayNumbers, Command::PlayLetters,
                            Command::NewDraw, Command::ShowSolutions}) {
        HlpStrButton button(command, nullptr);
        button.setFont(fonts.buttonFont);
        button.setDefault(true);
        button.resize(layout.BUTTON_WDTH, layout.BUTTON_HGHT);
        QStyleOptionButton option;
        option.initFrom(&button);
        option.features |= QStyleOptionButton::DefaultButton;
        option.text = button.text();
        const QRect room = button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
        const QString shown = QString(button.text()).remove(QLatin1Char('&'));
        const QFontMetrics metrics(fonts.buttonFont);
        QVERIFY2(metrics.horizontalAdvance(shown) <= room.width() && metrics.height() <= room.height(),
                 qPrintable(QStringLiteral("%1: %2×%3 in %4×%5")
                                .arg(shown)
                                .arg(metrics.horizontalAdvance(shown))
                                .arg(metrics.height())
                                .arg(room.width())
                                .arg(room.height())));
    }
}

void TivFrameTest::secondCopyBringsTheGameForward() {
    game_.Start();
    game_.Frame().showMinimized();
    QTRY_VERIFY(game_.Frame().isMinimized());
    game_.App().BringForward();
    QTRY_VERIFY(!game_.Frame().isMinimized());
    QVERIFY(game_.Frame().isVisible());
    QVERIFY(!game_.App().Maximized());
}

LEXINUM_GUI_TEST(TivFrameTest)
#include "TivFrameTest.moc"
