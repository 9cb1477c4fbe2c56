#pragma once

#include "lexicon/LetterTables.h"
#include "lexicon/LexiconLineReader.h"
#include "lexicon/LexiconSet.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lexinum {

class SearchChannel;

// The computer's side of the letters game: finds the lexicon words that can be
// written with the drawn letters, longest first. Two searches share the engine
// and run as the body of a worker thread on a SearchChannel:
//  - the solutions search lists every word, one group of equal length at a
//    time, each group handed over when the caller asks for it;
//  - the computer's search in a match finds the longest words among the files
//    its level lets it read and plays one of them at random.
// Keys of one length are produced in ascending order and the lexicon files are
// read forward only, so a whole length costs at most one pass over its files.
// Keys, lines and words stay in the lexicon's Windows-1252 bytes; the text
// handed to the caller is UTF-8.
class WordSearch {
public:
    // Which search a lookup serves.
    enum class Mode { Solutions, Computer };
    // How the keys of one length are looked up. All give the same words in the
    // same order:
    //  - EnumerateKeys produces every candidate key in turn and finds it in the files;
    //  - LeapKeys does the same but, when the line reached lies beyond the key,
    //    goes straight on to the first candidate at or after that line, passing
    //    over the candidates the file shows to be absent;
    //  - ScanLines reads every line of the length's files and tests its key
    //    against the drawn letters;
    //  - Automatic leaps, or scans where the candidates are so many that
    //    reading every line costs less.
    enum class Strategy { Automatic, EnumerateKeys, LeapKeys, ScanLines };

    // Most words kept in one group.
    static constexpr int kMaxSolutions = 600;
    // Bound of the text shown for one group, in characters.
    static constexpr int kShownTextLimit = 3000;
    // The closing texts of a search.
    static constexpr const char* kNoWordText = "Pas de mots de plus d'une lettre.\r\n";
    static constexpr const char* kNoMoreText = "\r\n Plus de solutions...\r\n";
    // The remark after a group that was cut.
    static constexpr const char* kTooManyText = "\r\n Trop de solutions. Des mots ont pu être omis.";

    // A search over `lexicon`. Each search works on its own copy of the
    // lexicon's state and of the draw, taken when it starts, so the pane may
    // change either as soon as it has asked a search to stop.
    explicit WordSearch(const LexiconSet& lexicon);

    // Takes the drawn letters (A to Z, at most 27) and prepares the sorted
    // letters, the distinct letters and their multiplicities. Returns false,
    // leaving no letters, when `letters` holds anything else. Run before
    // either search starts.
    bool PrepareLetters(std::string_view letters);

    // Chooses at random the lexicon files the computer may not read in a match
    // round at `level` (1 to 6): 32 - 2^(level-1) of the 32 bits of the mask
    // are set; file 1 is always readable.
    void ChooseHiddenFiles(int level);
    // Sets the mask of hidden files directly (no file hidden: 0).
    void SetHiddenFiles(std::uint32_t mask) { hiddenFiles_ = mask; }
    std::uint32_t HiddenFiles() const { return hiddenFiles_; }
    // True when the computer may not read lexicon file `file` in this round.
    bool IsFileHidden(int file) const;

    // Starts the solutions search in the channel's worker thread, on the
    // letters prepared and the lexicon as they are now. A search still
    // running on the channel is stopped and waited for first.
    void StartSolutions(SearchChannel& channel);
    // Starts the computer's search likewise (after ChooseHiddenFiles).
    void StartComputer(SearchChannel& channel);

    // The thread body of the solutions search, run by StartSolutions: hands
    // over one group at a time, longest first, then the closing text. A
    // lexicon file that cannot be opened or read records the lost-lexicon
    // message on the channel and stops the search.
    void SolutionsWorker(SearchChannel& channel);
    // The thread body of the computer's search, run by StartComputer: writes
    // its answer to the solver text and hands it over.
    void ComputerWorker(SearchChannel& channel);

    // The candidate keys of `length` letters of the prepared draw, in the
    // order the search looks them up (ascending, each once). Not while a
    // search runs.
    std::vector<std::string> CandidateKeys(int length);
    // The number of distinct keys of `length` letters that the prepared draw can form.
    std::uint64_t CandidateCount(int length) const;

    // Chooses how keys are looked up (Automatic unless told otherwise).
    void SetStrategy(Strategy strategy) { strategy_ = strategy; }

    // Appends the words of a group to `text` (UTF-8), each followed by a space,
    // while the shown text stays within its bound, then the remark if the
    // group was cut (600 words kept, or the bound reached). Words are the
    // lexicon's bytes.
    static void AppendList(std::string& text, const std::vector<std::string>& words);
    // Sorts a group in the order of its folded letters (a word that is a
    // prefix of another first); words equal once folded keep their order.
    static void SortGroup(std::vector<std::string>& words);

    // Read by the caller once a batch or the computer's answer has been handed
    // over, before it lets the worker go on:
    // the words of the group handed over (sorted), in the lexicon's bytes;
    const std::vector<std::string>& Solutions() const { return solutions_; }
    // the length of that group (0 when it is empty);
    int GroupLength() const { return groupLength_; }
    // the length of the computer's word (0 when it found none);
    int BestLength() const { return bestLength_; }
    // the computer's word, in the lexicon's bytes;
    const std::string& ComputerWord() const { return computerWord_; }
    // whether the search gave up on its lexicon (lost, damaged or changed):
    // what it handed over then says nothing of the draw.
    bool GaveUp() const { return gaveUp_; }
    // The drawn letters, sorted.
    const std::string& SortedLetters() const { return drawn_.sorted; }

private:
    // Looks up the key built from workCounts_ by streaming; true when found.
    bool LookupNextKey(Mode mode);
    // Produces, in ascending order, every key left by removing `depth` letters
    // and looks each up.
    void EnumerateRemovals(int depth, int high, int low, Mode mode);
    template <class Visit> bool ForEachRemoval(int depth, int high, int low, Visit& visit);
    // Searches the keys of currentLength_ (those left by removing `removed` letters).
    void SearchLength(int removed, Mode mode);
    // Reads every line of the current length's files and keeps the matching ones.
    void ScanLength(Mode mode);
    // Looks up the candidate keys of the current length, leaping over absent ones.
    void LeapLength(Mode mode);
    // The smallest candidate key of the current length that is not before
    // `from` (after it, when `after` is set), in `candidate`; false if none.
    bool NextCandidate(std::string_view from, bool after, std::string& candidate) const;
    // True when reading the lines of this length costs less than looking up
    // every candidate key.
    bool ShouldScan(Mode mode);
    // The size of lexicon file `file`, learnt once (0 if it cannot be known).
    std::uint64_t FileSize(int file);
    // The path of lexicon file `file`, built once.
    const std::filesystem::path& FilePath(int file);
    // A line holding a key of the drawn letters was found.
    void AddHit(std::string_view line, Mode mode);
    // Copies the words of a line into solutions_, up to the bound.
    void AddLineWords(std::string_view line);
    // Opens lexicon file `file` as the open file; false (and the search
    // stopped, the message recorded) when it cannot be opened.
    bool OpenLexFile(int file);
    void CloseFile();
    void LostLexicon();
    // Tells the caller why the search stops here, on its lexicon.
    void GiveUp(const std::string& text);
    // True when a stop was asked (or the lexicon was lost).
    bool StopAsked() const;
    // True when the lookups of this length can stop: a stop was asked or the
    // group already holds all the words it can keep.
    bool Stopped() const;
    bool GroupFull() const;
    // True when a line's key, of the current length, can be written with the drawn letters.
    bool KeyFits(std::string_view key) const;
    void BuildKey();
    // Sorts the group and writes its words after its header in the solver text.
    void WriteGroup();
    // Resets the search state before a search.
    void StartSearch(SearchChannel& channel);

    // The drawn letters: sorted, distinct, how often each distinct letter and
    // each letter A to Z was drawn.
    struct Letters {
        std::string sorted;
        std::string distinct;
        std::array<int, 26> multiplicity{};
        int distinctCount = 0;
        std::array<std::uint8_t, 26> counts{};
    };
    static std::uint64_t CountCandidates(const Letters& letters, int length);
    static bool HiddenIn(std::uint32_t mask, int file);
    // Gives the next search its own copy of the inputs, once the previous one has ended.
    void TakeInputs(SearchChannel& channel);

    // Set by the caller.
    const LexiconSet& source_;
    Letters drawn_;
    std::uint32_t hiddenFiles_ = 0;
    Strategy strategy_ = Strategy::Automatic;

    // The running search's own copies, and its state.
    LexiconSet lexicon_;
    Letters letters_;
    std::uint32_t workHidden_ = 0;
    Strategy workStrategy_ = Strategy::Automatic;
    SearchChannel* channel_ = nullptr;
    int currentLength_ = 0;
    std::array<int, 26> workCounts_{};
    std::string key_;
    int currentFile_ = 0;
    int openFile_ = 0;
    LexiconLineReader reader_;

    bool foundAtLength_ = false;
    bool foundAny_ = false;
    bool newGroup_ = false;
    std::vector<std::string> solutions_;
    int groupLength_ = 0;
    int bestLength_ = 0;
    std::string computerWord_;
    bool gaveUp_ = false;
    // The bytes of each file as this search took them (null for a file read
    // from the disk), and which files it has taken.
    std::array<std::shared_ptr<const std::string>, kMaxLexFiles + 1> held_;
    std::array<bool, kMaxLexFiles + 1> taken_{};
    std::vector<std::int64_t> fileSizes_;
    std::vector<std::filesystem::path> filePaths_;
    std::filesystem::path sizesOf_;
};

} // namespace lexinum
