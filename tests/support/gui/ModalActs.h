#pragma once

#include <functional>

class QWidget;

namespace lexinum::test {

// What a test does to a modal window the code under test opens and runs.
// Every act still pending when a test ends is dropped by CancelPending (the
// fixtures' Reset), so none runs into the next test.
class ModalActs {
public:
    // Runs `act` on the modal window once it is open (a dialog run by the
    // code under test); `act` must close it.
    static void OnModal(std::function<void(QWidget*)> act);
    // Runs `act` on the next modal window whenever it opens, without waiting
    // for it: for a dialog opened later by a timer (a button's shortcut
    // clicks it after a moment). `act` must close it.
    static void WhenModal(std::function<void(QWidget*)> act);
    // Drops the acts not yet run.
    static void CancelPending();
};

} // namespace lexinum::test
