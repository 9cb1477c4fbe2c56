#pragma once

#include "lexicon/LexiconLocator.h"
#include "presentation/HelpKeyFilter.h"
#include "shell/HelpTopic.h"

#include <QFileDialog>

#include <string>

namespace lexinum {

class AppServices;
class LexiconSet;
class SearchChannel;

// The lexicon location dialog: the player picks any file of a lexicon folder
// ("Lexiques (*.lex)" or any file); the folder is then checked, and repaired
// once the player agrees. A folder that is refused keeps the dialog open. The
// lexicon is changed only when a folder is adopted.
class LexFindDialog : public QFileDialog {
    Q_OBJECT

public:
    static constexpr HelpTopic kHelpTopic = HelpTopic::Lexicon;

    // Locates a lexicon for `lexicon`, of radical `radical` ("ANY" for any),
    // starting at `startAt` (a folder, or a file chosen before). `search` is
    // the pane's search, stopped before an index is rewritten.
    LexFindDialog(QWidget* parent, AppServices& app, LexiconSet& lexicon, const std::string& radical,
                  const QString& startAt, SearchChannel* search);

    // The file the player picked last, empty if none.
    const QString& ChosenFile() const { return chosenFile_; }

    // Checks the folder of the file picked: adopted, the dialog closes;
    // refused, it stays open.
    void accept() override;

private:
    AppServices& app_;
    HelpKeyFilter helpKeys_;
    LexiconSet& lexicon_;
    std::string radical_;
    SearchChannel* search_;
    QString chosenFile_;
};

} // namespace lexinum
