#include "Pile.h"

namespace lexinum {

bool Pile::operator==(const Pile& other) const {
    if (count_ != other.count_)
        return false;
    for (int i = 0; i < count_; ++i)
        if (slots_[static_cast<std::size_t>(i)] != other.slots_[static_cast<std::size_t>(i)])
            return false;
    return true;
}

} // namespace lexinum
