#pragma once

#include "lexicon/LexiconSet.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lexinum {

class Prompter;
class SearchChannel;

// The acceptance of a lexicon folder chosen by the player in the dialog that
// locates a lexicon: the folder is checked, its index read and, once the player
// agrees, rebuilt. The dialog only asks for the folder and shows what this
// returns; every message and question goes through the Prompter.
class LexiconLocator {
public:
    // What became of a candidate folder.
    struct Outcome {
        // The folder was adopted (the dialog closes with OK); otherwise the set
        // is left as it was and the dialog stays open.
        bool adopted = false;
        // What reading the candidate's index gave (see LexiconSet::ReadLexIni);
        // left at Ok with nothing missing when the folder was refused before
        // reading it.
        LexiconSet::IndexReading reading;
        // The repairs made (bits 2, 4, 8 of LexiconSet).
        int repairs = 0;
        // The lines of the repair report, in order.
        std::vector<std::string> reportLines;
    };

    // The dialog's title for a required radical ("ANY" for any lexicon).
    static std::string DialogTitle(std::string_view radical);

    // A locator that puts its messages and questions to `prompter`.
    explicit LexiconLocator(Prompter& prompter) : prompter_(prompter) {}

    // The pane's search, told to stop before the index is rewritten (none if null).
    SearchChannel* search = nullptr;
    // Called with true before a repair and false after it, for the status text
    // and the wait cursor.
    std::function<void(bool)> onBusy;
    // Called before each question, for the warning beep. A refusal is told
    // with the exclamation icon, whose box sounds the beep itself.
    std::function<void()> onBeep;

    // Accepts `candidate` for `lexicon`. `requiredRadical` is "ANY" (in any
    // case) or the radical a resumed game needs. On success the whole set is
    // replaced by the candidate's and marked usable; on refusal or dismissal
    // it is untouched.
    Outcome Accept(LexiconSet& lexicon, const std::filesystem::path& candidate, std::string_view requiredRadical);

private:
    void Beep() const;

    Prompter& prompter_;
};

} // namespace lexinum
