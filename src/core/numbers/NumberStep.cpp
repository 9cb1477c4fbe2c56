#include "NumberStep.h"

#include "NumberRules.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

namespace lexinum {

namespace {

bool AllDigits(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The value of a run of digits; nothing when it does not fit in 32 bits.
std::optional<std::int64_t> DigitsValue(const std::string& digits) {
    std::int64_t value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<int>::max())
            return std::nullopt;
    }
    return value;
}

} // namespace

std::string NumberStep::StepTile(const std::string& text, bool up) {
    const auto& texts = NumberRules::kTileTexts;
    const auto at = std::find(texts.begin(), texts.end(), text);
    if (at == texts.end())
        return std::string(texts.front());
    if (up)
        return std::string(at + 1 == texts.end() ? *at : *(at + 1));
    return std::string(at == texts.begin() ? *at : *(at - 1));
}

std::optional<NumberStep::Result> NumberStep::StepValue(const std::string& text, int selectionStart, int selectionEnd,
                                                        bool up) {
    if (!AllDigits(text))
        return std::nullopt;
    const int length = static_cast<int>(text.size());
    int start = std::clamp(std::min(selectionStart, selectionEnd), 0, length);
    int end = std::clamp(std::max(selectionStart, selectionEnd), 0, length);
    const int delta = up ? 1 : -1;

    if (start == end || (start == 0 && end == length)) {
        const auto value = DigitsValue(text);
        if (!value)
            return std::nullopt;
        const std::int64_t stepped = *value + delta;
        if (stepped < 0 || stepped > std::numeric_limits<int>::max())
            return std::nullopt;
        Result result{std::to_string(stepped), start, end};
        const int newLength = static_cast<int>(result.text.size());
        if (start == 0 && end == length && length > 0) {
            result.selectionEnd = newLength; // everything stays selected
        } else {
            result.selectionStart = std::min(start, newLength);
            result.selectionEnd = std::min(end, newLength);
        }
        return result;
    }

    // Only the selected digits move, like one wheel of a counter.
    const int width = end - start;
    const auto group = DigitsValue(text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(width)));
    if (!group || width > 9)
        return std::nullopt;
    std::int64_t largest = 1;
    for (int i = 0; i < width; ++i)
        largest *= 10;
    const std::int64_t stepped = std::clamp<std::int64_t>(*group + delta, 0, largest - 1);
    std::string digits = std::to_string(stepped);
    digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    std::string stepText = text;
    stepText.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(width), digits);
    if (!DigitsValue(stepText))
        return std::nullopt;
    return Result{stepText, start, end};
}

int NumberStep::DragStep(int dx, int dy) {
    if (dx >= kDragPixels || dy <= -kDragPixels)
        return 1;
    if (dx <= -kDragPixels || dy >= kDragPixels)
        return -1;
    return 0;
}

} // namespace lexinum
