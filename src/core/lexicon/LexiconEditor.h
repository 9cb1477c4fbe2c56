#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lexinum {

class LexiconSet;
class Prompter;
class SearchChannel;

// The player's changes to a lexicon: adding words and removing them, one word
// at a time, each recorded in the journal "lex.log" of the lexicon folder.
//
// Words are Windows-1252 bytes, stored and removed exactly as typed (case and
// accents kept); only their key is folded. A lexicon file is changed by
// writing its whole new text to "<radical><nn>.tmp" beside it, syncing it and
// renaming it over the file, so a reader sees the old file or the new one,
// never a part; when the file's first line changes, the index "lex.ini" is
// rewritten whole in one step as well, and a change that the index cannot
// follow is undone. Every refusal and failure is told through the prompter,
// naming the word.
class LexiconEditor {
public:
    // Which change is asked.
    enum class Mode { Add, Remove };

    // How one word's change ended.
    enum class Outcome {
        Done,             // the file was rewritten (and the index when needed)
        TooShort,         // a word of one letter
        AlreadyThere,     // adding a spelling the lexicon holds
        NotThere,         // removing a spelling the lexicon does not hold
        OutOfLimits,      // no lexicon file holds words of that length
        Lost,             // the lexicon file cannot be opened or read
        LineTooLong,      // the key's line would no longer fit in a lexicon line
        LastOfFile,       // removing it would leave its file empty
        ChangedElsewhere, // the file no longer holds what it was found to hold
        WriteFailed,      // the file or the index could not be written: nothing changed
        Unusable,         // the lexicon cannot be used as it is
    };

    // The local date and time of a change, as the journal records it.
    struct Moment {
        unsigned day = 1;
        unsigned month = 1;
        unsigned year = 2000;
        unsigned hour = 0;
        unsigned minute = 0;
        unsigned second = 0;
        // The local time now.
        static Moment Now();
    };

    // Results of FindWordForChange that are no file number.
    static constexpr int kNoChange = -7;
    static constexpr int kOutOfLimits = -6;
    static constexpr int kFileLost = -3;
    // The most characters the player's text is read to.
    static constexpr std::size_t kMaxTextLength = 199;
    // The journal, in the lexicon folder.
    static constexpr const char* kJournalName = "lex.log";
    static constexpr const char* kJournalHeader = "*** Fichier journal des modifications du lexique ***\r\n\r\n";

    // Changes `lexicon` (kept by the caller). Messages go to `prompter` (the
    // active one if null); `search`, when given, is told to stop before the
    // index is rewritten.
    explicit LexiconEditor(LexiconSet& lexicon, Prompter* prompter = nullptr, SearchChannel* search = nullptr);

    // Called with the status text while a file is rewritten, then with an
    // empty text.
    std::function<void(const std::string& status)> onStatus;

    // The player's text made into words: at most 199 characters, and every
    // character that is neither a letter (after folding, A to Z) nor a space,
    // CR or LF becomes a space; so "porte-clé" is two words and a capital É
    // splits a word.
    static std::string CleanText(std::string_view text);
    // The words of a text cleaned by CleanText, split at spaces, CR and LF.
    static std::vector<std::string> SplitWords(std::string_view text);

    // The question asked before a word is changed (UTF-8).
    static std::string Question(std::string_view word, Mode mode);
    // The status text shown while a word is written (UTF-8).
    static std::string StatusText(Mode mode);

    // The file where the word's change is to be made (1 to 99), or kNoChange
    // (adding a spelling present, removing one absent), kOutOfLimits (no file
    // for that length, or more than 27 letters) or kFileLost (the file cannot
    // be read; the lost-lexicon message is told and the search stopped).
    int FindWordForChange(std::string_view word, std::string_view key, Mode mode);

    // Adds or removes one word (a word of the player, not yet checked): every
    // check, the rewrite of its file, the index when the file's first line
    // changed, and the journal line when the change was made.
    Outcome Change(std::string_view word, Mode mode, const Moment& when);

    // Appends the journal line of a change to "lex.log" (created with its
    // header when missing, after saying so). False, after saying so, when the
    // journal cannot be written.
    bool AppendJournal(std::string_view word, Mode mode, const Moment& when);
    // One journal line, CR LF included: the word padded to 27 characters,
    // "ajouté le" or "supprimé le", then the date and time.
    static std::string JournalLine(std::string_view word, Mode mode, const Moment& when);

private:
    // A line of a lexicon file, with the line end it had (possibly none).
    struct Line {
        std::string text;
        std::string end;
    };
    // The new text of the file, or an outcome other than Done.
    Outcome AddWordToFile(std::vector<Line>& lines, std::string_view word, std::string_view key);
    Outcome RemoveWordFromFile(std::vector<Line>& lines, std::string_view word, std::string_view key);
    // Reads file n into lines; false when it cannot be read.
    bool ReadLines(int file, std::string& bytes, std::vector<Line>& lines) const;
    // Writes file n's new text and, when its first key changed, the index;
    // undoes the file when the index cannot follow.
    bool Rewrite(int file, const std::string& oldBytes, const std::string& newBytes, bool firstChanged);
    void Tell(const std::string& text) const;

    LexiconSet& lexicon_;
    Prompter* prompter_;
    SearchChannel* search_;
};

} // namespace lexinum
