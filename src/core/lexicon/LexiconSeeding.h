#pragma once

#include "lexicon/LexiconSeed.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace lexinum {

// The first copy of the player's lexicon (LexiconSeed::OpenPlayerFolder) made
// on a thread of its own, so that the game's window shows and answers while
// the shipped lexicon is copied. The copy takes the player's folder name only
// once complete; until End() has answered, the lexicon is not to be read.
// Destroying the object gives a copy still running up (nothing is left
// behind; the next start copies again) and waits for its thread.
class LexiconSeeding {
public:
    LexiconSeeding() = default;
    ~LexiconSeeding();
    LexiconSeeding(const LexiconSeeding&) = delete;
    LexiconSeeding& operator=(const LexiconSeeding&) = delete;

    // Starts OpenPlayerFolder(setting, dataFolder, shipped) on the thread.
    // `ended`, when given, is called from that thread once the copy is over
    // (the caller posts it to its own thread). `watch`, when given, is told
    // each file copied, on that thread too. Call once.
    void Start(const std::string& setting, const std::filesystem::path& dataFolder,
               const std::filesystem::path& shipped, std::function<void()> ended = {},
               LexiconSeed::Progress watch = {});
    // True once the copy is over (copied, failed or given up).
    bool Ended() const;
    // Waits for the end at most `limit`; true once the copy is over.
    bool WaitFor(std::chrono::milliseconds limit);
    // Once ended: where the player's lexicon is, and what to tell the player.
    LexiconSeed::PlayerFolder Result();
    // Files copied so far and their number in all (0 until they are listed).
    std::size_t FilesCopied() const { return copied_.load(); }
    std::size_t FileCount() const { return count_.load(); }
    // Asks the copy to stop; it ends soon after, leaving nothing behind.
    void Abandon() { abandon_ = true; }

private:
    std::thread thread_;
    mutable std::mutex mutex_;
    std::condition_variable endedSignal_;
    bool ended_ = false;
    LexiconSeed::PlayerFolder result_;
    std::atomic<std::size_t> copied_{0};
    std::atomic<std::size_t> count_{0};
    std::atomic<bool> abandon_{false};
};

} // namespace lexinum
