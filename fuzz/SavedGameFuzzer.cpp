// The saved-game line on any bytes, plain (the parser) and scrambled (the
// file): a game read must be one the game can write, and must come back the
// same once written and read again.

#include "FuzzSupport.h"

#include "match/SavedGame.h"
#include "match/ScrambledLine.h"

#include <cstdlib>
#include <optional>
#include <string>

using namespace lexinum;

namespace {

// The same game, leaving out what the form it was read in does not hold.
bool SameGame(const SavedGame& read, const SavedGame& again) {
    SavedGame a = read;
    SavedGame b = again;
    if (!a.HasBags() || !b.HasBags()) {
        a.vowelBag = b.vowelBag = {};
        a.consonantBag = b.consonantBag = {};
    }
    a.fields = b.fields = 0;
    return a == b;
}

void CheckGame(const SavedGame& game) {
    if (!SavedGame::IsValid(game))
        std::abort();
    const std::optional<SavedGame> again = SavedGame::Parse(SavedGame::Line(game));
    if (!again || !SameGame(game, *again))
        std::abort();
}

void CheckFile(const std::filesystem::path& file, std::string_view bytes) {
    fuzz::WriteBytes(file, bytes);
    SavedGame game;
    const SavedGame::Result result = SavedGame::Read(file, game);
    if (!result.Ok()) {
        if (result.message.empty() || !(game == SavedGame{}))
            std::abort();
        return;
    }
    CheckGame(game);
    const std::filesystem::path copy = fuzz::ScratchFolder() / "copie.tiv";
    if (!SavedGame::Write(copy, game).Ok())
        std::abort();
    SavedGame back;
    if (!SavedGame::Read(copy, back).Ok() || !SameGame(game, back))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path file = fuzz::ScratchFolder() / "partie.tiv";
    const std::string_view bytes = fuzz::Bytes(data, size);
    for (const std::string& line : {std::string(bytes), ScrambledLine::Unscramble(bytes)}) {
        if (const std::optional<SavedGame> game = SavedGame::Parse(line))
            CheckGame(*game);
    }
    CheckFile(file, bytes);
    CheckFile(file, ScrambledLine::Scramble(bytes));
    return 0;
}
