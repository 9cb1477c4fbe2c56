#pragma once

#include "NumberRules.h"

#include <array>
#include <string>

namespace lexinum {

// The player's calculation in "Le compte est bon", built one click at a time
// as in the entry dialog: a number, an operation, another number, and the line
// a op b = r is checked; its result takes the place of the second number and
// can be used again in the next lines. The object holds both the dialog's
// entry state (which buttons remain and what they stand for) and the answer
// the numbers pane keeps afterwards (the line records and the result), and it
// writes the verdict of that answer. The dialog only shows what it decides.
class Calculation {
public:
    // Six number buttons, at most five complete lines.
    static constexpr int kNumberCount = 6;
    static constexpr int kMaxLines = 5;
    // The four operation buttons, in order "+", "-", "x", "/".
    static constexpr int kOperationCount = 4;
    // Focus places: number buttons are 0 to 5, operation button j is 6 + j.
    static constexpr int kFirstOperationButton = kNumberCount;
    // A line break in the texts written for the results box and the
    // calculation box (the solver's texts use the same).
    static constexpr const char* kLineBreak = NumberRules::kLineBreak;

    // What the next click must be.
    enum EntryState : int {
        kExpectFirstNumber = 0,
        kExpectOperation = 1,
        kExpectSecondNumber = 2,
    };

    // Why a click was refused (the dialog beeps and nothing changes).
    enum class Refusal {
        None,              // the click was taken
        OperationExpected, // a number was clicked where an operation is expected
        NumberExpected,    // an operation was clicked where a number is expected
        NoMoreLines,       // five lines are complete: no sixth line
        ButtonUsed,        // the number of that button has already been used
        NotPositive,       // a subtraction whose result would not be positive
        NotExact,          // a division with a remainder (or by 0)
        MultiplyByOne,     // multiplying by 1 changes nothing
        DivideByOne,       // dividing by 1 changes nothing
        TooLarge,          // the result would not fit in the game's numbers
        NotAllowed,        // any other operation the value rule refuses
        UnknownButton,     // no such number button
        UnknownOperation,  // no such operation code
    };

    // Operands (a, b) or sources (button of a, button of b) of a line.
    using Pair = std::array<int, 2>;

    Calculation();

    // Starts a new answer on a draw, as the dialog opens: every line record
    // reset (operands 0, sources -1, operations 0), no result, the six buttons
    // shown with the drawn numbers, a first number expected, focus on button 0.
    void Setup(const std::array<int, kNumberCount>& numbers, int target);

    // Number button `index` (0-5) clicked: a first operand, or the second
    // operand that completes the line. Returns the refusal, None if taken.
    Refusal ClickNumber(int index);
    // Operation button clicked, by its operation code (-4 "+", -3 "-",
    // -2 "x", -1 "/"). Returns the refusal, None if taken.
    Refusal ClickOperation(int operation);
    // "Eff &Ligne": erases the line in progress, or else the last complete
    // line, giving their buttons back. Returns false when there was none.
    bool EraseLine();
    // "E&ffacer": erases everything and starts again from the drawn numbers.
    void EraseAll();
    // "O&K", and the end of the time allowed: the answer is the result of the
    // last complete line, or the one number chosen when no line is complete.
    void Accept();
    // "Annuler": no answer.
    void Cancel();

    // The text shown for a refusal, in French.
    static std::string RefusalText(Refusal refusal);

    // ---- the entry dialog's state ----

    int entryState() const { return entryState_; }
    int firstOperand() const { return firstOperand_; }
    int secondOperand() const { return secondOperand_; }
    // Operation code of the line in progress, 0 when none has been chosen.
    int operation() const { return operation_; }
    // What each number button stands for now; 0 for a button already used.
    const std::array<int, kNumberCount>& buttonValues() const { return buttonValues_; }
    // True while number button `index` is shown (not used in a line).
    bool ButtonShown(int index) const;
    // The text of number button `index`: the number it stands for now.
    std::string ButtonText(int index) const;
    // The text of operation button `j` (0-3): "+", "-", "x", "/".
    static std::string OperationButtonText(int j);
    // The operation code of operation button `j` (0-3).
    static int OperationOfButton(int j);
    // The button that has the focus: 0-5 a number, 6-9 an operation.
    int FocusedButton() const { return focus_; }
    // The calculation box: one line per complete line ("7 x 3 = 21"), then
    // the line in progress ("7 x ").
    std::string CalculationText() const;

    // ---- the answer, as the numbers pane keeps it ----

    const std::array<int, kNumberCount>& numbers() const { return numbers_; }
    int target() const { return target_; }
    // The player's result; 0 = no answer.
    int playerResult() const { return playerResult_; }
    // Number of complete lines, 0-5.
    int playerLineCount() const { return playerLineCount_; }
    // The result equals the target (decided when the answer is given).
    bool playerExact() const { return playerExact_; }
    const std::array<Pair, kMaxLines>& playerOperands() const { return playerOperands_; }
    const std::array<Pair, kMaxLines>& playerSources() const { return playerSources_; }
    const std::array<int, kMaxLines>& playerOps() const { return playerOps_; }

    // The verdict of the answer as the numbers pane writes it: the exact
    // answer with its lines and congratulations, the distance with the lines,
    // or "no answer".
    std::string VerdictText() const;
    // The player's lines: the number alone when no line was made, else one
    // line per operation, indented by one more space each time.
    std::string PlayerLinesText() const;

private:
    // Empties line record `u` and gives its first number back to its button.
    void ForgetLine(int u);
    // The reason the line firstOperand_ op b cannot be made, None if it can;
    // the line's value goes to `value`.
    Refusal CheckLine(int b, int& value) const;
    void ResetLines();
    void ShowDrawnNumbers();
    int FirstShownButton() const;

    std::array<int, kNumberCount> numbers_{};
    int target_ = 0;

    int entryState_ = kExpectFirstNumber;
    int firstOperand_ = 0;
    int secondOperand_ = 0;
    int operation_ = 0;
    std::array<int, kNumberCount> buttonValues_{};
    std::array<bool, kNumberCount> buttonShown_{};
    int focus_ = 0;

    int playerResult_ = 0;
    int playerLineCount_ = 0;
    bool playerExact_ = false;
    std::array<Pair, kMaxLines> playerOperands_{};
    std::array<Pair, kMaxLines> playerSources_{};
    std::array<int, kMaxLines> playerOps_{};
};

} // namespace lexinum
