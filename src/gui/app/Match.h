#pragma once

#include "app/ScoreWindow.h"
#include "match/RoundReport.h"
#include "match/ScoreKeeper.h"

#include <QObject>
#include <QPointer>
#include <QString>

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
    // Command 24333: saves the match in its file, or asks a name first when
    // it has none. False when it was not saved (dismissed, or it failed).
    bool Save();
    // Command 24334: saves the match under a name the player chooses.
    bool SaveAs();
    // Command 24332: resumes a saved match chosen in the file dialog.
    void Resume();
    // Resumes the saved match `file` named on the command line.
    void ResumeFromCommandLine(const QString& file);
    // Leaves the match: training menus, panes and message bar; the level and
    // the name are kept for the next "&Nouvelle partie...".
    void End();
    // Scores a round a pane reported.
    void Score(const RoundReport& report);
    // The score window follows the pane shown and the layout.
    void FollowPane();
    // Asked before anything that would lose a running match that was played
    // since it was last saved: "Partie modifiée!" with yes, no and abandon.
    // True to go on; false when the player abandons, or answered yes and
    // the match was not saved after all.
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
    void Begin(int oldLevel, int level, const std::string& name, const MatchCounters& counters);
    bool Write(const QString& file);
    void ReadSavedGame(const QString& file);
    void DeleteMatchFile();
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
    // The file this match was saved to or resumed from (empty: none), the
    // only one its end may delete.
    QString matchFile_;
};

} // namespace lexinum
