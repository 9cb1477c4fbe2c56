#pragma once

#include "presentation/CenteredDialog.h"

#include <string>

class QLineEdit;
class QPushButton;

namespace lexinum {

class LexiconSet;

// The chosen draw: "Choisissez voyelle ou consonne". Each press of
// "&Voyelle" or "&Consonne" draws a letter from the lexicon's bags; once the
// draw holds its letters the dialog closes by itself. It cannot be given up.
// Sized for the number of letters in the big font, centred over the pane.
class LettrEnterDialog : public CenteredDialog {
    Q_OBJECT

public:
    static constexpr HelpTopic kHelpTopic = HelpTopic::LetterEntry;

    // A draw of `letterCount` letters from `lexicon`'s bags, which are
    // filled again first (training).
    LettrEnterDialog(QWidget* parent, AppServices& app, LexiconSet& lexicon, int letterCount);

    // The letters drawn so far.
    const std::string& Letters() const { return letters_; }
    // The client size the dialog takes for `letterCount` letters.
    static QSize ClientSize(const AppServices& app, int letterCount);

    QLineEdit* Field() const { return field_; }
    QPushButton* VowelButton() const { return vowelButton_; }
    QPushButton* ConsonantButton() const { return consonantButton_; }

    // Draws a vowel, or a consonant, into the draw.
    void PickVowel();
    void PickConsonant();

    // The draw cannot be abandoned: giving up does nothing.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Add(char letter, const QString& kind);
    // Tells a screen reader `text` ("Voyelle E"): the field's description and
    // that of the button holding the focus.
    void Describe(const QString& text);

    LexiconSet& lexicon_;
    int letterCount_;
    std::string letters_;
    QLineEdit* field_ = nullptr;
    QPushButton* vowelButton_ = nullptr;
    QPushButton* consonantButton_ = nullptr;
};

} // namespace lexinum
