#pragma once

#include <cstddef>

namespace lexinum {

// Keeps a thread that reads a memory-mapped lexicon file safe from the file
// being cut short underneath it (by another program): reading a mapped page
// past the new end of a file raises a bus error that would end the game. While
// a range is guarded, such a page reads as zeros instead, and the range is
// marked damaged, so that the reader can report the file as unreadable.
//
// Each thread guards its own ranges (a few at a time). A bus error anywhere
// else goes on as if no guard had been installed.
class LexiconMapGuard {
public:
    // Most ranges one thread guards at once.
    static constexpr int kRangesPerThread = 4;

    // Guards [bytes, bytes + size) for the calling thread; returns the range's
    // number, or -1 (unguarded: the caller must not map) when the thread
    // already guards all it can or the guard cannot be installed.
    static int Guard(const char* bytes, std::size_t size);
    // Stops guarding range `range` of the calling thread (before it is unmapped).
    static void Release(int range);
    // True when part of range `range` of the calling thread could not be read
    // (the file has been cut short) and now reads as zeros.
    static bool Damaged(int range);
};

} // namespace lexinum
