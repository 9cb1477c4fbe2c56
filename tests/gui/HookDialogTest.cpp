// The game's dialogs: each is given its help topic when it is built, F1 opens
// the topic of the innermost one (or of the game and mode when none is open),
// and a centred dialog opens over the frame.
#include "GameFixture.h"
#include "GuiTestMain.h"
#include "app/TivFrame.h"
#include "presentation/CenteredDialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include <memory>

using namespace lexinum;

class HookDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { game_.SetUp(); }
    void cleanup() { game_.Reset(); }

    void contextHelpFollowsGameAndMode();
    void helpKeyOpensTheInnermostDialogsTopic();
    void centredDialogOpensOverTheFrame();

private:
    test::GameFixture game_;
};

void HookDialogTest::contextHelpFollowsGameAndMode() {
    game_.Start();
    TivApp& app = game_.App();
    game_.Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&game_.Frame()));
    QTest::keyClick(&game_.Frame(), Qt::Key_F1);
    app.State().SetCompetition(true);
    QVERIFY(app.RunCommand(Command::ContextHelp));
    app.State().SetCompetition(false);
    app.ShowGame(Game::Numbers);
    QVERIFY(app.RunCommand(Command::ContextHelp));
    app.State().SetCompetition(true);
    QVERIFY(app.RunCommand(Command::ContextHelp));
    QCOMPARE(game_.HelpTopicsOpened(), (std::vector<int>{260, 261, 265, 266}));
    // Shift+F1 asks the contents.
    QTest::keyClick(&game_.Frame(), Qt::Key_F1, Qt::ShiftModifier);
    QCOMPARE(game_.HelpTopicsOpened().back(), TopicNumber(HelpTopic::Contents));
}

void HookDialogTest::helpKeyOpensTheInnermostDialogsTopic() {
    game_.Start();
    TivApp& app = game_.App();
    auto outer = std::make_unique<HookDialog>(&game_.Frame(), app, HelpTopic::NewMatch);
    test::GameFixture::OnModal([&app](QWidget* dialog) {
        QTest::keyClick(dialog, Qt::Key_F1);
        // A dialog opened inside this one has its own topic while it is open...
        test::GameFixture::OnModal([](QWidget* inner) {
            QTest::keyClick(inner, Qt::Key_F1);
            // ...and a message box over it keeps the dialog's.
            test::GameFixture::OnModal([](QWidget* box) {
                QTest::keyClick(box, Qt::Key_F1);
                static_cast<QDialog*>(box)->accept();
            });
            QMessageBox box(QMessageBox::Warning, QStringLiteral("Lexinum"), QStringLiteral("Attention"),
                            QMessageBox::Ok, inner);
            box.exec();
            static_cast<HookDialog*>(inner)->Help();
            static_cast<QDialog*>(inner)->accept();
        });
        HookDialog inner(dialog, app, HelpTopic::ResumeMatch);
        inner.exec();
        // ...and once it is closed, F1 is this dialog's again.
        QTest::keyClick(dialog, Qt::Key_F1);
        static_cast<QDialog*>(dialog)->accept();
    });
    outer->exec();
    outer.reset();
    QCOMPARE(game_.HelpTopicsOpened(), (std::vector<int>{317, 318, 318, 318, 317}));
    QCOMPARE(app.ContextHelpTopic(), 260);

    // Once every dialog is gone, F1 in some other window asks nothing.
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QTest::keyClick(&other, Qt::Key_F1);
    QCOMPARE(game_.HelpTopicsOpened().size(), std::size_t(5));
}

void HookDialogTest::centredDialogOpensOverTheFrame() {
    game_.Start();
    game_.Frame().move(40, 30);
    QTRY_COMPARE(game_.Frame().pos(), QPoint(40, 30));
    CenteredDialog dialog(&game_.Frame(), game_.App(), HelpTopic::None);
    dialog.setFixedSize(200, 120);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    // Both measured with their decorations, once the window system has given them.
    const QRect parent = game_.Frame().frameGeometry();
    const auto centred = [&dialog, parent] {
        const QSize size = dialog.frameGeometry().size();
        return QPoint((parent.x() + parent.x() + parent.width() - size.width()) / 2,
                      (parent.y() + parent.y() + parent.height() - size.height()) / 2);
    };
    QTRY_COMPARE(dialog.frameGeometry().topLeft(), centred());
}

LEXINUM_GUI_TEST(HookDialogTest)
#include "HookDialogTest.moc"
