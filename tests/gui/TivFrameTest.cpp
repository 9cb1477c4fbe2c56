// The application, its frame and its two panes, driven as the player does:
// commands by number, menus, buttons, keys, closing.
#include "app/TivFrame.h"
#include "RecordingPrompter.h"
#include "app/CommandHints.h"
#include "app/FrenchTexts.h"
#include "app/Layout.h"
#include "app/TivApp.h"
#include "common/Profile.h"
#include "letters/MotWindow.h"
#include "letters/ResultEdit.h"
#include "numbers/ChifWindow.h"
#include "presentation/CenteredDialog.h"
#include "presentation/HlpStrButton.h"
#include "presentation/QtPrompter.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <cerrno>
#include <memory>

using namespace lexinum;

class TivFrameTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void startsInTrainingOnTheLettersPaneWithoutWritingSettings();
    void paneFillsTheFrameAsTheLayoutSays();
    void itemsWithoutOwnerAreGreyed();
    void switchingGamesChangesCaptionMenuAndButtons();
    void matchDisablesTrainingCommands();
    void matchMenuOnTheNumbersPane();
    void menuHintsReachTheMessageBar();
    void heldButtonShowsItsHint();
    void closingWritesPositionAndKeepsTheGamesFolder();
    void savedPositionOffEveryScreenOpensAtTheCorner();
    void settingsThatCannotBeWrittenAreReported();
    void resultsFontIsKeptPerPane();
    void maximizeDoublesTheTextAndRestoreBringsItBack();
    void contextHelpFollowsGameAndMode();
    void helpKeyInsideDialogsShowsTheCallersTopic();
    void centredDialogOpensOverTheFrame();
    void fontCommandSetsTheResultsFont();
    void resultsBoxAppendsAndEmptiesTheBuffer();
    void separatorIsCentredInTheResultsBox();
    void reportErrnoShowsAndClearsTheError();
    void messageBoxAnswersWithThePlayersButton();
    void secondCopyBringsTheGameForward();

private:
    void StartGame(const std::vector<std::string>& arguments = {});
    QString IniPath() const { return TivApp::SettingsFolder() + "/tiv.ini"; }
    QStringList MenuTitles() const;
    QStringList ItemLabels(int menuPosition) const;
    // Runs `act` on the modal dialog once it is open.
    static void OnModal(std::function<void(QWidget*)> act);

    QTemporaryDir home_;
    test::RecordingPrompter prompter_;
    std::unique_ptr<TivApp> app_;
};

void TivFrameTest::initTestCase() {
    QVERIFY(home_.isValid());
    qputenv("XDG_CONFIG_HOME", home_.filePath("config").toUtf8());
    Prompter::SetActive(&prompter_);
}

void TivFrameTest::cleanupTestCase() {
    Prompter::SetActive(nullptr);
}

void TivFrameTest::cleanup() {
    app_.reset();
    QFile::remove(IniPath());
    prompter_.messages.clear();
}

void TivFrameTest::StartGame(const std::vector<std::string>& arguments) {
    app_ = std::make_unique<TivApp>(arguments);
    app_->InitMainWindow();
    app_->InitInstance();
    QVERIFY(QTest::qWaitForWindowExposed(app_->frame));
}

QStringList TivFrameTest::MenuTitles() const {
    QStringList titles;
    for (const QAction* action : app_->frame->menuBar()->actions())
        titles << action->text();
    return titles;
}

QStringList TivFrameTest::ItemLabels(int menuPosition) const {
    QStringList labels;
    const QMenu* menu = app_->frame->menuBar()->actions().at(menuPosition)->menu();
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator())
            labels << action->text();
    }
    return labels;
}

void TivFrameTest::OnModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* modal = nullptr;
        QTRY_VERIFY((modal = QApplication::activeModalWidget()) != nullptr);
        act(modal);
    });
}

void TivFrameTest::startsInTrainingOnTheLettersPaneWithoutWritingSettings() {
    StartGame({"\"/home/joueur/mes parties/partie 1.tiv\""});
    QCOMPARE(app_->frame->windowTitle(), QStringLiteral("Le mot le plus long"));
    QVERIFY(app_->lettersCurrent);
    QVERIFY(!app_->competition);
    QCOMPARE(app_->level, 0);
    QVERIFY(app_->playerName.empty());
    QCOMPARE(app_->commandLineFile, std::string("/home/joueur/mes parties/partie 1.tiv"));
    QCOMPARE(app_->frame->Client(), static_cast<PanoWindow*>(app_->lettersPane));
    QCOMPARE(app_->frame->pos(), QPoint(0, 0));
    QCOMPARE(MenuTitles(), QStringList({"&Fichier", "&Jeu", "&Options", "&Lexique", "&?"}));
    QCOMPARE(ItemLabels(0), QStringList({"&Nouvelle partie...", "Rouvrir &partie...", "&Enregistrer partie",
                                         "Enregistrer partie s&ous...", "Qui&tter partie", "&Quitter"}));
    QCOMPARE(ItemLabels(1), QStringList({"&Nouvelles lettres", "&Voir les solutions...", "Jouer aux &Chiffres",
                                         "Les 10 &meilleurs..."}));
    QCOMPARE(ItemLabels(2), QStringList({"&Couleurs...", "Po&lices...", "&Paramètres...", "A&fficher palette",
                                         "Fichier &bitmap...", "Choi&x bitmap"}));
    QCOMPARE(ItemLabels(3), QStringList({"&Ajouter mots...", "&Supprimer mots...", "&Changer de lexique..."}));
    QCOMPARE(ItemLabels(4), QStringList({"&Sommaire", "&Utiliser l'aide", "&Contextuelle", "&A propos"}));
    QCOMPARE(app_->lettersPane->gameButton->text(), QStringLiteral("Chiff&res"));
    QVERIFY(app_->lettersPane->newButton->isVisible());
    QVERIFY(!app_->lettersPane->continueButton->isVisible());
    QVERIFY(!QFile::exists(IniPath()));
}

void TivFrameTest::paneFillsTheFrameAsTheLayoutSays() {
    StartGame();
    const Layout& layout = Layout::Current();
    TivFrame* frame = app_->frame;
    QCOMPARE(frame->minimumSize(), frame->maximumSize());
    QCOMPARE(frame->width(), layout.GAME_FRAME_WDTH);
    QCOMPARE(frame->centralWidget()->size(), QSize(layout.GAME_FRAME_WDTH, layout.PANE_HGHT));
    MotWindow* pane = app_->lettersPane;
    QCOMPARE(pane->ResultBox()->geometry(), layout.ResultRect());
    const QSize button(layout.BUTTON_WDTH, layout.BUTTON_HGHT);
    QCOMPARE(pane->newButton->geometry(), QRect(layout.ButtonPlace(1), button));
    QCOMPARE(pane->viewButton->geometry(), QRect(layout.ButtonPlace(2), button));
    QCOMPARE(pane->gameButton->geometry(), QRect(layout.ButtonPlace(3), button));
    QCOMPARE(pane->continueButton->geometry(), pane->newButton->geometry());
    QCOMPARE(pane->checkButton->geometry(), pane->viewButton->geometry());
    QVERIFY(pane->geometry().contains(pane->gameButton->geometry()));
    // Tab stops: the place-1 buttons only; the results box is not one.
    QCOMPARE(pane->newButton->focusPolicy(), Qt::StrongFocus);
    QVERIFY(!(pane->viewButton->focusPolicy() & Qt::TabFocus));
    QVERIFY(!(pane->ResultBox()->focusPolicy() & Qt::TabFocus));
    QVERIFY(pane->ResultBox()->isReadOnly());
    QCOMPARE(pane->ResultBox()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

void TivFrameTest::itemsWithoutOwnerAreGreyed() {
    StartGame();
    TivFrame* frame = app_->frame;
    frame->UpdateCommands();
    for (Command enabled : {Command::NewDraw, Command::ShowSolutions, Command::PlayNumbers, Command::Options,
                            Command::Fonts, Command::ContextHelp, Command::Exit}) {
        QVERIFY2(frame->FindMenuItem(enabled)->isEnabled(), qPrintable(QString::number(CommandNumber(enabled))));
    }
    for (Command greyed :
         {Command::NewMatch, Command::ResumeMatch, Command::SaveMatch, Command::QuitMatch, Command::TopTen,
          Command::Colours, Command::BitmapFile, Command::AddWords, Command::HelpContents, Command::About}) {
        QVERIFY2(!frame->FindMenuItem(greyed)->isEnabled(), qPrintable(QString::number(CommandNumber(greyed))));
        QVERIFY(!app_->RunCommand(greyed));
    }
    QVERIFY(frame->FindMenuItem(Command::LetterPalette)->isCheckable());
}

void TivFrameTest::switchingGamesChangesCaptionMenuAndButtons() {
    StartGame();
    // The player presses "Chiff&res".
    QTest::mouseClick(app_->lettersPane->gameButton, Qt::LeftButton);
    QVERIFY(!app_->lettersCurrent);
    QCOMPARE(app_->frame->windowTitle(), QStringLiteral("Le compte est bon"));
    QCOMPARE(app_->frame->Client(), static_cast<PanoWindow*>(app_->numbersPane));
    QVERIFY(app_->numbersPane->isVisible());
    QVERIFY(!app_->lettersPane->isVisible());
    QCOMPARE(MenuTitles(), QStringList({"&Fichier", "&Jeu", "&Options", "&?"}));
    QVERIFY(!app_->frame->LexiconMenuShown());
    QCOMPARE(ItemLabels(1), QStringList({"&Nouveaux nombres", "&Voir les solutions...", "Jouer aux &Lettres",
                                         "Les 10 &meilleurs..."}));
    QCOMPARE(app_->frame->FindMenuItem(Command::PlayLetters)->statusTip(), QStringLiteral("Passe au jeu des lettres"));
    QVERIFY(app_->frame->FindMenuItem(Command::PlayNumbers) == nullptr);
    ChifWindow* numbers = app_->numbersPane;
    QCOMPARE(numbers->gameButton->text(), QStringLiteral("Lett&res"));
    QVERIFY(numbers->newButton->isVisible() && numbers->gameButton->isEnabled());
    // The numbers pane is laid out like the letters pane.
    QCOMPARE(numbers->gameButton->geometry(), app_->lettersPane->gameButton->geometry());

    // And back, from the menu item.
    app_->frame->FindMenuItem(Command::PlayLetters)->trigger();
    QVERIFY(app_->lettersCurrent);
    QCOMPARE(app_->frame->windowTitle(), QStringLiteral("Le mot le plus long"));
    QCOMPARE(MenuTitles(), QStringList({"&Fichier", "&Jeu", "&Options", "&Lexique", "&?"}));
    QCOMPARE(ItemLabels(1), QStringList({"&Nouvelles lettres", "&Voir les solutions...", "Jouer aux &Chiffres",
                                         "Les 10 &meilleurs..."}));
    QVERIFY(prompter_.messages.empty());

    // Asking for the pane already shown changes nothing.
    app_->ShowLettersPane();
    QCOMPARE(MenuTitles().size(), 5);
    // A "&Lexique" popup that is not in the bar cannot be taken out: said, and the switch goes on.
    app_->frame->UseNumbersMenu();
    app_->frame->UseNumbersMenu();
    QCOMPARE(prompter_.messages.size(), std::size_t(1));
    QCOMPARE(prompter_.messages[0].text, std::string("Suppression impossible du menu Lexique."));
    QCOMPARE(prompter_.messages[0].caption, std::string("Lexinum"));
    app_->frame->UseLettersMenu();
    QCOMPARE(MenuTitles(), QStringList({"&Fichier", "&Jeu", "&Options", "&Lexique", "&?"}));
}

void TivFrameTest::matchDisablesTrainingCommands() {
    StartGame();
    TivFrame* frame = app_->frame;
    MotWindow* pane = app_->lettersPane;
    app_->competition = true;
    app_->RefreshCommands();
    for (Command training : {Command::NewDraw, Command::ShowSolutions, Command::PlayNumbers, Command::Options})
        QVERIFY(!frame->IsCommandEnabled(training));
    QVERIFY(frame->IsCommandEnabled(Command::Continue));
    QVERIFY(!frame->IsCommandEnabled(Command::Check));
    QVERIFY(!pane->newButton->isEnabled());
    QVERIFY(!pane->gameButton->isEnabled());
    QVERIFY(!app_->RunCommand(Command::PlayNumbers));
    QVERIFY(app_->lettersCurrent);

    pane->ShowCompetitionButtons();
    frame->UseCompetitionMenu();
    QVERIFY(pane->continueButton->isVisible() && pane->continueButton->isEnabled());
    QVERIFY(pane->checkButton->isVisible() && !pane->checkButton->isEnabled());
    QVERIFY(!pane->newButton->isVisible() && !pane->gameButton->isVisible());
    QCOMPARE(ItemLabels(1), QStringList({"&Poursuivre", "&Vérifier", "Jouer aux &Chiffres", "Les 10 &meilleurs..."}));
    pane->canCheck = true;
    app_->RefreshCommands();
    QVERIFY(pane->checkButton->isEnabled());
    QVERIFY(frame->FindMenuItem(Command::Check)->isEnabled());
    QVERIFY(!frame->FindMenuItem(Command::PlayNumbers)->isEnabled());

    // Back to training: the training set and menu again, "Vérifier" still follows canCheck.
    app_->competition = false;
    pane->ShowTrainingButtons();
    frame->UseTrainingMenu();
    QVERIFY(pane->newButton->isVisible() && pane->newButton->isEnabled());
    QVERIFY(!pane->continueButton->isVisible());
    QVERIFY(!frame->IsCommandEnabled(Command::Continue));
    QVERIFY(frame->IsCommandEnabled(Command::Check));
    QCOMPARE(ItemLabels(1), QStringList({"&Nouvelles lettres", "&Voir les solutions...", "Jouer aux &Chiffres",
                                         "Les 10 &meilleurs..."}));
}

void TivFrameTest::matchMenuOnTheNumbersPane() {
    StartGame();
    TivFrame* frame = app_->frame;
    app_->competition = true;
    frame->UseCompetitionMenu();
    app_->lettersPane->ShowCompetitionButtons();
    // The match brings the numbers pane forward itself: the switch command is disabled.
    app_->ShowNumbersPane();
    app_->numbersPane->ShowCompetitionButtons();
    QCOMPARE(MenuTitles(), QStringList({"&Fichier", "&Jeu", "&Options", "&?"}));
    QCOMPARE(ItemLabels(1), QStringList({"&Poursuivre", "&Vérifier", "Jouer aux &Lettres", "Les 10 &meilleurs..."}));
    QVERIFY(!frame->FindMenuItem(Command::PlayLetters)->isEnabled());
    QVERIFY(frame->FindMenuItem(Command::Continue)->isEnabled());
    QVERIFY(app_->numbersPane->continueButton->isEnabled());

    // Leaving the match on the numbers pane gives back its own training items.
    app_->competition = false;
    frame->UseTrainingMenu();
    QCOMPARE(ItemLabels(1), QStringList({"&Nouveaux nombres", "&Voir les solutions...", "Jouer aux &Lettres",
                                         "Les 10 &meilleurs..."}));
    QVERIFY(frame->FindMenuItem(Command::PlayLetters)->isEnabled());
}

void TivFrameTest::menuHintsReachTheMessageBar() {
    StartGame();
    TivFrame* frame = app_->frame;
    // An open menu shows the hint of its highlighted item through the menu bar that opened it.
    frame->FindMenuItem(Command::Exit)->showStatusText(frame->menuBar());
    QCOMPARE(frame->statusBar()->currentMessage(), QStringLiteral("Met fin au programme"));
    // A replaced item carries the hint of its new command.
    frame->UseCompetitionMenu();
    frame->FindMenuItem(Command::Continue)->showStatusText(frame->menuBar());
    QCOMPARE(frame->statusBar()->currentMessage(), QStringLiteral("Continue la partie"));
    // Every item of every menu has its hint.
    for (const QAction* popup : frame->menuBar()->actions()) {
        for (const QAction* item : popup->menu()->actions()) {
            if (!item->isSeparator())
                QVERIFY2(!item->statusTip().isEmpty(), qPrintable(item->text()));
        }
    }
}

void TivFrameTest::heldButtonShowsItsHint() {
    StartGame();
    QStatusBar* bar = app_->frame->statusBar();
    HlpStrButton* view = app_->lettersPane->viewButton;
    QTest::mousePress(view, Qt::LeftButton);
    QCOMPARE(bar->currentMessage(), QStringLiteral("Affiche les solutions (vous laisse chercher d'abord !)"));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(-20, -20));
    QVERIFY(bar->currentMessage().isEmpty());

    HlpStrButton* game = app_->lettersPane->gameButton;
    QTest::mousePress(game, Qt::LeftButton);
    QCOMPARE(bar->currentMessage(), QStringLiteral("Passe au jeu des chiffres"));
    QTest::mouseRelease(game, Qt::LeftButton);
    QVERIFY(bar->currentMessage().isEmpty());
    // Released inside, the button did its command.
    QVERIFY(!app_->lettersCurrent);

    HlpStrButton* check = app_->numbersPane->checkButton;
    check->setEnabled(true);
    QTest::mousePress(check, Qt::LeftButton);
    QCOMPARE(bar->currentMessage(), QStringLiteral("Passe en revue toutes les solutions"));
    QTest::mouseRelease(check, Qt::LeftButton);
}

void TivFrameTest::closingWritesPositionAndKeepsTheGamesFolder() {
    {
        Profile before(IniPath().toStdString());
        QVERIFY(before.WriteString("GENERAL", "parties", "/home/joueur/parties"));
        QVERIFY(before.WriteString("GENERAL", "bitmaps", "/home/joueur/images"));
    }
    StartGame();
    QCOMPARE(app_->gameData.initialDir, std::string("/home/joueur/parties"));
    app_->frame->move(123, 45);
    QVERIFY(app_->RunCommand(Command::Exit));
    QVERIFY(!app_->frame->isVisible());

    const Profile after(IniPath().toStdString());
    QCOMPARE(after.ReadInt("GENERAL", "x", -1), 123);
    QCOMPARE(after.ReadInt("GENERAL", "y", -1), 45);
    QCOMPARE(after.ReadString("GENERAL", "parties", "", 259), std::string("/home/joueur/parties"));
    QCOMPARE(after.ReadString("GENERAL", "bitmaps", "", 259), std::string("/home/joueur/images"));

    // The next start opens where the frame was.
    app_.reset();
    StartGame();
    QCOMPARE(app_->frame->pos(), QPoint(123, 45));
    // A game saved in another folder makes that folder the next one.
    app_->gameData.fileName = "/tmp/ailleurs/match.tiv";
    QVERIFY(app_->frame->close());
    QCOMPARE(Profile(IniPath().toStdString()).ReadString("GENERAL", "parties", "", 259), std::string("/tmp/ailleurs"));
}

void TivFrameTest::savedPositionOffEveryScreenOpensAtTheCorner() {
    {
        Profile before(IniPath().toStdString());
        QVERIFY(before.WriteInt("GENERAL", "x", 50000));
        QVERIFY(before.WriteInt("GENERAL", "y", -9000));
    }
    StartGame();
    QCOMPARE(app_->frame->pos(), QGuiApplication::primaryScreen()->availableGeometry().topLeft());
}

void TivFrameTest::settingsThatCannotBeWrittenAreReported() {
    // A file stands where the settings folder should be.
    const QString folder = TivApp::SettingsFolder();
    QDir(folder).removeRecursively();
    QDir().mkpath(QFileInfo(folder).path());
    QFile blocker(folder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    StartGame();
    QVERIFY(app_->frame->close());
    QVERIFY(!app_->frame->isVisible());
    QCOMPARE(prompter_.messages.size(), std::size_t(1));
    QVERIFY(prompter_.messages[0].text.starts_with("Erreur de fichier:\r\n"));
    QCOMPARE(prompter_.messages[0].icon, PromptIcon::Exclamation);
    app_.reset();
    QVERIFY(QFile::remove(folder));
}

void TivFrameTest::resultsFontIsKeptPerPane() {
    StartGame();
    MotWindow* letters = app_->lettersPane;
    QCOMPARE(letters->ResultFont().family(), QStringLiteral("Arial"));
    QCOMPARE(letters->ResultFont().pixelSize(), 16);
    QCOMPARE(letters->ResultFont().weight(), QFont::Bold);
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(20);
    font.setItalic(true);
    font.setWeight(QFont::Normal);
    letters->SetResultFont(font);
    QVERIFY(app_->frame->close());

    const Profile settings(IniPath().toStdString());
    QCOMPARE(settings.ReadString("LETTRES", "Police", "", 31), std::string("Courier New"));
    QCOMPARE(settings.ReadInt("LETTRES", "hauteur police", 0), -20);
    QCOMPARE(settings.ReadInt("LETTRES", "épaisseur police", 0), 400);
    QCOMPARE(settings.ReadInt("LETTRES", "italique", 0), 1);
    // The numbers pane was never shown: its section is left alone.
    QCOMPARE(settings.ReadString("CHIFFRES", "Police", "absent", 31), std::string("absent"));

    app_.reset();
    StartGame();
    QCOMPARE(app_->lettersPane->ResultFont().pixelSize(), 20);
    QVERIFY(app_->lettersPane->ResultFont().italic());
    QCOMPARE(app_->lettersPane->ResultBox()->font().family(), QStringLiteral("Courier New"));
}

void TivFrameTest::maximizeDoublesTheTextAndRestoreBringsItBack() {
    StartGame();
    const int normalText = QFontMetrics(app_->baseFont).height();
    const Layout normal = Layout::Current();
    app_->frame->showMaximized();
    QTRY_VERIFY(app_->maximized);
    const Layout& big = Layout::Current();
    const int screenWidth = app_->frame->screen()->geometry().width();
    QCOMPARE(big.GAME_FRAME_WDTH, screenWidth);
    QVERIFY(big.RESULT_WDTH > normal.RESULT_WDTH);
    const int maximizedText = QFontMetrics(app_->baseFont).height();
    QVERIFY2(std::abs(maximizedText - 2 * normalText) <= 2,
             qPrintable(QStringLiteral("%1 then %2").arg(normalText).arg(maximizedText)));
    QCOMPARE(app_->lettersPane->ResultBox()->geometry(), big.ResultRect());

    app_->frame->showNormal();
    QTRY_VERIFY(!app_->maximized);
    QCOMPARE(QFontMetrics(app_->baseFont).height(), normalText);
    QCOMPARE(Layout::Current().GAME_FRAME_WDTH, normal.GAME_FRAME_WDTH);
    QCOMPARE(app_->frame->width(), normal.GAME_FRAME_WDTH);
    QCOMPARE(app_->frame->minimumSize(), app_->frame->maximumSize());
}

void TivFrameTest::contextHelpFollowsGameAndMode() {
    StartGame();
    QSignalSpy asked(app_.get(), &TivApp::helpRequested);
    app_->frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(app_->frame));
    QTest::keyClick(app_->frame, Qt::Key_F1);
    QCOMPARE(app_->requestedHelpTopic, 260);
    app_->competition = true;
    QVERIFY(app_->RunCommand(Command::ContextHelp));
    QCOMPARE(app_->requestedHelpTopic, 261);
    app_->competition = false;
    app_->ShowNumbersPane();
    QVERIFY(app_->RunCommand(Command::ContextHelp));
    QCOMPARE(app_->requestedHelpTopic, 265);
    app_->competition = true;
    QVERIFY(app_->RunCommand(Command::ContextHelp));
    QCOMPARE(app_->requestedHelpTopic, 266);
    QCOMPARE(asked.count(), 4);
    // Shift+F1 asks the contents, which no window answers yet.
    QTest::keyClick(app_->frame, Qt::Key_F1, Qt::ShiftModifier);
    QCOMPARE(asked.count(), 4);
}

void TivFrameTest::helpKeyInsideDialogsShowsTheCallersTopic() {
    StartGame();
    QSignalSpy asked(app_.get(), &TivApp::helpRequested);
    app_->helpContext = 317;
    auto outer = std::make_unique<HookDialog>(app_->frame);
    OnModal([this](QWidget* dialog) {
        QTest::keyClick(dialog, Qt::Key_F1);
        // A dialog opened and closed inside this one leaves F1 working here.
        { HookDialog inner(dialog); }
        app_->helpContext = 318;
        QTest::keyClick(dialog, Qt::Key_F1);
        static_cast<QDialog*>(dialog)->accept();
    });
    outer->exec();
    outer.reset();
    app_->helpContext = 0;
    QCOMPARE(asked.count(), 2);
    QCOMPARE(asked.at(0).at(0).toInt(), 317);
    QCOMPARE(asked.at(1).at(0).toInt(), 318);

    // Once every dialog is gone, F1 in some other window asks nothing.
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QTest::keyClick(&other, Qt::Key_F1);
    QCOMPARE(asked.count(), 2);
}

void TivFrameTest::centredDialogOpensOverTheFrame() {
    StartGame();
    app_->frame->move(40, 30);
    CenteredDialog dialog(app_->frame);
    dialog.setFixedSize(200, 120);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QRect parent = app_->frame->frameGeometry();
    const QSize size = dialog.frameGeometry().size();
    QCOMPARE(dialog.frameGeometry().topLeft(), QPoint((parent.x() + parent.x() + parent.width() - size.width()) / 2,
                                                      (parent.y() + parent.y() + parent.height() - size.height()) / 2));
}

void TivFrameTest::fontCommandSetsTheResultsFont() {
    StartGame();
    QSignalSpy asked(app_.get(), &TivApp::helpRequested);
    int contextWhileOpen = 0;
    bool helpButton = false;
    QFont picked(QStringLiteral("Courier New"));
    picked.setPointSize(12);
    OnModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFontDialog*>(modal);
        QVERIFY(dialog != nullptr);
        contextWhileOpen = app_->helpContext;
        for (const QPushButton* button : dialog->findChildren<QPushButton*>())
            helpButton = helpButton || button->text() == QStringLiteral("&Aide");
        QTest::keyClick(dialog, Qt::Key_F1);
        dialog->setCurrentFont(picked);
        dialog->accept();
    });
    QVERIFY(app_->RunCommand(Command::Fonts));
    QCOMPARE(contextWhileOpen, 272);
    QVERIFY(helpButton);
    QCOMPARE(asked.count(), 1);
    QCOMPARE(asked.at(0).at(0).toInt(), 272);
    QCOMPARE(app_->helpContext, 0);
    QCOMPARE(app_->lettersPane->ResultFont().pointSize(), 12);
    QCOMPARE(app_->lettersPane->ResultBox()->font().pointSize(), 12);

    // Cancelled: the font stays.
    OnModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    QVERIFY(app_->RunCommand(Command::Fonts));
    QCOMPARE(app_->lettersPane->ResultFont().pointSize(), 12);
}

void TivFrameTest::resultsBoxAppendsAndEmptiesTheBuffer() {
    StartGame();
    ResultEdit* box = app_->lettersPane->ResultBox();
    std::string& text = app_->answerText;
    text = "MAISON : mot accepté\r\n";
    box->Append(text);
    QVERIFY(text.empty());
    text = "ligne 2\nligne 3";
    box->Append(text);
    QCOMPARE(box->toPlainText(), QStringLiteral("MAISON : mot accepté\nligne 2\nligne 3"));
    QVERIFY(text.empty());
    std::string nothing;
    box->Append(nothing);
    QCOMPARE(box->toPlainText(), QStringLiteral("MAISON : mot accepté\nligne 2\nligne 3"));
}

void TivFrameTest::separatorIsCentredInTheResultsBox() {
    StartGame();
    PanoWindow* pane = app_->lettersPane;
    std::string text = "avant\n";
    pane->AppendSeparator(text);
    QVERIFY(text.starts_with("avant\n"));
    QVERIFY(text.ends_with(" ________\n"));
    const std::string rule = text.substr(6);
    const int spaces = static_cast<int>(rule.find('_'));
    const QFontMetrics metrics(pane->ResultFont());
    const int space = metrics.horizontalAdvance(QLatin1Char(' '));
    const int usable = Layout::Current().RESULT_WDTH - pane->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int ruleWidth = 8 * metrics.horizontalAdvance(QLatin1Char('_'));
    // The rule's left margin is half of what it leaves, to a space's width.
    QVERIFY(std::abs(spaces * space - (usable - ruleWidth) / 2) <= space);
}

void TivFrameTest::reportErrnoShowsAndClearsTheError() {
    StartGame();
    errno = 0;
    QCOMPARE(app_->ReportErrno("lex.log"), 0);
    QVERIFY(prompter_.messages.empty());
    errno = ENOENT;
    QCOMPARE(app_->ReportErrno("lex.log"), 0);
    QCOMPARE(errno, 0);
    QCOMPARE(prompter_.messages.size(), std::size_t(1));
    QCOMPARE(prompter_.messages[0].text, std::string("lex.log: ") + std::strerror(ENOENT));
    QCOMPARE(prompter_.messages[0].caption, std::string("Lexinum"));
}

void TivFrameTest::messageBoxAnswersWithThePlayersButton() {
    QTranslator french;
    QVERIFY(LoadFrenchTexts(*QCoreApplication::instance(), french));
    QtPrompter boxes;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
    QStringList buttons;
    OnModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box != nullptr);
        icon = box->icon();
        text = box->text();
        for (const QAbstractButton* button : box->buttons())
            buttons << button->text().remove(QLatin1Char('&'));
        QCOMPARE(box->windowTitle(), QStringLiteral("Lexinum"));
        box->button(QMessageBox::No)->click();
    });
    const PromptAnswer answer = boxes.Ask("Partie modifiée!\r\nVoulez-vous sauvegarder la partie en cours?", "Lexinum",
                                          PromptIcon::Question, PromptButtons::YesNoCancel);
    QCOMPARE(answer, PromptAnswer::No);
    QCOMPARE(icon, QMessageBox::Question);
    buttons.sort();
    QCOMPARE(buttons, QStringList({"Annuler", "Non", "Oui"}));
    QCOMPARE(text, QStringLiteral("Partie modifiée!\nVoulez-vous sauvegarder la partie en cours?"));

    OnModal([&](QWidget* modal) {
        icon = static_cast<QMessageBox*>(modal)->icon();
        static_cast<QMessageBox*>(modal)->reject();
    });
    QCOMPARE(boxes.Ask("Refusé", "Lexinum", PromptIcon::Stop, PromptButtons::OkCancel), PromptAnswer::Cancel);
    QCOMPARE(icon, QMessageBox::Critical);
    QCoreApplication::removeTranslator(&french);
}

void TivFrameTest::secondCopyBringsTheGameForward() {
    StartGame();
    app_->frame->showMinimized();
    QTRY_VERIFY(app_->frame->isMinimized());
    app_->BringForward();
    QTRY_VERIFY(!app_->frame->isMinimized());
    QVERIFY(app_->frame->isVisible());
    QVERIFY(!app_->maximized);
}

QTEST_MAIN(TivFrameTest)
#include "TivFrameTest.moc"
