// A lexicon whose middle file holds any bytes: its index repaired as the
// lexicon location dialog repairs it, then the word check and the searches
// the game runs on it. With the lexicon in key order, the three ways of
// looking keys up must list the same words, and every word listed that is
// filed under its own key must be accepted by the word check.
//
// Input: one byte choosing the draw, then the bytes of the file "fr02.lex".
// With LEXINUM_FUZZ_SHOW set, the words of strategies that disagree are
// printed.

#include "FuzzSupport.h"

#include "common/SearchChannel.h"
#include "lexicon/LetterEntry.h"
#include "lexicon/LetterKey.h"
#include "lexicon/LexFileReader.h"
#include "lexicon/LexiconLocator.h"
#include "lexicon/LexiconSet.h"
#include "lexicon/WordCheck.h"
#include "lexicon/WordSearch.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace lexinum;

namespace {

// Agrees to every repair.
class AgreeingPrompter : public Prompter {
public:
    PromptAnswer Ask(const std::string&, const std::string&, PromptIcon, PromptButtons buttons) override {
        return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel ? PromptAnswer::Yes
                                                                                        : PromptAnswer::Ok;
    }
};

// Every group the solutions search hands over, each word with its length.
std::vector<std::string> Solutions(const LexiconSet& lexicon, const std::string& letters, WordSearch::Strategy strategy,
                                   std::string& message) {
    WordSearch search(lexicon);
    search.SetStrategy(strategy);
    if (!search.PrepareLetters(letters))
        std::abort();
    SearchChannel channel;
    search.StartSolutions(channel);
    std::vector<std::string> words;
    while (channel.WaitBatch()) {
        channel.TakeText();
        for (const std::string& word : search.Solutions())
            words.push_back(word);
        const bool last = channel.Complete();
        channel.Continue();
        if (last)
            break;
    }
    channel.Join();
    message = channel.TakeWorkerMessage();
    return words;
}

std::string KeyOf(std::string_view line) {
    return std::string(line.substr(0, std::min(line.find(' '), line.size())));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static AgreeingPrompter prompter;
    static const std::filesystem::path folder = fuzz::ScratchFolder() / "lexique";
    Prompter::SetActive(&prompter);
    if (size < 1)
        return 0;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    fuzz::WriteBytes(folder / "fr01.lex", "AE EA\r\nEL LE\r\nES SE\r\n");
    fuzz::WriteBytes(folder / "fr02.lex", fuzz::Bytes(data + 1, size - 1));
    fuzz::WriteBytes(folder / "fr03.lex", "EEILMNOST MOLESTINE\r\nEILMNOSTU MOULINETS\r\n");
    // An index naming the files and nothing else: the repair writes the rest.
    fuzz::WriteBytes(folder / LexiconSet::kIndexName, "[lexiques]\r\nnb_of_lexs=3\r\nlex_rad=fr\r\n");

    LexiconSet lexicon;
    LexiconLocator locator(prompter);
    if (!locator.Accept(lexicon, folder, "ANY").adopted)
        return 0;
    if (!lexicon.Ready())
        std::abort();

    // The file's lines as every reader reads them.
    std::vector<std::string> lines;
    LexFileReader reader;
    if (!reader.Open(folder / "fr02.lex"))
        std::abort();
    for (std::string line; reader.ReadLine(line);)
        lines.push_back(line);
    // A lexicon in order: keys of capitals A to Z, ascending, each length in
    // one run of files (the other two files hold keys of 2 and 9 letters).
    bool ordered = true;
    for (std::size_t i = 0; i < lines.size() && ordered; ++i) {
        const std::string key = KeyOf(lines[i]);
        ordered = key.size() >= 3 && key.size() <= 8 &&
                  std::all_of(key.begin(), key.end(), [](char c) { return c >= 'A' && c <= 'Z'; }) &&
                  (i == 0 || CompareKeyLine(key, lines[i - 1]) < 0);
    }

    // The draw: the letters of one of the file's keys and a few common ones.
    std::string letters;
    if (!lines.empty()) {
        for (const char c : KeyOf(lines[data[0] % lines.size()]))
            if (c >= 'A' && c <= 'Z' && letters.size() < 12)
                letters += c;
    }
    letters += std::string("EASITRNULO").substr(0, 1 + data[0] % 10);

    std::string message;
    const std::vector<std::string> leaping = Solutions(lexicon, letters, WordSearch::Strategy::LeapKeys, message);
    for (const WordSearch::Strategy other : {WordSearch::Strategy::EnumerateKeys, WordSearch::Strategy::ScanLines}) {
        std::string otherMessage;
        const std::vector<std::string> words = Solutions(lexicon, letters, other, otherMessage);
        if (ordered && message.empty() && otherMessage.empty() && words != leaping) {
            if (std::getenv("LEXINUM_FUZZ_SHOW") != nullptr) {
                std::fprintf(stderr, "letters %s strategy %d\n leap:", letters.c_str(), static_cast<int>(other));
                for (const std::string& w : leaping)
                    std::fprintf(stderr, " %s", w.c_str());
                std::fprintf(stderr, "\n other:");
                for (const std::string& w : words)
                    std::fprintf(stderr, " %s", w.c_str());
                std::fprintf(stderr, "\n");
            }
            std::abort();
        }
    }
    if (ordered && message.empty()) {
        // A word filed under its own key (not so a damaged line's) is accepted.
        std::vector<std::string> filed = {"EA", "LE", "SE", "MOLESTINE", "MOULINETS"};
        for (const std::string& line : lines) {
            const std::string key = KeyOf(line);
            for (std::size_t at = line.find(' '); at != std::string::npos;) {
                const std::size_t end = line.find(' ', at + 1);
                std::string word = line.substr(at + 1, end == std::string::npos ? end : end - at - 1);
                FoldText(word);
                if (!word.empty() && MakeKey(word) == key)
                    filed.push_back(word);
                at = end;
            }
        }
        for (const std::string& word : leaping) {
            std::string typed = word;
            FoldText(typed);
            // A damaged line may file a word under a key it does not fit.
            if (std::find(filed.begin(), filed.end(), typed) == filed.end() || !FitsDraw(letters, typed))
                continue;
            const WordCheckResult verdict = CheckWord(lexicon, letters, typed, nullptr, &prompter);
            if (verdict != WordCheckResult::Accepted) {
                if (std::getenv("LEXINUM_FUZZ_SHOW") != nullptr)
                    std::fprintf(stderr, "letters %s word %s verdict %d\n", letters.c_str(), typed.c_str(),
                                 static_cast<int>(verdict));
                std::abort();
            }
        }
    }

    // The computer's answer at each level's file mask.
    WordSearch computer(lexicon);
    computer.PrepareLetters(letters);
    computer.ChooseHiddenFiles(1 + data[0] % 6);
    SearchChannel channel;
    computer.StartComputer(channel);
    channel.WaitComputer();
    channel.TakeText();
    channel.Join();
    return 0;
}
