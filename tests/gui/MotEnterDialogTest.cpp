// The word entry: its letter buttons following the word as the player types,
// deletes, replaces a selection or presses them, its geometry over the
// results box, and its answer.
#include "letters/MotEnterDialog.h"
#include "AccessibleName.h"
#include "GameFixture.h"
#include "GuiTestMain.h"
#include "TestServices.h"
#include "letters/MotEnterButton.h"
#include "letters/MotEnterEdit.h"

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace lexinum;

namespace {

// The visible letter buttons, as a string of 1 and 0, for the first `count`.
QString Shown(const MotEnterDialog& dialog, int count) {
    QString shown;
    for (int i = 0; i < count; ++i)
        shown += dialog.LetterButton(i)->isVisibleTo(&dialog) ? QLatin1Char('1') : QLatin1Char('0');
    return shown;
}

} // namespace

class MotEnterDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { app_.SetUp(); }
    void cleanup() {
        dialog_.reset();
        app_.Reset();
    }

    void liesOverTheResultsBoxWithItsControls();
    void controlsStayClearOfEachOtherAtEveryCount();
    void typingHidesAndDeletingBringsBackButtons();
    void replacingASelection();
    void letterButtonsWriteAndReplaceTheSelection();
    void effacerEmptiesTheWordAndShowsEveryLetter();
    void smallAndAccentedLettersBecomeCapitals();
    void okJudgesAndAnnulerGivesNoAnswer();

private:
    // The word entry over the results box, or over a box `height` pixels high.
    MotEnterDialog& Open(const std::string& letters, int height = 0);

    test::TestServices app_;
    std::unique_ptr<MotEnterDialog> dialog_;
    std::vector<std::string> judged_;
};

MotEnterDialog& MotEnterDialogTest::Open(const std::string& letters, int height) {
    judged_.clear();
    QRect area = app_.ResultArea();
    if (height > 0)
        area.setHeight(height);
    dialog_ = std::make_unique<MotEnterDialog>(app_.Window(), app_, area, letters, [this](const std::string& word) {
        judged_.push_back(word);
        return WordCheckResult::Accepted;
    });
    dialog_->show();
    dialog_->activateWindow();
    // The offscreen screen hands the focus over a moment after the activation.
    if (!QTest::qWaitFor([this] { return QApplication::focusWidget() == dialog_->Edit(); }))
        qWarning("the word entry did not take the focus");
    return *dialog_;
}

void MotEnterDialogTest::liesOverTheResultsBoxWithItsControls() {
    MotEnterDialog& dialog = Open("TOILEEX");
    QCOMPARE(dialog.geometry(), app_.ResultArea());
    QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
    // One button per drawn letter, in draw order, nine to a row; the others hidden.
    QCOMPARE(Shown(dialog, 9), QStringLiteral("111111100"));
    QCOMPARE(dialog.LetterButton(0)->text(), QStringLiteral("T"));
    QCOMPARE(dialog.LetterButton(6)->text(), QStringLiteral("X"));
    QCOMPARE(dialog.LetterButton(1)->y(), dialog.LetterButton(0)->y());
    QVERIFY(dialog.LetterButton(9)->y() > dialog.LetterButton(0)->y());
    QVERIFY(dialog.LetterButton(0)->y() > dialog.Edit()->geometry().bottom());
    // O&K, E&ffacer and Annuler in one row at the bottom, whole.
    QCOMPARE(dialog.EraseButton()->y(), dialog.OkButton()->y());
    QVERIFY(dialog.OkButton()->x() < dialog.EraseButton()->x() &&
            dialog.EraseButton()->x() < dialog.CancelButton()->x());
    QVERIFY(dialog.CancelButton()->geometry().bottom() < dialog.height());
    for (QPushButton* button : {dialog.OkButton(), dialog.EraseButton(), dialog.CancelButton()}) {
        const QString label = button->text().remove(QLatin1Char('&'));
        QVERIFY2(button->fontMetrics().horizontalAdvance(label) < button->width(), qPrintable(label));
    }
    QVERIFY(dialog.OkButton()->isDefault());
    // A screen reader reads each control.
    QCOMPARE(test::GameFixture::AccessibleName(dialog.Edit()), QStringLiteral("Mot"));
    QCOMPARE(test::GameFixture::AccessibleName(dialog.LetterButton(0)), QStringLiteral("T"));
    QCOMPARE(test::GameFixture::AccessibleName(dialog.OkButton()), QStringLiteral("OK"));
    QCOMPARE(test::GameFixture::AccessibleName(dialog.EraseButton()), QStringLiteral("Effacer"));
    QCOMPARE(test::GameFixture::AccessibleName(dialog.CancelButton()), QStringLiteral("Annuler"));
    QCOMPARE(dialog.Topic(), 263);
    QCOMPARE(test::AccessibleName(dialog.Edit()), QStringLiteral("Mot"));
    QCOMPARE(test::AccessibleName(dialog.LetterButton(0)), QStringLiteral("T"));
    QCOMPARE(test::AccessibleName(dialog.OkButton()), QStringLiteral("OK"));
    QCOMPARE(test::AccessibleName(dialog.EraseButton()), QStringLiteral("Effacer"));
    QCOMPARE(test::AccessibleName(dialog.CancelButton()), QStringLiteral("Annuler"));
    QCOMPARE(dialog.Topic(), 263);
    // The word takes the focus, and Tab reaches the letters.
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog.Edit()));
    QTest::keyClick(dialog.Edit(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog.LetterButton(0)));
}

void MotEnterDialogTest::controlsStayClearOfEachOtherAtEveryCount() {
    // The box's height relative to the fonts changes with the screen's
    // shape and the window manager's bars: a low one too.
    for (const bool maximized : {false, true}) {
        app_.SetMaximized(maximized);
        for (const int count : {2, 9, 18, 19, 27}) {
            for (const int height : {0, app_.ResultArea().height() * 2 / 3}) {
                const QByteArray context = QByteArray::number(count) +
                                           (maximized ? " letters, maximized" : " letters") +
                                           (height > 0 ? ", low box" : "");
                MotEnterDialog& dialog = Open(std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZE").substr(0, count), height);
                std::vector<QWidget*> shown{dialog.Edit(), dialog.OkButton(), dialog.EraseButton(),
                                            dialog.CancelButton()};
                for (int i = 0; i < count; ++i)
                    shown.push_back(dialog.LetterButton(i));
                for (std::size_t a = 0; a < shown.size(); ++a) {
                    QVERIFY2(dialog.rect().contains(shown[a]->geometry()), context);
                    for (std::size_t b = a + 1; b < shown.size(); ++b)
                        QVERIFY2(!shown[a]->geometry().intersects(shown[b]->geometry()), context);
                    // Every label shows whole.
                    if (auto* button = qobject_cast<QPushButton*>(shown[a])) {
                        const QFontMetrics metrics(button->font());
                        QVERIFY2(metrics.horizontalAdvance(button->text().remove(QLatin1Char('&'))) < button->width(),
                                 context);
                        QVERIFY2(metrics.height() <= button->height(), context);
                    }
                }
                dialog_.reset();
            }
        }
    }
}

void MotEnterDialogTest::typingHidesAndDeletingBringsBackButtons() {
    MotEnterDialog& dialog = Open("AABE");
    MotEnterEdit* edit = dialog.Edit();
    QSignalSpy refused(edit, &ValidEdit::refused);
    QTest::keyClicks(edit, QStringLiteral("A"));
    QCOMPARE(Shown(dialog, 4), QStringLiteral("0111"));
    QTest::keyClicks(edit, QStringLiteral("A"));
    QCOMPARE(Shown(dialog, 4), QStringLiteral("0011"));
    // A third A is refused with a beep.
    QTest::keyClicks(edit, QStringLiteral("A"));
    QCOMPARE(edit->text(), QStringLiteral("AA"));
    QCOMPARE(refused.count(), 1);
    QCOMPARE(Shown(dialog, 4), QStringLiteral("0011"));
    QTest::keyClicks(edit, QStringLiteral("E"));
    QCOMPARE(Shown(dialog, 4), QStringLiteral("0010"));
    // Backspace over the last letter brings its button back.
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), QStringLiteral("AA"));
    QCOMPARE(Shown(dialog, 4), QStringLiteral("0011"));
    // Delete at the start takes the first A away.
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Delete);
    QCOMPARE(Shown(dialog, 4), QStringLiteral("1011"));
    // A letter not drawn is refused.
    QTest::keyClicks(edit, QStringLiteral("Z"));
    QCOMPARE(refused.count(), 2);
    QCOMPARE(edit->text(), QStringLiteral("A"));
}

void MotEnterDialogTest::replacingASelection() {
    MotEnterDialog& dialog = Open("AABE");
    MotEnterEdit* edit = dialog.Edit();
    QTest::keyClicks(edit, QStringLiteral("ABE"));
    QCOMPARE(Shown(dialog, 4), QStringLiteral("0100"));
    // Two letters selected, replaced by one: two buttons back, one hidden.
    edit->setSelection(1, 2);
    QTest::keyClicks(edit, QStringLiteral("A"));
    QCOMPARE(edit->text(), QStringLiteral("AA"));
    QCOMPARE(Shown(dialog, 4), QStringLiteral("0011"));
    // A selection deleted brings its letters back.
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(Shown(dialog, 4), QStringLiteral("1111"));
}

void MotEnterDialogTest::letterButtonsWriteAndReplaceTheSelection() {
    MotEnterDialog& dialog = Open("AABE");
    MotEnterEdit* edit = dialog.Edit();
    QTest::mouseClick(dialog.LetterButton(1), Qt::LeftButton);
    QTest::mouseClick(dialog.LetterButton(2), Qt::LeftButton);
    QCOMPARE(edit->text(), QStringLiteral("AB"));
    QCOMPARE(Shown(dialog, 4), QStringLiteral("1001"));
    // Pressed while "B" is selected, E replaces it and B comes back.
    edit->setSelection(1, 1);
    QTest::mouseClick(dialog.LetterButton(3), Qt::LeftButton);
    QCOMPARE(edit->text(), QStringLiteral("AE"));
    QCOMPARE(Shown(dialog, 4), QStringLiteral("1010"));
    // Then typing still follows: the remaining A hides.
    QTest::keyClicks(edit, QStringLiteral("A"));
    QCOMPARE(edit->text(), QStringLiteral("AEA"));
    QCOMPARE(Shown(dialog, 4), QStringLiteral("0010"));
}

void MotEnterDialogTest::effacerEmptiesTheWordAndShowsEveryLetter() {
    MotEnterDialog& dialog = Open("AABE");
    QTest::keyClicks(dialog.Edit(), QStringLiteral("BEA"));
    QTest::mouseClick(dialog.EraseButton(), Qt::LeftButton);
    QVERIFY(dialog.Edit()->text().isEmpty());
    QCOMPARE(Shown(dialog, 5), QStringLiteral("11110"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog.Edit()));
    // And the word follows the buttons again from there.
    QTest::keyClicks(dialog.Edit(), QStringLiteral("E"));
    QCOMPARE(Shown(dialog, 4), QStringLiteral("1110"));
}

void MotEnterDialogTest::smallAndAccentedLettersBecomeCapitals() {
    MotEnterDialog& dialog = Open("ELVEE");
    MotEnterEdit* edit = dialog.Edit();
    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_Eacute, QStringLiteral("é"), {});
    QTest::keyClicks(edit, QStringLiteral("l"));
    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_Egrave, QStringLiteral("è"), {});
    QTest::keyClicks(edit, QStringLiteral("ve"));
    QCOMPARE(edit->text(), QStringLiteral("ELEVE"));
    QCOMPARE(Shown(dialog, 5), QStringLiteral("00000"));
}

void MotEnterDialogTest::okJudgesAndAnnulerGivesNoAnswer() {
    MotEnterDialog& dialog = Open("TOILEEX");
    QTest::keyClicks(dialog.Edit(), QStringLiteral("TOILE"));
    QTest::keyClick(dialog.Edit(), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(judged_, std::vector<std::string>{"TOILE"});
    QCOMPARE(dialog.Word(), std::string("TOILE"));
    QCOMPARE(dialog.WordLength(), 5);
    QCOMPARE(dialog.Result(), WordCheckResult::Accepted);

    MotEnterDialog& cancelled = Open("TOILEEX");
    QTest::keyClicks(cancelled.Edit(), QStringLiteral("TOILE"));
    QTest::mouseClick(cancelled.CancelButton(), Qt::LeftButton);
    QVERIFY(judged_.empty());
    QVERIFY(cancelled.Word().empty());
    QCOMPARE(cancelled.Result(), WordCheckResult::NoAnswer);

    MotEnterDialog& escaped = Open("TOILEEX");
    QTest::keyClicks(escaped.Edit(), QStringLiteral("LIT"));
    QTest::keyClick(escaped.Edit(), Qt::Key_Escape);
    QVERIFY(judged_.empty());
    QCOMPARE(escaped.Result(), WordCheckResult::NoAnswer);
}

LEXINUM_GUI_TEST(MotEnterDialogTest)
#include "MotEnterDialogTest.moc"
