#include "NumbersSolver.h"

#include "CalculationReach.h"
#include "NumberRules.h"
#include "common/Random15.h"
#include "common/SearchChannel.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <functional>

namespace lexinum {

namespace {

// Appends a number in decimal.
void AppendNumber(std::string& text, int value) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    text.append(digits, result.ptr);
}

inline bool Pruned(int r, int a, int b) {
    return r == 0 || r == a || r == b;
}

inline int Distance(int value, int target) {
    const long long d = static_cast<long long>(value) - target;
    return d < 0 ? (-d > INT_MAX ? INT_MAX : static_cast<int>(-d)) : (d > INT_MAX ? INT_MAX : static_cast<int>(d));
}

} // namespace

NumbersSolver::NumbersSolver() {
    ClearPiles();
}

void NumbersSolver::SetDraw(const std::array<int, kNumbers>& numbers, int target) {
    numbers_ = numbers;
    target_ = target;
}

void NumbersSolver::SetLevel(int level) {
    level_ = std::clamp(level, kMinLevel, kMaxLevel);
}

void NumbersSolver::ClearPiles() {
    expression_.Init();
    bestExpression_.Init();
    values_.Init();
}

void NumbersSolver::BuildTokens() {
    std::array<int, kNumbers> sorted = numbers_;
    std::sort(sorted.begin(), sorted.end(), std::greater<>());
    tokens_.fill(0);
    available_.fill(0);
    for (int slot = 0; slot < kOperationSlots; ++slot) {
        tokens_[static_cast<std::size_t>(slot)] = NumberRules::kAdd + slot;
        available_[static_cast<std::size_t>(slot)] = 1;
    }
    distinctCount_ = 0;
    for (const int value : sorted) {
        // Numbers are positive; anything else would read as an operation code.
        if (value <= 0)
            break;
        const auto last = static_cast<std::size_t>(kOperationSlots + distinctCount_ - 1);
        if (distinctCount_ > 0 && tokens_[last] == value) {
            ++available_[last];
        } else {
            const auto slot = static_cast<std::size_t>(kOperationSlots + distinctCount_);
            tokens_[slot] = value;
            available_[slot] = 1;
            ++distinctCount_;
        }
    }
    tokenLimit_ = distinctCount_ + kOperationSlots;
}

void NumbersSolver::UpdateMarks(int slot) {
    if (slot >= kOperationSlots) {
        --available_[static_cast<std::size_t>(slot)];
        for (int op = 0; op < kOperationSlots; ++op)
            available_[static_cast<std::size_t>(op)] = 1;
        // Only operations can complete the calculation now.
        if (tokensLeft_ <= values_.Count())
            for (int i = kOperationSlots; i < tokenLimit_; ++i)
                available_[static_cast<std::size_t>(i)] = 0;
        return;
    }
    if (values_.Count() == 1) {
        for (int op = 0; op < kOperationSlots; ++op)
            available_[static_cast<std::size_t>(op)] = 0;
        return;
    }
    // The next operation must come from the other family.
    const int additive = NumberRules::IsAdditive(tokens_[static_cast<std::size_t>(slot)]) ? 0 : 1;
    available_[0] = available_[1] = additive;
    available_[2] = available_[3] = 1 - additive;
}

bool NumbersSolver::OtherOrderBlocked(int operation, int lastOperation, int c, int d, int a) const {
    // The order kept instead, (X q d) p c with X the value c was applied to,
    // is not always one the game allows: X - d may be negative or X / d a
    // fraction while (X + c) - d or (X * c) / d is fine. Then this order is
    // the only way to write the calculation and must be tried.
    int x = 0;
    switch (lastOperation) {
    case NumberRules::kAdd:
        x = a - c;
        break;
    case NumberRules::kSubtract:
        x = a + c;
        break;
    case NumberRules::kMultiply:
        x = a / c;
        break;
    default:
        x = a * c;
        break;
    }
    if (d > x) {
        // X + c + d with d above X can still start from d: d X + c + (the
        // same for x), unless X ends with an operation of the same family or
        // d + X gives a number not yet placed other than c.
        if (operation == lastOperation && (operation == NumberRules::kAdd || operation == NumberRules::kMultiply)) {
            const int lastOfX = expression_.Below(3);
            if (lastOfX > 0 || NumberRules::IsAdditive(lastOfX) != NumberRules::IsAdditive(lastOperation)) {
                const int first = NumberRules::Value(d, operation, x);
                return Pruned(first, d, x) || (first != c && RedundantSlot(first) >= 0);
            }
        }
        return true;
    }
    const int first = NumberRules::Value(x, operation, d);
    // In that order c comes right after X q d, so X q d may equal c, but no
    // other unused number (c is still to be placed, even at the end of a
    // calculation).
    if (Pruned(first, x, d) || (first != c && RedundantSlot(first) >= 0) || c > first)
        return true;
    return Pruned(NumberRules::Value(first, lastOperation, c), first, c);
}

bool NumbersSolver::NestedAllowed(int operation, int w, const LastStep& last) const {
    // The calculation ends with the tokens of w, y and z, then q.
    Block z{0, expression_.Count() - 2};
    z.first = BlockStart(z.end);
    Block y{0, z.first - 1};
    y.first = BlockStart(y.end);
    Block wTokens{0, y.first - 1};
    wTokens.first = BlockStart(wTokens.end);
    // w + (y - z) is (w + y) - z or (w - z) + y; w - (y - z) is (w - y) + z
    // or (w + z) - y: after - or / the inner operation turns to its opposite.
    const int inner = IsInverse(operation) ? Opposite(last.operation) : last.operation;
    if (ChainWritable(w, operation, last.a, inner, last.b, wTokens, y, z, false) ||
        ChainWritable(w, inner, last.b, operation, last.a, wTokens, z, y, true))
        return false;
    // With w equal to y q z, the chain y q z p w gives the same: 2 + (8 - 6)
    // is (8 - 6) + 2. Then w is placed last, after a value equal to it.
    const int lastOfW = expression_[wTokens.end];
    return NumberRules::Value(last.a, last.operation, last.b) != w ||
           (lastOfW < 0 && NumberRules::IsAdditive(lastOfW) == NumberRules::IsAdditive(operation)) ||
           !MayBuild(w, wTokens, kNoTokens) || Meets(y, wTokens) || Meets(z, wTokens);
}

bool NumbersSolver::ChainWritable(int w, int o1, int s, int o2, int t, const Block& wTokens, const Block& sTokens,
                                  const Block& tTokens, bool sMoved) const {
    // Built with t still to be placed, s could be followed only by the number it equals.
    if (sTokens.first != sTokens.end && tTokens.first == tTokens.end && s == t)
        return false;
    int u = 0;
    if (s <= w) {
        u = NumberRules::Value(w, o1, s);
        if (Pruned(u, w, s) || !MayBuild(u, tTokens, kNoTokens))
            return false;
    } else {
        u = ChainFrom(s, o1, wTokens, sTokens, tTokens);
        if (u == 0)
            return false;
    }
    if (t > u || Pruned(NumberRules::Value(u, o2, t), u, t))
        return false;
    // Moved before t's tokens, s's would be worked out while t's numbers are
    // still to be placed, and may not build a value equal to one of them.
    return !(sMoved && Meets(sTokens, tTokens));
}

int NumbersSolver::ChainFrom(int s, int o1, const Block& wTokens, const Block& sTokens, const Block& tTokens) const {
    // Only + and x take their operands either way round; and s, now worked
    // out before w, may not build one of w's numbers.
    if (IsInverse(o1) || Meets(sTokens, wTokens))
        return 0;
    // w's own chain of o1's family: where each term after the first begins,
    // the last term first.
    const bool additive = NumberRules::IsAdditive(o1);
    std::array<int, kNumbers> starts{};
    int terms = 0;
    int end = wTokens.end;
    while (expression_[end] < 0 && NumberRules::IsAdditive(expression_[end]) == additive) {
        // A term of the same family is itself nested: no chain to follow.
        if (expression_[end - 1] < 0 && NumberRules::IsAdditive(expression_[end - 1]) == additive)
            return 0;
        starts[static_cast<std::size_t>(terms)] = BlockStart(end - 1);
        end = starts[static_cast<std::size_t>(terms++)] - 1;
    }
    // s o1 w's first term (either on top: both are whole values), then the
    // other terms of w with their own operations: s + (a - b) as s + a - b.
    const int first = BlockValue({wTokens.first, end});
    int running = first > s ? NumberRules::Value(first, o1, s) : NumberRules::Value(s, o1, first);
    if (Pruned(running, s, first))
        return 0;
    for (int i = terms - 1; i >= 0; --i) {
        const int termFirst = starts[static_cast<std::size_t>(i)];
        const int operationAt = i == 0 ? wTokens.end : starts[static_cast<std::size_t>(i - 1)] - 1;
        const Block term{termFirst, operationAt - 1};
        if (!MayBuild(running, term, {termFirst, wTokens.end}, tTokens))
            return 0;
        const int value = BlockValue(term);
        const int next = NumberRules::Value(running, expression_[operationAt], value);
        if (value > running || Pruned(next, running, value))
            return 0;
        running = next;
    }
    return MayBuild(running, tTokens, kNoTokens) ? running : 0;
}

bool NumbersSolver::MayBuild(int value, const Block& next, const Block& later, const Block& last) const {
    // The number it equals may follow at once (then an operation of the
    // same family, as in every chain).
    if (next.first == next.end && expression_[next.first] == value)
        return true;
    if (RedundantSlot(value) >= 0)
        return false;
    for (int i = next.first; i <= next.end; ++i)
        if (expression_[i] == value)
            return false;
    for (int i = later.first; i <= later.end; ++i)
        if (expression_[i] == value)
            return false;
    for (int i = last.first; i <= last.end; ++i)
        if (expression_[i] == value)
            return false;
    return true;
}

template <typename Visit> int NumbersSolver::EvaluateBlock(const Block& tokens, Visit visit) const {
    std::array<int, Pile::kSlots> stack{};
    int depth = 0;
    for (int i = tokens.first; i <= tokens.end; ++i) {
        const int token = expression_[i];
        if (token > 0) {
            stack[static_cast<std::size_t>(depth++)] = token;
            continue;
        }
        --depth;
        const int value = NumberRules::Value(stack[static_cast<std::size_t>(depth - 1)], token,
                                             stack[static_cast<std::size_t>(depth)]);
        stack[static_cast<std::size_t>(depth - 1)] = value;
        if (!visit(i, value))
            break;
    }
    return stack[0];
}

int NumbersSolver::BlockValue(const Block& tokens) const {
    return EvaluateBlock(tokens, [](int, int) { return true; });
}

bool NumbersSolver::Meets(const Block& tokens, const Block& numbers) const {
    bool met = false;
    EvaluateBlock(tokens, [&](int i, int value) {
        // A value met at once by the number it equals may be built anywhere.
        if (i < tokens.end && expression_[i + 1] == value)
            return true;
        for (int j = numbers.first; j <= numbers.end; ++j)
            met = met || expression_[j] == value;
        return !met;
    });
    return met;
}

int NumbersSolver::BlockStart(int end) const {
    int needed = 1;
    for (int i = end; i >= 0; --i) {
        needed += expression_[i] > 0 ? -1 : 1;
        if (needed == 0)
            return i;
    }
    return 0;
}

bool NumbersSolver::StopSeen() {
    // One relaxed load per state: a stop takes effect within microseconds
    // and the search does not notice the cost.
    ++statesVisited_;
    return channel_->StopAsked();
}

bool NumbersSolver::LevelTest() {
    // At the top level every operation passes: no need to draw.
    if (level_ >= kMaxLevel)
        return true;
    ++levelDraws_;
    const bool tried = Random15::Next() * 6 / Random15::kRange >= kMaxLevel - level_;
    levelPassed_ += tried;
    return tried;
}

int NumbersSolver::DistanceToTarget(int value) const {
    return Distance(value, target_);
}

void NumbersSolver::RecordNearest(int value, int operation, bool computer) {
    const int distance = Distance(value, target_);
    if (distance >= bestDistance_)
        return;
    bestDistance_ = distance;
    bestExpression_ = expression_;
    bestExpression_.Push(operation);
    if (computer)
        computerResult_ = value;
}

NumbersSolver::Step NumbersSolver::SingleNumbers(bool computer) {
    Step step = Step::Continue;
    for (int slot = kOperationSlots; slot < tokenLimit_; ++slot) {
        const int v = tokens_[static_cast<std::size_t>(slot)];
        const int d = Distance(v, target_);
        if (d == 0) {
            // Set before the hand-over: the caller reads it with the batch.
            exactFound_ = 1;
            expression_.Push(v);
            std::string& text = channel_->WorkerText();
            text.assign(kSingleNumberText);
            text += NumberRules::kLineBreak;
            if (computer) {
                PrintPile(expression_, text);
                computerExpression_ = expression_;
                computerExact_ = true;
                computerOps_ = 0;
                computerResult_ = v;
                step = Step::Stop;
            } else if (HandOver(expression_, *channel_) == Step::Stop) {
                step = Step::Stop;
            }
            expression_.Pop();
            if (step == Step::Stop)
                return step;
        } else if (d < bestDistance_) {
            bestDistance_ = d;
            bestExpression_ = expression_;
            bestExpression_.Push(v);
            if (computer)
                computerResult_ = v;
        }
    }
    return step;
}

// ---------------------------------------------------------------- solutions

void NumbersSolver::SolutionsSearch(SearchChannel& channel) {
    // The channel was marked running by SearchChannel::Start before this
    // thread began, so that a stop asked at once is not lost.
    channel_ = &channel;
    simplestOps_ = 0;
    exactFound_ = 0;
    statesVisited_ = 0;
    expression_.Init();
    // Far rather than the target itself: with numbers far above a small target
    // no calculation may come nearer than the target, and the nearest must
    // still be found.
    bestDistance_ = INT_MAX;
    BuildTokens();

    if (SingleNumbers(false) == Step::Continue) {
        for (int tokens = 3; tokens <= Pile::kSlots; tokens += 2) {
            tokensLeft_ = tokens;
            expression_.Clear();
            values_.Clear();
            if (FirstToken() == Step::Stop || channel.StopAsked())
                break;
        }
    }

    if (channel.StopAsked()) {
        // Stopped: no closing text. The solver text was taken with the last
        // batch, or emptied when the stop was seen during a hand-over, and
        // then belongs to the caller again: it is not touched here. A caller
        // waiting for a batch is released.
        channel.FinishStopped();
    } else if (exactFound_ != 0) {
        std::string closing;
        ClosingText(closing);
        channel.Finish(closing);
    } else {
        // With nothing exact the closing text is the last batch and the
        // search does not wait to be let go.
        std::string closing;
        ClosingText(closing);
        channel.FinishWithoutWaiting(closing);
    }
    channel_ = nullptr;
}

NumbersSolver::Step NumbersSolver::FirstToken() {
    --tokensLeft_;
    for (int slot = kOperationSlots; slot < tokenLimit_; ++slot) {
        const int number = tokens_[static_cast<std::size_t>(slot)];
        --available_[static_cast<std::size_t>(slot)];
        expression_.Push(number);
        values_.Push(number);
        if (SecondToken() == Step::Stop)
            return Step::Stop;
        expression_.Pop();
        values_.Pop();
        ++available_[static_cast<std::size_t>(slot)];
    }
    ++tokensLeft_;
    return Step::Continue;
}

NumbersSolver::Step NumbersSolver::SecondToken() {
    --tokensLeft_;
    for (int slot = kOperationSlots; slot < tokenLimit_; ++slot) {
        if (available_[static_cast<std::size_t>(slot)] == 0)
            continue;
        const int number = tokens_[static_cast<std::size_t>(slot)];
        --available_[static_cast<std::size_t>(slot)];
        expression_.Push(number);
        values_.Push(number);
        if ((tokensLeft_ == 1 ? Tail(kAllOperations) : NextToken(kAllOperations, kAnyNumber, 0)) == Step::Stop)
            return Step::Stop;
        expression_.Pop();
        values_.Pop();
        ++available_[static_cast<std::size_t>(slot)];
    }
    ++tokensLeft_;
    return Step::Continue;
}

NumbersSolver::Step NumbersSolver::NextToken(unsigned operations, int onlyNumber, int pairFamily,
                                             const LastStep& last) {
    if (StopSeen())
        return Step::Stop;
    const int b = values_.Top();
    const int a = values_.Below(1);
    // A top value that can never come down to the one below it: nothing
    // built from here can complete.
    if (b > a && a > 0 && !CanComeDown(a, b, (tokensLeft_ - values_.Count() + 1) / 2))
        return Step::Continue;
    --tokensLeft_;

    // Operations first, when the top value is not above the one below it.
    // After an operation, one of the same family too, where only it can write the calculation.
    const unsigned nested = last.operation != 0 ? FamilyMask(NumberRules::IsAdditive(last.operation) ? 1 : 2) : 0u;
    if (b <= a && (operations | nested) != 0) {
        // The last three tokens "c p d": the rule keeping one order of a chain.
        const bool chained =
            expression_.Count() > 3 && expression_.Below(0) > 0 && expression_.Below(1) < 0 && expression_.Below(2) > 0;
        const int d = expression_.Below(0);
        const int p = expression_.Below(1);
        const int c = expression_.Below(2);
        for (int slot = 0; slot < kOperationSlots; ++slot) {
            if (((operations | nested) & (1u << slot)) == 0)
                continue;
            const int operation = NumberRules::kAdd + slot;
            if (chained && !ChainAllows(operation, p, c, d, a))
                continue;
            const int r = NumberRules::Value(a, operation, b);
            if (Pruned(r, a, b))
                continue;
            if ((operations & (1u << slot)) == 0 && !NestedAllowed(operation, a, last))
                continue;
            // The stack after this operation: what lies below r, and the
            // numbers still to place.
            if (!StillReachable(values_.Count() - 2, r, (tokensLeft_ - values_.Count() + 2) / 2))
                continue;
            lastValue_ = r;
            expression_.Push(operation);
            values_.Pop();
            values_.Pop();
            values_.Push(r);
            // A value that an unused drawn number already gives is built
            // only to meet that very number at once through an operation
            // of the same family (75 / 25 = 3, then / 3): written the other
            // way round, the two operations in a row would not alternate.
            // Anywhere else the number itself makes the same calculation.
            const int family = FamilyOf(slot);
            const int twin = RedundantSlot(r);
            Step step = Step::Continue;
            if (twin >= 0)
                step = NextToken(0, twin, family);
            else if (values_.Count() == 1)
                step = NextToken(0u, kAnyNumber, 0);
            else
                step = NextToken(FamilyMask(3 - family), kAnyNumber, 0, LastStep{operation, a, b});
            if (step == Step::Stop)
                return Step::Stop;
            expression_.Pop();
            values_.Pop();
            values_.Push(a);
            values_.Push(b);
        }
    }

    // Then numbers, unless an operation has to come next.
    if (onlyNumber != kNoNumber) {
        const int firstSlot = onlyNumber >= 0 ? onlyNumber : kOperationSlots;
        const int endSlot = onlyNumber >= 0 ? onlyNumber + 1 : tokenLimit_;
        // After a value paired with its drawn twin, an operation of the same family must follow.
        const unsigned next = onlyNumber >= 0 ? FamilyMask(pairFamily) : kAllOperations;
        for (int slot = firstSlot; slot < endSlot; ++slot) {
            if (available_[static_cast<std::size_t>(slot)] == 0)
                continue;
            const int number = tokens_[static_cast<std::size_t>(slot)];
            --available_[static_cast<std::size_t>(slot)];
            if (!StillReachable(values_.Count(), number, (tokensLeft_ - values_.Count()) / 2)) {
                ++available_[static_cast<std::size_t>(slot)];
                continue;
            }
            expression_.Push(number);
            values_.Push(number);
            Step step = Step::Continue;
            if (tokensLeft_ != values_.Count() - 1)
                step = NextToken(next, onlyNumber >= 0 ? kNoNumber : kAnyNumber, 0);
            else if (number <= values_.Below(1))
                step = Tail(next); // every number is placed: only operations remain
            if (step == Step::Stop)
                return Step::Stop;
            expression_.Pop();
            values_.Pop();
            ++available_[static_cast<std::size_t>(slot)];
        }
    }
    ++tokensLeft_;
    return Step::Continue;
}

bool NumbersSolver::CheckReach(int depth, int value, int numbersLeft) const {
    CalculationReach::Window w{};
    if (exactFound_ != 0) {
        w = {target_, target_};
    } else {
        if (bestDistance_ > kReachWindowLimit)
            return true;
        w = {std::max(1LL, static_cast<long long>(target_) - bestDistance_ + 1),
             static_cast<long long>(target_) + bestDistance_ - 1};
    }
    if (depth == 2 && numbersLeft == 2) {
        for (int i = kOperationSlots; i < tokenLimit_; ++i) {
            const int countI = available_[static_cast<std::size_t>(i)];
            if (countI == 0)
                continue;
            const int s = tokens_[static_cast<std::size_t>(i)];
            if (countI >= 2 && CalculationReach::Stack3Numbers2(values_[0], values_[1], value, s, s, w))
                return true;
            for (int j = i + 1; j < tokenLimit_; ++j)
                if (available_[static_cast<std::size_t>(j)] != 0 &&
                    CalculationReach::Stack3Numbers2(values_[0], values_[1], value, s,
                                                     tokens_[static_cast<std::size_t>(j)], w))
                    return true;
        }
        return false;
    }
    if (depth >= 2) {
        if (numbersLeft != 1 || depth > 3)
            return true;
        for (int slot = kOperationSlots; slot < tokenLimit_; ++slot) {
            if (available_[static_cast<std::size_t>(slot)] == 0)
                continue;
            const int m = tokens_[static_cast<std::size_t>(slot)];
            if (depth == 2 ? CalculationReach::Stack3Numbers1(values_[0], values_[1], value, m, w)
                           : CalculationReach::Stack4Numbers1(values_[0], values_[1], values_[2], value, m, w))
                return true;
        }
        return false;
    }
    const int below = depth == 1 ? values_[0] : 0;
    if (depth == 1) {
        if (numbersLeft == 1) {
            for (int slot = kOperationSlots; slot < tokenLimit_; ++slot)
                if (available_[static_cast<std::size_t>(slot)] != 0 &&
                    CalculationReach::Stack2Numbers1(below, value, tokens_[static_cast<std::size_t>(slot)], w))
                    return true;
            return false;
        }
        if (numbersLeft == 2) {
            for (int i = kOperationSlots; i < tokenLimit_; ++i) {
                const int countI = available_[static_cast<std::size_t>(i)];
                if (countI == 0)
                    continue;
                const int s = tokens_[static_cast<std::size_t>(i)];
                if (countI >= 2 && CalculationReach::Stack2Numbers2(below, value, s, s, w))
                    return true;
                for (int j = i + 1; j < tokenLimit_; ++j)
                    if (available_[static_cast<std::size_t>(j)] != 0 &&
                        CalculationReach::Stack2Numbers2(below, value, s, tokens_[static_cast<std::size_t>(j)], w))
                        return true;
            }
            return false;
        }
        return true;
    }
    if (numbersLeft == 1) {
        for (int slot = kOperationSlots; slot < tokenLimit_; ++slot)
            if (available_[static_cast<std::size_t>(slot)] != 0 &&
                CalculationReach::Stack1Numbers1(value, tokens_[static_cast<std::size_t>(slot)], w))
                return true;
        return false;
    }
    if (numbersLeft == 2) {
        for (int i = kOperationSlots; i < tokenLimit_; ++i) {
            const int countI = available_[static_cast<std::size_t>(i)];
            if (countI == 0)
                continue;
            if (countI >= 2 && CalculationReach::Stack1Numbers2(value, tokens_[static_cast<std::size_t>(i)],
                                                                tokens_[static_cast<std::size_t>(i)], w))
                return true;
            for (int j = i + 1; j < tokenLimit_; ++j)
                if (available_[static_cast<std::size_t>(j)] != 0 &&
                    CalculationReach::Stack1Numbers2(value, tokens_[static_cast<std::size_t>(i)],
                                                     tokens_[static_cast<std::size_t>(j)], w))
                    return true;
        }
        return false;
    }
    if (numbersLeft == 3) {
        // Only when the three numbers are the last of the draw.
        std::array<int, 3> last{};
        int n = 0;
        for (int slot = kOperationSlots; slot < tokenLimit_; ++slot)
            for (int copy = available_[static_cast<std::size_t>(slot)]; copy > 0; --copy) {
                if (n == 3)
                    return true;
                last[static_cast<std::size_t>(n++)] = tokens_[static_cast<std::size_t>(slot)];
            }
        return n != 3 || CalculationReach::Stack1Numbers3(value, last, w);
    }
    return true;
}

bool NumbersSolver::CanComeDown(int a, int b, int numbersLeft) const {
    // Whatever is built on b before it meets a starts from b and only comes
    // down through "- T" or "/ T", T made of numbers still to be placed; each
    // step divides it by at most T + 1, and T + 1 is at most the product of
    // (n + 1) over the numbers it is made of. So b can come down to a only if
    // b <= a * that product over the largest numbers left.
    std::int64_t bound = a;
    for (int slot = kOperationSlots; slot < tokenLimit_ && numbersLeft > 0; ++slot) {
        for (int copy = available_[static_cast<std::size_t>(slot)]; copy > 0 && numbersLeft > 0; --copy) {
            bound *= tokens_[static_cast<std::size_t>(slot)] + 1;
            if (bound >= b)
                return true;
            --numbersLeft;
        }
    }
    return bound >= b;
}

NumbersSolver::Step NumbersSolver::Tail(unsigned allowed) {
    const int count = values_.Count();
    const int b = values_.Top();
    const int a = values_.Below(1);
    if (b > a)
        return Step::Continue;
    // Only the first operation of the tail can follow a number, so only it
    // is subject to the chain rule.
    const bool chained =
        expression_.Below(0) > 0 && expression_.Count() > 3 && expression_.Below(1) < 0 && expression_.Below(2) > 0;
    const int d = expression_.Below(0);
    const int p = expression_.Below(1);
    const int c = expression_.Below(2);
    // The values under the two on top, and the first operation's result above them.
    std::array<int, Pile::kSlots> stack{};
    for (int i = 0; i < count - 1; ++i)
        stack[static_cast<std::size_t>(i)] = values_[i];
    if (count > 2)
        PrepareGoals(stack.data(), count - 2);
    for (int slot = 0; slot < kOperationSlots; ++slot) {
        if ((allowed & (1u << slot)) == 0)
            continue;
        const int operation = NumberRules::kAdd + slot;
        const int r = NumberRules::Value(a, operation, b);
        if (Pruned(r, a, b))
            continue;
        if (count == 2 ? !LeafMatters(r) : !MeetsGoal(count - 1, r))
            continue;
        if (chained && !ChainAllows(operation, p, c, d, a))
            continue;
        Step step = Step::Continue;
        if (count == 2) {
            step = Leaf(operation, r);
        } else {
            stack[static_cast<std::size_t>(count - 2)] = r;
            expression_.Push(operation);
            step = TailRest(stack.data(), count - 1, FamilyMask(slot < 2 ? 2 : 1), LastStep{operation, a, b});
            expression_.Pop();
        }
        if (step == Step::Stop)
            return Step::Stop;
    }
    return Step::Continue;
}

NumbersSolver::Step NumbersSolver::TailRest(int* stack, int count, unsigned allowed, const LastStep& last) {
    const int b = stack[count - 1];
    const int a = stack[count - 2];
    if (b > a)
        return Step::Continue;
    // The family of the operation just applied may follow it where only that writes the calculation.
    const unsigned nested = FamilyMask(NumberRules::IsAdditive(last.operation) ? 1 : 2);
    for (int slot = 0; slot < kOperationSlots; ++slot) {
        if (((allowed | nested) & (1u << slot)) == 0)
            continue;
        const int operation = NumberRules::kAdd + slot;
        const int r = NumberRules::Value(a, operation, b);
        if (Pruned(r, a, b))
            continue;
        if (count == 2) {
            if (LeafMatters(r) && ((allowed & (1u << slot)) != 0 || NestedAllowed(operation, a, last)) &&
                Leaf(operation, r) == Step::Stop)
                return Step::Stop;
            continue;
        }
        if (!MeetsGoal(count - 1, r))
            continue;
        if ((allowed & (1u << slot)) == 0 && !NestedAllowed(operation, a, last))
            continue;
        stack[count - 2] = r;
        expression_.Push(operation);
        const Step step = TailRest(stack, count - 1, FamilyMask(slot < 2 ? 2 : 1), LastStep{operation, a, b});
        expression_.Pop();
        stack[count - 2] = a;
        if (step == Step::Stop)
            return Step::Stop;
    }
    return Step::Continue;
}

void NumbersSolver::PrepareGoals(const int* stack, int levels) {
    // Level 1: what the whole calculation must end on.
    long long lo = target_;
    long long hi = target_;
    if (exactFound_ == 0) {
        const long long far = bestDistance_ == INT_MAX ? static_cast<long long>(INT_MAX) : bestDistance_ - 1;
        lo = std::max(1LL, target_ - far);
        hi = target_ + far;
    }
    goalStart_[1] = 0;
    goalStart_[2] = 1;
    goals_[0] = {lo, hi};
    // Level j + 1 from level j: the values Y, never above x_j, for which
    // x_j op Y lands in one of level j's ranges.
    for (int level = 1; level <= levels; ++level) {
        const long long x = stack[level - 1];
        int out = goalStart_[level + 1];
        for (int i = goalStart_[level]; i < goalStart_[level + 1]; ++i) {
            if (out + 4 > kMaxGoals) {
                // Too many to follow: the deeper levels take anything.
                for (int deeper = level + 1; deeper <= levels + 1; ++deeper)
                    goalStart_[deeper + 1] = goalStart_[deeper];
                unboundedFrom_ = level + 1;
                return;
            }
            const GoalRange g = goals_[i];
            const auto add = [&](long long from, long long to) {
                from = std::max(from, 1LL);
                to = std::min(to, x);
                if (from <= to)
                    goals_[out++] = {from, to};
            };
            add(g.lo - x, g.hi - x);                             // x + Y
            add(x - g.hi, x - g.lo);                             // x - Y
            add((g.lo + x - 1) / x, g.hi / x);                   // x * Y
            add((x + g.hi - 1) / g.hi, x / std::max(g.lo, 1LL)); // x / Y
        }
        goalStart_[level + 2] = out;
    }
    unboundedFrom_ = levels + 2;
}

bool NumbersSolver::MeetsGoal(int level, long long value) const {
    if (level >= unboundedFrom_)
        return true;
    for (int i = goalStart_[level]; i < goalStart_[level + 1]; ++i)
        if (value >= goals_[i].lo && value <= goals_[i].hi)
            return true;
    return false;
}

NumbersSolver::Step NumbersSolver::Leaf(int operation, int r) {
    if (r == target_) {
        expression_.Push(operation);
        if (exactFound_ == 0)
            simplestOps_ = static_cast<unsigned>((expression_.Count() - 1) / 2);
        exactFound_ = 1;
        if (HandOver(expression_, *channel_) == Step::Stop)
            return Step::Stop;
        expression_.Pop();
    } else {
        RecordNearest(r, operation, false);
    }
    return Step::Continue;
}

// ---------------------------------------------------------------- computer

void NumbersSolver::ComputerSearch(SearchChannel& channel) {
    channel_ = &channel;
    exactFound_ = 0;
    expression_.Init();
    computerExpression_.Init();
    computerOps_ = 0;
    computerResult_ = 0;
    computerExact_ = false;
    levelDraws_ = 0;
    levelPassed_ = 0;
    statesVisited_ = 0;
    bestDistance_ = INT_MAX;
    BuildTokens();

    if (SingleNumbers(true) == Step::Continue) {
        tokensLeft_ = Pile::kSlots;
        expression_.Clear();
        values_.Clear();
        CFirst();
    }
    channel_ = nullptr;
    // An exact answer found is handed over even if a stop came meanwhile;
    // a search cut short has no answer to give.
    if (!computerExact_ && channel.StopAsked())
        channel.FinishStopped();
    else
        channel.HandOverAnswer();
}

bool NumbersSolver::CFirst() {
    --tokensLeft_;
    for (int slot = kOperationSlots; slot < tokenLimit_; ++slot) {
        const int number = tokens_[static_cast<std::size_t>(slot)];
        --available_[static_cast<std::size_t>(slot)];
        expression_.Push(number);
        values_.Push(number);
        if (CSecond())
            return true;
        expression_.Pop();
        values_.Pop();
        ++available_[static_cast<std::size_t>(slot)];
    }
    ++tokensLeft_;
    return false;
}

bool NumbersSolver::CSecond() {
    --tokensLeft_;
    for (int slot = kOperationSlots; slot < tokenLimit_; ++slot) {
        if (available_[static_cast<std::size_t>(slot)] == 0)
            continue;
        const int number = tokens_[static_cast<std::size_t>(slot)];
        --available_[static_cast<std::size_t>(slot)];
        expression_.Push(number);
        values_.Push(number);
        if (CFinal() || CNext())
            return true;
        expression_.Pop();
        values_.Pop();
        ++available_[static_cast<std::size_t>(slot)];
    }
    ++tokensLeft_;
    return false;
}

bool NumbersSolver::CNext() {
    if (StopSeen())
        return true;
    const int b = values_.Top();
    const int a = values_.Below(1);
    const std::array<int, kTokenSlots> saved = available_;
    --tokensLeft_;
    for (int slot = b > a ? kOperationSlots : 0; slot < tokenLimit_; ++slot) {
        if (available_[static_cast<std::size_t>(slot)] == 0)
            continue;
        const int token = tokens_[static_cast<std::size_t>(slot)];
        if (slot < kOperationSlots) {
            if (!LevelTest())
                continue;
            lastValue_ = NumberRules::Value(a, token, b);
            if (Pruned(lastValue_, a, b))
                continue;
            expression_.Push(token);
            values_.Pop();
            values_.Pop();
            values_.Push(lastValue_);
        } else {
            expression_.Push(token);
            values_.Push(token);
        }
        UpdateMarks(slot);
        if (values_.Count() == 2 && CFinal())
            return true;
        if (CNext())
            return true;
        expression_.Pop();
        values_.Pop();
        if (slot < kOperationSlots) {
            values_.Push(a);
            values_.Push(b);
        }
        available_ = saved;
    }
    ++tokensLeft_;
    return false;
}

bool NumbersSolver::CFinal() {
    const int b = values_.Top();
    const int a = values_.Below(1);
    if (b > a)
        return false;
    for (int slot = 0; slot < kOperationSlots; ++slot) {
        if (available_[static_cast<std::size_t>(slot)] == 0 || !LevelTest())
            continue;
        const int operation = tokens_[static_cast<std::size_t>(slot)];
        const int r = NumberRules::Value(a, operation, b);
        if (Pruned(r, a, b))
            continue;
        if (r == target_) {
            expression_.Push(operation);
            std::string& text = channel_->WorkerText();
            text.assign(kComputerExactText);
            text += NumberRules::kLineBreak;
            computerOps_ = static_cast<unsigned>((expression_.Count() - 1) / 2);
            computerResult_ = target_;
            computerExact_ = true;
            computerExpression_ = expression_;
            PrintPile(expression_, text);
            exactFound_ = 1;
            return true;
        }
        RecordNearest(r, operation, true);
    }
    return false;
}

// ---------------------------------------------------------------- texts

void NumbersSolver::PrintPile(const Pile& pile, std::string& text) {
    const int count = pile.Count();
    if (count == 0)
        return;
    if (count == 1) {
        text += "   ";
        AppendNumber(text, pile[0]);
        text += " = ";
        AppendNumber(text, pile[0]);
        text += NumberRules::kLineBreak;
        return;
    }
    std::array<int, Pile::kSlots> copy{};
    for (int i = 0; i < count; ++i)
        copy[static_cast<std::size_t>(i)] = pile[i];
    int left = count;
    int indent = 2;
    while (left > 1) {
        int at = 2;
        while (at < left && copy[static_cast<std::size_t>(at)] >= 0)
            ++at;
        if (at >= left)
            return; // no operation left: not a calculation
        const int a = copy[static_cast<std::size_t>(at - 2)];
        const int b = copy[static_cast<std::size_t>(at - 1)];
        const int operation = copy[static_cast<std::size_t>(at)];
        if (a <= 0 || b <= 0)
            return; // two operations in a row where numbers belong
        const int value = NumberRules::Value(a, operation, b);
        text.append(static_cast<std::size_t>(indent), ' ');
        AppendNumber(text, a);
        text += ' ';
        text += NumberRules::PrintedChar(operation);
        text += ' ';
        AppendNumber(text, b);
        text += " = ";
        AppendNumber(text, value);
        text += NumberRules::kLineBreak;
        ++indent;
        copy[static_cast<std::size_t>(at - 2)] = value;
        for (int i = at + 1; i < left; ++i)
            copy[static_cast<std::size_t>(i - 2)] = copy[static_cast<std::size_t>(i)];
        left -= 2;
    }
}

int NumbersSolver::PileValue(const Pile& pile) {
    std::array<int, Pile::kSlots> stack{};
    int depth = 0;
    for (int i = 0; i < pile.Count(); ++i) {
        const int token = pile[i];
        if (token > 0) {
            stack[static_cast<std::size_t>(depth++)] = token;
            continue;
        }
        if (depth < 2)
            return 0;
        const int b = stack[static_cast<std::size_t>(--depth)];
        const int a = stack[static_cast<std::size_t>(depth - 1)];
        const int value = NumberRules::Value(a, token, b);
        if (value <= 0)
            return 0;
        stack[static_cast<std::size_t>(depth - 1)] = value;
    }
    return depth == 1 ? stack[0] : 0;
}

NumbersSolver::Step NumbersSolver::HandOver(const Pile& pile, SearchChannel& channel) {
    // A one-number solution keeps the line written before it.
    if (pile.Count() != 1)
        channel.WorkerText().clear();
    PrintPile(pile, channel.WorkerText());
    lastSolution_ = pile;
    return channel.HandOver() ? Step::Continue : Step::Stop;
}

void NumbersSolver::ClosingText(std::string& text) const {
    if (exactFound_ != 0) {
        text += NumberRules::kLineBreak;
        text += kNoMoreSolutionsText;
        return;
    }
    text += NearestText(playerResult_);
}

std::string NumbersSolver::NearestText(int playerResult) const {
    std::string text;
    const int playerDistance = Distance(playerResult, target_);
    if (bestDistance_ < playerDistance) {
        text += ' ';
        AppendNumber(text, target_);
        text += " à ";
        AppendNumber(text, bestDistance_);
        text += " près seulement...";
        text += NumberRules::kLineBreak;
    } else if (bestDistance_ == playerDistance) {
        text += kNoBetterText;
        text += NumberRules::kLineBreak;
    }
    PrintPile(bestExpression_, text);
    return text;
}

} // namespace lexinum
