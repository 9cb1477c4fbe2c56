#pragma once

#include <functional>

class QWidget;

namespace lexinum::test {

// What a test does to a modal window the code under test opens and runs.
// Every act still pending when a test ends is dropped by CancelPending (the
// fixtures' Reset), so none runs into the next test.
class ModalActs {
public:
    // How long OnModal waits for the window before it fails the test.
    static constexpr int kPatienceMs = 20000;

    // Runs `act` on the modal window once it is open (a dialog run by the
    // code under test); `act` must close it. Fails the test if none opens
    // within kPatienceMs.
    static void OnModal(std::function<void(QWidget*)> act);
    // Runs `act` on the next modal window whenever it opens, without waiting
    // for it: for a dialog opened later by a timer (a button's shortcut
    // clicks it after a moment). `act` must close it.
    static void WhenModal(std::function<void(QWidget*)> act);
    // Drops the acts not yet run.
    static void CancelPending();
    // The depth of the event loop the innermost act now running was called
    // from, 0 when none runs. A modal window running a deeper loop waits on
    // nobody: ModalWatchdog closes it once it has waited too long.
    static int ActingLevel();
};

} // namespace lexinum::test
