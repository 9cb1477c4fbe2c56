#pragma once

#include <string>
#include <vector>

namespace lexinum {

class Prompter;

// A box of counted tiles of several kinds, drawn at random without
// replacement: a kind's chance is its count over the tiles remaining.
class TileBox {
public:
    // The message and caption shown when drawing from an empty box.
    static constexpr const char* kEmptyMessage = "Impossible de piocher dans une boîte vide.";
    static constexpr const char* kEmptyCaption = "Erreur";

    // A box holding counts[i] tiles of kind i (negative counts are taken as 0).
    explicit TileBox(std::vector<int> counts);

    // Draws one tile and returns its kind. From an empty box it shows the
    // empty-box message through `prompter` (the active one if null) and
    // returns 0 with the box unchanged.
    int Draw(Prompter* prompter = nullptr);
    // True when no tile remains.
    bool IsEmpty() const { return remaining_ == 0; }
    // Puts the given counts back; the number of kinds does not change (extra
    // counts are ignored, missing ones are 0).
    void Refill(const std::vector<int>& counts);
    // Tiles left in the box.
    int Remaining() const { return remaining_; }
    // Tiles left of one kind.
    int Count(int kind) const { return counts_.at(static_cast<std::size_t>(kind)); }
    // Number of kinds.
    int Size() const { return static_cast<int>(counts_.size()); }

    // Permutes the first `length` characters of `text` at random, in place.
    static void ShuffleString(std::string& text, int length);

private:
    std::vector<int> counts_;
    int remaining_ = 0;
};

} // namespace lexinum
