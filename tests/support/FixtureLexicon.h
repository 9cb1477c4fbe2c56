#pragma once

#include "TempFolder.h"
#include "lexicon/LexiconBuilder.h"
#include "lexicon/LexiconSet.h"

#include <filesystem>
#include <string>
#include <vector>

namespace lexinum::test {

// A lexicon built by LexiconBuilder from a few words in a temporary folder
// (removed with the fixture). With few words every key gets a file of its own;
// give a smaller file range to put several keys in one file.
class FixtureLexicon {
public:
    explicit FixtureLexicon(const std::vector<std::string>& words, const std::string& radical = "fr",
                            int minFiles = LexiconBuilder::kMinFiles, int maxFiles = LexiconBuilder::kMaxFiles);

    // The lexicon folder.
    const std::filesystem::path& Directory() const { return directory_; }
    // The temporary folder that holds the lexicon folder.
    const TempFolder& Folder() const { return folder_; }
    // What the builder kept and wrote.
    const LexiconBuilder::Summary& Summary() const { return summary_; }
    // A lexicon set that has read the fixture's index; usable (ready) when
    // the index reads complete.
    LexiconSet Load() const;

private:
    TempFolder folder_;
    std::filesystem::path directory_;
    LexiconBuilder::Summary summary_;
};

} // namespace lexinum::test
