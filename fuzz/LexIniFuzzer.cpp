// The lexicon index "lex.ini" on any bytes, beside a small lexicon: the
// folder taken as the lexicon location dialog takes it (read, repaired when
// incomplete), then the words checked. An index adopted must read back
// complete; once repaired whole, every word of the lexicon must be found.

#include "FuzzSupport.h"

#include "lexicon/LexiconBuilder.h"
#include "lexicon/LexiconLocator.h"
#include "lexicon/LexiconSet.h"
#include "lexicon/WordCheck.h"

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace lexinum;

namespace {

// The lexicon's words as the list gives them and as the player types them.
struct Word {
    const char* listed;
    const char* typed;
};
constexpr Word kWords[] = {{"le", "LE"},
                           {"la", "LA"},
                           {"les", "LES"},
                           {"sel", "SEL"},
                           {"mot", "MOT"},
                           {"mots", "MOTS"},
                           {"long", "LONG"},
                           {"plus", "PLUS"},
                           {"élève", "ELEVE"},
                           {"été", "ETE"},
                           {"jouer", "JOUER"},
                           {"lexique", "LEXIQUE"},
                           {"ordinateur", "ORDINATEUR"}};

// Agrees to every repair.
class AgreeingPrompter : public Prompter {
public:
    PromptAnswer Ask(const std::string&, const std::string&, PromptIcon, PromptButtons buttons) override {
        return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel ? PromptAnswer::Yes
                                                                                        : PromptAnswer::Ok;
    }
};

const std::filesystem::path& LexiconFolderPath() {
    static const std::filesystem::path folder = [] {
        const std::filesystem::path made = fuzz::ScratchFolder() / "lexique";
        LexiconBuilder builder;
        for (const Word& word : kWords)
            builder.AddWord(word.listed);
        std::string error;
        if (!builder.Write(made, &error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            std::abort();
        }
        return made;
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static AgreeingPrompter prompter;
    static const std::filesystem::path& folder = LexiconFolderPath();
    Prompter::SetActive(&prompter);
    fuzz::WriteBytes(folder / LexiconSet::kIndexName, fuzz::Bytes(data, size));

    LexiconSet lexicon;
    LexiconLocator locator(prompter);
    const LexiconLocator::Outcome outcome = locator.Accept(lexicon, folder, "ANY");
    if (!outcome.adopted)
        return 0;
    if (!lexicon.Ready())
        std::abort();
    LexiconSet again;
    if (!again.ReadLexIni(folder).Complete() || again.FirstFiles() != lexicon.FirstFiles() ||
        again.LastFiles() != lexicon.LastFiles() || again.FirstEntries() != lexicon.FirstEntries() ||
        again.VowelWeights() != lexicon.VowelWeights() || again.ConsonantWeights() != lexicon.ConsonantWeights())
        std::abort();

    constexpr int kRebuilt = LexiconSet::kMissingFirstEntry | LexiconSet::kMissingRange;
    for (const Word& word : kWords) {
        const WordCheckResult verdict = CheckWord(lexicon, word.typed, word.typed, nullptr, &prompter);
        if ((outcome.repairs & kRebuilt) == kRebuilt && verdict != WordCheckResult::Accepted)
            std::abort();
    }
    CheckWord(lexicon, "ZZTOPAEIB", "ZOB", nullptr, &prompter);
    return 0;
}
