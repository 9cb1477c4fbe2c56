#pragma once

#include "lexicon/WordCheck.h"
#include "lexicon/WordEntryButtons.h"
#include "presentation/OverResultsDialog.h"

#include <QRect>

#include <array>
#include <functional>
#include <string>
#include <string_view>

class QPushButton;

namespace lexinum {

class MotEnterButton;
class MotEnterEdit;

// The word entry: laid exactly over the pane's results box while it is open,
// a field for the word, a button for each drawn letter, "O&K", "E&ffacer"
// and "Annuler". A letter button hides while its letter is in the word and
// comes back when it leaves it. OK judges the word; "Annuler" (or Escape)
// leaves no answer. In a match the word typed when the time is over is judged
// as if OK had been pressed.
class MotEnterDialog : public OverResultsDialog {
    Q_OBJECT

public:
    // Judges the player's word (capitals A to Z).
    using Judge = std::function<WordCheckResult(const std::string& word)>;

    // The help topic of the word entry.
    static constexpr HelpTopic kHelpTopic = HelpTopic::LetterEntry;
    // The seconds the player has for his word in a match.
    static constexpr int kSeconds = 40;

    // A dialog covering `area` (screen coordinates) for the draw `letters`.
    MotEnterDialog(QWidget* parent, AppServices& app, const QRect& area, std::string_view letters, Judge judge);

    // The answer: the word (empty for none), its length and its verdict
    // (no answer until OK).
    const std::string& Word() const { return word_; }
    int WordLength() const { return static_cast<int>(word_.size()); }
    WordCheckResult Result() const { return result_; }

    MotEnterEdit* Edit() const { return edit_; }
    MotEnterButton* LetterButton(int index) const { return letterButtons_.at(static_cast<std::size_t>(index)); }
    QPushButton* OkButton() const { return okButton_; }
    QPushButton* EraseButton() const { return eraseButton_; }
    QPushButton* CancelButton() const { return cancelButton_; }

    // The close query of OK and of the time-out: reads the word and judges it.
    void accept() override;
    // "E&ffacer": empties the word and brings every letter button back.
    void Erase();

private:
    void PlaceControls(const QSize& size);
    void LetterPressed(int index);
    void FollowEdit(const QString& before, const QString& selected, int selectionStart, const QString& after);
    void ShowButtons();

    Judge judge_;
    WordEntryButtons buttons_;
    MotEnterEdit* edit_ = nullptr;
    std::array<MotEnterButton*, WordEntryButtons::kButtonCount> letterButtons_{};
    QPushButton* okButton_ = nullptr;
    QPushButton* eraseButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    std::string word_;
    WordCheckResult result_ = WordCheckResult::NoAnswer;
};

} // namespace lexinum
