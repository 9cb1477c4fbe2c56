#include "TileBox.h"

#include "Prompter.h"
#include "Random15.h"

#include <algorithm>
#include <cstdint>

namespace lexinum {

TileBox::TileBox(std::vector<int> counts) : counts_(std::move(counts)) {
    Refill(std::vector<int>(counts_));
}

void TileBox::Refill(const std::vector<int>& counts) {
    remaining_ = 0;
    for (std::size_t i = 0; i < counts_.size(); ++i) {
        counts_[i] = i < counts.size() ? std::max(counts[i], 0) : 0;
        remaining_ += counts_[i];
    }
}

int TileBox::Draw(Prompter* prompter) {
    const int r = Random15::Next();
    const auto t = static_cast<int>(static_cast<std::int64_t>(r) * remaining_ / Random15::kRange);
    int sum = 0;
    for (std::size_t kind = 0; kind < counts_.size(); ++kind) {
        sum += counts_[kind];
        if (t < sum) {
            --counts_[kind];
            --remaining_;
            return static_cast<int>(kind);
        }
    }
    (prompter ? *prompter : Prompter::Active()).Tell(kEmptyMessage, kEmptyCaption, PromptIcon::Exclamation);
    return 0;
}

void TileBox::ShuffleString(std::string& text, int length) {
    length = std::clamp(length, 0, static_cast<int>(text.size()));
    if (length <= 1)
        return;
    const std::string copy = text.substr(0, static_cast<std::size_t>(length));
    TileBox positions(std::vector<int>(static_cast<std::size_t>(length), 1));
    for (int i = 0; i < length; ++i)
        text[static_cast<std::size_t>(positions.Draw())] = copy[static_cast<std::size_t>(i)];
}

} // namespace lexinum
