#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
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
        // The copy was given up when asked (the game closing); nothing was left behind.
        Abandoned,
    };
    struct Result {
        Outcome outcome = Outcome::NothingToCopy;
        // With Failed: why, in French, naming the folder.
        std::string problem;
    };

    // Told after each file copied, with the files copied so far and their
    // number in all; answering false gives the copy up.
    using Progress = std::function<bool(std::size_t copied, std::size_t count)>;

    // Where the player's lexicon is, as found at start.
    struct PlayerFolder {
        std::filesystem::path folder;
        // What to tell the player (French, naming the folder), or empty.
        std::string problem;
    };

    // The name of the player's own lexicon folder in the game's data folder.
    static constexpr const char* kDefaultFolderName = "lexiques";

    // The largest file copied: a lexicon file is far smaller.
    static constexpr std::uintmax_t kMaxFileSize = std::uintmax_t{64} << 20;

    // Copies the regular files of the shipped folder `shipped` into a new
    // folder `target`, unless something already stands there. The copy is
    // made in a folder of its own beside the target and takes the target's
    // name only once complete, so a copy that fails half-way never looks
    // complete; every file ends read-only, as the game keeps its lexicon.
    // Copies left half-made by a start that was killed ("." + the target's
    // name + ".copie-…" beside it) are removed first. `progress`, when given,
    // follows the copy and may give it up (Abandoned: nothing is left behind).
    static Result Seed(const std::filesystem::path& shipped, const std::filesystem::path& target,
                       const Progress& progress = {});

    // The lexicon folder a settings value names: Windows separators are taken
    // as ours, a relative folder lies in `dataFolder`, and an empty value (a
    // first start) names the default folder, `dataFolder`/"lexiques".
    static std::filesystem::path FolderOf(const std::string& setting, const std::filesystem::path& dataFolder);
    // What the settings keep for `folder`: the default folder as "lexiques",
    // relative to the data folder (whose own path may be long or move), any
    // other folder as it is.
    static std::string SettingFor(const std::filesystem::path& folder, const std::filesystem::path& dataFolder);
    // The player's lexicon at start. When the settings name the default
    // folder (or nothing) and it is missing, it is copied from `shipped`
    // again, so a copy that failed once (a full disk) is made at the next
    // start; when it cannot be made, `problem` says why.
    static PlayerFolder OpenPlayerFolder(const std::string& setting, const std::filesystem::path& dataFolder,
                                         const std::filesystem::path& shipped, const Progress& progress = {});
    // True when OpenPlayerFolder would copy the shipped lexicon: the settings
    // name the default folder (or nothing) and nothing stands there.
    static bool NeedsCopy(const std::string& setting, const std::filesystem::path& dataFolder);
};

} // namespace lexinum
