#pragma once

#include "RecordingPrompter.h"
#include "app/TivApp.h"

#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace lexinum::test {

// The whole game started as a player starts it, in a temporary home (its
// own settings folder), with every message box answered by a recording
// prompter. A test program holds one and starts the game in each test.
class GameFixture {
public:
    GameFixture();
    ~GameFixture();

    // Points the settings folder at the temporary home and installs the
    // prompter; call from initTestCase.
    void SetUp();
    // Starts the game and waits until its frame is on screen.
    void Start(const std::vector<std::string>& arguments = {}, TivApp::ShowState show = TivApp::ShowState::Normal);
    // Ends the game (without closing the frame) and forgets its settings,
    // messages and the modal acts not yet run; call from cleanup.
    void Reset();

    // Training draws are made automatic once the game has started, unless a
    // test sets this to false, so that the letters pane coming forward does
    // not wait on the vowel and consonant dialog.
    bool automaticDraws = true;
    // Start waits until a first copy of the player's lexicon is over, unless
    // a test sets this to false to see the game while it is copied.
    bool waitForLexicon = true;
    // The periods the game starts with (a test may shorten them).
    TimerPeriods periods;
    // Periods of a few milliseconds, so that draws and answers run out by themselves.
    static TimerPeriods QuickPeriods();
    // Starts the game with QuickPeriods().
    void StartQuick();
    // "&Nouvelle partie..." answered with `name` at `level` (1 to 6).
    void NewMatch(const QString& name, int level);

    TivApp& App() { return *app_; }
    TivFrame& Frame();
    RecordingPrompter& Prompts() { return prompter_; }
    // The path of "tiv.ini".
    QString IniPath() const;
    // The titles of the menu bar's popups.
    QStringList MenuTitles();
    // The labels of the items of the popup at `menuPosition`.
    QStringList ItemLabels(int menuPosition);
    // The help topics opened since the start (through the help viewer the fixture installs).
    const std::vector<int>& HelpTopicsOpened() const { return helpTopics_; }

    // test::AccessibleName: what a screen reader announces as the name of `object`.
    static QString AccessibleName(QObject* object);

    // ModalActs::OnModal and WhenModal; Reset drops the acts not yet run.
    static void OnModal(std::function<void(QWidget*)> act);
    static void WhenModal(std::function<void(QWidget*)> act);

private:
    QTemporaryDir home_;
    RecordingPrompter prompter_;
    std::unique_ptr<TivApp> app_;
    std::vector<int> helpTopics_;
};

} // namespace lexinum::test
