#include "lexicon/LexiconSeeding.h"

#include <utility>

namespace lexinum {

LexiconSeeding::~LexiconSeeding() {
    Abandon();
    if (thread_.joinable())
        thread_.join();
}

void LexiconSeeding::Start(const std::string& setting, const std::filesystem::path& dataFolder,
                           const std::filesystem::path& shipped, std::function<void()> ended,
                           LexiconSeed::Progress watch) {
    thread_ = std::thread([this, setting, dataFolder, shipped, ended = std::move(ended), watch = std::move(watch)] {
        const auto progress = [this, &watch](std::size_t copied, std::size_t count) {
            count_ = count;
            copied_ = copied;
            if (watch)
                watch(copied, count);
            return !abandon_.load();
        };
        LexiconSeed::PlayerFolder player = LexiconSeed::OpenPlayerFolder(setting, dataFolder, shipped, progress);
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            result_ = std::move(player);
            ended_ = true;
        }
        endedSignal_.notify_all();
        if (ended)
            ended();
    });
}

bool LexiconSeeding::Ended() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return ended_;
}

bool LexiconSeeding::WaitFor(std::chrono::milliseconds limit) {
    std::unique_lock<std::mutex> lock(mutex_);
    return endedSignal_.wait_for(lock, limit, [this] { return ended_; });
}

LexiconSeed::PlayerFolder LexiconSeeding::Result() {
    {
        std::unique_lock<std::mutex> lock(mutex_);
        endedSignal_.wait(lock, [this] { return ended_; });
    }
    if (thread_.joinable())
        thread_.join();
    const std::lock_guard<std::mutex> lock(mutex_);
    return result_;
}

} // namespace lexinum
