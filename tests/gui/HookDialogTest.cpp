// The game's dialogs: each is given its help topic when it is built, F1 opens
// the topic of the innermost one (or of the game and mode when none is open),
// and a centred dialog opens over the frame.
#include "GameFixture.h"
#include "GuiTestMain.h"
#include "app/TivFrame.h"
#include "match/TopTen.h"
#include "presentation/CenteredDialog.h"

#include <QApplication>
#include <QFileDialog>
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
    void everyDialogOfTheGame_data();
    void everyDialogOfTheGame();

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

void HookDialogTest::everyDialogOfTheGame_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("dialogClass");
    QTest::addColumn<int>("topic");
    QTest::addColumn<bool>("centred");
    // For a file dialog: its filters and its default extension.
    QTest::addColumn<QStringList>("filters");
    QTest::addColumn<QString>("suffix");
    const auto row = [](const char* name, const char* steps, Command command, const char* dialogClass, int topic,
                        bool centred, const QStringList& filters = {}, const QString& suffix = {}) {
        QTest::newRow(name) << QString::fromLatin1(steps) << CommandNumber(command) << QString::fromLatin1(dialogClass)
                            << topic << centred << filters << suffix;
    };
    const QStringList games{QStringLiteral("Parties en cours (*.tiv)"), QStringLiteral("Tous les fichiers (*)")};
    // Steps: D the letters drawn by the player, N the numbers pane, R a match
    // with one round played, T a Top Ten file in the game's folder.
    row("Nouvelle partie", "", Command::NewMatch, "LevelDialog", 317, true);
    row("voyelle ou consonne", "D", Command::NewDraw, "LettrEnterDialog", 263, true);
    row("Paramètres pour les Lettres", "", Command::Options, "MotOptionsDialog", 264, true);
    row("Paramètres pour les Chiffres", "N", Command::Options, "ChifOptionsDialog", 268, true);
    row("Meilleurs scores", "T", Command::TopTen, "TopTenDialog", 259, true);
    row("Ajouter des mots", "", Command::AddWords, "PickWordDialog", 277, true);
    row("Supprimer des mots", "", Command::RemoveWords, "PickWordDialog", 278, true);
    row("A propos", "", Command::About, "HelpAboutDialog", 0, true);
    row("Reprendre une partie", "", Command::ResumeMatch, "GameFileDialog", 318, false, games, "tiv");
    row("Sauvegarder une partie", "R", Command::SaveMatchAs, "GameFileDialog", 319, false, games, "tiv");
    row("Changer de lexique", "", Command::ChangeLexicon, "LexFindDialog", 279, false,
        {QStringLiteral("Lexiques (*.lex)"), QStringLiteral("Tous les fichiers (*)")}, "lex");
    row("Fichier bitmap", "", Command::BitmapFile, "QFileDialog", 271, false,
        {QStringLiteral("Fichiers bitmap (*.BMP)")}, "bmp");
    row("Couleurs", "", Command::Colours, "QColorDialog", 270, false);
    row("Polices", "", Command::Fonts, "ChooseFontDialog", 272, false);
}

void HookDialogTest::everyDialogOfTheGame() {
    QFETCH(QString, steps);
    QFETCH(int, command);
    QFETCH(QString, dialogClass);
    QFETCH(int, topic);
    QFETCH(bool, centred);
    QFETCH(QStringList, filters);
    QFETCH(QString, suffix);
    game_.automaticDraws = !steps.contains(QLatin1Char('D'));
    game_.Start();
    TivApp& app = game_.App();
    if (steps.contains(QLatin1Char('N')))
        app.ShowGame(Game::Numbers);
    if (steps.contains(QLatin1Char('T'))) {
        const TopTenEntry entry{"Léa", 2, 1, TopTenTime{2026, 12, 7, 21, 30}};
        QCOMPARE(UpdateTopTen(app.DataFolder().toStdString(), 6, entry, game_.Prompts()), TopTenUpdate::Recorded);
    }
    if (steps.contains(QLatin1Char('R'))) {
        game_.NewMatch(QStringLiteral("Léa"), 1);
        app.SetPeriods(test::GameFixture::QuickPeriods());
        QVERIFY(app.RunCommand(Command::Continue));
    }
    // The frame away from the screen's corner, so that a centred dialog is not kept on screen.
    game_.Frame().move(60, 40);
    QTRY_COMPARE(game_.Frame().pos(), QPoint(60, 40));
    const std::size_t topicsBefore = game_.HelpTopicsOpened().size();
    bool seen = false;
    game_.OnModal([&](QWidget* window) {
        seen = true;
        QCOMPARE(QString::fromLatin1(window->metaObject()->className()).section(QStringLiteral("::"), -1), dialogClass);
        QCOMPARE(app.ContextHelpTopic(), topic == 0 ? 260 : topic);
        // F1 inside the dialog asks its topic (the About box has none of its
        // own: the topic of the game in progress).
        QTest::keyClick(window, Qt::Key_F1);
        QCOMPARE(game_.HelpTopicsOpened().size(), topicsBefore + 1);
        QCOMPARE(game_.HelpTopicsOpened().back(), topic == 0 ? 260 : topic);
        if (centred) {
            // Over its parent: the frame, or the pane it belongs to.
            const QWidget* owner = window->parentWidget();
            const QRect parent =
                owner->isWindow() ? owner->frameGeometry() : QRect(owner->mapToGlobal(QPoint(0, 0)), owner->size());
            QTRY_COMPARE(window->frameGeometry().topLeft(),
                         CenteredDialog::CenteredPosition(parent, window->frameGeometry().size()));
        }
        if (auto* files = qobject_cast<QFileDialog*>(window)) {
            QCOMPARE(files->nameFilters(), filters);
            QCOMPARE(files->defaultSuffix(), suffix);
            // Never asks whether to keep a read-only file read-only.
            QVERIFY(!files->testOption(QFileDialog::ReadOnly));
            if (files->acceptMode() == QFileDialog::AcceptSave)
                QVERIFY(!files->testOption(QFileDialog::DontConfirmOverwrite));
            else
                QCOMPARE(files->fileMode(), QFileDialog::ExistingFile);
        } else {
            QVERIFY(filters.isEmpty());
        }
        // The draw cannot be abandoned: vowels until it is whole.
        for (int pick = 0; pick < 30 && window->isVisible() && dialogClass == QStringLiteral("LettrEnterDialog");
             ++pick)
            QTest::keyClick(window, Qt::Key_V);
        if (window->isVisible())
            static_cast<QDialog*>(window)->reject();
    });
    QVERIFY(app.RunCommand(static_cast<Command>(command)));
    QVERIFY(seen);
    // Once it is closed, the game's own topic again.
    QCOMPARE(app.ContextHelpTopic(), steps.contains(QLatin1Char('N'))   ? 265
                                     : steps.contains(QLatin1Char('R')) ? 261
                                                                        : 260);
}

LEXINUM_GUI_TEST(HookDialogTest)
#include "HookDialogTest.moc"
