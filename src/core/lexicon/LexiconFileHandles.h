#pragma once

#include "lexicon/LetterTables.h"

#include <array>
#include <cstdint>
#include <filesystem>

namespace lexinum {

// Keeps the lexicon files a search has opened open for the searches that
// follow, as long as nothing changes in their folder: opening a file costs
// about as much as reading a small one, and a search opens dozens. A file
// asked for again is then kept mapped in memory whole (read-only, its pages
// shared with the system's file cache, never copied to the heap), so that a
// search only touches the parts of it that it looks at; one that cannot be
// mapped stays open.
//
// The folder is watched. A file created, removed, renamed, written to or whose
// attributes change there, or the folder itself moved or replaced, closes
// every file kept, so a file is then opened afresh and reads what its path
// names at that moment, as if nothing had been kept. The watch is looked at before each file
// is handed out, so a lexicon file rewritten while a search waits between two
// groups is read anew by the rest of that search. Where the folder cannot be
// watched, nothing is kept.
//
// Belongs to one search at a time (the searches of one pane follow one
// another), never shared between threads.
class LexiconFileHandles {
public:
    LexiconFileHandles();
    ~LexiconFileHandles();
    LexiconFileHandles(const LexiconFileHandles&) = delete;
    LexiconFileHandles& operator=(const LexiconFileHandles&) = delete;

    // Before a search of the lexicon files in `folder`: starts watching it if
    // it is another folder, and lets go of every handle kept if anything has
    // changed.
    void Check(const std::filesystem::path& folder);
    // A lexicon file handed out: mapped whole, or open on a handle.
    struct File {
        // The whole file, mapped and kept by this object (null if not mapped).
        const char* bytes = nullptr;
        std::size_t size = 0;
        // Else a handle on it; -1 when it cannot be opened.
        int handle = -1;
        // The handle is kept by this object (the caller must not close it);
        // else it is handed over (the caller closes it).
        bool kept = false;
    };
    // Lexicon file number `file` (1 to 99), at `path` in the folder checked.
    // A file kept stays usable until the next call of any function here.
    File Open(int file, const std::filesystem::path& path);
    // Closes every handle kept and stops watching.
    void Clear();
    // The number of files kept.
    int KeptCount() const;
    // True while the folder is watched, so that handles can be kept.
    bool Watching() const { return watch_ >= 0; }

private:
    // Closes every handle kept, keeping the watch.
    void CloseKept();
    // Reads the changes noted since the last look; true if there were any.
    bool Changed();
    // Watches `folder`; false (nothing watched) if it cannot be.
    bool Watch(const std::filesystem::path& folder);

    struct Kept {
        int handle = -1;
        const char* bytes = nullptr;
        std::size_t size = 0;
        std::filesystem::path path;
    };
    // Maps the file a slot keeps open, if it can.
    void MapKept(Kept& slot);

    std::filesystem::path folder_;
    std::uint64_t folderDevice_ = 0;
    std::uint64_t folderInode_ = 0;
    int watch_ = -1;
    std::array<Kept, kMaxLexFiles + 1> kept_;
};

} // namespace lexinum
