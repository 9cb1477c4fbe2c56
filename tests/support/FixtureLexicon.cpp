#include "FixtureLexicon.h"

#include <gtest/gtest.h>

namespace lexinum::test {

FixtureLexicon::FixtureLexicon(const std::vector<std::string>& words, const std::string& radical, int minFiles,
                               int maxFiles)
    : directory_(folder_ / "lexiques") {
    LexiconBuilder builder(radical);
    builder.SetFileCountRange(minFiles, maxFiles);
    for (const std::string& word : words)
        builder.AddWord(word);
    std::string error;
    if (!builder.Write(directory_, &error))
        ADD_FAILURE() << "fixture lexicon not built: " << error;
    summary_ = builder.GetSummary();
}

LexiconSet FixtureLexicon::Load() const {
    LexiconSet set;
    const bool complete = set.ReadLexIni(directory_).Complete();
    EXPECT_TRUE(complete) << "fixture lexicon index at " << directory_;
    return set;
}

} // namespace lexinum::test
