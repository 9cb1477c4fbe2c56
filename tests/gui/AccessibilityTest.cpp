// What a screen reader announces: every control of the frame and of both
// panes has a French name, read through Qt's accessibility interface.
#include "GameFixture.h"
#include "app/TivFrame.h"
#include "letters/ButtonPalette.h"
#include "letters/MotWindow.h"
#include "presentation/SymbButtonGadget.h"
#include "presentation/ValidEdit.h"
#include "numbers/ChifWindow.h"
#include "presentation/HlpStrButton.h"
#include "presentation/ResultEdit.h"
#include "GuiTestMain.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>

using namespace lexinum;

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { game_.SetUp(); }
    void cleanup() { game_.Reset(); }

    void everyControlHasAFrenchName();
    void menuItemsReadAsTheirLabels();

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
    QCOMPARE(test::GameFixture::AccessibleName(app.LettersPane()->Button(Command::Continue)), QStringLiteral("Poursuivre"));
    QCOMPARE(test::GameFixture::AccessibleName(app.LettersPane()->Button(Command::Check)), QStringLiteral("Vérifier"));
    QCOMPARE(test::GameFixture::AccessibleName(app.LettersPane()->Button(Command::PlayNumbers)), QStringLiteral("Chiffres"));
    QCOMPARE(test::GameFixture::AccessibleName(app.NumbersPane()->Button(Command::PlayLetters)), QStringLiteral("Lettres"));
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

LEXINUM_GUI_TEST(AccessibilityTest)
#include "AccessibilityTest.moc"
