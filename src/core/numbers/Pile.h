#pragma once

#include <array>

namespace lexinum {

// A calculation in reverse Polish form, or the value stack that evaluates
// one: a count and at most 11 tokens (six numbers and five operations).
// Numbers are positive; operations are their negative codes. A fixed array,
// so that a search can build and undo calculations without allocating.
class Pile {
public:
    static constexpr int kSlots = 11;

    // Count 0 and every slot 0.
    void Init() {
        count_ = 0;
        slots_.fill(0);
    }
    // Count 0; the slots keep their old contents.
    void Clear() { count_ = 0; }
    // Puts a token on top. A full pile ignores the push (a search never fills
    // one; this only keeps a caller's slip from writing past the end).
    void Push(int token) {
        if (count_ < kSlots)
            slots_[static_cast<std::size_t>(count_++)] = token;
    }
    // Removes and returns the top token (0 from an empty pile).
    int Pop() { return count_ > 0 ? slots_[static_cast<std::size_t>(--count_)] : 0; }
    // The top token (0 for an empty pile).
    int Top() const { return count_ > 0 ? slots_[static_cast<std::size_t>(count_ - 1)] : 0; }
    // The token `depth` places below the top (0 = the top; 0 when there is none).
    int Below(int depth) const {
        const int index = count_ - 1 - depth;
        return index >= 0 ? slots_[static_cast<std::size_t>(index)] : 0;
    }
    // Number of tokens.
    int Count() const { return count_; }
    bool Empty() const { return count_ == 0; }
    // The token at `index` (0 = bottom), 0 outside the pile.
    int operator[](int index) const {
        return index >= 0 && index < count_ ? slots_[static_cast<std::size_t>(index)] : 0;
    }

    bool operator==(const Pile& other) const;

private:
    int count_ = 0;
    std::array<int, kSlots> slots_{};
};

} // namespace lexinum
