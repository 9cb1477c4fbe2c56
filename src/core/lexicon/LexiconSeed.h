#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace lexinum {

// The player's own lexicon, copied on first start from the lexicon shipped
// with the game, so that adding or removing words never touches the shipped
// copy and the game plays at once on a fresh install.
struct LexiconSeed {
    // What seeding did.
    enum class Outcome {
        // The player's folder was created, complete.
        Copied,
        // Something already stands where the player's folder goes: left alone.
        AlreadyThere,
        // The shipped folder holds no lexicon ("lex.ini"): nothing to copy.
        NothingToCopy,
        // The copy failed (see problem); nothing was left behind.
        Failed,
    };
    struct Result {
        Outcome outcome = Outcome::NothingToCopy;
        // With Failed: why, in French, naming the folder.
        std::string problem;
    };

    // The largest file copied: a lexicon file is far smaller.
    static constexpr std::uintmax_t kMaxFileSize = std::uintmax_t{64} << 20;

    // Copies the regular files of the shipped folder `shipped` into a new
    // folder `target`, unless something already stands there. The copy is
    // made in a folder of its own beside the target and takes the target's
    // name only once complete, so a copy that fails half-way never looks
    // complete; every file ends read-only, as the game keeps its lexicon.
    static Result Seed(const std::filesystem::path& shipped, const std::filesystem::path& target);
};

} // namespace lexinum
