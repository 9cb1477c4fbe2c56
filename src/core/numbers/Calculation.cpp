#include "Calculation.h"

#include "NumberRules.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

namespace lexinum {

namespace {

constexpr std::array<int, Calculation::kOperationCount> kButtonOperations = {
    NumberRules::kAdd, NumberRules::kSubtract, NumberRules::kMultiply, NumberRules::kDivide};

bool ValidIndex(int index) {
    return index >= 0 && index < Calculation::kNumberCount;
}

} // namespace

Calculation::Calculation() {
    Setup({}, 0);
}

void Calculation::Setup(const std::array<int, kNumberCount>& numbers, int target) {
    numbers_ = numbers;
    target_ = target;
    playerExact_ = false;
    EraseAll();
}

void Calculation::ResetLines() {
    for (int u = 0; u < kMaxLines; ++u) {
        playerOperands_[u] = {0, 0};
        playerSources_[u] = {-1, -1};
        playerOps_[u] = 0;
    }
}

void Calculation::ShowDrawnNumbers() {
    buttonValues_ = numbers_;
    buttonShown_.fill(true);
}

int Calculation::FirstShownButton() const {
    for (int i = 0; i < kNumberCount; ++i)
        if (buttonShown_[i])
            return i;
    return 0;
}

bool Calculation::ButtonShown(int index) const {
    return ValidIndex(index) && buttonShown_[index];
}

std::string Calculation::ButtonText(int index) const {
    return ValidIndex(index) ? std::to_string(buttonValues_[index]) : std::string();
}

std::string Calculation::OperationButtonText(int j) {
    return std::string(1, NumberRules::TypedChar(OperationOfButton(j)));
}

int Calculation::OperationOfButton(int j) {
    return j >= 0 && j < kOperationCount ? kButtonOperations[j] : 0;
}

Calculation::Refusal Calculation::CheckLine(int b, int& value) const {
    const int a = firstOperand_;
    value = 0;
    switch (operation_) {
    case NumberRules::kSubtract:
        // The value rule alone would let 3 - 7 through as -4; every number
        // of a calculation stays positive.
        if (a <= b)
            return Refusal::NotPositive;
        break;
    case NumberRules::kMultiply:
        if (b == 1)
            return Refusal::MultiplyByOne;
        if (std::int64_t{a} * b > std::numeric_limits<int>::max())
            return Refusal::TooLarge;
        break;
    case NumberRules::kDivide:
        if (b == 1)
            return Refusal::DivideByOne;
        if (b == 0 || a % b != 0)
            return Refusal::NotExact;
        break;
    case NumberRules::kAdd:
        if (std::int64_t{a} + b > std::numeric_limits<int>::max())
            return Refusal::TooLarge;
        break;
    default:
        return Refusal::UnknownOperation;
    }
    value = NumberRules::Value(a, operation_, b);
    // Numbers of a calculation are positive, so a line giving 0 or less (which
    // only an odd operand could cause) is not a line either.
    if (value <= 0) {
        value = 0;
        return Refusal::NotAllowed;
    }
    return Refusal::None;
}

Calculation::Refusal Calculation::ClickNumber(int index) {
    if (!ValidIndex(index))
        return Refusal::UnknownButton;
    if (!buttonShown_[index])
        return Refusal::ButtonUsed;
    const int u = playerLineCount_;
    switch (entryState_) {
    case kExpectFirstNumber:
        if (u >= kMaxLines)
            return Refusal::NoMoreLines;
        firstOperand_ = buttonValues_[index];
        buttonValues_[index] = 0;
        buttonShown_[index] = false;
        playerSources_[u][0] = index;
        playerOperands_[u][0] = firstOperand_;
        focus_ = kFirstOperationButton;
        entryState_ = kExpectOperation;
        return Refusal::None;
    case kExpectSecondNumber: {
        int value = 0;
        const Refusal refusal = CheckLine(buttonValues_[index], value);
        if (refusal != Refusal::None)
            return refusal;
        playerResult_ = value;
        secondOperand_ = buttonValues_[index];
        buttonValues_[index] = value;
        playerSources_[u][1] = index;
        playerOperands_[u][1] = secondOperand_;
        ++playerLineCount_;
        focus_ = index;
        entryState_ = kExpectFirstNumber;
        return Refusal::None;
    }
    default:
        return Refusal::OperationExpected;
    }
}

Calculation::Refusal Calculation::ClickOperation(int operation) {
    if (!NumberRules::IsOperation(operation))
        return Refusal::UnknownOperation;
    if (entryState_ != kExpectOperation)
        return Refusal::NumberExpected;
    operation_ = operation;
    playerOps_[playerLineCount_] = operation;
    entryState_ = kExpectSecondNumber;
    focus_ = FirstShownButton();
    return Refusal::None;
}

bool Calculation::EraseLine() {
    if (entryState_ == kExpectOperation || entryState_ == kExpectSecondNumber) {
        // The line in progress: its first number goes back to its button.
        ForgetLine(playerLineCount_);
        entryState_ = kExpectFirstNumber;
        return true;
    }
    if (playerLineCount_ == 0)
        return false;
    // The last complete line: the button that took its result stands for its
    // second number again, and its first number's button comes back.
    const int u = playerLineCount_ - 1;
    buttonValues_[playerSources_[u][1]] = playerOperands_[u][1];
    ForgetLine(u);
    playerLineCount_ = u;
    playerResult_ =
        u == 0 ? 0 : NumberRules::Value(playerOperands_[u - 1][0], playerOps_[u - 1], playerOperands_[u - 1][1]);
    return true;
}

void Calculation::ForgetLine(int u) {
    const int a = playerSources_[u][0];
    buttonValues_[a] = playerOperands_[u][0];
    buttonShown_[a] = true;
    focus_ = a;
    playerOperands_[u] = {0, 0};
    playerSources_[u] = {-1, -1};
    playerOps_[u] = 0;
    operation_ = 0;
}

void Calculation::EraseAll() {
    playerResult_ = 0;
    playerLineCount_ = 0;
    ResetLines();
    ShowDrawnNumbers();
    firstOperand_ = 0;
    secondOperand_ = 0;
    operation_ = 0;
    entryState_ = kExpectFirstNumber;
    focus_ = 0;
}

void Calculation::Accept() {
    if (playerLineCount_ == 0 && entryState_ == kExpectOperation)
        playerResult_ = firstOperand_; // an answer of one number
    if (entryState_ != kExpectFirstNumber && playerLineCount_ < kMaxLines) {
        // A line in progress is not part of the answer.
        playerOperands_[playerLineCount_] = {0, 0};
        playerSources_[playerLineCount_] = {-1, -1};
        playerOps_[playerLineCount_] = 0;
    }
    playerExact_ = playerResult_ != 0 && playerResult_ == target_;
}

void Calculation::Cancel() {
    playerResult_ = 0;
    playerLineCount_ = 0;
    playerExact_ = false;
}

std::string Calculation::RefusalText(Refusal refusal) {
    switch (refusal) {
    case Refusal::None:
        return "";
    case Refusal::OperationExpected:
        return "Choisissez une opération.";
    case Refusal::NumberExpected:
        return "Choisissez un nombre.";
    case Refusal::NoMoreLines:
        return "Le calcul ne peut pas dépasser cinq lignes.";
    case Refusal::ButtonUsed:
        return "Ce nombre a déjà servi.";
    case Refusal::NotPositive:
        return "Une soustraction doit donner un nombre positif.";
    case Refusal::NotExact:
        return "Une division doit tomber juste.";
    case Refusal::MultiplyByOne:
        return "Multiplier par 1 ne change rien.";
    case Refusal::DivideByOne:
        return "Diviser par 1 ne change rien.";
    case Refusal::TooLarge:
        return "Le résultat serait trop grand.";
    case Refusal::NotAllowed:
        return "Cette opération n'est pas permise.";
    case Refusal::UnknownButton:
        return "Ce nombre n'existe pas.";
    case Refusal::UnknownOperation:
        return "Cette opération n'existe pas.";
    }
    return "";
}

std::string Calculation::CalculationText() const {
    std::string text;
    for (int u = 0; u < playerLineCount_; ++u) {
        const int value = NumberRules::Value(playerOperands_[u][0], playerOps_[u], playerOperands_[u][1]);
        text += std::to_string(playerOperands_[u][0]) + ' ' + NumberRules::TypedChar(playerOps_[u]) + ' ' +
                std::to_string(playerOperands_[u][1]) + " = " + std::to_string(value) + kLineBreak;
    }
    if (entryState_ != kExpectFirstNumber)
        text += std::to_string(firstOperand_) + ' ';
    if (entryState_ == kExpectSecondNumber)
        text += std::string(1, NumberRules::TypedChar(operation_)) + ' ';
    return text;
}

std::string Calculation::PlayerLinesText() const {
    if (playerLineCount_ == 0)
        return " " + std::to_string(playerResult_) + kLineBreak;
    std::string text;
    for (int u = 0; u < playerLineCount_; ++u) {
        const int a = playerOperands_[u][0];
        const int b = playerOperands_[u][1];
        text += std::string(static_cast<std::size_t>(u) + 2, ' ') + std::to_string(a) + ' ' +
                NumberRules::PrintedChar(playerOps_[u]) + ' ' + std::to_string(b) + " = " +
                std::to_string(NumberRules::Value(a, playerOps_[u], b)) + kLineBreak;
    }
    return text;
}

std::string Calculation::VerdictText() const {
    // "No answer" is decided first so that an odd target of 0 is never taken
    // as reached by an empty answer.
    if (playerResult_ == 0)
        return std::string(" Aucune réponse donnée.") + kLineBreak;
    if (playerResult_ == target_)
        return std::string(" Votre compte est bon:") + kLineBreak + PlayerLinesText() + " Félicitations!" + kLineBreak;
    const auto distance = std::llabs(std::int64_t{target_} - playerResult_);
    return " Votre compte à " + std::to_string(distance) + " près:" + kLineBreak + PlayerLinesText();
}

} // namespace lexinum
