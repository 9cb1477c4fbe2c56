#pragma once

#include "presentation/CenteredDialog.h"

#include <string>

class QLineEdit;
class QPushButton;
class QTimer;

namespace lexinum {

class LexiconSet;

// The chosen draw: "Choisissez voyelle ou consonne". Each press of
// "&Voyelle" or "&Consonne" draws a letter from the lexicon's bags; once the
// draw holds its letters the dialog closes by itself. It cannot be given up.
// Sized for the number of letters in the big font, centred over the pane.
//
// In a match the player and the computer take turns: after each of the
// player's letters the computer adds one of its own, a vowel or a consonant
// at random. The player has a limited time for each pick (from the dialog's
// opening, then from the computer's letter); when it runs out the bell rings
// and a letter is picked at random for him. Each letter is followed by a
// short pause, during which no pick is taken and the player's clock stands
// still; the pause after the last letter ends with the dialog closing. The
// draw holds exactly its number of letters, whoever picks the last one.
class LettrEnterDialog : public CenteredDialog {
    Q_OBJECT

public:
    static constexpr HelpTopic kHelpTopic = HelpTopic::LetterEntry;

    // A draw of `letterCount` letters from `lexicon`'s bags. In training the
    // bags are filled again first. In a match (as the application's state
    // says when the dialog is made) they are filled again only when
    // `refillBags` is set, at the start of a set; otherwise the draw takes
    // the tiles the set's earlier draws left.
    LettrEnterDialog(QWidget* parent, AppServices& app, LexiconSet& lexicon, int letterCount, bool refillBags = true);

    // The letters drawn so far.
    const std::string& Letters() const { return letters_; }
    // The client size the dialog takes for `letterCount` letters.
    static QSize ClientSize(const AppServices& app, int letterCount);

    QLineEdit* Field() const { return field_; }
    QPushButton* VowelButton() const { return vowelButton_; }
    QPushButton* ConsonantButton() const { return consonantButton_; }

    // A pick of the player's would be taken now: always in training until
    // the draw is complete; in a match only in his turn, outside the pauses.
    bool TakingPicks() const;

    // Draws a vowel, or a consonant, into the draw for the player; nothing
    // when his pick is not being taken.
    void PickVowel();
    void PickConsonant();

    // The draw cannot be abandoned: giving up does nothing.
    void reject() override;
    // Closing stops the match's timers.
    void done(int result) override;

signals:
    // In a match, the player's turn has come: his clock runs.
    void playersTurn();
    // A letter was added, and `description` said of it ("Voyelle E",
    // "Ordinateur : consonne T", "Au hasard : voyelle A").
    void described(const QString& description);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Who picked a letter: the player, chance for a player out of time, or
    // the computer.
    enum class Picker { Player, Chance, Computer };

    void PlayerPick(bool vowel);
    void PickForPlayer();
    void Add(char letter, Picker picker);
    void EndPause();
    void StartPlayersTurn();
    bool Complete() const;
    // Says `description` of the letter just added to a screen reader.
    void Announce(const QString& description);
    // Tells a screen reader `text` ("Voyelle E"): the field's description and
    // that of the button holding the focus.
    void Describe(const QString& text);

    LexiconSet& lexicon_;
    int letterCount_;
    bool match_;
    // In a match, the player's pick is awaited (his clock runs).
    bool playersTurn_ = false;
    bool started_ = false;
    Picker lastPicker_ = Picker::Player;
    std::string letters_;
    // The match's timers: the player's time for each pick, and the pause
    // after each letter.
    QTimer* pickTimer_ = nullptr;
    QTimer* pauseTimer_ = nullptr;
    QLineEdit* field_ = nullptr;
    QPushButton* vowelButton_ = nullptr;
    QPushButton* consonantButton_ = nullptr;
};

} // namespace lexinum
