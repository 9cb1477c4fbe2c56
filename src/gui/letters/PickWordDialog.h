#pragma once

#include "lexicon/LexiconEditor.h"
#include "presentation/CenteredDialog.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace lexinum {

class LexiconSet;
class SearchChannel;

// "Ajouter des mots" / "Supprimer des mots": the player types words (or takes
// them from the solutions selected in the results box); on OK each word is
// confirmed and then added to the lexicon or removed from it, one after the
// other, every refusal told, and the dialog closes when all are handled.
// It opens centred over the frame.
class PickWordDialog : public CenteredDialog {
    Q_OBJECT

public:
    using Mode = LexiconEditor::Mode;

    // `selection`: the text selected in the results box, put in the edit with
    // what is not a letter made a space. The changes go to `lexicon` (kept by
    // the pane); `search` is told to stop before the index is rewritten.
    PickWordDialog(QWidget* parent, AppServices& app, Mode mode, LexiconSet& lexicon, SearchChannel* search,
                   const QString& selection);

    // The words typed, as the edit takes them (at most 199 characters,
    // letters, spaces and line breaks only).
    static QString CleanedText(const QString& text);

    QPlainTextEdit* Edit() const { return edit_; }
    QLabel* Prompt() const { return prompt_; }
    QPushButton* OkButton() const { return okButton_; }
    // Words added or removed since the dialog opened.
    int Changes() const { return changes_; }

    // OK: handles every word of the text, then closes.
    void accept() override;

private:
    Mode mode_;
    LexiconSet& lexicon_;
    SearchChannel* search_;
    QLabel* prompt_ = nullptr;
    QPlainTextEdit* edit_ = nullptr;
    QPushButton* okButton_ = nullptr;
    int changes_ = 0;
};

} // namespace lexinum
