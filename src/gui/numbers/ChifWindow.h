#pragma once

#include "common/SearchJob.h"
#include "core/numbers/Calculation.h"
#include "numbers/ChifOptionsDialog.h"
#include "core/numbers/NumberBoxRule.h"
#include "core/numbers/NumberDraw.h"
#include "core/numbers/NumbersSolver.h"
#include "presentation/PanoWindow.h"

#include <array>

namespace lexinum {

class ChifEdit;

// The pane of the numbers game ("Le compte est bon"): six number boxes and
// the target box above the results box. In training the player draws
// ("No&uveau": six tiles, or six free numbers from 1 to 100, and a target in
// the range of his settings), may type his own numbers and target, and with
// "&Voir" builds his calculation in the entry dialog, reads his verdict, then
// the solutions the search finds, simplest first, one more at each "&Voir".
// Changing a number or the target stops the search. The place-3 button
// "Lett&res" switches to the letters game. The settings of section
// "CHIFFRES" are read when the pane is built and written when the game closes.
class ChifWindow : public PanoWindow {
    Q_OBJECT

public:
    // Characters of a number box and of the target box.
    static constexpr int kNumberBoxLength = 3;
    static constexpr int kTargetBoxLength = 5;

    explicit ChifWindow(AppServices& app, QWidget* parent = nullptr);

    // Base first; then the boxes' rules, fonts and places, a new draw, and
    // the focus in number box 1 with its text selected.
    void SetupWindow() override;
    // Stops the search and writes the settings; true.
    bool CanClose() override;
    // The pane comes forward: in training a new draw with the focus in number
    // box 1; in a match the draw between rounds and the focus on "&Poursuivre".
    void Activate() override;
    // Places the results box, the buttons and the boxes from the current
    // layout and fonts, the target box fitted to the largest target.
    void PlaceChildren() override;
    // The match's draws: the tiles and a target from 101 to 999, the boxes
    // read-only and showing the draw between rounds until the match ends.
    void EnterCompetition() override;
    void LeaveCompetition() override;

    // Command 101: a new draw.
    void NewDraw();
    // Command 122: the numbers settings dialog.
    void ChangeOptions();
    // Applies rules changed in the settings dialog, then makes a new draw.
    void ApplyOptions(const NumbersOptions& options);

    ChifEdit* NumberBox(int index) const { return numberBoxes_.at(static_cast<std::size_t>(index)); }
    ChifEdit* TargetBox() const { return targetBox_; }
    // The draw the pane plays: what the boxes stood for when last accepted.
    const NumberDraw& Draw() const { return draw_; }
    // Shows `draw` in the boxes and takes it as the pane's draw.
    void ShowDraw(const NumberDraw& draw);
    const NumbersOptions& Options() const { return options_; }
    // The player's answer of the last round.
    const Calculation& PlayerAnswer() const { return player_; }
    SearchChannel& Channel() override { return solver_.Channel(); }

protected:
    // ---- the round's steps: the boxes checked, the calculation asked and
    // judged, the remark over the first solution ----
    bool TakeDraw() override;
    void StartSolutionsSearch() override;
    std::string AskPlayer(const QRect& area) override;
    std::string FirstBatchText(std::string batch) override;
    // ---- a match round's steps: the match draw, the computer's calculation
    // at its level, the report, the remark over the first solution reviewed ----
    bool DrawForMatch(const MatchRound& round) override;
    void StartComputerSearch(int level) override;
    std::string ComputerAnswerText(bool answered) override;
    RoundReport MatchReport() const override;
    std::string ReviewBatchText(std::string batch) override;

private:
    void ReadSettings();
    void SaveSettings();
    NumberBoxRule NumberRule() const;
    NumberBoxRule TargetRule() const;
    void ApplyBoxRules();
    void FitTargetBox();
    void FocusFirstNumber();
    void SetBoxesReadOnly(bool readOnly);

    std::array<ChifEdit*, NumberDraw::kNumberCount> numberBoxes_{};
    ChifEdit* targetBox_ = nullptr;
    NumberDraw draw_;
    NumbersOptions options_;
    Calculation player_;
    // The computer's answer in the last match round.
    bool computerExact_ = false;
    int computerOps_ = 0;
    int computerDistance_ = 0;
    SearchJob<NumbersSolver> solver_;
};

} // namespace lexinum
