#pragma once

#include "letters/BonjourValidator.h"

#include <functional>
#include <string>

namespace lexinum {

// The letters field's validator in the pane: besides the typing rule, its
// whole-text check makes a changed valid text the pane's draw and stops the
// search running on the previous one.
class BonjourEventValidator : public BonjourValidator {
    Q_OBJECT

public:
    // `letters` is the pane's draw; `stopSearch` asks the pane's search to stop.
    BonjourEventValidator(std::string& letters, std::function<void()> stopSearch, QObject* parent = nullptr);

    // The whole-text check: false for an invalid text; a valid one that
    // differs from the draw becomes the draw, and the search is stopped.
    bool Commit(const QString& text);

private:
    std::string& letters_;
    std::function<void()> stopSearch_;
};

} // namespace lexinum
