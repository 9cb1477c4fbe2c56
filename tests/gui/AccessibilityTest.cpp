// What a screen reader announces: every control of the frame and of both
// panes has a French name, read through Qt's accessibility interface; a new
// draw takes the focus when a reader listens.
#include "GameFixture.h"
#include "GuiTestMain.h"
#include "app/CommandLineFile.h"
#include "app/TivFrame.h"
#include "letters/ButtonPalette.h"
#include "letters/LettrEnterDialog.h"
#include "letters/MotWindow.h"
#include "numbers/ChifWindow.h"
#include "presentation/HlpStrButton.h"
#include "presentation/PanoWindow.h"
#include "presentation/ResultEdit.h"
#include "presentation/SymbButtonGadget.h"
#include "presentation/ValidEdit.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>

#include <string>
#include <vector>

using namespace lexinum;

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { game_.SetUp(); }
    void cleanup() { game_.Reset(); }

    void everyControlHasAFrenchName();
    void menuItemsReadAsTheirLabels();
    void aReaderIsLedToEachNewDraw_data();
    void aReaderIsLedToEachNewDraw();
    void theArrowKeysGoAlongThePanesButtons_data();
    void theArrowKeysGoAlongThePanesButtons();

private:
    test::GameFixture game_;
};

void AccessibilityTest::everyControlHasAFrenchName() {
    game_.Start();
    TivApp& app = game_.App();
    app.ShowGame(Game::Numbers);
    app.ShowGame(Game::Letters);
    QCOMPARE(test::GameFixture::AccessibleName(app.LettersPane()->ResultBox()), QStringLiteral("Résultats"));
    QCOMPARE(test::GameFixture::AccessibleName(app.NumbersPane()->ResultBox()), QStringLiteral("Résultats"));
    QCOMPARE(test::GameFixture::AccessibleName(app.LettersPane()), QStringLiteral("Le mot le plus long"));
    QCOMPARE(test::GameFixture::AccessibleName(app.NumbersPane()), QStringLiteral("Le compte est bon"));
    QCOMPARE(test::GameFixture::AccessibleName(game_.Frame().statusBar()), QStringLiteral("Barre d'état"));
    QCOMPARE(test::GameFixture::AccessibleName(game_.Frame().menuBar()), QStringLiteral("Barre de menus"));
    // Buttons read as their labels, without the mnemonic's mark.
    QCOMPARE(test::GameFixture::AccessibleName(app.LettersPane()->Button(Command::NewDraw)), QStringLiteral("Nouveau"));
    QCOMPARE(test::GameFixture::AccessibleName(app.LettersPane()->Button(Command::Continue)),
             QStringLiteral("Poursuivre"));
    QCOMPARE(test::GameFixture::AccessibleName(app.LettersPane()->Button(Command::Check)), QStringLiteral("Vérifier"));
    QCOMPARE(test::GameFixture::AccessibleName(app.LettersPane()->Button(Command::PlayNumbers)),
             QStringLiteral("Chiffres"));
    QCOMPARE(test::GameFixture::AccessibleName(app.NumbersPane()->Button(Command::PlayLetters)),
             QStringLiteral("Lettres"));
    // The draw's field, and the letter palette's gadgets by their letter.
    QCOMPARE(test::GameFixture::AccessibleName(app.LettersPane()->LettersField()), QStringLiteral("Tirage"));
    QCOMPARE(test::GameFixture::AccessibleName(app.LettersPane()->Palette()->Gadget(2)), QStringLiteral("C"));
    // Nothing the player can reach is left without a name.
    for (QWidget* widget : game_.Frame().findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(widget) != nullptr ||
                             qobject_cast<ResultEdit*>(widget) != nullptr || (widget->focusPolicy() & Qt::TabFocus);
        if (control && widget->isVisibleTo(&game_.Frame()))
            QVERIFY2(!test::GameFixture::AccessibleName(widget).isEmpty(), widget->metaObject()->className());
    }
}

void AccessibilityTest::menuItemsReadAsTheirLabels() {
    game_.Start();
    for (QAction* popup : game_.Frame().menuBar()->actions()) {
        QMenu* menu = popup->menu();
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(menu);
        QVERIFY(accessible != nullptr);
        QStringList names;
        for (int i = 0; i < accessible->childCount(); ++i) {
            const QString name = accessible->child(i)->text(QAccessible::Name);
            if (!name.isEmpty())
                names << name;
        }
        QStringList labels;
        for (const QAction* item : menu->actions()) {
            if (!item->isSeparator())
                labels << QString(item->text()).remove(QLatin1Char('&'));
        }
        QCOMPARE(names, labels);
    }
}

void AccessibilityTest::aReaderIsLedToEachNewDraw_data() {
    QTest::addColumn<bool>("reader");
    QTest::addColumn<Game>("game");
    QTest::addColumn<bool>("chosen");
    QTest::addColumn<QString>("focused");
    // With a reader, "No&uveau" leads it to the draw, which it then reads;
    // without one the focus stays where it was.
    QTest::newRow("letters drawn automatically") << true << Game::Letters << false << QStringLiteral("Tirage");
    QTest::newRow("letters chosen") << true << Game::Letters << true << QStringLiteral("Tirage");
    QTest::newRow("numbers") << true << Game::Numbers << false << QStringLiteral("Nombre 1");
    QTest::newRow("letters, no reader") << false << Game::Letters << true << QStringLiteral("Résultats");
    QTest::newRow("numbers, no reader") << false << Game::Numbers << false << QStringLiteral("Résultats");
}

void AccessibilityTest::aReaderIsLedToEachNewDraw() {
    QFETCH(bool, reader);
    QFETCH(Game, game);
    QFETCH(bool, chosen);
    QFETCH(QString, focused);
    game_.automaticDraws = !chosen;
    game_.Start(reader ? std::vector<std::string>{kScreenReaderOption} : std::vector<std::string>{});
    TivApp& app = game_.App();
    if (game != Game::Letters)
        app.ShowGame(game);
    game_.Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&game_.Frame()));
    PanoWindow* pane = app.Pane(game);
    pane->ResultBox()->setFocus(Qt::OtherFocusReason);
    if (chosen) {
        test::GameFixture::OnModal([](QWidget* modal) {
            auto* dialog = qobject_cast<LettrEnterDialog*>(modal);
            QVERIFY(dialog != nullptr);
            while (dialog->isVisible())
                QTest::keyClick(dialog, Qt::Key_V);
        });
    }
    QVERIFY(app.RunCommand(Command::NewDraw));
    // The frame's focus child: offscreen, the frame need not be active again
    // once a dialog has closed.
    QWidget* focus = game_.Frame().focusWidget();
    QVERIFY(focus != nullptr);
    QCOMPARE(test::GameFixture::AccessibleName(focus), focused);
    // The whole draw field is selected, as when the game comes forward.
    if (auto* field = qobject_cast<QLineEdit*>(focus))
        QCOMPARE(field->selectedText(), field->text());
}

void AccessibilityTest::theArrowKeysGoAlongThePanesButtons_data() {
    QTest::addColumn<Game>("game");
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("stops");
    // Only "No&uveau" is a tab stop; from it the arrow keys reach the others,
    // round at the ends, so that the keyboard (and a reader) finds them all.
    const QStringList letters{QStringLiteral("Voir"), QStringLiteral("Chiffres"), QStringLiteral("Nouveau")};
    QTest::newRow("letters, right") << Game::Letters << int(Qt::Key_Right) << letters;
    QTest::newRow("letters, left") << Game::Letters << int(Qt::Key_Left)
                                   << QStringList{QStringLiteral("Chiffres"), QStringLiteral("Voir"),
                                                  QStringLiteral("Nouveau")};
    QTest::newRow("numbers, down") << Game::Numbers << int(Qt::Key_Down)
                                   << QStringList{QStringLiteral("Voir"), QStringLiteral("Lettres"),
                                                  QStringLiteral("Nouveau")};
}

void AccessibilityTest::theArrowKeysGoAlongThePanesButtons() {
    QFETCH(Game, game);
    QFETCH(int, key);
    QFETCH(QStringList, stops);
    game_.Start();
    TivApp& app = game_.App();
    if (game != Game::Letters)
        app.ShowGame(game);
    game_.Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&game_.Frame()));
    app.Pane(game)->Button(Command::NewDraw)->setFocus(Qt::TabFocusReason);
    QStringList reached;
    for (int i = 0; i < stops.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
        reached << test::GameFixture::AccessibleName(QApplication::focusWidget());
    }
    QCOMPARE(reached, stops);
}

LEXINUM_GUI_TEST(AccessibilityTest)
#include "AccessibilityTest.moc"
