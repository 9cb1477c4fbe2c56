#pragma once

#include "presentation/CenteredDialog.h"

class QCheckBox;
class QPushButton;

namespace lexinum {

class ChifEdit;

// The training rules of the letters game that the player may change.
struct LettersOptions {
    // The letters of a training draw (2 to 27), setting "nb lettres".
    int letterCount = 9;
    // The vowels of an automatic draw (0 to the letter count), setting "nb voyelles".
    int vowelCount = 4;
    // Training draws are made without asking vowel or consonant, setting "choix auto".
    bool autoChoice = false;
};

// "Paramètres pour les Lettres": how many letters a training draw has, how
// many of them are vowels, and whether the draw is automatic. OK checks both
// boxes and refuses more vowels than letters, staying open until they are
// right; "Annuler" leaves the rules as they were.
class MotOptionsDialog : public CenteredDialog {
    Q_OBJECT

public:
    // The help topic of the dialog.
    static constexpr HelpTopic kHelpTopic = HelpTopic::LettersOptions;
    // The message when the vowels outnumber the letters, and its caption.
    static constexpr const char* kVowelsMessage = "Plus de voyelles que de lettres ???";
    static constexpr const char* kVowelsCaption = "Le mot le plus long";

    MotOptionsDialog(QWidget* parent, AppServices& app, const LettersOptions& options);

    // The rules as the player left them (meaningful once the dialog is accepted).
    const LettersOptions& Options() const { return options_; }
    // True when OK left a count other than the one the dialog opened with.
    bool CountsChanged() const { return countsChanged_; }

    ChifEdit* VowelsBox() const { return vowelsBox_; }
    ChifEdit* LettersBox() const { return lettersBox_; }
    QCheckBox* AutoChoiceBox() const { return autoChoice_; }
    QPushButton* OkButton() const { return okButton_; }
    QPushButton* CancelButton() const { return cancelButton_; }
    QPushButton* HelpButton() const { return helpButton_; }

    // "O&K": accepted only when both boxes are right and the vowels do not
    // outnumber the letters.
    void accept() override;

private:
    LettersOptions options_;
    bool countsChanged_ = false;
    ChifEdit* vowelsBox_ = nullptr;
    ChifEdit* lettersBox_ = nullptr;
    QCheckBox* autoChoice_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
};

} // namespace lexinum
