#include "NumberBoxRule.h"

#include "NumberDraw.h"
#include "NumberRules.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace lexinum {

NumberBoxRule NumberBoxRule::Range(int min, int max) {
    return NumberBoxRule(false, min, max);
}

NumberBoxRule NumberBoxRule::TileList() {
    return NumberBoxRule(true, NumberRules::kTileValues.front(), NumberRules::kTileValues.back());
}

NumberBoxRule NumberBoxRule::ForNumber(bool competition, bool limitedNumbers) {
    if (competition || limitedNumbers)
        return TileList();
    return Range(NumberDraw::kFreeMin, NumberDraw::kFreeMax);
}

NumberBoxRule NumberBoxRule::ForTarget(bool competition, int minTarget, int maxTarget) {
    if (competition)
        return Range(NumberDraw::kCompetitionMinTarget, NumberDraw::kCompetitionMaxTarget);
    return Range(minTarget, maxTarget);
}

NumberBoxRule::TargetRange NumberBoxRule::UsableTargetRange(int minTarget, int maxTarget) {
    const NumberBoxRule low = ForMinTargetSetting();
    const NumberBoxRule high = ForMaxTargetSetting();
    TargetRange range{std::clamp(minTarget, low.Min(), low.Max()), std::clamp(maxTarget, high.Min(), high.Max())};
    if (range.min > range.max)
        std::swap(range.min, range.max);
    return range;
}

std::string NumberBoxRule::Check(const std::string& text) const {
    if (Value(text))
        return {};
    if (tileList_)
        return kTileMessage;
    return "La valeur doit être entre " + std::to_string(min_) + " et " + std::to_string(max_) + ".";
}

std::optional<int> NumberBoxRule::Value(const std::string& text) const {
    if (tileList_) {
        if (!NumberRules::IsTileText(text))
            return std::nullopt;
        return std::stoi(text);
    }
    if (text.empty() || !std::all_of(text.begin(), text.end(), AcceptsCharacter))
        return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        value = value * 10 + (c - '0');
        if (value > max_)
            return std::nullopt; // also keeps a long run of digits from overflowing
    }
    if (value < min_)
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<NumberStep::Result> NumberBoxRule::Step(const std::string& text, int selectionStart, int selectionEnd,
                                                      bool up) const {
    if (tileList_) {
        std::string stepped = NumberStep::StepTile(text, up);
        const int length = static_cast<int>(stepped.size());
        return NumberStep::Result{std::move(stepped), 0, length};
    }
    auto stepped = NumberStep::StepValue(text, selectionStart, selectionEnd, up);
    if (!stepped || !Value(stepped->text))
        return std::nullopt;
    return stepped;
}

} // namespace lexinum
