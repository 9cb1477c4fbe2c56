#include "letters/BonjourEventValidator.h"

namespace lexinum {

BonjourEventValidator::BonjourEventValidator(std::string& letters, std::function<void()> stopSearch, QObject* parent)
    : BonjourValidator(parent), letters_(letters), stopSearch_(std::move(stopSearch)) {}

bool BonjourEventValidator::Commit(const QString& text) {
    if (!IsValidText(text))
        return false;
    const std::string typed = text.toStdString();
    if (typed != letters_) {
        letters_ = typed;
        if (stopSearch_)
            stopSearch_();
    }
    return true;
}

} // namespace lexinum
