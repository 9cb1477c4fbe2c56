#pragma once

#include "presentation/CenteredDialog.h"

class QCheckBox;
class QPushButton;

namespace lexinum {

class ChifEdit;

// The training rules of the numbers game that the player may change.
struct NumbersOptions {
    // The training target range, settings "nombre min" and "nombre max".
    int minTarget = 101;
    int maxTarget = 999;
    // Training numbers are drawn from the 24 tiles and must be tile values
    // (setting "chiffres limités"); otherwise any number from 1 to 100.
    bool limitedNumbers = true;
};

// "Paramètres pour les Chiffres": the training target range and whether the
// numbers are limited to the tiles. OK checks both boxes and their order and
// stays open until they are right; "Annuler" leaves the rules as they were.
class ChifOptionsDialog : public CenteredDialog {
    Q_OBJECT

public:
    // The help topic of the dialog.
    static constexpr HelpTopic kHelpTopic = HelpTopic::NumbersOptions;
    // The message when the smallest target is above the largest, and its caption.
    static constexpr const char* kOrderMessage = "Minimum plus grand que le maximum ???";
    static constexpr const char* kOrderCaption = "Le compte est bon";

    ChifOptionsDialog(QWidget* parent, AppServices& app, const NumbersOptions& options);

    // The rules as the player left them (meaningful once the dialog is accepted).
    const NumbersOptions& Options() const { return options_; }

    ChifEdit* MaxBox() const { return maxBox_; }
    ChifEdit* MinBox() const { return minBox_; }
    QCheckBox* AllNumbersBox() const { return allNumbers_; }
    QPushButton* OkButton() const { return okButton_; }
    QPushButton* CancelButton() const { return cancelButton_; }
    QPushButton* HelpButton() const { return helpButton_; }

    // "O&K": accepted only when both boxes are right and in order.
    void accept() override;

private:
    NumbersOptions options_;
    ChifEdit* maxBox_ = nullptr;
    ChifEdit* minBox_ = nullptr;
    QCheckBox* allNumbers_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
};

} // namespace lexinum
