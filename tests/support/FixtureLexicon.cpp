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
    const int status = set.ReadLexIni(directory_);
    EXPECT_EQ(status, 0) << "fixture lexicon index at " << directory_;
    set.LexOk = status == 0;
    return set;
}

} // namespace lexinum::test
