// The letter palette: its gadgets typing and erasing in the letters field,
// command 123 and its check mark, the close box, and its place on screen.
#include "letters/ButtonPalette.h"
#include "GameFixture.h"
#include "GuiTestMain.h"
#include "app/TivFrame.h"
#include "common/Profile.h"
#include "letters/MotEnterDialog.h"
#include "letters/MotWindow.h"
#include "presentation/SymbButtonGadget.h"
#include "presentation/ValidEdit.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>

using namespace lexinum;

namespace {

// The window ids a property of the root window lists; none when it is not set.
QList<WId> RootWindowList(const QString& property) {
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-root"), property});
    if (!xprop.waitForFinished(5000) || xprop.exitCode() != 0)
        return {};
    QList<WId> windows;
    const QString listed = QString::fromLatin1(xprop.readAllStandardOutput()).section(QLatin1Char('#'), 1);
    for (const QRegularExpressionMatch& id : QRegularExpression(QStringLiteral("0x[0-9a-f]+")).globalMatch(listed))
        windows << id.captured().toULongLong(nullptr, 16);
    return windows;
}

// The top-level windows from the bottom up as the window manager stacks them.
QList<WId> StackingOrder() {
    return RootWindowList(QStringLiteral("_NET_CLIENT_LIST_STACKING"));
}

} // namespace

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
    void wholePaletteIsKeptOnScreen_data();
    void wholePaletteIsKeptOnScreen();
    void keptPlaceOffTheScreenIsBroughtBack();
    void staysOverTheMaximizedFrameUnderAWindowManager();

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
    // Whole, title bar included, on the screen.
    QVERIFY(game_.Frame().screen()->availableGeometry().contains(palette->frameGeometry()));
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
    // The place is that of the gadgets, below the palette's own title bar.
    QCOMPARE(palette->geometry().topLeft(), QPoint(40, 50));
    // The player moves it and hides it; the game ends.
    palette->move(70, 80);
    const QPoint moved = palette->geometry().topLeft();
    game_.App().RunCommand(Command::LetterPalette);
    QVERIFY(game_.Frame().close());
    QByteArray kept;
    {
        const Profile settings(game_.IniPath().toStdString());
        QCOMPARE(QPoint(settings.ReadInt("GENERAL", "palette x", 0), settings.ReadInt("GENERAL", "palette y", 0)),
                 moved);
        QCOMPARE(settings.ReadInt("LETTRES", "palette", 1), 0);
        QFile file(game_.IniPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        kept = file.readAll();
    }
    // Started again and shown, it opens where it was, game after game.
    for (int start = 0; start < 2; ++start) {
        game_.Reset();
        QFile file(game_.IniPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kept);
        file.close();
        game_.Start();
        QVERIFY(game_.App().RunCommand(Command::LetterPalette));
        QCOMPARE(game_.App().LettersPane()->Palette()->geometry().topLeft(), moved);
        QVERIFY(game_.Frame().close());
        QVERIFY(file.open(QIODevice::ReadOnly));
        kept = file.readAll();
    }

    // Off this screen, the position falls back to 0.
    Profile damaged(game_.IniPath().toStdString());
    damaged.WriteInt("GENERAL", "palette x", 99999);
    damaged.WriteInt("GENERAL", "palette y", -5000);
    QCOMPARE(ButtonPalette::SavedPosition(damaged, QSize(1600, 1000)), QPoint(0, 0));
    damaged.WriteInt("GENERAL", "palette x", 1600);
    damaged.WriteInt("GENERAL", "palette y", 999);
    QCOMPARE(ButtonPalette::SavedPosition(damaged, QSize(1600, 1000)), QPoint(1600, 999));
}

void ButtonPaletteTest::wholePaletteIsKeptOnScreen_data() {
    // A palette of 93 by 306 whose title bar is 20 high, on a 1600 by 1000
    // screen whose free area starts 30 below its top (a panel).
    QTest::addColumn<QPoint>("asked");
    QTest::addColumn<QPoint>("placed");
    QTest::newRow("on screen") << QPoint(500, 400) << QPoint(500, 400);
    QTest::newRow("title bar above the free area") << QPoint(634, 0) << QPoint(634, 50);
    QTest::newRow("mostly off the right edge") << QPoint(1590, 400) << QPoint(1506, 400);
    QTest::newRow("below the bottom") << QPoint(10, 900) << QPoint(10, 693);
    QTest::newRow("against the left edge") << QPoint(0, 400) << QPoint(1, 400);
}

void ButtonPaletteTest::wholePaletteIsKeptOnScreen() {
    QFETCH(QPoint, asked);
    QFETCH(QPoint, placed);
    const QMargins decorations(1, 20, 1, 1);
    const QRect room(0, 30, 1600, 970);
    const QRect kept = ButtonPalette::KeptOnScreen(QRect(asked, QSize(93, 306)), decorations, room);
    QCOMPARE(kept.topLeft(), placed);
    QCOMPARE(kept.size(), QSize(93, 306));
    // Too big for the room, its title bar and left edge show.
    QCOMPARE(ButtonPalette::KeptOnScreen(QRect(200, 200, 2000, 2000), decorations, room).topLeft(), QPoint(1, 50));
}

void ButtonPaletteTest::keptPlaceOffTheScreenIsBroughtBack() {
    // Near the right edge, mostly off it; at the very corner, its title bar
    // above the screen.
    for (const QPoint kept : {QPoint(790, 300), QPoint(0, 0)}) {
        {
            Profile settings(game_.IniPath().toStdString());
            settings.WriteInt("GENERAL", "palette x", kept.x());
            settings.WriteInt("GENERAL", "palette y", kept.y());
        }
        game_.Start();
        const ButtonPalette* palette = game_.App().LettersPane()->Palette();
        QVERIFY(palette->frameGeometry().top() < palette->geometry().top());
        QVERIFY(palette->screen()->availableGeometry().contains(palette->frameGeometry()));
        game_.Reset();
    }
}

void ButtonPaletteTest::staysOverTheMaximizedFrameUnderAWindowManager() {
    // Only a window manager stacks windows: run under scripts/with-openbox.
    if (QGuiApplication::platformName() != QStringLiteral("xcb") ||
        RootWindowList(QStringLiteral("_NET_SUPPORTING_WM_CHECK")).isEmpty())
        QSKIP("needs a window manager on X11");
    game_.Start({}, TivApp::ShowState::Maximized);
    QTRY_VERIFY(game_.App().Maximized());
    const WId frame = game_.Frame().winId();
    const WId palette = game_.App().LettersPane()->Palette()->winId();
    const auto over = [&] {
        const QList<WId> order = StackingOrder();
        return order.indexOf(palette) > order.indexOf(frame) && order.indexOf(frame) >= 0;
    };
    QTRY_VERIFY(over());
    // A dialog over the frame, then closed: the palette is over the frame again.
    test::GameFixture::OnModal([](QWidget* modal) {
        QTest::qWait(300);
        static_cast<QDialog*>(modal)->reject();
    });
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    QTest::qWait(300);
    QTRY_VERIFY(over());
    // It is not kept over other programs.
    QVERIFY(!(game_.App().LettersPane()->Palette()->windowFlags() & Qt::WindowStaysOnTopHint));
}

LEXINUM_GUI_TEST(ButtonPaletteTest)
#include "ButtonPaletteTest.moc"
