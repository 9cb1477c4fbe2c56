#pragma once

#include "common/OnceToldPrompter.h"
#include "common/SearchJob.h"
#include "lexicon/LexiconSet.h"
#include "lexicon/WordCheck.h"
#include "lexicon/WordSearch.h"
#include "presentation/PanoWindow.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace lexinum {

class BonjourEventValidator;
class LexiconSeeding;
class ButtonPalette;
struct LettersOptions;
class ValidEdit;

// The pane of the letters game ("Le mot le plus long"): the draw, shown in
// its letters field, drawn automatically or by vowel and consonant, or typed
// by the player; the word asked over the results box and judged against the
// draw and the lexicon; then the computer's words, longest first, one group
// per "&Voir". It owns the lexicon, seeded on first start from the shipped
// one, and the letter palette. Its place-3 button "Chiff&res" switches to
// the numbers game.
class MotWindow : public PanoWindow {
    Q_OBJECT

public:
    // The radical that accepts any lexicon.
    static constexpr const char* kAnyLexicon = "ANY";

    explicit MotWindow(AppServices& app, QWidget* parent = nullptr);
    ~MotWindow() override;

    // Reads the "LETTRES" settings and the lexicon, draws the first letters
    // automatically and gives the letters field the focus; shows the palette
    // if it was shown.
    void SetupWindow() override;
    // Stops the search and writes the settings: the counts, the palette, the
    // lexicon folder, then the results font.
    bool CanClose() override;
    // The pane comes forward (StartLettersGame).
    void Activate() override;
    // Places the letters field too, in the big font.
    void PlaceChildren() override;
    // The match's draws: nine letters picked in turns with the computer; the
    // field is read-only and the palette hidden until the match ends.
    void EnterCompetition() override;
    void LeaveCompetition() override;

    // ---- the round ----
    // Fills the draw automatically: counts of letters and vowels, full bags.
    void AutoDraw();
    // A new draw: automatic in training when chosen so, otherwise by vowel
    // and consonant (in a match with the computer, the bags filled again
    // only when `refillBags`, at the start of a set); then shown, and the
    // search of the previous draw stopped.
    void NewLetters(bool refillBags = true);
    // The pane comes back: a new draw, the focus in the letters field.
    void StartLettersGame();
    // Takes the letters field's text as the draw (if it changed, the search
    // of the old draw stops). False when the field holds no valid draw.
    bool TakeLettersField();

    // ---- the training rules ----
    // Command 122 "&Paramètres...": the letters options dialog, applied on OK.
    void ChangeOptions();
    // Takes the counts (brought into range) and the automatic choice; a
    // changed count draws again at once, automatically, and stops the search
    // of the old draw. The automatic choice alone changes no draw.
    void ApplyOptions(const LettersOptions& options);

    // ---- the lexicon ----
    // True while the first copy of the player's lexicon is being made.
    bool PreparingLexicon() const { return seeding_ != nullptr; }
    // Tells `watch` each file of a first copy of the lexicon, on the copy's
    // thread (tests hold the copy there); empty: nothing is told.
    static void SetSeedingWatch(std::function<bool(std::size_t copied, std::size_t count)> watch);
    // Waits until the first copy of the lexicon is over (the window painting
    // meanwhile, the player's input held), then reads it; at once when none runs.
    void WaitForLexicon();
    // Runs the lexicon location dialog; true when a lexicon was adopted.
    bool LocateLexicon(const std::string& radical);
    // A usable lexicon, located first if needed; otherwise the offer to play
    // numbers only, and false.
    bool EnsureLexicon();
    // "Jouer aux Chiffres ?": OK shows the numbers game, "Quitter" ends the program.
    void OfferNumbersOnly();
    // Command 172: stops the search and locates another lexicon.
    void ChangeLexicon();
    // Commands 170 and 171: stops the search, then adds words to the lexicon
    // or removes them ("Ajouter des mots", "Supprimer des mots"), the words
    // selected in the results box offered; the lexicon is read again after.
    void PickWords(bool adding);

    // ---- the palette ----
    // Command 123: creates and shows the palette the first time, then shows
    // or hides it.
    void TogglePalette();
    ButtonPalette* Palette() const;

    // ---- what tests and the frame read ----
    const std::string& Letters() const { return letters_; }
    ValidEdit* LettersField() const { return lettersField_; }
    int LetterCount() const { return letterCount_; }
    int VowelCount() const { return vowelCount_; }
    bool AutoChoice() const { return autoChoice_; }
    // Training draws are automatic (otherwise by vowel and consonant).
    void SetAutoChoice(bool automatic) { autoChoice_ = automatic; }
    const std::string& Word() const { return word_; }
    WordCheckResult WordResult() const { return wordResult_; }
    const LexiconSet& Lexicon() const { return lexicon_; }
    // Puts back the tiles a resumed match had left in the letter bags.
    void RestoreBags(const std::array<int, kVowelCount>& vowels, const std::array<int, kConsonantCount>& consonants) {
        lexicon_.RestoreBags(vowels, consonants);
    }
    // The lexicon folder the settings keep.
    const QString& LexiconFolder() const { return lexiconFolder_; }
    SearchChannel& Channel() override { return search_.Channel(); }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    // ---- the round's steps: the letters typed in the field, the lexicon,
    // the word asked and judged, the remark over the longest words ----
    bool TakeDraw() override;
    bool ReadyForRound() override;
    void StartSolutionsSearch() override;
    std::string AskPlayer(const QRect& area) override;
    std::string FirstBatchText(std::string batch) override;
    // ---- a match round's steps: the draw in turns, the computer's word at
    // its level, the report, the remark over the first group reviewed ----
    bool DrawForMatch(const MatchRound& round) override;
    void StartComputerSearch(int level) override;
    std::string ComputerAnswerText(bool answered) override;
    RoundReport MatchReport() const override;
    std::string ReviewBatchText(std::string batch) override;
    // The losses of the lexicon the searches meet are told once (see lexiconNews_).
    Prompter& WorkerMessages() override { return lexiconNews_; }

private:
    void ReadSettings();
    void ReadLexicon();
    void ReadLexiconIndex(const std::string& problem);
    void ShowSeeding();
    void WatchSeeding();
    void EndSeeding();
    void ShowLetters();
    void FitLettersField();
    void CreatePalette();
    void FollowPalette();
    void PlacePaletteBesideFrame();

    std::string letters_;
    int letterCount_ = 9;
    // The count of the training draws, kept while a match draws nine.
    int trainingLetterCount_ = 9;
    int vowelCount_ = 4;
    bool autoChoice_ = false;
    std::string word_;
    // The length of the computer's word in the last match round (0: none).
    int computerLength_ = 0;
    // False when the computer's search of the last match round could not
    // run to its answer (the lexicon was lost meanwhile).
    bool computerAnswered_ = true;
    WordCheckResult wordResult_ = WordCheckResult::NoAnswer;
    // A lexicon lost during a match round is met by the computer's search,
    // the player's check, the review and the next draw: it is told once,
    // until the lexicon serves again.
    OnceToldPrompter lexiconNews_;
    LexiconSet lexicon_;
    // Declared after the lexicon it reads, so its worker is joined first.
    SearchJob<WordSearch> search_{lexicon_};
    ValidEdit* lettersField_ = nullptr;
    BonjourEventValidator* fieldValidator_ = nullptr;
    // Owned by the frame (a window of its own over it); gone with the frame.
    QPointer<ButtonPalette> palette_;
    QString lexiconFolder_;
    QString lastLexiconFile_;
    // The first copy of the player's lexicon while it runs (null otherwise).
    std::unique_ptr<LexiconSeeding> seeding_;
    // The copy's progress is shown in the message bar.
    bool seedingShown_ = false;
    QElapsedTimer seedingClock_; // since the first copy began
    // The palette has no place of its own yet: it goes beside the frame when first shown.
    bool placePaletteBesideFrame_ = false;
};

} // namespace lexinum
