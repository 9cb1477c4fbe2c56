#pragma once

#include <QValidator>

#include <string>
#include <string_view>

namespace lexinum {

// The word entry's rule as the player types: capitals only (small and
// accented letters become their capital), and only letters of the draw, each
// at most as often as it was drawn.
class MEValidator : public QValidator {
    Q_OBJECT

public:
    // `letters`: the draw, copied now (it must be complete).
    explicit MEValidator(std::string_view letters, QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;

private:
    std::string letters_;
};

} // namespace lexinum
