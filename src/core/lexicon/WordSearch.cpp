#include "WordSearch.h"

#include "common/Cp1252.h"
#include "common/Random15.h"
#include "common/SearchChannel.h"
#include "lexicon/LetterKey.h"
#include "lexicon/LexiconFolder.h"
#include "lexicon/LexiconSet.h"
#include "lexicon/LexiconTexts.h"

#include <algorithm>
#include <system_error>

namespace lexinum {

namespace {

// The header written before the words of a group.
std::string GroupHeader(int length) {
    std::string header = " ";
    header += std::to_string(length);
    header += " lettres:   \r\n";
    return header;
}

// Below this many candidate keys a length is always looked up key by key: it
// costs less than finding out how large its files are.
constexpr std::uint64_t kFewCandidates = 256;
// Looking up one candidate key costs about as much as testing this many lines
// of a file read through: past that many candidates per line, reading every
// line is cheaper.
constexpr std::uint64_t kLeapCostInLines = 8;

} // namespace

WordSearch::WordSearch(const LexiconSet& lexicon) : source_(lexicon), lexicon_(lexicon) {}

bool WordSearch::PrepareLetters(std::string_view letters) {
    drawn_ = Letters{};
    if (letters.size() > static_cast<std::size_t>(kMaxKeyLength))
        return false;
    for (const char c : letters) {
        if (c < 'A' || c > 'Z')
            return false;
    }
    drawn_.sorted.assign(letters);
    std::sort(drawn_.sorted.begin(), drawn_.sorted.end());
    for (const char c : drawn_.sorted) {
        ++drawn_.counts[static_cast<std::size_t>(c - 'A')];
        if (drawn_.distinct.empty() || drawn_.distinct.back() != c) {
            drawn_.distinct += c;
            ++drawn_.distinctCount;
        }
        ++drawn_.multiplicity[static_cast<std::size_t>(drawn_.distinctCount - 1)];
    }
    return true;
}

void WordSearch::ChooseHiddenFiles(int level) {
    level = std::clamp(level, 1, 6);
    const int toHide = 32 - (1 << (level - 1));
    hiddenFiles_ = 0;
    int remaining = 32;
    for (int n = 0; n < toHide; ++n) {
        // The k-th bit still clear, counting from bit 0, is hidden.
        int k = Random15::Below(remaining) + 1;
        for (int bit = 0; bit < 32; ++bit) {
            const std::uint32_t mask = std::uint32_t{1} << bit;
            if ((hiddenFiles_ & mask) == 0 && --k == 0) {
                hiddenFiles_ |= mask;
                break;
            }
        }
        --remaining;
    }
}

bool WordSearch::IsFileHidden(int file) const {
    return HiddenIn(hiddenFiles_, file);
}

bool WordSearch::HiddenIn(std::uint32_t mask, int file) {
    if (file <= 1)
        return false;
    // Files beyond 33 wrap round the 32 bits (a true modulo, never a negative shift).
    const int bit = ((33 - file) % 32 + 32) % 32;
    return ((mask >> bit) & 1U) != 0;
}

std::uint64_t WordSearch::CandidateCount(int length) const {
    return CountCandidates(drawn_, length);
}

std::uint64_t WordSearch::CountCandidates(const Letters& letters, int length) {
    const int drawn = static_cast<int>(letters.sorted.size());
    if (length < 0 || length > drawn)
        return 0;
    // Coefficients of the product over the distinct letters of (1 + x + ... + x^m).
    std::vector<std::uint64_t> ways(static_cast<std::size_t>(drawn) + 1, 0);
    ways[0] = 1;
    int reach = 0;
    for (int d = 0; d < letters.distinctCount; ++d) {
        const int m = letters.multiplicity[static_cast<std::size_t>(d)];
        reach += m;
        for (int k = reach; k >= 0; --k) {
            std::uint64_t sum = 0;
            for (int t = 0; t <= m && t <= k; ++t)
                sum += ways[static_cast<std::size_t>(k - t)];
            ways[static_cast<std::size_t>(k)] = sum;
        }
    }
    return ways[static_cast<std::size_t>(length)];
}

std::vector<std::string> WordSearch::CandidateKeys(int length) {
    std::vector<std::string> keys;
    letters_ = drawn_;
    const int drawn = static_cast<int>(letters_.sorted.size());
    if (length < 1 || length > drawn)
        return keys;
    // Without a channel nothing stops the enumeration: every key comes.
    SearchChannel* const channel = channel_;
    channel_ = nullptr;
    workCounts_ = letters_.multiplicity;
    if (length == drawn) {
        BuildKey();
        keys.push_back(key_);
    } else {
        auto collect = [&] {
            BuildKey();
            keys.push_back(key_);
            return true;
        };
        ForEachRemoval(drawn - length, letters_.distinctCount - 1, 0, collect);
    }
    channel_ = channel;
    return keys;
}

void WordSearch::BuildKey() {
    char built[kMaxKeyLength];
    std::size_t size = 0;
    for (int d = 0; d < letters_.distinctCount; ++d) {
        const char letter = letters_.distinct[static_cast<std::size_t>(d)];
        for (int n = workCounts_[static_cast<std::size_t>(d)]; n > 0; --n)
            built[size++] = letter;
    }
    key_.assign(built, size);
}

template <class Visit> bool WordSearch::ForEachRemoval(int depth, int high, int low, Visit& visit) {
    // Removing the higher letters first leaves the keys in ascending order;
    // starting each inner loop no lower than j makes every multiset of removed
    // letters come once.
    for (int j = high; j >= low; --j) {
        if (channel_ != nullptr && Stopped())
            return false;
        int& count = workCounts_[static_cast<std::size_t>(j)];
        if (count > 0) {
            --count;
            const bool goOn = depth == 1 ? visit() : ForEachRemoval(depth - 1, letters_.distinctCount - 1, j, visit);
            ++count;
            if (!goOn)
                return false;
        }
    }
    return true;
}

void WordSearch::EnumerateRemovals(int depth, int high, int low, Mode mode) {
    auto lookUp = [&] {
        LookupNextKey(mode);
        return !Stopped();
    };
    ForEachRemoval(depth, high, low, lookUp);
}

bool WordSearch::StopAsked() const {
    return channel_ != nullptr && channel_->StopAsked();
}

bool WordSearch::GroupFull() const {
    return !newGroup_ && solutions_.size() >= static_cast<std::size_t>(kMaxSolutions);
}

bool WordSearch::Stopped() const {
    // Once a group holds all the words it can keep, the rest of its length
    // would change nothing that is shown.
    return StopAsked() || GroupFull();
}

bool WordSearch::OpenLexFile(int file) {
    CloseFile();
    if (StopAsked())
        return false;
    const std::shared_ptr<LexiconFolder>& folder = lexicon_.Folder();
    if (folder == nullptr) {
        LostLexicon();
        return false;
    }
    // A file is taken once per search, from the folder its index was read
    // from: the bytes kept from an earlier search when it has not changed.
    const auto slot = static_cast<std::size_t>(file);
    const std::string name = LexiconSet::LexFileName(lexicon_.Radical(), file);
    if (!taken_[slot]) {
        bool lost = false;
        held_[slot] = folder->Bytes(name, lost);
        if (lost) {
            LostLexicon();
            return false;
        }
    }
    if (held_[slot] != nullptr) {
        reader_.OpenBytes(*held_[slot]);
    } else {
        const std::uint64_t known = FileSize(file);
        const std::int64_t size = known > 0 ? static_cast<std::int64_t>(known) : -1;
        if (!reader_.OpenAt(folder->Descriptor(), name, size)) {
            LostLexicon();
            return false;
        }
    }
    openFile_ = file;
    if (!taken_[slot]) {
        taken_[slot] = true;
        // The file must begin where the index says (an empty one does not):
        // otherwise the keys the index sends to it may lie elsewhere.
        const bool begins = reader_.NextLine();
        const std::string_view line = reader_.Line();
        const std::string_view key = line.substr(0, std::min(line.find(' '), LexiconSet::kMaxEntryLength));
        if (reader_.Failed()) {
            LostLexicon();
            return false;
        }
        if (!begins || key != lexicon_.FirstEntry(file)) {
            CloseFile();
            GiveUp(LexiconTexts::IndexMismatch(lexicon_.LexFilePath(file).string()));
            return false;
        }
        // Back to the start, the first line not yet taken.
        if (held_[slot] != nullptr) {
            reader_.OpenBytes(*held_[slot]);
        } else if (!reader_.OpenAt(folder->Descriptor(), name)) {
            LostLexicon();
            return false;
        }
    }
    return true;
}

void WordSearch::CloseFile() {
    reader_.Close();
    openFile_ = 0;
}

void WordSearch::GiveUp(const std::string& text) {
    gaveUp_ = true;
    if (channel_ != nullptr)
        channel_->GiveUp(text, LexiconTexts::kCaption);
}

void WordSearch::LostLexicon() {
    CloseFile();
    if (channel_ == nullptr)
        return;
    // A file gone because another lexicon took the folder's place is no lost lexicon.
    if (lexicon_.Folder() != nullptr && !lexicon_.StillCurrent())
        GiveUp(LexiconTexts::kChangedLexicon);
    else
        GiveUp(LexiconTexts::kLostLexicon);
}

bool WordSearch::LookupNextKey(Mode mode) {
    BuildKey();
    currentFile_ = lexicon_.FindLexFile(key_, currentLength_, openFile_);
    if (mode == Mode::Computer && HiddenIn(workHidden_, currentFile_))
        currentFile_ = 0;
    if (currentFile_ == 0)
        return false;
    if (currentFile_ != openFile_ && !OpenLexFile(currentFile_))
        return false;
    const int order = reader_.SeekKey(key_);
    if (reader_.Failed()) {
        LostLexicon();
        return false;
    }
    if (order != 0)
        return false;
    AddHit(reader_.Line(), mode);
    return true;
}

bool WordSearch::KeyFits(std::string_view key) const {
    std::array<std::uint8_t, 26> left = letters_.counts;
    char previous = 'A';
    for (const char c : key) {
        // A key is sorted capitals; anything else is no key of the drawn letters.
        if (c < previous || c > 'Z')
            return false;
        previous = c;
        std::uint8_t& count = left[static_cast<std::size_t>(c - 'A')];
        if (count == 0)
            return false;
        --count;
    }
    return true;
}

const std::filesystem::path& WordSearch::FilePath(int file) {
    const auto slot = static_cast<std::size_t>(file);
    if (slot >= filePaths_.size())
        filePaths_.resize(slot + 1);
    if (filePaths_[slot].empty())
        filePaths_[slot] = lexicon_.LexFilePath(file);
    return filePaths_[slot];
}

std::uint64_t WordSearch::FileSize(int file) {
    const auto slot = static_cast<std::size_t>(file);
    if (slot >= fileSizes_.size())
        fileSizes_.resize(slot + 1, -1);
    if (fileSizes_[slot] < 0) {
        std::error_code error;
        const auto size = std::filesystem::file_size(FilePath(file), error);
        fileSizes_[slot] = error ? 0 : static_cast<std::int64_t>(size);
    }
    return static_cast<std::uint64_t>(fileSizes_[slot]);
}

bool WordSearch::ShouldScan(Mode mode) {
    if (workStrategy_ != Strategy::Automatic)
        return workStrategy_ == Strategy::ScanLines;
    const std::uint64_t candidates = CountCandidates(letters_, currentLength_);
    if (candidates < kFewCandidates)
        return false;
    const int first = lexicon_.FirstFile(currentLength_);
    const int last = lexicon_.LastFile(currentLength_);
    if (first == 0)
        return false;
    std::uint64_t bytes = 0;
    for (int file = first; file <= last; ++file) {
        if (mode != Mode::Computer || !HiddenIn(workHidden_, file))
            bytes += FileSize(file);
    }
    // A line holds at least its key, a space, one word and its line end.
    const std::uint64_t lines = bytes / static_cast<std::uint64_t>(2 * currentLength_ + 3);
    return candidates * kLeapCostInLines > lines;
}

void WordSearch::ScanLength(Mode mode) {
    const int first = lexicon_.FirstFile(currentLength_);
    const int last = lexicon_.LastFile(currentLength_);
    if (first == 0)
        return;
    const auto length = static_cast<std::size_t>(currentLength_);
    for (int file = first; file <= last && !Stopped(); ++file) {
        if (mode == Mode::Computer && HiddenIn(workHidden_, file))
            continue;
        if (!OpenLexFile(file))
            return;
        currentFile_ = file;
        while (!Stopped() && reader_.NextLine() && !reader_.Failed()) {
            const std::string_view line = reader_.Line();
            if (line.size() > length && line[length] == ' ' && KeyFits(line.substr(0, length)))
                AddHit(line, mode);
        }
        if (reader_.Failed()) {
            LostLexicon();
            return;
        }
    }
}

void WordSearch::SearchLength(int removed, Mode mode) {
    if (currentLength_ < kMinKeyLength || currentLength_ > kMaxKeyLength)
        return;
    if (ShouldScan(mode))
        ScanLength(mode);
    else if (workStrategy_ != Strategy::EnumerateKeys)
        LeapLength(mode);
    else if (removed == 0)
        LookupNextKey(mode);
    else
        EnumerateRemovals(removed, letters_.distinctCount - 1, 0, mode);
}

bool WordSearch::NextCandidate(std::string_view from, bool after, std::string& candidate) const {
    const int length = currentLength_;
    std::array<int, 26> left{};
    for (std::size_t i = 0; i < left.size(); ++i)
        left[i] = letters_.counts[i];
    char built[kMaxKeyLength];
    // Completes `built` from position `at` with the smallest letters left from `lowest` on.
    const auto complete = [&](int at, char lowest) {
        for (int c = lowest - 'A'; c < 26 && at < length; ++c)
            for (int n = left[static_cast<std::size_t>(c)]; n > 0 && at < length; --n)
                built[at++] = static_cast<char>('A' + c);
        if (at < length)
            return false;
        candidate.assign(built, static_cast<std::size_t>(length));
        return true;
    };
    const int fromSize = static_cast<int>(from.size());

    // The longest start of `from` that a candidate can begin with.
    int kept = 0;
    char previous = 'A';
    while (kept < std::min(fromSize, length)) {
        const char c = from[static_cast<std::size_t>(kept)];
        if (c < previous || c > 'Z' || left[static_cast<std::size_t>(c - 'A')] == 0)
            break;
        --left[static_cast<std::size_t>(c - 'A')];
        built[kept] = c;
        previous = c;
        ++kept;
    }
    if (kept == fromSize) {
        if (kept == length && !after) {
            candidate.assign(from);
            return true;
        }
        // `from` itself starts candidates: the smallest of them follows it.
        if (kept < length && complete(kept, previous))
            return true;
    }
    // Otherwise raise one letter, as far to the right as possible, and complete
    // with the smallest letters left.
    for (int p = std::min(kept, length - 1); p >= 0; --p) {
        if (p < kept)
            ++left[static_cast<std::size_t>(from[static_cast<std::size_t>(p)] - 'A')];
        if (p >= fromSize)
            continue;
        const char floor = p > 0 ? from[static_cast<std::size_t>(p - 1)] : 'A';
        const int lowest = std::max<int>(from[static_cast<std::size_t>(p)] + 1, floor);
        for (int c = lowest; c <= 'Z'; ++c) {
            int& count = left[static_cast<std::size_t>(c - 'A')];
            if (count == 0)
                continue;
            --count;
            built[p] = static_cast<char>(c);
            const bool done = complete(p + 1, static_cast<char>(c));
            ++count;
            if (done)
                return true;
            break; // a higher letter would leave even fewer letters to complete with
        }
    }
    return false;
}

void WordSearch::LeapLength(Mode mode) {
    const int last = lexicon_.LastFile(currentLength_);
    std::string candidate;
    if (!NextCandidate("", false, candidate))
        return;
    // Goes on from `from`, always past the key just looked up.
    const auto goOnFrom = [this, &candidate](std::string_view from) {
        if (!NextCandidate(from, false, candidate))
            return false;
        return candidate > key_ || NextCandidate(key_, true, candidate);
    };
    // The first entry of the file after the current one (files are numbered from 1).
    const auto nextFileEntry = [this]() -> std::string_view {
        if (currentFile_ >= kMaxLexFiles)
            return {};
        return lexicon_.FirstEntry(currentFile_ + 1);
    };
    while (!Stopped()) {
        key_ = candidate;
        currentFile_ = lexicon_.FindLexFile(key_, currentLength_, openFile_);
        if (currentFile_ == 0)
            return;
        if (mode == Mode::Computer && HiddenIn(workHidden_, currentFile_)) {
            // Nothing of this file may be read: the next keys lie in the files after it.
            if (currentFile_ >= last || !goOnFrom(nextFileEntry()))
                return;
            continue;
        }
        if (currentFile_ != openFile_ && !OpenLexFile(currentFile_))
            return;
        const int order = reader_.SeekKey(key_);
        if (reader_.Failed()) {
            LostLexicon();
            return;
        }
        if (order == 0) {
            AddHit(reader_.Line(), mode);
            if (!NextCandidate(key_, true, candidate))
                return;
        } else if (order > 0) {
            // No key of the file lies between the key and this line.
            const std::string_view line = reader_.Line();
            if (!goOnFrom(line.substr(0, line.find(' '))))
                return;
        } else {
            // The file has ended: the keys still to come lie in the files after it.
            if (currentFile_ >= last || !goOnFrom(nextFileEntry()))
                return;
        }
    }
}

void WordSearch::AddLineWords(std::string_view line) {
    std::size_t pos = line.find(' ');
    while (pos != std::string_view::npos && solutions_.size() < static_cast<std::size_t>(kMaxSolutions)) {
        const std::size_t start = pos + 1;
        pos = line.find(' ', start);
        const std::string_view word = line.substr(start, pos == std::string_view::npos ? pos : pos - start);
        if (!word.empty())
            solutions_.emplace_back(word);
    }
}

void WordSearch::AddHit(std::string_view line, Mode mode) {
    // A key left without any word (a damaged line) would make an empty group.
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos || line.find_first_not_of(' ', space) == std::string_view::npos)
        return;
    if (mode == Mode::Solutions && newGroup_) {
        solutions_.clear();
        std::string& text = channel_->WorkerText();
        if (foundAny_)
            text += "\r\n";
        text += GroupHeader(currentLength_);
        newGroup_ = false;
        groupLength_ = currentLength_;
    }
    AddLineWords(line);
    foundAtLength_ = true;
    foundAny_ = true;
}

void WordSearch::SortGroup(std::vector<std::string>& words) {
    // Fold each word once; the comparison of the folded bytes (unsigned, a
    // prefix first) is then plain string order.
    std::vector<std::pair<std::string, std::size_t>> folded;
    folded.reserve(words.size());
    for (std::size_t i = 0; i < words.size(); ++i) {
        folded.emplace_back(words[i], i);
        FoldText(folded.back().first);
    }
    std::stable_sort(folded.begin(), folded.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> sorted;
    sorted.reserve(words.size());
    for (const auto& entry : folded)
        sorted.push_back(std::move(words[entry.second]));
    words = std::move(sorted);
}

void WordSearch::AppendList(std::string& text, const std::vector<std::string>& words) {
    if (words.empty())
        return;
    const int length = static_cast<int>(words.front().size());
    int total = length + 2;
    std::size_t added = 0;
    while (added < words.size() && total < kShownTextLimit) {
        text += Cp1252::ToUtf8(words[added]);
        text += ' ';
        total += length + 1;
        ++added;
    }
    if (words.size() >= static_cast<std::size_t>(kMaxSolutions) || total >= kShownTextLimit)
        text += kTooManyText;
}

void WordSearch::WriteGroup() {
    SortGroup(solutions_);
    AppendList(channel_->WorkerText(), solutions_);
}

void WordSearch::StartSearch(SearchChannel& channel) {
    channel_ = &channel;
    gaveUp_ = false;
    taken_.fill(false);
    for (auto& bytes : held_)
        bytes.reset();
    foundAtLength_ = false;
    foundAny_ = false;
    currentFile_ = 0;
    CloseFile();
    workCounts_ = letters_.multiplicity;
    solutions_.clear();
    groupLength_ = 0;
    currentLength_ = static_cast<int>(letters_.sorted.size());
    // The paths and sizes are learnt again when the lexicon is another one;
    // the sizes only guide the choice between leaping and scanning.
    if (sizesOf_ != lexicon_.LexFilePath(1)) {
        fileSizes_.clear();
        filePaths_.clear();
        sizesOf_ = lexicon_.LexFilePath(1);
    }
    // A lexicon replaced or reindexed since the pane read it is read again
    // here; one that can no longer be used is told and searched no further.
    if (!lexicon_.StillCurrent() && !lexicon_.Refresh())
        GiveUp(LexiconTexts::NoLongerUsable(lexicon_.Problem()));
}

void WordSearch::TakeInputs(SearchChannel& channel) {
    // The previous worker may still be winding down after a stop, or be
    // waiting for its caller between groups: it is told to stop (again) and
    // must be gone before its inputs are replaced.
    channel.Halt();
    letters_ = drawn_;
    workHidden_ = hiddenFiles_;
    workStrategy_ = strategy_;
    lexicon_ = source_;
}

void WordSearch::StartSolutions(SearchChannel& channel) {
    TakeInputs(channel);
    channel.Start([this](SearchChannel& worker) { SolutionsWorker(worker); });
}

void WordSearch::StartComputer(SearchChannel& channel) {
    TakeInputs(channel);
    channel.Start([this](SearchChannel& worker) { ComputerWorker(worker); });
}

void WordSearch::SolutionsWorker(SearchChannel& channel) {
    StartSearch(channel);
    newGroup_ = true;
    const int drawn = currentLength_;
    SearchLength(0, Mode::Solutions);
    for (int removed = 1; !StopAsked() && removed < drawn - 1; ++removed) {
        --currentLength_;
        CloseFile();
        if (foundAtLength_) {
            WriteGroup();
            if (!channel.HandOver()) {
                // Stopped while the group waited: the caller has been released.
                channel_ = nullptr;
                return;
            }
            foundAtLength_ = false;
        }
        newGroup_ = true;
        SearchLength(removed, Mode::Solutions);
    }
    CloseFile();
    std::string& text = channel.WorkerText();
    if (StopAsked()) {
        // A stopped search shows nothing more, not even a header written for
        // the group it was gathering.
        text.clear();
        solutions_.clear();
        groupLength_ = 0;
    } else if (!foundAny_) {
        text = kNoWordText;
        solutions_.clear();
        groupLength_ = 0;
    } else if (!foundAtLength_) {
        text = kNoMoreText;
        solutions_.clear();
        groupLength_ = 0;
    } else {
        WriteGroup();
    }
    channel_ = nullptr;
    channel.Finish("");
}

void WordSearch::ComputerWorker(SearchChannel& channel) {
    StartSearch(channel);
    newGroup_ = false;
    bestLength_ = 0;
    computerWord_.clear();
    const int drawn = currentLength_;
    SearchLength(0, Mode::Computer);
    for (int removed = 1; !StopAsked() && removed <= drawn - 1; ++removed) {
        CloseFile();
        if (foundAtLength_) {
            bestLength_ = currentLength_;
            computerWord_ = solutions_[static_cast<std::size_t>(Random15::Below(static_cast<int>(solutions_.size())))];
            channel.WorkerText() += GroupHeader(bestLength_) + Cp1252::ToUtf8(computerWord_) + "\r\n";
            solutions_.clear();
            channel_ = nullptr;
            channel.HandOverAnswer();
            return;
        }
        --currentLength_;
        if (removed == drawn - 1)
            break;
        SearchLength(removed, Mode::Computer);
    }
    CloseFile();
    channel.WorkerText() = kNoWordText;
    bestLength_ = 0;
    solutions_.clear();
    channel_ = nullptr;
    channel.HandOverAnswer();
}

} // namespace lexinum
