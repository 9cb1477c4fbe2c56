// The calculation entry dialog, driven like a player: its layout over the
// results box, refused clicks (with the beep), the erasures, the end of the
// turn, the keyboard, very large lines, and what a screen reader says.
#include "numbers/ChifEnterDialog.h"
#include "AccessibleName.h"
#include "GuiTestMain.h"
#include "TestServices.h"
#include "shell/GameFonts.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <memory>

using namespace lexinum;

namespace {

using Numbers = std::array<int, Calculation::kNumberCount>;
using R = Calculation::Refusal;

} // namespace

class ChifEnterDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { app_.SetUp(); }
    void cleanup() {
        dialog_.reset();
        app_.Reset();
    }

    void isLaidOverTheResultsBox();
    void refusedClicksBeepAndChangeNothing();
    void linesAreErasedOneByOneOrAll();
    void okAndCancelEndTheTurn();
    void theKeyboardPlaysAsTheMouseDoes();
    void largeLinesShowWholeAndOverflowIsRefused();
    void largeNumbersAreReadWhole();
    void buttonsReadAsTheirValueAndSign();
    void refusalsAreToldToAScreenReader();

private:
    // Opens the dialog (without its own loop) on a draw, over the results
    // box or, given `size`, over a box of that size.
    ChifEnterDialog& Open(const Numbers& numbers, int target, QSize size = {});
    void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void Number(int index) { Click(dialog_->NumberButton(index)); }
    // "+", "-", "x", "/".
    void Operation(char sign) {
        static const std::string signs = "+-x/";
        Click(dialog_->OperationButton(static_cast<int>(signs.find(sign))));
    }
    QStringList ButtonTexts() const {
        QStringList texts;
        for (int i = 0; i < 6; ++i)
            texts << (dialog_->NumberButton(i)->isVisible() ? dialog_->NumberButton(i)->text() : QStringLiteral("-"));
        return texts;
    }
    QString CalculationText() const { return dialog_->CalculationBox()->toPlainText(); }

    test::TestServices app_;
    Calculation answer_;
    std::unique_ptr<ChifEnterDialog> dialog_;
};

ChifEnterDialog& ChifEnterDialogTest::Open(const Numbers& numbers, int target, QSize size) {
    app_.ShowGame(Game::Numbers);
    QRect overResults = app_.ResultArea();
    if (!size.isEmpty())
        overResults.setSize(size);
    dialog_ = std::make_unique<ChifEnterDialog>(app_.Window(), app_, answer_, numbers, target, overResults);
    dialog_->show();
    [&] { QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(dialog_.get())); }();
    return *dialog_;
}

void ChifEnterDialogTest::isLaidOverTheResultsBox() {
    ChifEnterDialog& dialog = Open({1, 2, 3, 4, 5, 6}, 200);
    QCOMPARE(dialog.geometry(), app_.ResultArea());
    QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(dialog.Topic(), 267);

    // The computed layout, for a dialog 400 x 300: m = 20, n = 15.
    const ChifEnterDialog::Places places = ChifEnterDialog::PlacesFor(QSize(400, 300));
    QCOMPARE(places.numbers[0], QRect(20, 15, 106, 30));
    QCOMPARE(places.numbers[5], QRect(272, 105, 106, 30));
    QCOMPARE(places.operations[0], QRect(19, 60, 75, 30));
    QCOMPARE(places.operations[3], QRect(304, 60, 75, 30));
    QCOMPARE(places.calculation, QRect(20, 150, 200, 135));
    QCOMPARE(places.pushButtons[0], QRect(240, 150, 140, 22));
    QCOMPARE(places.pushButtons[3], QRect(240, 261, 140, 22));
    // The dialog uses them for its own size, in the buttons' font.
    const ChifEnterDialog::Places own = ChifEnterDialog::PlacesFor(dialog.size());
    QCOMPARE(dialog.NumberButton(4)->geometry(), own.numbers[4]);
    QCOMPARE(dialog.OperationButton(2)->geometry(), own.operations[2]);
    QCOMPARE(dialog.CalculationBox()->geometry(), own.calculation);
    QCOMPARE(dialog.EraseAllButton()->geometry(), own.pushButtons[2]);
    // The buttons' font, smaller only where the buttons are too low for it.
    const QFont& buttonFont = app_.Fonts().buttonFont;
    for (const QPushButton* button : {dialog.NumberButton(0), dialog.OperationButton(1), dialog.OkButton()}) {
        const QFont font = button->font();
        QCOMPARE(font.family(), buttonFont.family());
        if (font != buttonFont) {
            QVERIFY(font.pixelSize() < buttonFont.pixelSize());
            QVERIFY(QFontMetrics(font).height() <= button->height() - 4);
        }
    }
    // It opens on the draw, the focus on the first number.
    QCOMPARE(ButtonTexts(), QStringList({"1", "2", "3", "4", "5", "6"}));
    QCOMPARE(QApplication::focusWidget(), dialog.NumberButton(0));
    QVERIFY(dialog.CalculationBox()->isReadOnly());
}

void ChifEnterDialogTest::refusedClicksBeepAndChangeNothing() {
    ChifEnterDialog& dialog = Open({7, 7, 3, 2, 5, 1}, 500);
    QSignalSpy refused(&dialog, &ChifEnterDialog::refused);
    const auto refusedWith = [&](R reason) {
        QCOMPARE(refused.count(), 1);
        QCOMPARE(refused.takeFirst().at(0).value<R>(), reason);
    };
    // An operation first.
    Operation('+');
    refusedWith(R::NumberExpected);
    // 7 - 7 and 3 - 7 are not positive; 7 / 2 leaves a remainder.
    const struct {
        int a;
        char sign;
        int b;
        R reason;
    } refusals[] = {{0, '-', 1, R::NotPositive},
                    {2, '-', 0, R::NotPositive},
                    {0, '/', 3, R::NotExact},
                    {4, 'x', 5, R::MultiplyByOne},
                    {4, '/', 5, R::DivideByOne}};
    for (const auto& line : refusals) {
        Number(line.a);
        Operation(line.sign);
        const QString before = CalculationText();
        const QStringList buttons = ButtonTexts();
        Number(line.b);
        refusedWith(line.reason);
        QCOMPARE(CalculationText(), before);
        QCOMPARE(ButtonTexts(), buttons);
        // A second operation, or a number where an operation is expected.
        Operation('+');
        refusedWith(R::NumberExpected);
        dialog.EraseLineButton()->click();
        QCOMPARE(CalculationText(), QString());
    }
    Number(0);
    Number(1);
    refusedWith(R::OperationExpected);
    // 1 x 5 is a line; its first number's button is used.
    dialog.EraseLineButton()->click();
    Number(5);
    Operation('x');
    Number(4);
    QCOMPARE(refused.count(), 0);
    QCOMPARE(CalculationText(), QStringLiteral("1 x 5 = 5\n"));
    QCOMPARE(ButtonTexts(), QStringList({"7", "7", "3", "2", "5", "-"}));

    // Six numbers make five lines at most: a sixth first number is refused.
    Open({1, 2, 3, 4, 5, 6}, 999);
    QSignalSpy more(dialog_.get(), &ChifEnterDialog::refused);
    for (int i = 5; i > 0; --i) {
        Number(i);
        Operation('+');
        Number(i - 1);
    }
    QCOMPARE(answer_.playerLineCount(), 5);
    QCOMPARE(answer_.playerResult(), 21);
    QCOMPARE(ButtonTexts(), QStringList({"21", "-", "-", "-", "-", "-"}));
    Number(0);
    QCOMPARE(more.count(), 1);
    QCOMPARE(more.takeFirst().at(0).value<R>(), R::NoMoreLines);
    QCOMPARE(answer_.playerLineCount(), 5);
}

void ChifEnterDialogTest::linesAreErasedOneByOneOrAll() {
    ChifEnterDialog& dialog = Open({25, 4, 10, 3, 2, 1}, 303);
    Number(0);
    Operation('x');
    Number(1); // 25 x 4 = 100
    Number(1);
    Operation('x');
    Number(3); // 100 x 3 = 300
    QCOMPARE(CalculationText(), QStringLiteral("25 x 4 = 100\n100 x 3 = 300\n"));
    QCOMPARE(ButtonTexts(), QStringList({"-", "-", "10", "300", "2", "1"}));
    QCOMPARE(answer_.playerResult(), 300);
    // A line in progress goes first, its number back on its button.
    Number(3);
    Operation('+');
    dialog.EraseLineButton()->click();
    QCOMPARE(CalculationText(), QStringLiteral("25 x 4 = 100\n100 x 3 = 300\n"));
    QCOMPARE(QApplication::focusWidget(), dialog.NumberButton(3));
    QCOMPARE(answer_.playerResult(), 300);
    // Then each complete line, its buttons given back their numbers.
    dialog.EraseLineButton()->click();
    QCOMPARE(CalculationText(), QStringLiteral("25 x 4 = 100\n"));
    QCOMPARE(ButtonTexts(), QStringList({"-", "100", "10", "3", "2", "1"}));
    QCOMPARE(answer_.playerResult(), 100);
    QCOMPARE(QApplication::focusWidget(), dialog.NumberButton(1));
    dialog.EraseLineButton()->click();
    QCOMPARE(ButtonTexts(), QStringList({"25", "4", "10", "3", "2", "1"}));
    QCOMPARE(answer_.playerResult(), 0);
    QCOMPARE(answer_.playerLineCount(), 0);
    QCOMPARE(QApplication::focusWidget(), dialog.NumberButton(0));
    // With nothing left, nothing happens.
    dialog.EraseLineButton()->click();
    QCOMPARE(CalculationText(), QString());

    // "E&ffacer" erases everything at once.
    Number(2);
    Operation('/');
    Number(4); // 10 / 2 = 5
    Number(4);
    Operation('-');
    dialog.EraseAllButton()->click();
    QCOMPARE(CalculationText(), QString());
    QCOMPARE(ButtonTexts(), QStringList({"25", "4", "10", "3", "2", "1"}));
    QCOMPARE(answer_.playerResult(), 0);
    QCOMPARE(QApplication::focusWidget(), dialog.NumberButton(0));
    QCOMPARE(answer_.entryState(), static_cast<int>(Calculation::kExpectFirstNumber));
}

void ChifEnterDialogTest::okAndCancelEndTheTurn() {
    // A number alone is an answer.
    Open({25, 4, 10, 3, 2, 1}, 25);
    Number(0);
    Click(dialog_->OkButton());
    QVERIFY(!dialog_->isVisible());
    QCOMPARE(dialog_->result(), int(QDialog::Accepted));
    QCOMPARE(answer_.playerResult(), 25);
    QCOMPARE(answer_.playerLineCount(), 0);
    QVERIFY(answer_.playerExact());
    // A line in progress is not: the answer is the last complete line.
    Open({25, 4, 10, 3, 2, 1}, 25);
    Number(0);
    Operation('x');
    Number(1);
    Number(1);
    Operation('+');
    Click(dialog_->OkButton());
    QCOMPARE(answer_.playerResult(), 100);
    QCOMPARE(answer_.playerLineCount(), 1);
    Open({25, 4, 10, 3, 2, 1}, 25);
    Number(0);
    Operation('x');
    Click(dialog_->OkButton());
    QCOMPARE(answer_.playerResult(), 0);
    // "Annuler" and Escape give no answer, whatever was built.
    for (const bool escape : {false, true}) {
        Open({25, 4, 10, 3, 2, 1}, 25);
        Number(0);
        Operation('x');
        Number(1);
        if (escape)
            QTest::keyClick(dialog_.get(), Qt::Key_Escape);
        else
            Click(dialog_->CancelButton());
        QVERIFY(!dialog_->isVisible());
        QCOMPARE(answer_.playerResult(), 0);
        QCOMPARE(answer_.playerLineCount(), 0);
    }
}

void ChifEnterDialogTest::theKeyboardPlaysAsTheMouseDoes() {
    ChifEnterDialog& dialog = Open({1, 10, 100, 25, 5, 5}, 126);
    QSignalSpy refused(&dialog, &ChifEnterDialog::refused);
    const auto type = [this](const char* keys) { QTest::keyClicks(QApplication::focusWidget(), keys); };
    QSignalSpy focusMoves(qApp, &QApplication::focusChanged);
    // "2" is no number yet: the focus waits on 25; "5" makes it 25.
    type("2");
    QCOMPARE(QApplication::focusWidget(), dialog.NumberButton(3));
    QCOMPARE(CalculationText(), QString());
    type("5+");
    QCOMPARE(CalculationText(), QStringLiteral("25 + "));
    // The focus went straight where the answer expects it, never through the
    // button next to 25 when 25 was put aside (a screen reader says each stop).
    QList<QWidget*> stops;
    for (const QList<QVariant>& move : focusMoves)
        stops << move.at(1).value<QWidget*>();
    QCOMPARE(stops, (QList<QWidget*>{dialog.NumberButton(3), dialog.OperationButton(0), dialog.NumberButton(0)}));
    // "1" and "10" wait for more (100 begins with them); "100" is picked.
    type("1");
    QCOMPARE(QApplication::focusWidget(), dialog.NumberButton(0));
    type("0");
    QCOMPARE(QApplication::focusWidget(), dialog.NumberButton(1));
    type("0");
    QCOMPARE(CalculationText(), QStringLiteral("25 + 100 = 125\n"));
    // A digit no shown number begins with beeps.
    type("9");
    QCOMPARE(refused.count(), 1);
    // Two 5s: "5" picks the first at once. "x", "X" and "*" multiply, "/" divides.
    type("5X5");
    QCOMPARE(CalculationText(), QStringLiteral("25 + 100 = 125\n5 x 5 = 25\n"));
    // Return presses the button that has the focus: "1" waits on the 1.
    type("125*1");
    QCOMPARE(QApplication::focusWidget(), dialog.NumberButton(0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(refused.count(), 2); // 125 x 1 changes nothing
    QCOMPARE(QApplication::focusWidget(), dialog.NumberButton(0));
    // Backspace erases the line in progress; Tab and Space reach every button.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QCOMPARE(CalculationText(), QStringLiteral("25 + 100 = 125\n5 x 5 = 25\n"));
    QCOMPARE(QApplication::focusWidget(), dialog.NumberButton(2));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); // 125
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); // "+" has the focus
    QCOMPARE(QApplication::focusWidget(), dialog.NumberButton(0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(CalculationText(), QStringLiteral("25 + 100 = 125\n5 x 5 = 25\n125 + 1 = 126\n"));
    QList<QWidget*> reached;
    for (int i = 0; i < 12; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached << QApplication::focusWidget();
    }
    QVERIFY(reached.contains(dialog.OperationButton(3)));
    QVERIFY(reached.contains(dialog.OkButton()));
    QVERIFY(reached.contains(dialog.EraseLineButton()));
    QVERIFY(reached.contains(dialog.EraseAllButton()));
    QVERIFY(reached.contains(dialog.CancelButton()));
    dialog.OkButton()->setFocus();
    QTest::keyClick(dialog.OkButton(), Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    QVERIFY(answer_.playerExact());
    QCOMPARE(answer_.playerLineCount(), 3);
}

void ChifEnterDialogTest::largeLinesShowWholeAndOverflowIsRefused() {
    ChifEnterDialog& dialog = Open({100, 100, 100, 100, 100, 100}, 999);
    QSignalSpy refused(&dialog, &ChifEnterDialog::refused);
    for (int i = 0; i < 3; ++i) {
        Number(i);
        Operation('x');
        Number(i + 1);
    }
    // Seven digits and more show whole.
    QCOMPARE(dialog.NumberButton(3)->text(), QStringLiteral("100000000"));
    QVERIFY(CalculationText().endsWith(QStringLiteral("10000 x 100 = 1000000\n1000000 x 100 = 100000000\n")));
    // 10^10 does not fit: refused with the beep, never shown wrapped.
    Number(3);
    Operation('x');
    Number(4);
    QCOMPARE(refused.count(), 1);
    QCOMPARE(refused.takeFirst().at(0).value<R>(), R::TooLarge);
    QCOMPARE(dialog.NumberButton(4)->text(), QStringLiteral("100"));
    QCOMPARE(answer_.playerResult(), 100000000);
    // Built again from the start, the same line is refused again.
    dialog.EraseAllButton()->click();
    for (int i = 0; i < 4; ++i) {
        Number(i);
        Operation('x');
        Number(i + 1);
    }
    QCOMPARE(refused.count(), 1);
    QVERIFY(!CalculationText().contains(QLatin1Char('-')));
}

void ChifEnterDialogTest::largeNumbersAreReadWhole() {
    // The label room of a push button, in its own style.
    const auto labelWidth = [](const QPushButton* button) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.features = button->autoDefault() ? QStyleOptionButton::AutoDefaultButton : QStyleOptionButton::None;
        option.text = button->text();
        return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
    };
    // Each line of the calculation box on one line of the screen.
    const auto linesOnScreen = [this] {
        QPlainTextEdit* box = dialog_->CalculationBox();
        QStringList lines;
        for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
            box->document()->documentLayout()->blockBoundingRect(block);
            for (int i = 0; i < block.layout()->lineCount(); ++i) {
                const QTextLine line = block.layout()->lineAt(i);
                lines << block.text().mid(line.textStart(), line.textLength()).trimmed();
            }
        }
        lines.removeAll(QString());
        return lines;
    };
    // Over the results box, and over one twice as large. The lines grow to
    // 10000, 1000000, 100000000; each shows on one line where the box has
    // room for it in readable type (the first two at least in the smaller box).
    const struct {
        QSize size;
        int linesKeptWhole;
    } boxes[] = {{QSize(), 2}, {QSize(448, 490), 3}};
    for (const auto& box : boxes) {
        ChifEnterDialog& dialog = Open({100, 100, 100, 100, 100, 100}, 999, box.size);
        const QFont numbersFont = dialog.OperationButton(0)->font();
        const QFont textFont = dialog.OkButton()->font();
        QStringList lines;
        for (int i = 0; i < 3; ++i) {
            Number(i);
            Operation('x');
            Number(i + 1);
            lines << CalculationText().split(QLatin1Char('\n'), Qt::SkipEmptyParts).last();
            for (int b = i + 1; b < 6; ++b) {
                QPushButton* button = dialog.NumberButton(b);
                const int width = QFontMetrics(button->font()).horizontalAdvance(button->text());
                QVERIFY2(width <= labelWidth(button), qPrintable(button->text()));
                // Only a number too wide for the buttons' type is shown smaller.
                if (button->text() == QStringLiteral("100"))
                    QCOMPARE(button->font(), numbersFont);
            }
            if (i < box.linesKeptWhole)
                QCOMPARE(linesOnScreen(), lines);
            // Readable: never below two thirds of the push buttons' type.
            QVERIFY(3 * QFontInfo(dialog.CalculationBox()->font()).pixelSize() >= 2 * QFontInfo(textFont).pixelSize());
            // Where the lines fit, the type is the push buttons'.
            if (i == 0 && box.linesKeptWhole == 3)
                QCOMPARE(dialog.CalculationBox()->font(), textFont);
        }
    }
}

void ChifEnterDialogTest::buttonsReadAsTheirValueAndSign() {
    ChifEnterDialog& dialog = Open({75, 3, 8, 1, 10, 6}, 225);
    QCOMPARE(test::AccessibleName(dialog.NumberButton(0)), QStringLiteral("75"));
    QCOMPARE(test::AccessibleName(dialog.NumberButton(5)), QStringLiteral("6"));
    const QStringList signs{"plus", "moins", "multiplié par", "divisé par"};
    for (int j = 0; j < 4; ++j)
        QCOMPARE(test::AccessibleName(dialog.OperationButton(j)), signs[j]);
    QCOMPARE(test::AccessibleName(dialog.CalculationBox()), QStringLiteral("Calcul"));
    QCOMPARE(test::AccessibleName(dialog.OkButton()), QStringLiteral("OK"));
    QCOMPARE(test::AccessibleName(dialog.EraseLineButton()), QStringLiteral("Eff Ligne"));
    QCOMPARE(test::AccessibleName(dialog.EraseAllButton()), QStringLiteral("Effacer"));
    QCOMPARE(test::AccessibleName(dialog.CancelButton()), QStringLiteral("Annuler"));
    // A button that took a line's result reads as that result.
    Number(0);
    Operation('x');
    Number(1);
    QCOMPARE(test::AccessibleName(dialog.NumberButton(1)), QStringLiteral("225"));
}

void ChifEnterDialogTest::refusalsAreToldToAScreenReader() {
    // Offscreen no assistive technology is ever active: the application
    // says whether one listens. The dialog then describes itself and the
    // control holding the focus (a reader speaks a change in the description
    // of the focused control only); no other control keeps an old reason.
    const QString notPositive = QStringLiteral("Une soustraction doit donner un nombre positif.");
    const auto readerReads = [this] {
        const QString dialogSays = QAccessible::queryAccessibleInterface(dialog_.get())->text(QAccessible::Description);
        for (QWidget* child : dialog_->findChildren<QWidget*>()) {
            const QString childSays = QAccessible::queryAccessibleInterface(child)->text(QAccessible::Description);
            if (childSays != (child == dialog_->focusWidget() ? dialogSays : QString()))
                return QStringLiteral("%1 says \"%2\"").arg(test::AccessibleName(child), childSays);
        }
        return dialogSays;
    };
    // Without one nothing is described; with one every refusal is, again
    // when repeated (a reader speaks only a change), and a click taken clears
    // it. The beeps are the same.
    for (const bool listening : {false, true}) {
        app_.screenReader = listening;
        ChifEnterDialog& dialog = Open({7, 7, 3, 2, 5, 1}, 500);
        QSignalSpy refused(&dialog, &ChifEnterDialog::refused);
        QSignalSpy described(&dialog, &ChifEnterDialog::described);
        Number(0);
        Operation('-');
        Number(1); // 7 - 7
        QCOMPARE(readerReads(), listening ? notPositive : QString());
        Number(1); // the same again
        QCOMPARE(readerReads(), listening ? notPositive : QString());
        Number(2); // 7 - 3 = 4
        QCOMPARE(readerReads(), QString());
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClicks(focus, "+9");
        QCOMPARE(refused.count(), 4);
        // The focus stays where it was, on the line's result.
        QCOMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&dialog));
        QCOMPARE(QApplication::focusWidget(), focus);
        QCOMPARE(focus, dialog.NumberButton(2));
        QStringList told;
        for (const QList<QVariant>& change : described)
            told << change.at(0).toString();
        const QStringList expected{notPositive,
                                   QString(),
                                   notPositive,
                                   QString(),
                                   QStringLiteral("Choisissez un nombre."),
                                   QStringLiteral("Ce nombre n'existe pas.")};
        QCOMPARE(told, listening ? expected : QStringList());
    }
}

LEXINUM_GUI_TEST(ChifEnterDialogTest)
#include "ChifEnterDialogTest.moc"
