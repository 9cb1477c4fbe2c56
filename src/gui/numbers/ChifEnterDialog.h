#pragma once

#include "core/numbers/Calculation.h"
#include "presentation/OverResultsDialog.h"

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QString>

#include <array>
#include <functional>

class QPlainTextEdit;
class QPushButton;

namespace lexinum {

// The player's turn in "Le compte est bon": a dialog laid over the results
// box in which the calculation is built with the mouse or the keyboard, a
// number, an operation, another number, each line's result taking the place
// of its second number. Every click is decided by the answer (a Calculation);
// a refused click beeps and changes nothing. From the keyboard: Tab and the
// arrow keys move between the buttons, Space or Return presses one, the
// digits pick the number button showing them, "+ - x /" (and "*") choose the
// operation, Backspace erases the last line and Escape gives no answer.
class ChifEnterDialog : public OverResultsDialog {
    Q_OBJECT

public:
    // The help topic of the dialog.
    static constexpr HelpTopic kHelpTopic = HelpTopic::CalculationEntry;
    // The seconds the player has for his calculation in a match.
    static constexpr int kSeconds = 50;

    // The places of the children in a dialog of size `size`.
    struct Places {
        std::array<QRect, Calculation::kNumberCount> numbers;
        std::array<QRect, Calculation::kOperationCount> operations;
        QRect calculation;
        // "O&K", "Eff &Ligne", "E&ffacer", "Annuler".
        std::array<QRect, 4> pushButtons;
    };
    static Places PlacesFor(QSize size);

    // Starts `answer` on the draw (`numbers`, `target`) and lays the dialog
    // over `screenRect` (the results box on screen). The answer is written
    // into `answer` as the player builds it.
    ChifEnterDialog(QWidget* parent, AppServices& app, Calculation& answer,
                    const std::array<int, Calculation::kNumberCount>& numbers, int target, const QRect& screenRect);

    QPushButton* NumberButton(int index) const { return numberButtons_.at(static_cast<std::size_t>(index)); }
    QPushButton* OperationButton(int j) const { return operationButtons_.at(static_cast<std::size_t>(j)); }
    QPushButton* OkButton() const { return okButton_; }
    QPushButton* EraseLineButton() const { return eraseLineButton_; }
    QPushButton* EraseAllButton() const { return eraseAllButton_; }
    QPushButton* CancelButton() const { return cancelButton_; }
    QPlainTextEdit* CalculationBox() const { return calculationBox_; }

    // "O&K", and the end of the time in a match: the answer is the last
    // complete line's result, or the one number chosen.
    void accept() override;
    // "Annuler" and Escape: no answer.
    void reject() override;

signals:
    // A click or key was refused, with the warning beep.
    void refused(Calculation::Refusal reason);
    // The dialog's accessible description became `text`, and a screen
    // reader was told so (empty: the reason told last was cleared).
    void described(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ClickNumber(int index);
    void ClickOperation(int j);
    void EraseLine();
    void EraseAll();
    // After a click or key: a refusal beeps, is signalled and is told to a
    // screen reader when one listens; a click taken forgets the reason told.
    void Answered(Calculation::Refusal reason);
    // Gives the dialog and its focused control the accessible description
    // `text` and says so.
    void Describe(const QString& text);
    void TypeDigit(QChar digit);
    // Shows what the answer holds now; `moveFocus` gives the focus to the
    // button the answer expects next.
    void Refresh(bool moveFocus);
    // The width a line of the calculation box may take without wrapping.
    int CalculationLineWidth() const;

    Calculation& answer_;
    std::array<QPushButton*, Calculation::kNumberCount> numberButtons_{};
    std::array<QPushButton*, Calculation::kOperationCount> operationButtons_{};
    QPlainTextEdit* calculationBox_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* eraseLineButton_ = nullptr;
    QPushButton* eraseAllButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    // The control that carries the reason told last, if any.
    QPointer<QWidget> describedControl_;
    // The digits typed so far to pick a number button.
    QString typedDigits_;
    // The type of the number and operation buttons, and that of the push
    // buttons and the calculation box, before any number or line needs smaller.
    QFont numbersFont_;
    QFont calculationFont_;
};

} // namespace lexinum
