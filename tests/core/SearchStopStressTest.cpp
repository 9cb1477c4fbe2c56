// Every point at which a caller can stop a search, played over and over on
// seeded draws with the real letters and numbers searches, each held in a
// SearchJob as the panes hold them: whatever the moment of the stop, the
// caller is released, what it was handed is a prefix of the uninterrupted
// search's batches (never a partial or foreign one), the worker ends, and a
// new search on the same job starts clean. Built into thread_tests, so that
// ThreadSanitizer watches every one of these hand-overs.
#include "FixtureLexicon.h"

#include "common/Random15.h"
#include "common/SearchJob.h"
#include "lexicon/WordSearch.h"
#include "numbers/NumberDraw.h"
#include "numbers/NumbersSolver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace lexinum {
namespace {

using namespace std::chrono_literals;

// How long a released caller may take before the test gives up on it: a
// guard against hanging, never a measure of speed.
constexpr auto kHangGuard = 20s;
// Draws played at each stop point, for each game and search.
constexpr std::uint32_t kSeeds = 20;

enum class Kind { Solutions, Computer };

enum class Point {
    BeforeStart,         // a stop asked while no search runs is forgotten by the next start
    AtOnce,              // right after the start
    WhileRunning,        // a few microseconds into the search
    WhileWaitingToGoOn,  // a batch handed over, the worker waiting for "go on"
    AfterBatch,          // right after the caller let the worker go on
    AfterClosingText,    // the closing text taken, the worker waiting to be let go
    AfterComputerAnswer, // the answer taken, then the round's solutions searched
    NewDrawWhileWaiting, // a new draw searched while the worker waits (or searches)
    DestroyedWhileAlive, // the job goes with its worker alive (the program closing)
};

const char* Name(Point point) {
    switch (point) {
    case Point::BeforeStart:
        return "avant le départ";
    case Point::AtOnce:
        return "aussitôt";
    case Point::WhileRunning:
        return "pendant la recherche";
    case Point::WhileWaitingToGoOn:
        return "lot en attente";
    case Point::AfterBatch:
        return "après un lot";
    case Point::AfterClosingText:
        return "après le texte final";
    case Point::AfterComputerAnswer:
        return "après la réponse de l'ordinateur";
    case Point::NewDrawWhileWaiting:
        return "nouveau tirage";
    case Point::DestroyedWhileAlive:
        return "fermeture";
    }
    return "";
}

// The stop points that mean something for each search.
const std::vector<Point> kSolutionsPoints = {
    Point::BeforeStart, Point::AtOnce,           Point::WhileRunning,        Point::WhileWaitingToGoOn,
    Point::AfterBatch,  Point::AfterClosingText, Point::NewDrawWhileWaiting, Point::DestroyedWhileAlive};
const std::vector<Point> kComputerPoints = {Point::BeforeStart,         Point::AtOnce,
                                            Point::WhileRunning,        Point::AfterComputerAnswer,
                                            Point::NewDrawWhileWaiting, Point::DestroyedWhileAlive};

// Letters weighted roughly as French draws them.
constexpr const char* kLetterPool = "eeeeeeaaaassiiirrrnnnttttoooulldccmmppgbvhfqyxjkwz";

std::string RandomLetters(std::mt19937& rng, int count) {
    const std::string pool(kLetterPool);
    std::string letters;
    for (int i = 0; i < count; ++i)
        letters += pool[rng() % pool.size()];
    return letters;
}

// A lexicon of a few thousand made-up words, enough for a search of
// several groups that takes a while: built once for the whole program.
const LexiconSet& StressLexicon() {
    static const test::FixtureLexicon fixture([] {
        std::mt19937 rng(2024);
        std::vector<std::string> words;
        for (int i = 0; i < 4000; ++i)
            words.push_back(RandomLetters(rng, 2 + static_cast<int>(rng() % 9)));
        return words;
    }());
    static const LexiconSet lexicon = fixture.Load();
    return lexicon;
}

// One game's search job, held and driven as its pane does.
class Game {
public:
    virtual ~Game() = default;
    // Makes the draw of `seed` the next search's.
    virtual void Draw(std::uint32_t seed) = 0;
    // Starts a search of `kind` on the draw (any search still running is halted first).
    virtual void Start(Kind kind) = 0;
    virtual SearchChannel& Channel() = 0;
    // True when `text`, taken once the computer's search has ended, is the
    // answer it handed over: the letters search always writes one (a word or
    // the remark that there is none); the numbers search writes only an
    // exact calculation, the pane making the remark on the nearest.
    virtual bool IsComputersAnswer(const std::string& text) = 0;
    // Destroys the job, worker and all, and makes a new one.
    virtual void Renew() = 0;
    virtual const char* Title() const = 0;
};

class LettersGame : public Game {
public:
    void Draw(std::uint32_t seed) override {
        std::mt19937 rng(seed);
        std::string letters = RandomLetters(rng, 7 + static_cast<int>(seed % 4));
        for (char& letter : letters)
            letter = static_cast<char>(letter - 'a' + 'A');
        // The draw of the next search: the running one keeps its own copy.
        ASSERT_TRUE(job_->Search().PrepareLetters(letters));
        level_ = 1 + static_cast<int>(seed % 6);
    }
    void Start(Kind kind) override {
        WordSearch& search = job_->Search();
        if (kind == Kind::Solutions) {
            search.StartSolutions(job_->Channel());
        } else {
            search.ChooseHiddenFiles(level_);
            search.StartComputer(job_->Channel());
        }
    }
    SearchChannel& Channel() override { return job_->Channel(); }
    bool IsComputersAnswer(const std::string& text) override {
        return text == WordSearch::kNoWordText || text.find(" lettres:") != std::string::npos;
    }
    void Renew() override { job_ = std::make_unique<SearchJob<WordSearch>>(StressLexicon()); }
    const char* Title() const override { return "lettres"; }

private:
    std::unique_ptr<SearchJob<WordSearch>> job_ = std::make_unique<SearchJob<WordSearch>>(StressLexicon());
    int level_ = 6;
};

class NumbersGame : public Game {
public:
    void Draw(std::uint32_t seed) override {
        // Each seed's draw is made once, first with no search running: the
        // computer's search draws from the same generator while it runs.
        auto found = draws_.find(seed);
        if (found == draws_.end()) {
            Random15::Seed(seed);
            // Match draws (tiles, 101..999) and training draws with free
            // numbers and targets below, within and above what six numbers
            // reach easily.
            found =
                draws_.emplace(seed, seed % 2 == 0 ? NumberDraw::Competition() : NumberDraw::Training(false, 2, 2000))
                    .first;
        }
        draw_ = found->second;
        level_ = 1 + static_cast<int>(seed % 6);
    }
    void Start(Kind kind) override {
        // The solver is the worker's state: it takes the draw only once no worker runs.
        job_->Channel().Halt();
        NumbersSolver& solver = job_->Search();
        solver.SetDraw(draw_.numbers, draw_.target);
        solver.SetLevel(level_);
        solver.ClearPiles();
        if (kind == Kind::Solutions)
            job_->Start([](NumbersSolver& search, SearchChannel& channel) { search.SolutionsSearch(channel); });
        else
            job_->Start([](NumbersSolver& search, SearchChannel& channel) { search.ComputerSearch(channel); });
    }
    SearchChannel& Channel() override { return job_->Channel(); }
    bool IsComputersAnswer(const std::string& text) override { return text.empty() != job_->Search().ComputerExact(); }
    void Renew() override { job_ = std::make_unique<SearchJob<NumbersSolver>>(); }
    const char* Title() const override { return "chiffres"; }

private:
    std::unique_ptr<SearchJob<NumbersSolver>> job_ = std::make_unique<SearchJob<NumbersSolver>>();
    std::map<std::uint32_t, NumberDraw> draws_;
    NumberDraw draw_;
    int level_ = 6;
};

// Takes one batch, as the pane's "&Voir" does: false when the worker ended
// without one. `last` tells the closing batch. `beforeTaking` runs between
// the wait and the taking of the text.
bool TakeBatch(SearchChannel& channel, std::vector<std::string>& texts, bool& last,
               const std::function<void()>& beforeTaking = {}) {
    const SearchChannel::WaitResult result = channel.WaitBatchFor(kHangGuard);
    EXPECT_NE(result, SearchChannel::WaitResult::TimedOut) << "a caller left waiting";
    if (result != SearchChannel::WaitResult::Ready)
        return false;
    if (beforeTaking)
        beforeTaking();
    last = channel.Complete();
    std::string text = channel.TakeText();
    if (!text.empty())
        texts.push_back(std::move(text));
    return true;
}

// Takes every batch left, letting the worker go on after each, then halts it.
void DrainInto(SearchChannel& channel, std::vector<std::string>& texts) {
    bool last = false;
    while (TakeBatch(channel, texts, last)) {
        channel.Continue();
        if (last)
            break;
    }
    channel.Halt();
}

std::vector<std::string> Drain(SearchChannel& channel) {
    std::vector<std::string> texts;
    DrainInto(channel, texts);
    return texts;
}

// Halts the worker and checks that the channel is left idle.
void ExpectIdleAfterHalt(SearchChannel& channel) {
    channel.Halt();
    EXPECT_FALSE(channel.WorkerAlive());
    EXPECT_TRUE(channel.Stopped());
}

bool IsPrefix(const std::vector<std::string>& taken, const std::vector<std::string>& whole) {
    return taken.size() <= whole.size() && std::equal(taken.begin(), taken.end(), whole.begin());
}

std::string Joined(const std::vector<std::string>& texts) {
    std::string all;
    for (const std::string& text : texts)
        all += "[" + text + "]";
    return all;
}

class SearchStopStress : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        if (GetParam() == "lettres")
            game_ = std::make_unique<LettersGame>();
        else
            game_ = std::make_unique<NumbersGame>();
    }

    // The batches of the uninterrupted solutions search on the draw of `seed`.
    const std::vector<std::string>& Reference(std::uint32_t seed) {
        auto found = references_.find(seed);
        if (found == references_.end()) {
            game_->Draw(seed);
            game_->Start(Kind::Solutions);
            found = references_.emplace(seed, Drain(game_->Channel())).first;
            EXPECT_FALSE(found->second.empty()) << "a search always ends with a text";
        }
        return found->second;
    }

    void PlaySolutions(Point point, std::uint32_t seed);
    void PlayComputer(Point point, std::uint32_t seed);

    std::unique_ptr<Game> game_;
    std::map<std::uint32_t, std::vector<std::string>> references_;
};

void SearchStopStress::PlaySolutions(Point point, std::uint32_t seed) {
    const std::vector<std::string>& whole = Reference(seed);
    game_->Draw(seed);
    SearchChannel& channel = game_->Channel();
    std::mt19937 rng(seed);
    std::vector<std::string> taken;
    bool last = false;
    switch (point) {
    case Point::BeforeStart:
        channel.Stop();
        game_->Start(Kind::Solutions);
        EXPECT_EQ(Drain(channel), whole);
        break;
    case Point::AtOnce:
        game_->Start(Kind::Solutions);
        channel.Stop();
        DrainInto(channel, taken);
        EXPECT_TRUE(IsPrefix(taken, whole)) << Joined(taken);
        break;
    case Point::WhileRunning:
        game_->Start(Kind::Solutions);
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % 400));
        channel.Stop();
        DrainInto(channel, taken);
        EXPECT_TRUE(IsPrefix(taken, whole)) << Joined(taken);
        break;
    case Point::WhileWaitingToGoOn:
        game_->Start(Kind::Solutions);
        if (seed % 2 == 0) {
            ASSERT_TRUE(TakeBatch(channel, taken, last));
            channel.Stop();
        } else {
            // The stop comes between the wait and the taking of the batch: the
            // batch is taken whole, or not at all.
            ASSERT_TRUE(TakeBatch(channel, taken, last, [&channel] { channel.Stop(); }));
        }
        // Released with nothing more: the worker empties what it was writing.
        DrainInto(channel, taken);
        EXPECT_TRUE(IsPrefix(taken, whole) && taken.size() <= 1) << Joined(taken);
        break;
    case Point::AfterBatch: {
        game_->Start(Kind::Solutions);
        const std::uint32_t batches = 1 + rng() % 3;
        for (std::uint32_t i = 0; i < batches && !last; ++i) {
            ASSERT_TRUE(TakeBatch(channel, taken, last));
            channel.Continue();
        }
        channel.Stop();
        DrainInto(channel, taken);
        EXPECT_TRUE(IsPrefix(taken, whole)) << Joined(taken);
        break;
    }
    case Point::AfterClosingText:
        game_->Start(Kind::Solutions);
        while (!last && TakeBatch(channel, taken, last)) {
            if (!last)
                channel.Continue();
        }
        // The search handed its closing text over and waits to be let go (the
        // numbers search with nothing exact does not wait): a stop ends it.
        channel.Stop();
        if (rng() % 2 == 0)
            channel.Continue();
        ExpectIdleAfterHalt(channel);
        EXPECT_EQ(taken, whole);
        break;
    case Point::NewDrawWhileWaiting: {
        const std::uint32_t next = seed + 1000;
        const std::vector<std::string>& nextWhole = Reference(next);
        game_->Draw(seed);
        game_->Start(Kind::Solutions);
        ASSERT_TRUE(TakeBatch(channel, taken, last));
        // Halts the worker waiting between batches, then searches the new draw.
        game_->Draw(next);
        game_->Start(Kind::Solutions);
        EXPECT_EQ(Drain(channel), nextWhole);
        break;
    }
    case Point::DestroyedWhileAlive: {
        game_->Start(Kind::Solutions);
        if (seed % 2 == 0) {
            ASSERT_TRUE(TakeBatch(channel, taken, last));
        }
        auto closing = std::async(std::launch::async, [this] { game_->Renew(); });
        ASSERT_EQ(closing.wait_for(kHangGuard), std::future_status::ready) << "the job joins its worker";
        closing.get();
        break;
    }
    case Point::AfterComputerAnswer:
        break;
    }
    ExpectIdleAfterHalt(game_->Channel());
}

void SearchStopStress::PlayComputer(Point point, std::uint32_t seed) {
    const std::vector<std::string>& whole = Reference(seed);
    game_->Draw(seed);
    SearchChannel& channel = game_->Channel();
    std::mt19937 rng(seed);
    switch (point) {
    case Point::BeforeStart:
        channel.Stop();
        game_->Start(Kind::Computer);
        ASSERT_EQ(channel.WaitComputerFor(kHangGuard), SearchChannel::WaitResult::Ready);
        channel.Halt();
        EXPECT_TRUE(game_->IsComputersAnswer(channel.TakeText()));
        break;
    case Point::AtOnce:
    case Point::WhileRunning: {
        game_->Start(Kind::Computer);
        if (point == Point::WhileRunning)
            std::this_thread::sleep_for(std::chrono::microseconds(rng() % 400));
        channel.Stop();
        const SearchChannel::WaitResult result = channel.WaitComputerFor(kHangGuard);
        ASSERT_NE(result, SearchChannel::WaitResult::TimedOut) << "a caller left waiting";
        channel.Halt();
        // A search cut short answers what it had, or nothing at all.
        const std::string text = channel.TakeText();
        if (result == SearchChannel::WaitResult::Ready) {
            EXPECT_TRUE(game_->IsComputersAnswer(text)) << text;
        } else {
            EXPECT_EQ(text, "");
        }
        break;
    }
    case Point::AfterComputerAnswer:
        game_->Start(Kind::Computer);
        ASSERT_EQ(channel.WaitComputerFor(kHangGuard), SearchChannel::WaitResult::Ready);
        channel.Stop();
        channel.Join();
        EXPECT_TRUE(game_->IsComputersAnswer(channel.TakeText()));
        // The round's solutions, reviewed afterwards on the same job.
        game_->Start(Kind::Solutions);
        EXPECT_EQ(Drain(channel), whole);
        break;
    case Point::NewDrawWhileWaiting: {
        const std::uint32_t next = seed + 1000;
        const std::vector<std::string>& nextWhole = Reference(next);
        game_->Draw(seed);
        game_->Start(Kind::Computer);
        game_->Draw(next);
        game_->Start(Kind::Solutions);
        EXPECT_EQ(Drain(channel), nextWhole);
        break;
    }
    case Point::DestroyedWhileAlive: {
        game_->Start(Kind::Computer);
        if (seed % 2 == 0)
            std::this_thread::sleep_for(std::chrono::microseconds(rng() % 400));
        auto closing = std::async(std::launch::async, [this] { game_->Renew(); });
        ASSERT_EQ(closing.wait_for(kHangGuard), std::future_status::ready) << "the job joins its worker";
        closing.get();
        break;
    }
    default:
        break;
    }
    ExpectIdleAfterHalt(game_->Channel());
}

TEST_P(SearchStopStress, EveryStopPointOnSeededDrawsReleasesTheCallerAndKeepsTheBatchesWhole) {
    for (std::uint32_t seed = 1; seed <= kSeeds; ++seed) {
        for (const Point point : kSolutionsPoints) {
            SCOPED_TRACE(std::string("solutions, ") + Name(point) + ", graine " + std::to_string(seed));
            PlaySolutions(point, seed);
        }
        for (const Point point : kComputerPoints) {
            SCOPED_TRACE(std::string("ordinateur, ") + Name(point) + ", graine " + std::to_string(seed));
            PlayComputer(point, seed);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothGames, SearchStopStress, ::testing::Values("lettres", "chiffres"));

} // namespace
} // namespace lexinum
