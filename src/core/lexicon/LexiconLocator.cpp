#include "LexiconLocator.h"

#include "common/AsciiCase.h"
#include "common/Profile.h"
#include "common/Prompter.h"
#include "common/ReadOnlyFile.h"
#include "common/SearchChannel.h"
#include "lexicon/LexiconSet.h"
#include "lexicon/LexiconTexts.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace lexinum {

namespace fs = std::filesystem;

namespace {

// The names of the ".lex" files of a folder, sorted.
std::vector<std::string> LexFileNames(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == ".lex" && it->is_regular_file(ec))
            names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The number of files named by `radical` and two digits (01 to 99): the
// lexicon files; any other ".lex" file of the folder is no part of the lexicon.
int CountLexFiles(const std::vector<std::string>& names, const std::string& radical) {
    return static_cast<int>(std::count_if(names.begin(), names.end(), [&radical](const std::string& name) {
        if (name.size() != radical.size() + 6 || name.compare(0, radical.size(), radical) != 0)
            return false;
        const char tens = name[radical.size()];
        const char units = name[radical.size() + 1];
        return std::isdigit(static_cast<unsigned char>(tens)) && std::isdigit(static_cast<unsigned char>(units)) &&
               (tens != '0' || units != '0');
    }));
}

} // namespace

std::string LexiconLocator::DialogTitle(std::string_view radical) {
    if (SameIgnoringCase(radical, LexiconTexts::kAnyRadical))
        return LexiconTexts::kLocateTitle;
    return std::string(LexiconTexts::kLocateTitle) + " " + std::string(radical) + "xx.lex";
}

void LexiconLocator::Beep() const {
    if (onBeep)
        onBeep();
}

LexiconLocator::Outcome LexiconLocator::Accept(LexiconSet& lexicon, const fs::path& candidate,
                                               std::string_view requiredRadical) {
    Prompter& prompter = prompter_;
    const auto& busy = onBusy;
    Outcome outcome;
    std::error_code ec;
    if (!SameIgnoringCase(requiredRadical, LexiconTexts::kAnyRadical) &&
        !fs::exists(LexiconSet::LexFilePath(candidate, std::string(requiredRadical), 1), ec)) {
        prompter.Tell("Veuillez localiser les fichiers lexique " + std::string(requiredRadical) + "xx.lex.",
                      LexiconTexts::kLettersCaption, PromptIcon::Exclamation);
        return outcome;
    }

    // The candidate is read into a copy, so that a refused or dismissed folder
    // leaves the lexicon in use exactly as it was.
    LexiconSet trial = lexicon;
    const LexiconSet::IndexReading reading = trial.ReadLexIni(candidate);
    outcome.reading = reading;
    if (reading.status == LexiconSet::Status::NoLexiconFiles) {
        // An index or a folder that cannot be read says what is wrong with it.
        prompter.Tell(reading.problem.empty() ? std::string(LexiconTexts::kNoCompleteSet)
                                              : "Recherche de lexique:\r\n" + reading.problem,
                      LexiconTexts::kCaption, PromptIcon::Exclamation);
        return outcome;
    }
    if (reading.Complete()) {
        lexicon = trial;
        prompter.Tell(candidate.string(), LexiconTexts::kCaption, PromptIcon::Information);
        outcome.adopted = true;
        return outcome;
    }
    const bool indexMissing = reading.status == LexiconSet::Status::NoIndex;
    Beep();
    if (prompter.Ask(indexMissing ? LexiconTexts::kIndexMissing : LexiconTexts::kIndexIncomplete,
                     LexiconTexts::kCaption, PromptIcon::Question, PromptButtons::OkCancel) != PromptAnswer::Ok)
        return outcome;
    const int repairs = indexMissing ? LexiconSet::kMissingAll : reading.missing;

    if (busy)
        busy(true);
    const auto refuse = [&](const std::string& message) {
        prompter.Tell(message, LexiconTexts::kCaption, PromptIcon::Exclamation);
        if (busy)
            busy(false);
        return outcome;
    };
    if (search != nullptr)
        search->Stop();
    // The radical and count come from the files present: "<radical>01.lex"
    // names the radical, and the files named by it and two digits count.
    const std::vector<std::string> names = LexFileNames(candidate);
    const auto firstFile = std::find_if(names.begin(), names.end(), [](const std::string& name) {
        return name.size() >= 6 && name.compare(name.size() - 6, 6, "01.lex") == 0;
    });
    const std::string radical = firstFile == names.end() ? "" : firstFile->substr(0, firstFile->size() - 6);
    // Without a first file, or with a radical too long to be read back, no
    // index can describe the folder.
    if (firstFile == names.end() || !LexiconSet::IsValidRadical(radical))
        return refuse(LexiconTexts::kNoWorkingSet);
    trial.TakeFiles(candidate, radical, CountLexFiles(names, radical));

    // The whole index is worked out first; nothing is written unless every
    // part of it could be, and then in one replacement.
    if ((repairs & LexiconSet::kMissingFirstEntry) != 0) {
        if (trial.RebuildFirstEntries(search, &prompter) != LexiconSet::Status::Ok)
            return refuse(LexiconTexts::kNoWorkingSet);
        outcome.reportLines.push_back(LexiconTexts::kEntriesRebuilt);
    }
    if ((repairs & LexiconSet::kMissingRange) != 0) {
        trial.RecomputeRanges();
        outcome.reportLines.push_back(LexiconTexts::kRangesRecomputed);
    }
    if ((repairs & LexiconSet::kMissingWeight) != 0) {
        trial.ResetToDefaultWeights();
        outcome.reportLines.push_back(LexiconTexts::kWeightsReset);
    }
    const fs::path index = trial.IndexPath();
    std::string existing;
    if (!indexMissing && ReadOnlyFile::Read(index, existing, Profile::kMaxFileSize) != ReadOnlyFile::ReadResult::Read)
        existing.clear();
    std::string error;
    if (!ReadOnlyFile::Replace(index, trial.IndexText(existing, repairs), true, &error))
        return refuse(error);
    // The lexicon is taken as the index now on the disk describes it.
    const LexiconSet::IndexReading written = trial.ReadLexIni(candidate);
    if (!written.Complete())
        return refuse(trial.Problem().empty() ? std::string(LexiconTexts::kNoWorkingSet)
                                              : "Recherche de lexique:\r\n" + trial.Problem());
    // French weights suit a French lexicon: the others are told to restore
    // their own. The radical is read as the files are named, "fr" in lower case.
    if ((repairs & LexiconSet::kMissingWeight) != 0 && !radical.empty() && radical.rfind("fr", 0) != 0)
        prompter.Tell(LexiconTexts::kForeignWeights, LexiconTexts::kCaption, PromptIcon::Information);
    lexicon = trial;
    std::string report;
    for (const std::string& line : outcome.reportLines)
        report += line + "\r\n";
    prompter.Tell(report, LexiconTexts::kCaption, PromptIcon::Information);
    if (busy)
        busy(false);
    outcome.repairs = repairs;
    outcome.adopted = true;
    return outcome;
}

} // namespace lexinum
