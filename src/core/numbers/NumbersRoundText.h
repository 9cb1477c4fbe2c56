#pragma once

#include <string>

namespace lexinum {

class Calculation;

// The remarks the numbers pane writes around the solutions, comparing the
// player's answer (and in a match the computer's) with the simplest exact
// solution found by the search. Each text ends with a line break, and is
// empty when there is nothing to say.
class NumbersRoundText {
public:
    // Training, before the first solution: " Il y a plus simple: " when the
    // player was exact with more operations than the simplest solution, or
    // " <target> trouvé: " when the player missed a target that can be reached.
    static std::string TrainingHeader(bool exactFound, int simplestOps, const Calculation& player);
    // After a match round, before the first solution reviewed (below the
    // separator): " <target> trouvé: " when neither side reached a target that
    // can be reached, else " Il y a plus simple: " when the simplest solution
    // has fewer operations than every exact answer given.
    static std::string ReviewHeader(bool exactFound, int simplestOps, const Calculation& player, bool computerExact,
                                    int computerOps);
};

} // namespace lexinum
