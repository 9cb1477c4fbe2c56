#include "match/ScoreKeeper.h"
#include "match/PlayerName.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace lexinum {
namespace {

using Messages = std::vector<std::string>;

LettersRoundReport Letters(bool accepted, int computerLength, int playerLength) {
    return {accepted, computerLength, playerLength, true};
}

// The player takes 3 (all nine letters), the computer takes 2, each takes 2.
const RoundReport kPlayerWins = Letters(true, 7, 9);
const RoundReport kComputerWins = Letters(false, 6, 0);
const RoundReport kShared = NumbersRoundReport{true, 0, 500, 500};

// Plays `rounds` rounds of `report`; the messages they gave, in order.
Messages Play(ScoreKeeper& keeper, const RoundReport& report, int rounds = ScoreKeeper::kRoundsPerSet) {
    Messages messages;
    for (int i = 0; i < rounds; ++i) {
        const RoundOutcome outcome = keeper.Report(report);
        EXPECT_TRUE(outcome.counted);
        messages.insert(messages.end(), outcome.messages.begin(), outcome.messages.end());
    }
    return messages;
}

TEST(ScoreKeeper, LettersRoundsScoreByTheTable) {
    struct Row {
        bool accepted;
        int computerLength;
        int playerLength;
        RoundPoints points;
    };
    const Row rows[] = {
        {true, 7, 9, {3, 0}},  // longer, with all nine letters
        {true, 5, 7, {2, 0}},  // longer
        {true, 0, 4, {2, 0}},  // the computer found nothing
        {true, 6, 6, {2, 2}},  // as long
        {true, 8, 5, {0, 2}},  // shorter
        {true, 9, 5, {0, 3}},  // shorter than the computer's nine
        {false, 9, 8, {0, 2}}, // refused: the computer's nine earns only 2
        {false, 4, 0, {0, 2}}, // no answer
        {false, 0, 0, {0, 0}}, // no word on either side
        {false, 0, 6, {0, 0}}, // refused, and the computer found nothing
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.accepted << " " << row.computerLength << " " << row.playerLength);
        EXPECT_EQ(ScoreKeeper::Score(Letters(row.accepted, row.computerLength, row.playerLength)), row.points);
    }
}

TEST(ScoreKeeper, NumbersRoundsScoreByTheTable) {
    struct Row {
        bool computerExact;
        int computerDistance;
        int playerResult;
        RoundPoints points;
    };
    // The target is 500 throughout.
    const Row rows[] = {
        {true, 0, 500, {2, 2}},      // both exact
        {true, 0, 501, {0, 3}},      // only the computer exact
        {false, 1, 505, {0, 2}},     // the computer nearer
        {false, 5, 505, {2, 2}},     // both 5 away
        {false, 5, 495, {2, 2}},     // both 5 away, the player below
        {false, 1, 500, {3, 0}},     // the player exact, the computer 1 away
        {false, 4, 498, {2, 0}},     // the player nearer
        {false, 3, INT_MIN, {0, 2}}, // a result far below: no wrap-round
        {false, 3, 0, {0, 2}},       // no calculation
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.computerExact << " " << row.computerDistance << " " << row.playerResult);
        EXPECT_EQ(
            ScoreKeeper::Score(NumbersRoundReport{row.computerExact, row.computerDistance, row.playerResult, 500}),
            row.points);
    }
}

// A round the lexicon failed, for the player's word or for the computer's
// search, does not count: the same kind of round comes again.
TEST(ScoreKeeper, ALettersRoundTheLexiconFailedDoesNotCount) {
    const struct {
        bool judged;
        bool computerSearched;
        const char* message;
    } cases[] = {
        {false, true, "Le mot n'a pas pu être vérifié : la manche n'est pas comptée."},
        {true, false, "L'ordinateur n'a pas pu chercher son mot : la manche n'est pas comptée."},
        {false, false, "Le mot n'a pas pu être vérifié : la manche n'est pas comptée."},
    };
    for (const auto& c : cases) {
        ScoreKeeper keeper("Marie");
        keeper.Report(kPlayerWins);
        LettersRoundReport failed = Letters(false, 0, 0);
        failed.judged = c.judged;
        failed.computerSearched = c.computerSearched;
        const RoundOutcome outcome = keeper.Report(failed);
        EXPECT_FALSE(outcome.counted);
        EXPECT_EQ(outcome.messages, Messages{c.message});
        EXPECT_EQ(keeper.Counters(), (MatchCounters{1, 3, 0, 0, 0}));
        EXPECT_FALSE(keeper.NextRoundIsNumbers());
    }
}

TEST(ScoreKeeper, RoundsGoLettersLettersNumbersAndEachSetOpensWithFullBags) {
    ScoreKeeper keeper;
    std::string kinds;
    std::vector<int> setStarts;
    for (int round = 0; round < 36; ++round) {
        kinds += keeper.NextRoundIsNumbers() ? 'N' : 'L';
        if (keeper.NextRoundStartsSet())
            setStarts.push_back(round);
        keeper.Report(kShared);
    }
    EXPECT_EQ(kinds, "LLNLLNLLNLLNLLNLLNLLNLLNLLNLLNLLNLLN");
    EXPECT_EQ(setStarts, (std::vector<int>{0, 12, 24}));
}

TEST(ScoreKeeper, ATiedSetGoesToNobody) {
    ScoreKeeper keeper("Marie");
    Play(keeper, kShared, 11);
    EXPECT_EQ(keeper.PlayerPoints(), 22);
    const RoundOutcome last = keeper.Report(kShared);
    EXPECT_TRUE(last.setEnded);
    EXPECT_FALSE(last.decided);
    EXPECT_EQ(last.messages, Messages{"Egalité dans la manche n°1."});
    EXPECT_EQ(keeper.Counters(), (MatchCounters{12, 0, 0, 0, 0}));
    EXPECT_EQ(keeper.SetsText(), "0 - 0");
    EXPECT_EQ(keeper.RoundText(), "manche n°2");
}

TEST(ScoreKeeper, AMatchWonTwoNilEndsAfter24Rounds) {
    ScoreKeeper keeper("Marie");
    EXPECT_EQ(keeper.RoundText(), "manche n°1");
    EXPECT_EQ(Play(keeper, kPlayerWins), Messages{"Manche n°1 gagnée par Marie 36 points à 0."});
    EXPECT_EQ(keeper.SetsText(), "1 - 0");
    EXPECT_EQ(keeper.RoundText(), "manche n°2");
    Play(keeper, kPlayerWins, 11);
    EXPECT_FALSE(keeper.Decided());
    const RoundOutcome last = keeper.Report(kPlayerWins);
    EXPECT_EQ(last.messages,
              (Messages{"Manche n°2 gagnée par Marie 36 points à 0.", "Match gagné par Marie 2 manches à 0."}));
    EXPECT_TRUE(last.decided);
    EXPECT_TRUE(keeper.Decided());
    EXPECT_EQ(keeper.Counters(), (MatchCounters{24, 0, 0, 2, 0}));
    EXPECT_EQ(keeper.SetsText(), "2 - 0");
    EXPECT_EQ(keeper.RoundText(), "Terminé");
    // A decided match takes no more rounds.
    const RoundOutcome after = keeper.Report(kPlayerWins);
    EXPECT_FALSE(after.counted);
    EXPECT_TRUE(after.messages.empty());
    EXPECT_EQ(keeper.RoundsPlayed(), 24);
}

TEST(ScoreKeeper, SetsOneAllThenATiedSetThenAFourth) {
    ScoreKeeper keeper("Marie");
    Play(keeper, kPlayerWins);
    // The computer wins the second set 20 to 6: its points come first.
    Play(keeper, kComputerWins, 10);
    EXPECT_EQ(Play(keeper, kPlayerWins, 2), Messages{"Manche n°2 gagnée par l'ordinateur 20 points à 6."});
    EXPECT_EQ(keeper.SetsText(), "1 - 1");
    EXPECT_EQ(Play(keeper, kShared), Messages{"Egalité dans la manche n°3."});
    EXPECT_EQ(keeper.SetsText(), "1 - 1");
    EXPECT_EQ(keeper.RoundText(), "manche n°4");
    EXPECT_EQ(keeper.CurrentSet(), 4);
    const Messages fourth = Play(keeper, kComputerWins);
    EXPECT_EQ(fourth, Messages{"Manche n°4 gagnée par l'ordinateur 24 points à 0."});
    EXPECT_EQ(keeper.SetsText(), "1 - 2");
    EXPECT_FALSE(keeper.Decided());
    EXPECT_EQ(Play(keeper, kComputerWins).back(), "Match gagné par l'ordinateur 3 manches à 1.");
}

TEST(ScoreKeeper, CountersAreTakenOnlyWhenAMatchCouldHaveThem) {
    const MatchCounters refused[] = {
        {-1, 0, 0, 0, 0},
        {5, -2, 0, 0, 0},
        {5, 0, -2, 0, 0},
        {24, 0, 0, -1, 1},
        {24, 0, 0, 1, -1},
        {ScoreKeeper::kMaxRoundsPlayed + 1, 0, 0, 0, 0},
        {24, 0, 0, 2, 1},             // three sets won in two
        {36, 0, 0, 3, 0},             // a lead of three sets
        {14, 7, 0, 1, 0},             // seven points in two rounds
        {12, 2, 0, 1, 0},             // points in a set not begun
        {24, 0, 0, INT_MAX, INT_MAX}, // sets that would wrap round
    };
    ScoreKeeper keeper("Marie");
    for (const MatchCounters& counters : refused) {
        SCOPED_TRACE(testing::Message() << "row " << &counters - refused);
        EXPECT_FALSE(keeper.SetCounters(counters));
        EXPECT_EQ(keeper.Counters(), MatchCounters{});
    }
    // A match resumed in the third set, before its third numbers round.
    ASSERT_TRUE(keeper.SetCounters({32, 14, 12, 1, 0}));
    EXPECT_EQ(keeper.CurrentSet(), 3);
    EXPECT_TRUE(keeper.NextRoundIsNumbers());
    EXPECT_EQ(keeper.SetsText(), "1 - 0");
    EXPECT_EQ(keeper.RoundText(), "manche n°3");
    // A match saved once decided.
    ASSERT_TRUE(keeper.SetCounters({24, 0, 0, 0, 2}));
    EXPECT_TRUE(keeper.Decided());
}

TEST(PlayerName, ANameMustReadBackAsOneField) {
    EXPECT_TRUE(IsPlayerName("Marie"));
    EXPECT_TRUE(IsPlayerName("Hélène-Zoé")); // ten characters, twelve bytes
    EXPECT_TRUE(IsPlayerName("a@b€"));
    EXPECT_FALSE(IsPlayerName(""));
    EXPECT_FALSE(IsPlayerName("Jean Marie"));
    EXPECT_FALSE(IsPlayerName("Jean\tMarie"));
    EXPECT_FALSE(IsPlayerName("Jean\xC2\xA0Luc")); // a no-break space
    EXPECT_FALSE(IsPlayerName("Abcdefghijk"));
    EXPECT_FALSE(IsPlayerName("@3bob"));  // reads as a Top Ten header
    EXPECT_FALSE(IsPlayerName("Łukasz")); // not in Windows-1252
    EXPECT_FALSE(IsPlayerName("Mar\xFFie"));
    // A name from the settings, made storable.
    EXPECT_EQ(StorablePlayerName(" Jean Marie Dupont"), "JeanMarieD");
    EXPECT_EQ(StorablePlayerName("@Łukasz\xFF"), "ukasz");
    EXPECT_EQ(StorablePlayerName("Hélène-Zoé!"), "Hélène-Zoé");
}

} // namespace
} // namespace lexinum
