// What both panes share: the held button's hint, the results box and its
// font, the separator, and the waits for the pane's own search.
#include "GameFixture.h"
#include "GuiTestMain.h"
#include "app/TivFrame.h"
#include "common/Profile.h"
#include "letters/MotWindow.h"
#include "numbers/ChifWindow.h"
#include "presentation/ChooseFontDialog.h"
#include "presentation/HlpStrButton.h"
#include "presentation/ResultEdit.h"
#include "shell/Layout.h"

#include <QApplication>
#include <QFontDialog>
#include <QFontInfo>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <thread>

using namespace lexinum;

class PanoWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { game_.SetUp(); }
    void cleanup() { game_.Reset(); }

    void heldButtonShowsItsHint();
    void checkFollowsThePanesOwnState();
    void resultsFontIsKeptPerPane();
    void fontDialogOpensOnTheFontAsSeen();
    void fontDialogUnchangedLeavesTheSettings();
    void fontDialogRefusesASizeThePaneCannotUse();
    void damagedFontHeightIsBroughtIntoRange();
    void resultsBoxAppendsAndEmptiesTheBuffer();
    void separatorIsCentredInTheResultsBox();
    void waitingForASearchKeepsTimersRunning();
    void workerMessageIsShownAfterTheWait();
    void gameSwitchEndsTheOldPanesSearch();

private:
    test::GameFixture game_;
};

void PanoWindowTest::heldButtonShowsItsHint() {
    game_.Start();
    QStatusBar* bar = game_.Frame().statusBar();
    MotWindow* pane = game_.App().LettersPane();
    HlpStrButton* view = pane->Button(Command::ShowSolutions);
    view->setEnabled(true);
    QTest::mousePress(view, Qt::LeftButton);
    QCOMPARE(bar->currentMessage(), QStringLiteral("Affiche les solutions (vous laisse chercher d'abord !)"));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(-20, -20));
    QVERIFY(bar->currentMessage().isEmpty());

    HlpStrButton* game = pane->Button(Command::PlayNumbers);
    QTest::mousePress(game, Qt::LeftButton);
    QCOMPARE(bar->currentMessage(), QStringLiteral("Passe au jeu des chiffres"));
    QTest::mouseRelease(game, Qt::LeftButton);
    QVERIFY(bar->currentMessage().isEmpty());
    // Released inside, the button did its command.
    QVERIFY(!game_.App().State().LettersShown());
}

void PanoWindowTest::checkFollowsThePanesOwnState() {
    game_.Start();
    TivApp& app = game_.App();
    app.State().SetCompetition(true);
    // "&Vérifier" follows what the pane shown can still review, not the other pane.
    app.State().SetCanCheck(Game::Letters, true);
    QVERIFY(app.LettersPane()->Button(Command::Check)->isEnabled());
    app.State().SetCanCheck(Game::Letters, false);
    app.State().SetCanCheck(Game::Numbers, true);
    QVERIFY(!app.LettersPane()->Button(Command::Check)->isEnabled());
    app.State().SetCanCheck(Game::Numbers, false);
    app.State().SetCanCheck(Game::Letters, true);
    QVERIFY(app.LettersPane()->Commands().FindEnabler(Command::Check) != nullptr);
    QVERIFY((*app.LettersPane()->Commands().FindEnabler(Command::Check))());
    QVERIFY(!(*app.NumbersPane()->Commands().FindEnabler(Command::Check))());
}

void PanoWindowTest::resultsFontIsKeptPerPane() {
    game_.Start();
    MotWindow* letters = game_.App().LettersPane();
    QCOMPARE(letters->ResultFont().family(), QStringLiteral("Arial"));
    QCOMPARE(letters->ResultFont().pixelSize(), 16);
    QCOMPARE(letters->ResultFont().weight(), QFont::Bold);
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(20);
    font.setItalic(true);
    font.setWeight(QFont::Normal);
    letters->SetResultFont(font);
    QVERIFY(game_.Frame().close());

    const Profile settings(game_.IniPath().toStdString());
    QCOMPARE(settings.ReadString("LETTRES", "Police", "", 31), std::string("Courier New"));
    QCOMPARE(settings.ReadInt("LETTRES", "hauteur police", 0), -20);
    QCOMPARE(settings.ReadInt("LETTRES", "épaisseur police", 0), 400);
    QCOMPARE(settings.ReadInt("LETTRES", "italique", 0), 1);
    // The numbers pane was never shown: its section is left alone.
    QCOMPARE(settings.ReadString("CHIFFRES", "Police", "absent", 31), std::string("absent"));

    game_.Start();
    QCOMPARE(game_.App().LettersPane()->ResultFont().pixelSize(), 20);
    QVERIFY(game_.App().LettersPane()->ResultFont().italic());
    QCOMPARE(game_.App().LettersPane()->ResultBox()->font().family(), QStringLiteral("Courier New"));
}

void PanoWindowTest::fontDialogOpensOnTheFontAsSeen() {
    game_.Start();
    MotWindow* pane = game_.App().LettersPane();
    QFont opened;
    int topicWhileOpen = 0;
    bool helpButton = false;
    QFont picked(QStringLiteral("Courier New"));
    picked.setPointSize(14);
    test::GameFixture::OnModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFontDialog*>(modal);
        QVERIFY(dialog != nullptr);
        opened = dialog->currentFont();
        topicWhileOpen = game_.App().ContextHelpTopic();
        for (const QPushButton* button : dialog->findChildren<QPushButton*>())
            helpButton = helpButton || button->text() == QStringLiteral("&Aide");
        QTest::keyClick(dialog, Qt::Key_F1);
        dialog->setCurrentFont(picked);
        dialog->accept();
    });
    const QFontInfo seen(pane->ResultBox()->font());
    QVERIFY(game_.App().RunCommand(Command::Fonts));
    // The face the player sees ("Arial" resolves to another face), bold, and its size in points.
    QCOMPARE(opened.family(), QFontInfo(QFont(QStringLiteral("Arial"))).family());
    QCOMPARE(opened.weight(), QFont::Bold);
    QVERIFY(opened.pointSize() > 0);
    QCOMPARE(opened.pointSize(), qRound(seen.pointSizeF()));
    QCOMPARE(topicWhileOpen, 272);
    QVERIFY(helpButton);
    QCOMPARE(game_.HelpTopicsOpened(), std::vector<int>{272});
    QCOMPARE(pane->ResultFont().pointSize(), 14);
    QCOMPARE(pane->ResultBox()->font().pointSize(), 14);
    // Once it is closed, help is on the game again.
    QCOMPARE(game_.App().ContextHelpTopic(), 260);

    // Given up: the font stays.
    test::GameFixture::OnModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    QVERIFY(game_.App().RunCommand(Command::Fonts));
    QCOMPARE(pane->ResultFont().pointSize(), 14);
}

void PanoWindowTest::fontDialogUnchangedLeavesTheSettings() {
    {
        Profile before(game_.IniPath().toStdString());
        QVERIFY(before.WriteString("LETTRES", "Police", "Arial"));
        QVERIFY(before.WriteInt("LETTRES", "hauteur police", -17));
        QVERIFY(before.WriteInt("LETTRES", "épaisseur police", 700));
    }
    game_.Start();
    test::GameFixture::OnModal([](QWidget* modal) { static_cast<QDialog*>(modal)->accept(); });
    QVERIFY(game_.App().RunCommand(Command::Fonts));
    QVERIFY(game_.Frame().close());
    const Profile after(game_.IniPath().toStdString());
    QCOMPARE(after.ReadString("LETTRES", "Police", "", 31), std::string("Arial"));
    QCOMPARE(after.ReadInt("LETTRES", "hauteur police", 0), -17);
    QCOMPARE(after.ReadInt("LETTRES", "épaisseur police", 0), 700);
}

void PanoWindowTest::fontDialogRefusesASizeThePaneCannotUse() {
    game_.Start();
    MotWindow* pane = game_.App().LettersPane();
    const QFont before = pane->ResultFont();
    int opened = 0;
    std::function<void(QWidget*)> act = [&](QWidget* modal) {
        auto* dialog = static_cast<QFontDialog*>(modal);
        ++opened;
        if (opened == 1) {
            QFont huge = dialog->currentFont();
            huge.setPointSize(40);
            dialog->setCurrentFont(huge);
            // The refusal comes, then the dialog again.
            test::GameFixture::OnModal(act);
            dialog->accept();
        } else {
            QCOMPARE(dialog->currentFont().pointSize(), PanoWindow::kLargestResultFontPoints);
            dialog->reject();
        }
    };
    test::GameFixture::OnModal(act);
    QVERIFY(game_.App().RunCommand(Command::Fonts));
    QCOMPARE(opened, 2);
    QCOMPARE(game_.Prompts().messages.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(game_.Prompts().messages[0].text),
             ChooseFontDialog::TooLargeText(PanoWindow::kLargestResultFontPoints));
    QCOMPARE(pane->ResultFont(), before);
}

void PanoWindowTest::damagedFontHeightIsBroughtIntoRange() {
    for (const int height : {INT_MIN, INT_MAX, 0}) {
        {
            Profile before(game_.IniPath().toStdString());
            QVERIFY(before.WriteInt("LETTRES", "hauteur police", height));
        }
        game_.Start();
        const int pixels = game_.App().LettersPane()->ResultFont().pixelSize();
        QVERIFY2(pixels >= 1 && pixels <= 200, qPrintable(QString::number(pixels)));
        game_.Reset();
    }
}

void PanoWindowTest::resultsBoxAppendsAndEmptiesTheBuffer() {
    game_.Start();
    PanoWindow* pane = game_.App().LettersPane();
    ResultEdit* box = pane->ResultBox();
    std::string text;
    text = "MAISON : mot accepté\r\n";
    box->Append(text);
    QVERIFY(text.empty());
    text = "ligne 2\nligne 3";
    box->Append(text);
    QCOMPARE(box->toPlainText(), QStringLiteral("MAISON : mot accepté\nligne 2\nligne 3"));
    std::string nothing;
    box->Append(nothing);
    QCOMPARE(box->toPlainText(), QStringLiteral("MAISON : mot accepté\nligne 2\nligne 3"));
}

void PanoWindowTest::separatorIsCentredInTheResultsBox() {
    game_.Start();
    PanoWindow* pane = game_.App().LettersPane();
    std::string text = "avant\n";
    pane->AppendSeparator(text);
    QVERIFY(text.starts_with("avant\n"));
    QVERIFY(text.ends_with(" ________\n"));
    const std::string rule = text.substr(6);
    const int spaces = static_cast<int>(rule.find('_'));
    const QFontMetrics metrics(pane->ResultFont());
    const int space = metrics.horizontalAdvance(QLatin1Char(' '));
    const int usable = game_.App().CurrentLayout().RESULT_WDTH - pane->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int ruleWidth = 8 * metrics.horizontalAdvance(QLatin1Char('_'));
    QVERIFY(std::abs(spaces * space - (usable - ruleWidth) / 2) <= space);
}

void PanoWindowTest::waitingForASearchKeepsTimersRunning() {
    game_.Start();
    PanoWindow* pane = game_.App().LettersPane();
    // A worker that hands a group over only once the interface thread has
    // shown that its timers still run while it waits.
    std::atomic<bool> ticked{false};
    QTimer clock;
    clock.setInterval(10);
    connect(&clock, &QTimer::timeout, [&] { ticked = true; });
    clock.start();
    pane->Channel().Start([&ticked](SearchChannel& channel) {
        while (!ticked && !channel.StopAsked())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        channel.WorkerText() = "MAISON\r\n";
        if (channel.HandOver())
            channel.Finish("");
    });
    QCOMPARE(pane->WaitBatch(), SearchChannel::WaitResult::Ready);
    QVERIFY(ticked);
    QCOMPARE(pane->Channel().TakeText(), std::string("MAISON\r\n"));
    pane->Channel().Continue();
    QCOMPARE(pane->WaitBatch(), SearchChannel::WaitResult::Ready);
    QVERIFY(pane->Channel().Complete());
    pane->Channel().Continue();
    pane->HaltSearch();
    QVERIFY(!pane->Channel().WorkerAlive());

    // The computer's answer is waited for the same way.
    ticked = false;
    pane->Channel().Start([&ticked](SearchChannel& channel) {
        while (!ticked)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        channel.WorkerText() = "ORDINATEUR";
        channel.HandOverAnswer();
    });
    QVERIFY(pane->WaitComputer());
    QCOMPARE(pane->Channel().TakeText(), std::string("ORDINATEUR"));
    QVERIFY(game_.Prompts().messages.empty());
}

void PanoWindowTest::workerMessageIsShownAfterTheWait() {
    game_.Start();
    PanoWindow* pane = game_.App().LettersPane();
    pane->Channel().Start([](SearchChannel& channel) { channel.GiveUp("Lexique introuvable", "Le mot le plus long"); });
    QCOMPARE(pane->WaitBatch(), SearchChannel::WaitResult::Ended);
    QCOMPARE(game_.Prompts().messages.size(), std::size_t(1));
    QCOMPARE(game_.Prompts().messages[0].text, std::string("Lexique introuvable"));
    QCOMPARE(game_.Prompts().messages[0].caption, std::string("Le mot le plus long"));
    QCOMPARE(game_.Prompts().messages[0].icon, PromptIcon::Exclamation);
    // Shown once.
    pane->HaltSearch();
    QCOMPARE(game_.Prompts().messages.size(), std::size_t(1));
}

void PanoWindowTest::gameSwitchEndsTheOldPanesSearch() {
    game_.Start();
    TivApp& app = game_.App();
    PanoWindow* letters = app.LettersPane();
    // A search waiting between two groups, as after "&Voir".
    letters->Channel().Start([](SearchChannel& channel) {
        channel.WorkerText() = "groupe 1\r\n";
        if (channel.HandOver()) {
            channel.WorkerText() = "groupe 2\r\n";
            if (channel.HandOver())
                channel.Finish("");
        }
    });
    QCOMPARE(letters->WaitBatch(), SearchChannel::WaitResult::Ready);
    letters->Channel().TakeText();
    QVERIFY(letters->Channel().WorkerAlive());
    QVERIFY(app.RunCommand(Command::PlayNumbers));
    // The letters worker is gone before the numbers pane is shown.
    QVERIFY(!letters->Channel().WorkerAlive());
    QVERIFY(!app.State().LettersShown());
    // Each pane has its own text: the numbers pane's is untouched.
    QVERIFY(app.NumbersPane()->Channel().TakeText().empty());
}

LEXINUM_GUI_TEST(PanoWindowTest)
#include "PanoWindowTest.moc"
