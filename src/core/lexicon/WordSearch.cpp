#include "WordSearch.h"

#include "common/Cp1252.h"
#include "common/Random15.h"
#include "common/SearchChannel.h"
#include "lexicon/LetterKey.h"
#include "lexicon/LexiconSet.h"
#include "lexicon/LexiconTexts.h"

#include <algorithm>
#include <system_error>

namespace lexinum {

namespace {

// The header written before the words of a group.
std::string GroupHeader(int length) {
    return " " + std::to_string(length) + " lettres:   \r\n";
}

// Below this many candidate keys a length is always looked up key by key: it
// costs less than finding out how large its files are.
constexpr std::uint64_t kFewCandidates = 256;

} // namespace

WordSearch::WordSearch(const LexiconSet& lexicon) : lexicon_(lexicon) {}

bool WordSearch::PrepareLetters(std::string_view letters) {
    sortedLetters_.clear();
    distinctLetters_.clear();
    multiplicity_.fill(0);
    letterCounts_.fill(0);
    distinctCount_ = 0;
    currentLength_ = 0;
    if (letters.size() > static_cast<std::size_t>(kMaxKeyLength))
        return false;
    for (const char c : letters) {
        if (c < 'A' || c > 'Z')
            return false;
    }
    sortedLetters_.assign(letters);
    std::sort(sortedLetters_.begin(), sortedLetters_.end());
    for (const char c : sortedLetters_) {
        ++letterCounts_[static_cast<std::size_t>(c - 'A')];
        if (distinctLetters_.empty() || distinctLetters_.back() != c) {
            distinctLetters_ += c;
            ++distinctCount_;
        }
        ++multiplicity_[static_cast<std::size_t>(distinctCount_ - 1)];
    }
    currentLength_ = static_cast<int>(sortedLetters_.size());
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
    if (file <= 1)
        return false;
    // Files beyond 33 wrap round the 32 bits (a true modulo, never a negative shift).
    const int bit = ((33 - file) % 32 + 32) % 32;
    return ((hiddenFiles_ >> bit) & 1U) != 0;
}

std::uint64_t WordSearch::CandidateCount(int length) const {
    const int drawn = static_cast<int>(sortedLetters_.size());
    if (length < 0 || length > drawn)
        return 0;
    // Coefficients of the product over the distinct letters of (1 + x + ... + x^m).
    std::vector<std::uint64_t> ways(static_cast<std::size_t>(drawn) + 1, 0);
    ways[0] = 1;
    int reach = 0;
    for (int d = 0; d < distinctCount_; ++d) {
        const int m = multiplicity_[static_cast<std::size_t>(d)];
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
    const int drawn = static_cast<int>(sortedLetters_.size());
    if (length < 1 || length > drawn)
        return keys;
    SearchChannel* const channel = channel_;
    channel_ = nullptr;
    workCounts_ = multiplicity_;
    if (length == drawn) {
        BuildKey();
        keys.push_back(key_);
    } else {
        auto collect = [&] {
            BuildKey();
            keys.push_back(key_);
            return true;
        };
        ForEachRemoval(drawn - length, distinctCount_ - 1, 0, collect);
    }
    channel_ = channel;
    return keys;
}

void WordSearch::BuildKey() {
    key_.clear();
    for (int d = 0; d < distinctCount_; ++d)
        key_.append(static_cast<std::size_t>(workCounts_[static_cast<std::size_t>(d)]),
                    distinctLetters_[static_cast<std::size_t>(d)]);
}

template <class Visit> bool WordSearch::ForEachRemoval(int depth, int high, int low, Visit& visit) {
    // Removing the higher letters first leaves the keys in ascending order;
    // starting each inner loop no lower than j makes every multiset of removed
    // letters come once.
    for (int j = high; j >= low; --j) {
        if (Stopped())
            return false;
        int& count = workCounts_[static_cast<std::size_t>(j)];
        if (count > 0) {
            --count;
            const bool goOn = depth == 1 ? visit() : ForEachRemoval(depth - 1, distinctCount_ - 1, j, visit);
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
    return channel_ != nullptr && channel_->searchStopped.load(std::memory_order_relaxed);
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
    if (!reader_.Open(lexicon_.LexFilePath(file))) {
        LostLexicon();
        return false;
    }
    openFile_ = file;
    return true;
}

void WordSearch::CloseFile() {
    reader_.Close();
    openFile_ = 0;
}

void WordSearch::LostLexicon() {
    CloseFile();
    if (channel_ != nullptr) {
        channel_->RecordMessage(LexiconTexts::kLostLexicon, LexiconTexts::kCaption);
        channel_->searchStopped = true;
    }
}

bool WordSearch::LookupNextKey(Mode mode) {
    BuildKey();
    currentFile_ = lexicon_.FindLexFile(key_, currentLength_, openFile_);
    if (mode == Mode::Computer && IsFileHidden(currentFile_))
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
    std::array<std::uint8_t, 26> left = letterCounts_;
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

bool WordSearch::ShouldScan(Mode mode) const {
    if (strategy_ != Strategy::Automatic)
        return strategy_ == Strategy::ScanLines;
    const std::uint64_t candidates = CandidateCount(currentLength_);
    if (candidates < kFewCandidates)
        return false;
    const int first = lexicon_.FirstFile(currentLength_);
    const int last = lexicon_.LastFile(currentLength_);
    if (first == 0)
        return false;
    // A line holds at least its key, a space, one word and its line end.
    std::uint64_t bytes = 0;
    for (int file = first; file <= last; ++file) {
        if (mode == Mode::Computer && IsFileHidden(file))
            continue;
        std::error_code error;
        const auto size = std::filesystem::file_size(lexicon_.LexFilePath(file), error);
        if (!error)
            bytes += size;
    }
    const std::uint64_t lines = bytes / static_cast<std::uint64_t>(2 * currentLength_ + 3);
    return candidates > lines;
}

void WordSearch::ScanLength(Mode mode) {
    const int first = lexicon_.FirstFile(currentLength_);
    const int last = lexicon_.LastFile(currentLength_);
    if (first == 0)
        return;
    const auto length = static_cast<std::size_t>(currentLength_);
    for (int file = first; file <= last && !Stopped(); ++file) {
        if (mode == Mode::Computer && IsFileHidden(file))
            continue;
        if (!OpenLexFile(file))
            return;
        currentFile_ = file;
        while (!Stopped() && reader_.NextLine()) {
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
    else if (removed == 0)
        LookupNextKey(mode);
    else
        EnumerateRemovals(removed, distinctCount_ - 1, 0, mode);
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
    if (mode == Mode::Solutions && newGroup_) {
        solutions_.clear();
        std::string& text = channel_->solverText;
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
    std::stable_sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
        const std::size_t common = std::min(a.size(), b.size());
        for (std::size_t i = 0; i < common; ++i) {
            const auto x = static_cast<unsigned char>(FoldLetter(a[i]));
            const auto y = static_cast<unsigned char>(FoldLetter(b[i]));
            if (x != y)
                return x < y;
        }
        return a.size() < b.size();
    });
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
    AppendList(channel_->solverText, solutions_);
}

void WordSearch::StartSearch(SearchChannel& channel) {
    channel_ = &channel;
    foundAtLength_ = false;
    foundAny_ = false;
    currentFile_ = 0;
    CloseFile();
    workCounts_ = multiplicity_;
    solutions_.clear();
    groupLength_ = 0;
    currentLength_ = static_cast<int>(sortedLetters_.size());
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
    std::string& text = channel.solverText;
    if (!foundAny_) {
        text = kNoWordText;
        solutions_.clear();
        groupLength_ = 0;
    } else if (!StopAsked() && !foundAtLength_) {
        text = kNoMoreText;
        solutions_.clear();
        groupLength_ = 0;
    } else if (foundAtLength_) {
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
            channel.solverText += GroupHeader(bestLength_) + Cp1252::ToUtf8(computerWord_) + "\r\n";
            solutions_.clear();
            channel_ = nullptr;
            channel.searchStopped = true;
            channel.computerDone.Set();
            return;
        }
        --currentLength_;
        if (removed == drawn - 1)
            break;
        SearchLength(removed, Mode::Computer);
    }
    CloseFile();
    channel.solverText = kNoWordText;
    bestLength_ = 0;
    solutions_.clear();
    channel_ = nullptr;
    channel.searchStopped = true;
    channel.computerDone.Set();
}

} // namespace lexinum
