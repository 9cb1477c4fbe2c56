#pragma once

#include "NumberRules.h"
#include "Pile.h"

#include <array>
#include <string>

namespace lexinum {

class SearchChannel;

// The two searches of "Le compte est bon" over the six drawn numbers:
//
// - the solutions search lists every exact calculation, the simplest first,
//   handing them over one at a time through a SearchChannel, and ends with a
//   closing text (the nearest calculation when nothing is exact);
// - the computer's search is the computer's own play in a match: it stops at
//   the first exact calculation it meets, skips operations at random below
//   the top level, and otherwise keeps the nearest result.
//
// Both enumerate calculations in reverse Polish form. Every operation keeps
// the top value no greater than the one below it and never yields zero, a
// fraction or one of its operands unchanged; two operations in a row
// alternate between the additive (+ -) and multiplicative (x /) families.
// The solutions search also keeps one order of each chain (X + c + d with
// d <= c) and builds a value that an unused drawn number already gives only
// to meet that number at once. Each of these rules lets another order
// through where the one it prefers cannot be written, so that no set of
// numbers making the target is lost: 5 + (7 - 6), for one, comes with two
// additive operations in a row, (5 + 7) - 6 giving back its 6. The search
// gives up any branch that can no longer hand anything over (see
// CalculationReach): that changes how fast it lists the calculations, never
// which ones or in what order.
//
// All search state lives in fixed arrays: nothing is allocated while a search
// runs. One solver serves one search at a time; its thread bodies run in the
// worker that SearchChannel::Start gives them.
class NumbersSolver {
public:
    static constexpr int kNumbers = 6;
    // The computer's levels, "débutant" to "imbattable".
    static constexpr int kMinLevel = 1;
    static constexpr int kMaxLevel = 6;

    // The texts the searches write (lines end with NumberRules::kLineBreak).
    static constexpr const char* kSingleNumberText = " Il fallait le faire !";
    static constexpr const char* kComputerExactText = " Le compte est bon:";
    static constexpr const char* kNoMoreSolutionsText = " Plus de solutions...";
    static constexpr const char* kNoBetterText = " Pas mieux.";

    // Outcome of a step of the search.
    enum class Step { Continue, Stop };

    NumbersSolver();

    // The draw to search: six numbers and the target. A number that is not
    // positive (a box left at 0) takes no part in any calculation.
    void SetDraw(const std::array<int, kNumbers>& numbers, int target);
    // The player's result (0 = no answer), which the closing text compares with.
    void SetPlayerResult(int result) { playerResult_ = result; }
    // The computer's level, 1 ("débutant") to 6 ("imbattable"); clamped.
    void SetLevel(int level);

    const std::array<int, kNumbers>& Numbers() const { return numbers_; }
    int Target() const { return target_; }
    int Level() const { return level_; }

    // Initialises the calculation piles; called before starting either search.
    void ClearPiles();

    // Thread body of the solutions search (started with SearchChannel::Start,
    // which has already marked the search running): lists every exact
    // solution through the channel, then ends the search with the closing text.
    // A stop ends it at the next state it goes through, without closing text.
    void SolutionsSearch(SearchChannel& channel);
    // Thread body of the computer's search: finds the computer's answer,
    // writes it into the solver text when exact, and hands it over. A stop
    // ends it at the next state it goes through, with no answer handed over
    // (SearchChannel::FinishStopped) unless an exact one was already found.
    void ComputerSearch(SearchChannel& channel);

    // Appends the printed form of a calculation: its lines in evaluation
    // order, "a op b = r", the first indented by two spaces and each next one
    // by one more; a single number v prints as "   v = v".
    static void PrintPile(const Pile& pile, std::string& text);
    // The value of a calculation (0 when it is empty or malformed).
    static int PileValue(const Pile& pile);

    // Hands one solution over: writes it into the solver text (after the
    // one-number line already there, if the solution is a single number) and
    // waits for the caller. Returns Stop when the search must end.
    Step HandOver(const Pile& pile, SearchChannel& channel);
    // The text that ends the search: with no exact solution, how near the
    // nearest calculation comes compared with the player's answer, then that
    // calculation; otherwise an empty line and " Plus de solutions...".
    void ClosingText(std::string& text) const;
    // The closing text of a search that found nothing exact, compared with
    // `playerResult` (0 = no answer): " T à D près seulement..." when the
    // nearest calculation beats the player, " Pas mieux." when it only equals
    // him, then that calculation. The numbers pane builds it once the player
    // has answered, the search having usually ended long before. Read it once
    // the search has handed its last batch over.
    std::string NearestText(int playerResult) const;

    // ---- results (read once a batch or the computer's answer is handed over) ----

    // An exact solution has been found.
    bool ExactFound() const { return exactFound_ != 0; }
    // Operations of the first exact solution of the solutions search
    // (0 when a drawn number is the target).
    unsigned SimplestOps() const { return simplestOps_; }
    // Smallest distance to the target met so far, and its calculation (the
    // nearest calculation matters only when nothing is exact, so the solutions
    // search stops following it once a solution is found).
    int BestDistance() const { return bestDistance_; }
    const Pile& BestExpression() const { return bestExpression_; }
    // The solution handed over last.
    const Pile& LastSolution() const { return lastSolution_; }
    // The computer's answer: exact or not, its operations when exact, and its
    // result (the target when exact, else its nearest value).
    bool ComputerExact() const { return computerExact_; }
    unsigned ComputerOps() const { return computerOps_; }
    int ComputerResult() const { return computerResult_; }
    // Operations the computer's last search considered below the top level,
    // and how many of them passed the level test and were tried.
    long LevelDraws() const { return levelDraws_; }
    long LevelPassed() const { return levelPassed_; }
    // How many states the last search went through, each one more token
    // placed with more to follow; the stop is looked at in each.
    long StatesVisited() const { return statesVisited_; }
    // The computer's calculation: the exact one, or the nearest.
    const Pile& ComputerExpression() const { return computerExact_ ? computerExpression_ : bestExpression_; }

private:
    static constexpr int kOperationSlots = 4;
    static constexpr int kTokenSlots = kOperationSlots + kNumbers;

    void BuildTokens();
    void UpdateMarks(int slot);
    Step SingleNumbers(bool computer);
    // The chain rule for an operation q on "X c p d": one order of X p c q d
    // and X q d p c is kept (d <= c for q = p, d < c within one family, and
    // for d = c the one that adds or multiplies first), unless the other
    // order cannot be written.
    bool ChainAllows(int operation, int lastOperation, int c, int d, int a) const {
        if (operation == lastOperation ? d <= c
                                       : NumberRules::IsAdditive(operation) != NumberRules::IsAdditive(lastOperation) ||
                                             d < c || (d == c && IsInverse(operation)))
            return true;
        return OtherOrderBlocked(operation, lastOperation, c, d, a);
    }
    bool OtherOrderBlocked(int operation, int lastOperation, int c, int d, int a) const;
    // - and /, the operations that undo + and x.
    static constexpr bool IsInverse(int operation) {
        return operation == NumberRules::kSubtract || operation == NumberRules::kDivide;
    }
    // The other operation of the same family (+ and -, x and /).
    static constexpr int Opposite(int operation) {
        return NumberRules::IsAdditive(operation) ? NumberRules::kAdd + NumberRules::kSubtract - operation
                                                  : NumberRules::kMultiply + NumberRules::kDivide - operation;
    }
    // The operation just applied, when the next token may be an operation of
    // its own family (see NestedAllowed): its code (0 for none) and operands.
    struct LastStep {
        int operation;
        int a;
        int b;
    };
    static constexpr LastStep kNoStep{0, 0, 0};
    // Two operations of one family in a row, w p (y q z) with q just applied:
    // tried only when the chain cannot be written instead, in either order,
    // (w p y) q' z or (w q' z) p y (q' being q or its opposite as p
    // requires), nor as (y q z) p w when w equals y q z: 5 + (7 - 6), whose
    // (5 + 7) - 6 gives back its 6 and 5 - 6 is negative.
    bool NestedAllowed(int operation, int w, const LastStep& last) const;
    // The tokens of one value in the calculation: places first..end.
    struct Block {
        int first;
        int end;
    };
    static constexpr Block kNoTokens{0, -1};
    // Whether (w o1 s) o2 t can be written as a chain from the tokens of w,
    // s and t; `sMoved`: s's tokens come after t's as the calculation stands.
    bool ChainWritable(int w, int o1, int s, int o2, int t, const Block& wTokens, const Block& sTokens,
                       const Block& tTokens, bool sMoved) const;
    // The value of (s o1 w) with w's chain of o1's family followed term by
    // term after s, or 0 when that chain cannot be written.
    int ChainFrom(int s, int o1, const Block& wTokens, const Block& sTokens, const Block& tTokens) const;
    // Whether a value may be built while the numbers of `next` (the tokens
    // that follow it), of `later` and of `last` are still to be placed.
    bool MayBuild(int value, const Block& next, const Block& later, const Block& last = kNoTokens) const;
    // The value the tokens make.
    int BlockValue(const Block& tokens) const;
    // Runs the calculation of `tokens`, calling visit(token index, result) after
    // each operation until it answers false; returns the value on the bottom.
    template <typename Visit> int EvaluateBlock(const Block& tokens, Visit visit) const;
    // Whether a value worked out by `tokens` equals a number of `numbers`
    // (one met at once by the number it equals excepted): worked out before
    // those numbers are placed, `tokens` could not be written.
    bool Meets(const Block& tokens, const Block& numbers) const;
    // The place where the calculation's tokens that end at `end` and make
    // one value begin.
    int BlockStart(int end) const;
    // The number slot still marked available whose value is `value`, or -1.
    int RedundantSlot(int value) const {
        for (int i = kOperationSlots; i < tokenLimit_; ++i)
            if (available_[static_cast<std::size_t>(i)] != 0 && tokens_[static_cast<std::size_t>(i)] == value)
                return i;
        return -1;
    }
    // 1 for the additive operation slots, 2 for the multiplicative ones.
    static int FamilyOf(int slot) { return slot < 2 ? 1 : 2; }
    bool LevelTest();
    void RecordNearest(int value, int operation, bool computer);

    Step FirstToken();
    Step SecondToken();
    // One more token while drawn numbers remain to be placed: an operation
    // of `operations` (one bit per slot) or a number (any, only the slot
    // `onlyNumber`, or none); a value paired with its drawn twin passes on
    // the family of the operation that must follow the twin.
    static constexpr int kAnyNumber = -1;
    static constexpr int kNoNumber = -2;
    // `last`: the operation just applied, whose family may follow it
    // again under NestedAllowed.
    Step NextToken(unsigned operations, int onlyNumber, int pairFamily, const LastStep& last = kNoStep);
    // False when the top value b, above a, can never come down to a or below
    // with the `numbersLeft` numbers still to place.
    bool CanComeDown(int a, int b, int numbersLeft) const;
    // False when `value`, put on top of the bottom `depth` values of the
    // stack, with `numbersLeft` numbers still to place, can never end on the
    // target (or, before any exact solution, nearer than the nearest so far).
    bool StillReachable(int depth, int value, int numbersLeft) const {
        // Checked only where the rest is short enough to follow cheaply.
        return numbersLeft < 1 || depth + numbersLeft > kReachSpan || CheckReach(depth, value, numbersLeft);
    }
    bool CheckReach(int depth, int value, int numbersLeft) const;
    // Before anything is exact, the checks start once the nearest is this
    // close: a wider window gives up too little to pay for them.
    static constexpr int kReachWindowLimit = 50;
    static constexpr int kReachSpan = 4;
    // The operations that end a calculation once every number is placed;
    // `allowed` holds one bit per operation slot that may come first.
    Step Tail(unsigned allowed);
    // The goals of a tail over the values x_1 .. x_n: level 1 holds the
    // values the calculation may end on (the target, or before anything is
    // exact, nearer than the nearest so far); level j + 1 the values the
    // top may take when it meets x_j so that x_j op top lands in level j.
    // PrepareGoals fills levels 2 .. levels + 1 from the stack's bottom
    // values; MeetsGoal tells whether a value at `level` can still succeed.
    struct GoalRange {
        long long lo;
        long long hi;
    };
    static constexpr int kMaxGoals = 96;
    void PrepareGoals(const int* stack, int levels);
    bool MeetsGoal(int level, long long value) const;
    // The rest of the tail, after its first operation, on a copy of the
    // value stack (`count` values).
    Step TailRest(int* stack, int count, unsigned allowed, const LastStep& last);
    // The operation that completes the calculation, with value r: hands
    // over an exact solution, otherwise keeps the nearest result.
    Step Leaf(int operation, int r);
    // Whether a complete calculation of value r would be handed over or
    // kept as the nearest (once something is exact, only the target counts).
    bool LeafMatters(int r) const { return r == target_ || (exactFound_ == 0 && DistanceToTarget(r) < bestDistance_); }
    int DistanceToTarget(int value) const;
    static constexpr unsigned kAllOperations = 0xF;
    // The operation slots of family 1 (additive) or 2 (multiplicative).
    static constexpr unsigned FamilyMask(int family) { return family == 1 ? 0x3u : 0xCu; }

    // The computer's enumeration; true ends it: an exact calculation found,
    // or (CFirst, CSecond, CNext) a stop seen.
    bool CFirst();
    bool CSecond();
    bool CNext();
    bool CFinal();
    // Counts one more state and tells whether a stop has been asked.
    bool StopSeen();

    std::array<int, kNumbers> numbers_{};
    int target_ = 0;
    int playerResult_ = 0;
    int level_ = kMaxLevel;
    SearchChannel* channel_ = nullptr;

    int exactFound_ = 0;
    Pile expression_;
    Pile bestExpression_;
    Pile values_;
    Pile lastSolution_;
    Pile computerExpression_;
    int lastValue_ = 0;
    int distinctCount_ = 0;
    int tokenLimit_ = 0;
    int tokensLeft_ = 0;
    int bestDistance_ = 0;
    std::array<int, kTokenSlots> tokens_{};
    std::array<int, kTokenSlots> available_{};
    bool computerExact_ = false;
    unsigned simplestOps_ = 0;
    unsigned computerOps_ = 0;
    int computerResult_ = 0;
    std::array<GoalRange, kMaxGoals> goals_{};
    std::array<int, Pile::kSlots + 3> goalStart_{};
    int unboundedFrom_ = 0;
    long levelDraws_ = 0;
    long levelPassed_ = 0;
    long statesVisited_ = 0;
};

} // namespace lexinum
