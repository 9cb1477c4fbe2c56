// The letter palette: its gadgets typing and erasing in the letters field,
// command 123 and its check mark, the close box, and its place on screen.
#include "letters/ButtonPalette.h"
#include "GameFixture.h"
#include "app/TivFrame.h"
#include "common/Profile.h"
#include "letters/MotEnterDialog.h"
#include "letters/MotWindow.h"
#include "presentation/SymbButtonGadget.h"
#include "presentation/ValidEdit.h"
#include "GuiTestMain.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QTest>

using namespace lexinum;

class ButtonPaletteTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { game_.SetUp(); }
    void cleanup() { game_.Reset(); }

    void gadgetsTypeAndEraseInTheLettersField();
    void gadgetDoesNothingWhileADialogIsOpen();
    void commandShowsAndHidesWithACheckMark();
    void shownOnlyInTrainingOnTheLettersGame();
    void hiddenAtStartUntilTheCommandCreatesIt();
    void placeComesFromTheSettingsAndGoesBack();

private:
    test::GameFixture game_;
};

void ButtonPaletteTest::gadgetsTypeAndEraseInTheLettersField() {
    game_.Start();
    MotWindow* pane = game_.App().LettersPane();
    ButtonPalette* palette = pane->Palette();
    QVERIFY(palette != nullptr);
    QVERIFY(palette->isVisible());
    // With no place kept, it stands beside the frame rather than over its menus.
    QTRY_VERIFY(palette->frameGeometry().left() > game_.Frame().frameGeometry().right() ||
                palette->frameGeometry().right() >= game_.Frame().screen()->availableGeometry().right());
    QCOMPARE(test::GameFixture::AccessibleName(palette->Gadget(0)), QStringLiteral("A"));
    QCOMPARE(test::GameFixture::AccessibleName(palette->Gadget(25)), QStringLiteral("Z"));
    QCOMPARE(test::GameFixture::AccessibleName(palette->Gadget(SymbButtonGadget::kEraseId)), QStringLiteral("Effacer"));
    QCOMPARE(palette->Gadget(4)->text(), QStringLiteral("E"));
    // Three columns.
    QCOMPARE(palette->Gadget(3)->x(), palette->Gadget(0)->x());
    QVERIFY(palette->Gadget(1)->x() > palette->Gadget(0)->x());

    ValidEdit* field = pane->LettersField();
    field->setText(QStringLiteral("ABC"));
    // The middle letter selected: E replaces it.
    field->setSelection(1, 1);
    QTest::mouseClick(palette->Gadget(4), Qt::LeftButton);
    QCOMPARE(field->text(), QStringLiteral("AEC"));
    // No selection: the letter goes in at the caret.
    field->setCursorPosition(1);
    QTest::mouseClick(palette->Gadget(25), Qt::LeftButton);
    QCOMPARE(field->text(), QStringLiteral("AZEC"));
    // The eraser deletes the selection only...
    field->setSelection(0, 2);
    QTest::mouseClick(palette->Gadget(SymbButtonGadget::kEraseId), Qt::LeftButton);
    QCOMPARE(field->text(), QStringLiteral("EC"));
    // ...or, with nothing selected, empties the field.
    QTest::mouseClick(palette->Gadget(SymbButtonGadget::kEraseId), Qt::LeftButton);
    QVERIFY(field->text().isEmpty());
    // Released outside the gadget, nothing is typed.
    QTest::mousePress(palette->Gadget(1), Qt::LeftButton);
    QTest::mouseRelease(palette->Gadget(1), Qt::LeftButton, {}, QPoint(-30, -30));
    QVERIFY(field->text().isEmpty());
    // The palette never takes the focus.
    QCOMPARE(palette->Gadget(0)->focusPolicy(), Qt::NoFocus);
    QVERIFY(palette->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    // What the palette typed becomes the draw like anything typed.
    QTest::mouseClick(palette->Gadget(11), Qt::LeftButton);
    QTest::mouseClick(palette->Gadget(8), Qt::LeftButton);
    QVERIFY(pane->TakeLettersField());
    QCOMPARE(pane->Letters(), std::string("LI"));
}

void ButtonPaletteTest::gadgetDoesNothingWhileADialogIsOpen() {
    game_.Start();
    MotWindow* pane = game_.App().LettersPane();
    const QString before = pane->LettersField()->text();
    QString during;
    test::GameFixture::OnModal([&](QWidget* modal) {
        QTest::mouseClick(pane->Palette()->Gadget(0), Qt::LeftButton);
        QTest::mouseClick(pane->Palette()->Gadget(SymbButtonGadget::kEraseId), Qt::LeftButton);
        during = pane->LettersField()->text();
        static_cast<QDialog*>(modal)->reject();
    });
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    QCOMPARE(during, before);
}

void ButtonPaletteTest::commandShowsAndHidesWithACheckMark() {
    game_.Start();
    TivFrame& frame = game_.Frame();
    ButtonPalette* palette = game_.App().LettersPane()->Palette();
    QAction* item = frame.FindMenuItem(Command::LetterPalette);
    QVERIFY(item->isChecked());
    QVERIFY(game_.App().RunCommand(Command::LetterPalette));
    QVERIFY(!palette->isVisible());
    QVERIFY(!item->isChecked());
    item->trigger();
    QVERIFY(palette->isVisible());
    QVERIFY(item->isChecked());
    // Its close box hides it and takes the check mark off.
    QVERIFY(!palette->close());
    QVERIFY(!palette->isVisible());
    QVERIFY(!item->isChecked());
    QCOMPARE(game_.App().LettersPane()->Palette(), palette);
}

void ButtonPaletteTest::shownOnlyInTrainingOnTheLettersGame() {
    game_.Start();
    TivApp& app = game_.App();
    ButtonPalette* palette = app.LettersPane()->Palette();
    app.ShowGame(Game::Numbers);
    QVERIFY(!palette->isVisible());
    app.ShowGame(Game::Letters);
    QVERIFY(palette->isVisible());
    app.State().SetCompetition(true);
    QVERIFY(!palette->isVisible());
    QVERIFY(!game_.Frame().IsCommandEnabled(Command::LetterPalette));
    app.State().SetCompetition(false);
    QVERIFY(palette->isVisible());
    QVERIFY(game_.Frame().IsCommandEnabled(Command::LetterPalette));
}

void ButtonPaletteTest::hiddenAtStartUntilTheCommandCreatesIt() {
    Profile(game_.IniPath().toStdString()).WriteInt("LETTRES", "palette", 0);
    game_.Start();
    MotWindow* pane = game_.App().LettersPane();
    QVERIFY(pane->Palette() == nullptr);
    QVERIFY(!game_.Frame().FindMenuItem(Command::LetterPalette)->isChecked());
    QVERIFY(game_.App().RunCommand(Command::LetterPalette));
    QVERIFY(pane->Palette() != nullptr);
    QVERIFY(pane->Palette()->isVisible());
    QVERIFY(game_.Frame().FindMenuItem(Command::LetterPalette)->isChecked());
}

void ButtonPaletteTest::placeComesFromTheSettingsAndGoesBack() {
    {
        Profile settings(game_.IniPath().toStdString());
        settings.WriteInt("GENERAL", "palette x", 40);
        settings.WriteInt("GENERAL", "palette y", 50);
    }
    game_.Start();
    ButtonPalette* palette = game_.App().LettersPane()->Palette();
    QCOMPARE(palette->pos(), QPoint(40, 50));
    palette->move(70, 80);
    game_.App().RunCommand(Command::LetterPalette);
    QVERIFY(game_.Frame().close());
    const Profile settings(game_.IniPath().toStdString());
    QCOMPARE(settings.ReadInt("GENERAL", "palette x", 0), 70);
    QCOMPARE(settings.ReadInt("GENERAL", "palette y", 0), 80);
    QCOMPARE(settings.ReadInt("LETTRES", "palette", 1), 0);

    // Off this screen, the position falls back to 0.
    Profile damaged(game_.IniPath().toStdString());
    damaged.WriteInt("GENERAL", "palette x", 99999);
    damaged.WriteInt("GENERAL", "palette y", -5000);
    QCOMPARE(ButtonPalette::SavedPosition(damaged, QSize(1600, 1000)), QPoint(0, 0));
    damaged.WriteInt("GENERAL", "palette x", 1600);
    damaged.WriteInt("GENERAL", "palette y", 999);
    QCOMPARE(ButtonPalette::SavedPosition(damaged, QSize(1600, 1000)), QPoint(1600, 999));
}

LEXINUM_GUI_TEST(ButtonPaletteTest)
#include "ButtonPaletteTest.moc"
