// The word list of "build-lexicon" on any bytes: the file read a block at a
// time counts as the same text read at once, and a lexicon written from it
// reads back complete, every word kept found in it.

#include "FuzzSupport.h"

#include "lexicon/LetterKey.h"
#include "lexicon/LexiconBuilder.h"
#include "lexicon/LexiconSet.h"
#include "lexicon/WordCheck.h"

#include <cstdlib>
#include <string>

using namespace lexinum;

namespace {

bool SameSummary(const LexiconBuilder::Summary& a, const LexiconBuilder::Summary& b) {
    return a.wordsRead == b.wordsRead && a.wordsKept == b.wordsKept && a.wordsRefused == b.wordsRefused &&
           a.linesNotUtf8 == b.linesNotUtf8 && a.duplicates == b.duplicates && a.overflowWords == b.overflowWords;
}

// The first word of the list that the lexicon keeps, as the player types it.
std::string FirstKeptWord(std::string_view text) {
    std::size_t at = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (const auto spelling = LexiconBuilder::LexiconSpelling(line)) {
            std::string typed = *spelling;
            FoldText(typed);
            return typed;
        }
        at = end + 1;
    }
    return {};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::SilentPrompter& prompter = fuzz::InstallSilentPrompter();
    static const std::filesystem::path list = fuzz::ScratchFolder() / "liste.txt";
    static const std::filesystem::path folder = fuzz::ScratchFolder() / "lexique";
    const std::string_view text = fuzz::Bytes(data, size);
    fuzz::WriteBytes(list, text);

    LexiconBuilder fromFile;
    std::string error;
    if (!fromFile.AddWordListFile(list, &error))
        std::abort();
    LexiconBuilder inMemory;
    inMemory.AddWordList(text);
    if (!SameSummary(fromFile.GetSummary(), inMemory.GetSummary()))
        std::abort();

    const bool written = fromFile.Write(folder, &error);
    if (written != (fromFile.GetSummary().wordsKept > 0))
        std::abort();
    if (!written)
        return 0;
    LexiconSet lexicon;
    if (!lexicon.ReadLexIni(folder).Complete() || lexicon.FileCount() != fromFile.GetSummary().fileCount)
        std::abort();
    const std::string word = FirstKeptWord(text);
    if (word.empty() || CheckWord(lexicon, word, word, nullptr, &prompter) != WordCheckResult::Accepted)
        std::abort();
    return 0;
}
