#include "LexiconLocator.h"

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

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

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
        Beep();
        // An index or a folder that cannot be read says what is wrong with it.
        prompter.Tell(reading.problem.empty() ? std::string(LexiconTexts::kNoCompleteSet)
                                              : "Recherche de lexique:\r\n" + reading.problem,
                      LexiconTexts::kCaption, PromptIcon::Exclamation);
        return outcome;
    }
    if (reading.Complete()) {
        trial.directory = candidate;
        trial.ready = true;
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
    const auto done = [&busy] {
        if (busy)
            busy(false);
    };
    if (search != nullptr)
        search->Stop();
    // The radical and count come from the files present: "<radical>01.lex"
    // names the radical, and every ".lex" file counts.
    const std::vector<std::string> names = LexFileNames(candidate);
    const auto firstFile = std::find_if(names.begin(), names.end(), [](const std::string& name) {
        return name.size() >= 6 && name.compare(name.size() - 6, 6, "01.lex") == 0;
    });
    const std::string radical = firstFile == names.end() ? "" : firstFile->substr(0, firstFile->size() - 6);
    if (firstFile == names.end() || names.size() > static_cast<std::size_t>(kMaxLexFiles) ||
        !LexiconSet::IsValidRadical(radical)) {
        // Without a first file, with more files than an index can list, or
        // with a radical too long to be read back, no index can describe the
        // folder.
        Beep();
        prompter.Tell(LexiconTexts::kNoWorkingSet, LexiconTexts::kCaption, PromptIcon::Exclamation);
        done();
        return outcome;
    }
    trial.radical = radical;
    trial.fileCount = static_cast<int>(names.size());
    trial.directory = candidate;
    const fs::path index = trial.IndexPath();
    ReadOnlyFile::MakeWritable(index);
    Profile ini(index);
    trial.WriteCountAndRadical(ini);

    if ((repairs & LexiconSet::kMissingFirstEntry) != 0) {
        if (trial.RebuildFirstEntries(candidate, search, &prompter) != LexiconSet::Status::Ok) {
            Beep();
            prompter.Tell(LexiconTexts::kNoWorkingSet, LexiconTexts::kCaption, PromptIcon::Exclamation);
            ReadOnlyFile::MakeReadOnly(index);
            done();
            return outcome;
        }
        outcome.reportLines.push_back(LexiconTexts::kEntriesRebuilt);
    }
    ReadOnlyFile::MakeWritable(index);
    if ((repairs & LexiconSet::kMissingRange) != 0) {
        trial.RecomputeRanges();
        trial.WriteRanges(ini);
        outcome.reportLines.push_back(LexiconTexts::kRangesRecomputed);
    }
    if ((repairs & LexiconSet::kMissingWeight) != 0) {
        trial.ResetToDefaultWeights();
        trial.WriteWeights(ini);
        outcome.reportLines.push_back(LexiconTexts::kWeightsReset);
        // French weights suit a French lexicon: the others are told to restore
        // their own. The radical is read as the files are named, "fr" in lower case.
        if (!trial.radical.empty() && trial.radical.rfind("fr", 0) != 0)
            prompter.Tell(LexiconTexts::kForeignWeights, LexiconTexts::kCaption, PromptIcon::Information);
    }
    ini.Flush();
    trial.ready = true;
    lexicon = trial;
    std::string report;
    for (const std::string& line : outcome.reportLines)
        report += line + "\r\n";
    prompter.Tell(report, LexiconTexts::kCaption, PromptIcon::Information);
    ReadOnlyFile::MakeReadOnly(index);
    done();
    outcome.repairs = repairs;
    outcome.adopted = true;
    return outcome;
}

} // namespace lexinum
