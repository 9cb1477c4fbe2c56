#pragma once

#include "match/RoundReport.h"

#include <string>
#include <vector>

namespace lexinum {

// The five counters of a match.
struct MatchCounters {
    // Rounds completed in the whole match (never reset while it runs).
    int roundsPlayed = 0;
    // Points of each side in the set being played.
    int playerPoints = 0;
    int computerPoints = 0;
    // Sets won by each side.
    int playerSets = 0;
    int computerSets = 0;

    bool operator==(const MatchCounters&) const = default;
};

// The points one round gives each side.
struct RoundPoints {
    int player = 0;
    int computer = 0;

    bool operator==(const RoundPoints&) const = default;
};

// What a report changed, for the score window and the application to show.
struct RoundOutcome {
    // False when the round was not counted (a word that could not be judged,
    // a computer that could not search, or a match already decided): nothing
    // changed.
    bool counted = false;
    // The points the round gave.
    RoundPoints points;
    // The round closed a set.
    bool setEnded = false;
    // The match is decided now.
    bool decided = false;
    // What to tell the player, in order (UTF-8): the set's result, then the
    // match's; or why the round does not count.
    std::vector<std::string> messages;
};

// The score of a match: its counters, the scoring of each round, the end of
// a set every 12 rounds and of the match at a lead of two sets. The player's
// name only serves the messages.
class ScoreKeeper {
public:
    static constexpr int kRoundsPerSet = 12;
    // The lead in sets that decides the match.
    static constexpr int kDecisiveLead = 2;
    // The letters drawn in a match round: a word using them all is outstanding.
    static constexpr int kMatchLetters = 9;
    // The most rounds a match may count (far beyond any match played: the
    // count can never overflow).
    static constexpr int kMaxRoundsPlayed = 1'000'000'000;
    // The computer, as the messages name it.
    static constexpr const char* kComputerName = "l'ordinateur";
    // Told when the player's word could not be checked: the round is played again.
    static constexpr const char* kNotJudgedMessage = "Le mot n'a pas pu être vérifié : la manche n'est pas comptée.";
    // Told when the computer's search could not run (its lexicon was lost):
    // the round is played again.
    static constexpr const char* kComputerDidNotPlayMessage =
        "L'ordinateur n'a pas pu chercher son mot : la manche n'est pas comptée.";

    explicit ScoreKeeper(std::string playerName = {});

    const std::string& PlayerName() const { return playerName_; }
    void SetPlayerName(std::string name) { playerName_ = std::move(name); }

    const MatchCounters& Counters() const { return counters_; }
    int RoundsPlayed() const { return counters_.roundsPlayed; }
    int PlayerPoints() const { return counters_.playerPoints; }
    int ComputerPoints() const { return counters_.computerPoints; }
    int PlayerSets() const { return counters_.playerSets; }
    int ComputerSets() const { return counters_.computerSets; }

    // Takes all the counters at once (a match resumed). Refused, nothing
    // changed, when they could not come from a match: a negative count, more
    // rounds than kMaxRoundsPlayed, more sets won than sets played, a lead
    // beyond two sets, or more points than the rounds of the set can give.
    bool SetCounters(const MatchCounters& counters);
    static bool ValidCounters(const MatchCounters& counters);

    // Scores a round and counts it, closing the set at its 12th round. A
    // letters round whose word could not be judged, or in which the
    // computer's search could not run, is not counted (the same kind of round
    // comes again); neither is any round once the match is decided.
    RoundOutcome Report(const RoundReport& report);

    // The points of a round, by the scoring rules.
    static RoundPoints Score(const LettersRoundReport& report);
    static RoundPoints Score(const NumbersRoundReport& report);

    // The next round is a numbers round (rounds go letters, letters, numbers).
    bool NextRoundIsNumbers() const;
    // The next round opens a set (the letter bags are filled again).
    bool NextRoundStartsSet() const;
    // The number of the set being played, from 1.
    int CurrentSet() const;
    // The sets won, player first: "1 - 0".
    std::string SetsText() const;
    // "manche n°2", or "Terminé" once the match is decided.
    std::string RoundText() const;
    // One side leads by two sets.
    bool Decided() const;

private:
    std::vector<std::string> EndRound();

    std::string playerName_;
    MatchCounters counters_;
};

} // namespace lexinum
