#include "NumbersRoundText.h"

#include "Calculation.h"

namespace lexinum {

namespace {

std::string Simpler() {
    return std::string(" Il y a plus simple: ") + Calculation::kLineBreak;
}

std::string Found(int target) {
    return " " + std::to_string(target) + " trouvé: " + Calculation::kLineBreak;
}

} // namespace

std::string NumbersRoundText::TrainingHeader(bool exactFound, int simplestOps, const Calculation& player) {
    if (!exactFound)
        return {};
    if (player.playerResult() != player.target())
        return Found(player.target());
    return simplestOps < player.playerLineCount() ? Simpler() : std::string();
}

std::string NumbersRoundText::ReviewHeader(bool exactFound, int simplestOps, const Calculation& player,
                                           bool computerExact, int computerOps) {
    if (!exactFound)
        return {};
    if (!player.playerExact() && !computerExact)
        return Found(player.target());
    const bool simplerThanPlayer = !player.playerExact() || simplestOps < player.playerLineCount();
    const bool simplerThanComputer = !computerExact || simplestOps < computerOps;
    return simplerThanPlayer && simplerThanComputer ? Simpler() : std::string();
}

} // namespace lexinum
