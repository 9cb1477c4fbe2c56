// The hand-over between the panes and their searches, played on the panes
// of the whole game with seeded draws, many times over: a stop at every
// point of a training round in both games, a new draw or a switch of game
// while a worker waits, the game closing with a worker alive, and match
// rounds whose answer time runs out while the computer searches, their
// review stopped at every point. scripts/tsan runs this class under
// ThreadSanitizer (gui_thread_tests), where every hand-over is watched.
#include "GameFixture.h"
#include "GuiTestMain.h"
#include "app/LevelDialog.h"
#include "app/Match.h"
#include "app/TivFrame.h"
#include "common/Random15.h"
#include "letters/MotEnterDialog.h"
#include "letters/MotEnterEdit.h"
#include "letters/MotWindow.h"
#include "match/ScoreKeeper.h"
#include "numbers/ChifEnterDialog.h"
#include "numbers/ChifWindow.h"
#include "presentation/ResultEdit.h"
#include "shell/TimerPeriods.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <chrono>
#include <cstdint>
#include <functional>

using namespace lexinum;

namespace {

// Draws played at each stop point.
constexpr int kRepetitions = 20;

// Where a training round is stopped.
enum class Stop {
    BeforeStart,         // a stop with no search running, then "&Voir"
    DuringTheAnswer,     // while the player answers, the search running
    WaitingToGoOn,       // a group shown, the worker waiting for "go on"
    AfterABatch,         // right after "&Voir" let the worker go on
    AfterTheClosingText, // every group shown, the search over
    NewDraw,             // "No&uveau" while the worker waits
    SwitchOfGame,        // the other game brought forward while the worker waits
    Closing,             // the game closed, the worker waiting or winding down
};

} // namespace

Q_DECLARE_METATYPE(Game)
Q_DECLARE_METATYPE(Stop)

class PaneHandOverTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { game_.SetUp(); }
    void cleanup() { game_.Reset(); }

    void aTrainingRoundStoppedAtAnyPointLeavesThePaneReady_data();
    void aTrainingRoundStoppedAtAnyPointLeavesThePaneReady();
    void matchRoundsTimedOutWhileTheComputerSearchesThenStoppedInTheirReview();

private:
    // The pane of `game`, brought forward.
    PanoWindow* Show(Game game) {
        TivApp& app = game_.App();
        if (app.State().ShownGame() != game)
            app.ShowGame(game);
        return app.ShownPane();
    }
    // A seeded draw in the pane shown ("No&uveau", automatic in both games).
    void SeededDraw(std::uint32_t seed) {
        Random15::Seed(seed);
        QVERIFY(game_.App().RunCommand(Command::NewDraw));
    }
    // "&Voir" on a pane with no round running, then the first group. The
    // player's dialog (after `meanwhile`, the search running) is answered
    // when `answer` (letters: the first four of the draw, judged against the
    // lexicon while the search reads it; numbers: the first number), given
    // up otherwise.
    void PlayRound(bool answer, const std::function<void()>& meanwhile = {}) {
        const std::string letters = game_.App().LettersPane()->Letters();
        game_.OnModal([meanwhile, answer, letters](QWidget* modal) {
            if (meanwhile)
                meanwhile();
            if (auto* words = qobject_cast<MotEnterDialog*>(modal); words != nullptr && answer) {
                words->Edit()->setText(QString::fromStdString(letters.substr(0, 4)));
                QTest::mouseClick(words->OkButton(), Qt::LeftButton);
            } else if (auto* sums = qobject_cast<ChifEnterDialog*>(modal); sums != nullptr && answer) {
                QTest::mouseClick(sums->NumberButton(0), Qt::LeftButton);
                QTest::mouseClick(sums->OkButton(), Qt::LeftButton);
            } else {
                static_cast<QDialog*>(modal)->reject();
            }
        });
        QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
        QVERIFY(!game_.App().ShownPane()->ResultBox()->toPlainText().isEmpty());
    }
    // "&Voir" until the search is over: every group, then the closing text.
    void SeeEveryGroup(PanoWindow* pane) {
        for (int i = 0; i < 2000 && pane->RoundSearchRunning(); ++i)
            QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
        QVERIFY(!pane->RoundSearchRunning());
    }

    test::GameFixture game_;
};

void PaneHandOverTest::aTrainingRoundStoppedAtAnyPointLeavesThePaneReady_data() {
    QTest::addColumn<Game>("game");
    QTest::addColumn<Stop>("stop");
    const std::pair<const char*, Stop> stops[] = {
        {"avant le départ", Stop::BeforeStart},
        {"pendant la réponse", Stop::DuringTheAnswer},
        {"lot en attente", Stop::WaitingToGoOn},
        {"après un lot", Stop::AfterABatch},
        {"après le texte final", Stop::AfterTheClosingText},
        {"nouveau tirage", Stop::NewDraw},
        {"changement de jeu", Stop::SwitchOfGame},
        {"fermeture", Stop::Closing},
    };
    for (const Game game : {Game::Letters, Game::Numbers})
        for (const auto& [name, stop] : stops)
            QTest::addRow("%s, %s", game == Game::Letters ? "lettres" : "chiffres", name) << game << stop;
}

void PaneHandOverTest::aTrainingRoundStoppedAtAnyPointLeavesThePaneReady() {
    QFETCH(Game, game);
    QFETCH(Stop, stop);
    const Game other = game == Game::Letters ? Game::Numbers : Game::Letters;
    game_.StartQuick();
    for (int repetition = 1; repetition <= kRepetitions; ++repetition) {
        const auto seed = static_cast<std::uint32_t>(repetition);
        const bool answer = repetition % 2 == 1;
        PanoWindow* pane = Show(game);
        SeededDraw(seed);
        switch (stop) {
        case Stop::BeforeStart:
            pane->StopSearch();
            PlayRound(answer);
            break;
        case Stop::DuringTheAnswer:
            PlayRound(answer, [pane] { pane->StopSearch(); });
            // Released with at most the group that was on its way.
            QVERIFY(!pane->RoundSearchRunning());
            break;
        case Stop::WaitingToGoOn:
            PlayRound(answer);
            pane->StopSearch();
            break;
        case Stop::AfterABatch:
            PlayRound(answer);
            if (pane->RoundSearchRunning())
                QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
            pane->StopSearch();
            break;
        case Stop::AfterTheClosingText:
            PlayRound(answer);
            SeeEveryGroup(pane);
            pane->StopSearch();
            break;
        case Stop::NewDraw:
            PlayRound(answer);
            SeededDraw(seed + 100);
            QVERIFY(!pane->RoundSearchRunning());
            break;
        case Stop::SwitchOfGame:
            PlayRound(answer);
            Show(other);
            QVERIFY(!pane->Channel().WorkerAlive());
            Show(game);
            break;
        case Stop::Closing:
            PlayRound(answer);
            // Every other time the worker is only asked to stop, so that the
            // game goes while it still winds down.
            if (repetition % 2 == 0)
                pane->StopSearch();
            if (repetition % 4 < 2)
                QVERIFY(game_.Frame().close());
            game_.Reset();
            game_.StartQuick();
            continue;
        }
        // Whatever the stop, the next "&Voir" is a whole new round.
        PlayRound(answer);
        SeeEveryGroup(pane);
        QVERIFY(!pane->Channel().WorkerAlive());
        if (QTest::currentTestFailed())
            return;
    }
    QVERIFY(game_.Prompts().messages.empty());
}

void PaneHandOverTest::matchRoundsTimedOutWhileTheComputerSearchesThenStoppedInTheirReview() {
    for (int repetition = 1; repetition <= kRepetitions; ++repetition) {
        game_.StartQuick();
        TivApp& app = game_.App();
        // The match begins while a training round's worker waits in one pane.
        Show(repetition % 2 == 0 ? Game::Letters : Game::Numbers);
        SeededDraw(static_cast<std::uint32_t>(repetition));
        PlayRound(false);
        Random15::Seed(static_cast<std::uint32_t>(repetition));
        const int level = 1 + repetition % 6;
        game_.NewMatch(QStringLiteral("Zoe"), level);
        QVERIFY(app.State().Competition());
        // Letters, letters, numbers: the player never answers, so each round
        // ends with its time running out while the computer may still search;
        // the round's review is then stopped at a different point each time.
        for (int step = 0; step < 5; ++step) {
            const int rounds = app.TheMatch().Keeper()->RoundsPlayed();
            QVERIFY(app.RunCommand(Command::Continue));
            if (app.TheMatch().Keeper()->RoundsPlayed() == rounds)
                continue; // the pane of the next round came forward
            PanoWindow* pane = app.ShownPane();
            switch ((repetition + step) % 4) {
            case 0: // the review stopped while its worker waits
                if (app.State().CanCheck(pane->GameOf()))
                    QVERIFY(app.RunCommand(Command::Check));
                break;
            case 1: // the review stopped right after the computer's answer
                break;
            case 2: // the review seen to its end
                for (int i = 0; i < 2000 && app.State().CanCheck(pane->GameOf()); ++i)
                    QVERIFY(app.RunCommand(Command::Check));
                break;
            case 3: { // the review stopped, its first group handed over or not yet
                if (repetition % 2 == 0)
                    QTest::qWait(20);
                pane->StopSearch();
                // "&Vérifier" then shows at most what the search had finished
                // with, and goes grey rather than wait for a group.
                if (app.State().CanCheck(pane->GameOf()))
                    QVERIFY(app.RunCommand(Command::Check));
                QVERIFY(!app.State().CanCheck(pane->GameOf()));
                break;
            }
            }
        }
        std::size_t timeOuts = 0;
        for (const auto& message : game_.Prompts().messages)
            timeOuts += message.text.find("secondes sont écoulées") != std::string::npos ? 1 : 0;
        QCOMPARE(timeOuts, std::size_t(3));
        if (QTest::currentTestFailed())
            return;
        // The match left, or the game closed, with the review's worker alive.
        if (repetition % 2 == 0) {
            game_.Prompts().QueueAnswer(PromptAnswer::No);
            QVERIFY(app.RunCommand(Command::QuitMatch));
            QVERIFY(!app.State().Competition());
        }
        game_.Reset();
    }
}

LEXINUM_GUI_TEST(PaneHandOverTest)

#include "PaneHandOverTest.moc"
