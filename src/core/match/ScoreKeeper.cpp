#include "match/ScoreKeeper.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

namespace lexinum {

namespace {

// The texts of the end of a set and of the match.
std::string TiedSetText(int set) {
    return "Egalité dans la manche n°" + std::to_string(set) + ".";
}

std::string SetWonText(int set, std::string_view winner, int higher, int lower) {
    return "Manche n°" + std::to_string(set) + " gagnée par " + std::string(winner) + " " + std::to_string(higher) +
           " points à " + std::to_string(lower) + ".";
}

std::string MatchWonText(std::string_view winner, int higher, int lower) {
    return "Match gagné par " + std::string(winner) + " " + std::to_string(higher) + " manches à " +
           std::to_string(lower) + ".";
}

// Points are given by twos, three for an outstanding answer.
constexpr int kWon = 2;
constexpr int kOutstanding = 3;

} // namespace

ScoreKeeper::ScoreKeeper(std::string playerName) : playerName_(std::move(playerName)) {}

bool ScoreKeeper::ValidCounters(const MatchCounters& c) {
    if (c.roundsPlayed < 0 || c.playerPoints < 0 || c.computerPoints < 0 || c.playerSets < 0 || c.computerSets < 0)
        return false;
    if (c.roundsPlayed > kMaxRoundsPlayed)
        return false;
    const int setsPlayed = c.roundsPlayed / kRoundsPerSet;
    // Sets won, added in 64 bits: two large counts must not wrap round.
    if (std::int64_t{c.playerSets} + c.computerSets > setsPlayed)
        return false;
    if (std::abs(c.playerSets - c.computerSets) > kDecisiveLead)
        return false;
    // No side takes more than three points a round.
    const int roundsInSet = c.roundsPlayed % kRoundsPerSet;
    return c.playerPoints <= kOutstanding * roundsInSet && c.computerPoints <= kOutstanding * roundsInSet;
}

bool ScoreKeeper::SetCounters(const MatchCounters& counters) {
    if (!ValidCounters(counters))
        return false;
    counters_ = counters;
    return true;
}

RoundPoints ScoreKeeper::Score(const LettersRoundReport& report) {
    const int player = report.playerLength;
    const int computer = report.computerLength;
    if (!report.accepted)
        return {0, computer != 0 ? kWon : 0};
    if (player > computer)
        return {player == kMatchLetters ? kOutstanding : kWon, 0};
    if (player == computer)
        return {kWon, kWon};
    return {0, computer == kMatchLetters ? kOutstanding : kWon};
}

RoundPoints ScoreKeeper::Score(const NumbersRoundReport& report) {
    // In 64 bits: a result far below the target must not wrap round.
    const std::int64_t playerDistance = std::llabs(std::int64_t{report.playerResult} - report.target);
    const std::int64_t computerDistance = report.computerDistance;
    const bool playerExact = report.playerResult == report.target;
    if (report.computerExact)
        return playerExact ? RoundPoints{kWon, kWon} : RoundPoints{0, kOutstanding};
    if (computerDistance < playerDistance)
        return {0, kWon};
    if (computerDistance == playerDistance)
        return {kWon, kWon};
    return {playerExact ? kOutstanding : kWon, 0};
}

RoundOutcome ScoreKeeper::Report(const RoundReport& report) {
    RoundOutcome outcome;
    if (Decided())
        return outcome;
    if (const auto* letters = std::get_if<LettersRoundReport>(&report);
        letters != nullptr && (!letters->judged || !letters->computerSearched)) {
        outcome.messages.emplace_back(letters->judged ? kComputerDidNotPlayMessage : kNotJudgedMessage);
        return outcome;
    }
    outcome.points = std::visit([](const auto& round) { return Score(round); }, report);
    outcome.counted = true;
    counters_.playerPoints += outcome.points.player;
    counters_.computerPoints += outcome.points.computer;
    outcome.messages = EndRound();
    outcome.setEnded = NextRoundStartsSet();
    outcome.decided = Decided();
    return outcome;
}

std::vector<std::string> ScoreKeeper::EndRound() {
    std::vector<std::string> messages;
    const int set = CurrentSet();
    ++counters_.roundsPlayed;
    if (counters_.roundsPlayed % kRoundsPerSet != 0)
        return messages;
    MatchCounters& c = counters_;
    if (c.playerPoints == c.computerPoints) {
        messages.push_back(TiedSetText(set));
    } else {
        const bool playerWon = c.playerPoints > c.computerPoints;
        const std::string_view winner = playerWon ? std::string_view(playerName_) : kComputerName;
        messages.push_back(SetWonText(set, winner, std::max(c.playerPoints, c.computerPoints),
                                      std::min(c.playerPoints, c.computerPoints)));
        ++(playerWon ? c.playerSets : c.computerSets);
        if (Decided()) {
            const std::string_view matchWinner =
                c.playerSets > c.computerSets ? std::string_view(playerName_) : kComputerName;
            messages.push_back(MatchWonText(matchWinner, std::max(c.playerSets, c.computerSets),
                                            std::min(c.playerSets, c.computerSets)));
        }
    }
    c.playerPoints = 0;
    c.computerPoints = 0;
    return messages;
}

bool ScoreKeeper::NextRoundIsNumbers() const {
    return counters_.roundsPlayed % 3 == 2;
}

bool ScoreKeeper::NextRoundStartsSet() const {
    return counters_.roundsPlayed % kRoundsPerSet == 0;
}

int ScoreKeeper::CurrentSet() const {
    return counters_.roundsPlayed / kRoundsPerSet + 1;
}

std::string ScoreKeeper::SetsText() const {
    return std::to_string(counters_.playerSets) + " - " + std::to_string(counters_.computerSets);
}

std::string ScoreKeeper::RoundText() const {
    return Decided() ? std::string("Terminé") : "manche n°" + std::to_string(CurrentSet());
}

bool ScoreKeeper::Decided() const {
    return std::abs(counters_.playerSets - counters_.computerSets) >= kDecisiveLead;
}

} // namespace lexinum
