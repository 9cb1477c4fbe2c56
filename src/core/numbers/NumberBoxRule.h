#pragma once

#include "NumberStep.h"

#include <optional>
#include <string>

namespace lexinum {

// What a number box of the numbers pane accepts: a value within a range, or
// one of the 14 tile texts. Only digits can be typed in either. The pane's six
// number boxes take the tiles in a match and in training limited to the
// tiles, else 1 to 100; the target box takes 101 to 999 in a match, else the
// training range of the settings.
class NumberBoxRule {
public:
    // The message of a text that is not a tile (a range box names its range).
    static constexpr const char* kTileMessage = "Le caractère entré n'est pas valable";

    // A box taking any whole number from `min` to `max`.
    static NumberBoxRule Range(int min, int max);
    // A box taking only the tile texts "1" ... "10", "25", "50", "75", "100".
    static NumberBoxRule TileList();
    // The rule of a number box in a match or in training.
    static NumberBoxRule ForNumber(bool competition, bool limitedNumbers);
    // The rule of the target box in a match or in training.
    static NumberBoxRule ForTarget(bool competition, int minTarget, int maxTarget);
    // The boxes of the numbers settings: the largest training target (2 to
    // 32767) and the smallest (2 to 32766).
    static NumberBoxRule ForMaxTargetSetting() { return Range(2, 32767); }
    static NumberBoxRule ForMinTargetSetting() { return Range(2, 32766); }

    // A training target range.
    struct TargetRange {
        int min = 0;
        int max = 0;
    };
    // The range read from the settings brought into what the settings boxes
    // accept and put in order, so that a damaged settings file never gives a
    // range the game cannot draw from or the target box cannot show.
    static TargetRange UsableTargetRange(int minTarget, int maxTarget);

    // True for the characters that can be typed in a number box (digits).
    static bool AcceptsCharacter(char c) { return c >= '0' && c <= '9'; }
    // Checks a whole text: empty when it is accepted, else the message to show.
    std::string Check(const std::string& text) const;
    // The value of an accepted text; nothing for a refused one.
    std::optional<int> Value(const std::string& text) const;
    // The text after one step up or down (arrow keys, right-button drag), if
    // this box accepts it; a tile box takes the next tile text, all selected.
    std::optional<NumberStep::Result> Step(const std::string& text, int selectionStart, int selectionEnd,
                                           bool up) const;

    bool IsTileList() const { return tileList_; }
    int Min() const { return min_; }
    int Max() const { return max_; }

private:
    NumberBoxRule(bool tileList, int min, int max) : tileList_(tileList), min_(min), max_(max) {}

    bool tileList_;
    int min_;
    int max_;
};

} // namespace lexinum
