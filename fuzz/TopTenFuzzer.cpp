// The Top Ten file on any bytes, as given and scrambled: its lists and the
// dialog's text, then a result recorded in it, also through a backup left by
// an update cut off. A whole file takes the result and keeps every other
// level as it was; a broken one is left untouched.

#include "FuzzSupport.h"

#include "common/Cp1252.h"
#include "common/ReadOnlyFile.h"
#include "match/ScrambledLine.h"
#include "match/TopTen.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

using namespace lexinum;

namespace {

std::string Contents(const std::filesystem::path& file) {
    std::string bytes;
    if (!ReadOnlyFile::ReadAll(file, bytes))
        std::abort();
    return bytes;
}

// Records `entry` in a "topten" holding `bytes`, or, with `cutAt`, in one
// cut there beside a "topten.bak" holding `bytes` (an update stopped while
// it rewrote the file).
void CheckUpdate(std::string_view bytes, int level, const TopTenEntry& entry, std::optional<std::size_t> cutAt) {
    const std::filesystem::path& folder = fuzz::ScratchFolder();
    const std::filesystem::path file = TopTenFile(folder);
    const std::filesystem::path backup = folder / TopTenTexts::kBackupName;
    std::error_code error;
    std::filesystem::remove(backup, error);
    const std::string_view current = cutAt ? bytes.substr(0, *cutAt) : bytes;
    fuzz::WriteBytes(file, current);
    if (cutAt)
        fuzz::WriteBytes(backup, bytes);

    // The lists the update starts from: the file's, or the backup's when the
    // file is not whole.
    const TopTenBook before = ParseTopTen(cutAt && !ParseTopTen(current).Whole() ? bytes : current);
    fuzz::SilentPrompter prompter;
    const TopTenUpdate result = UpdateTopTen(folder, level, entry, prompter);
    if (!before.Whole()) {
        // Nothing recorded, the file as it was, the player told.
        if (result != TopTenUpdate::Failed || Contents(file) != current || prompter.asked != 1)
            std::abort();
        return;
    }
    if (result == TopTenUpdate::Failed || std::filesystem::exists(backup))
        std::abort();
    const TopTenLoad after = ReadTopTen(file, false);
    if (after.result != TopTenRead::Read || !after.book.Whole())
        std::abort();
    for (int other = 1; other <= kLevelCount; ++other) {
        if (other != level && after.book.Level(other) != before.Level(other))
            std::abort();
    }
    const std::vector<TopTenEntry>& list = after.book.Level(level);
    if (list.size() > kTopTenEntries)
        std::abort();
    if (result == TopTenUpdate::Recorded) {
        if (std::find(list.begin(), list.end(), entry) == list.end())
            std::abort();
    } else {
        // Not ranked: the ten best as they were.
        std::vector<TopTenEntry> kept = before.Level(level);
        kept.resize(std::min(kept.size(), kTopTenEntries));
        if (list != kept)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = fuzz::Bytes(data, size);
    const std::string scrambled = ScrambledLine::Scramble(input);
    for (const std::string_view bytes : {input, std::string_view(scrambled)}) {
        const TopTenBook book = ParseTopTen(bytes);
        for (int level = 0; level <= kLevelCount + 1; ++level)
            ListingText(book, level);
        // The lists written again read back the same, but for the bytes of a
        // name that Windows-1252 leaves unassigned (read as U+FFFD, written
        // "?"). A damaged line may give a name no match gives ("@7", after a
        // blank): written again, it would read as a header.
        TopTenBook expected = book;
        bool writable = true;
        for (auto& level : expected.levels) {
            for (TopTenEntry& entry : level) {
                entry.name = Cp1252::ToUtf8(Cp1252::FromUtf8Lossy(entry.name));
                writable = writable && entry.name.front() != '@';
            }
        }
        const TopTenBook again = ParseTopTen(TopTenBytes(book));
        if (writable && (!again.Whole() || again.levels != expected.levels || again.skippedLines != 0))
            std::abort();
    }

    // A result at a level and with sets taken from the input.
    const int level = size > 0 ? 1 + data[0] % kLevelCount : 1;
    TopTenEntry entry{"Zoé", size > 1 ? data[1] % 4 : 2, size > 2 ? data[2] % 4 : 1, TopTenTime{2026, 12, 7, 21, 5}};
    CheckUpdate(input, level, entry, std::nullopt);
    CheckUpdate(scrambled, level, entry, std::nullopt);
    const std::size_t cutAt = size > 3 ? data[3] * size / 256 : 0;
    CheckUpdate(input, level, entry, cutAt);
    CheckUpdate(scrambled, level, entry, cutAt);
    return 0;
}
