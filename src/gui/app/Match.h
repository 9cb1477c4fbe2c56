#pragma once

#include "app/ScoreWindow.h"
#include "match/RoundReport.h"
#include "match/ScoreKeeper.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <string>

class QLabel;

namespace lexinum {

class TivApp;

// A match against the computer, as the application plays it: "&Nouvelle
// partie..." (the level and the player's name), entering and leaving the
// match in the menus, the panes and the message bar, "&Poursuivre" (the next
// round in the pane of its game, switching panes as the rounds alternate
// letters, letters, numbers), the score of each round reported by a pane,
// the score window and the three gadgets of the message bar, "Qui&tter
// partie", and the end of the match when the game closes.
class Match : public QObject {
    Q_OBJECT

public:
    explicit Match(TivApp& app);
    ~Match() override;
    Match(const Match&) = delete;
    Match& operator=(const Match&) = delete;

    // Command 24331: asks the level and the name, then starts the match in the
    // letters pane; the first round is played with "&Poursuivre".
    void Start();
    // Command 141 "&Poursuivre": ends a decided match; otherwise brings the
    // pane of the next round forward, or plays the round in it.
    void Continue();
    // Command 24339: leaves the match for training (the running match may be
    // saved first).
    void Quit();
    // Leaves the match: training menus, panes and message bar; the level and
    // the name are kept for the next "&Nouvelle partie...".
    void End();
    // Scores a round a pane reported.
    void Score(const RoundReport& report);
    // The score window follows the pane shown and the layout.
    void FollowPane();
    // Asked before anything that would lose a running match: true to go on.
    // Saving a match comes with the saved games; until then nothing is asked.
    bool AskSaveModified();

    // The running match's score, or null in training.
    const ScoreKeeper* Keeper() const { return keeper_.get(); }
    // The player's name in the running match (or the last one).
    const std::string& PlayerName() const { return playerName_; }
    // The score window (null in training).
    ScoreWindow* Window() const { return window_.data(); }
    // The three gadgets of the message bar: level, sets, set in play (null in training).
    QLabel* LevelGadget() const { return levelGadget_; }
    QLabel* SetsGadget() const { return setsGadget_; }
    QLabel* RoundGadget() const { return roundGadget_; }

private:
    void Enter(int oldLevel, int newLevel);
    void CreateGadgets();
    void RemoveGadgets();
    void ShowScore();
    void Tell(const std::string& message);

    TivApp& app_;
    std::unique_ptr<ScoreKeeper> keeper_;
    QPointer<ScoreWindow> window_;
    QLabel* levelGadget_ = nullptr;
    QLabel* setsGadget_ = nullptr;
    QLabel* roundGadget_ = nullptr;
    std::string playerName_;
};

} // namespace lexinum
