#pragma once

#include <string>

namespace lexinum {

// The system's error codes told in French, for the messages the player reads
// (the C library would give them in English, or in whatever language the
// system runs in).
class SystemError {
public:
    // A short French text for an errno value, such as "plus de place sur le
    // disque"; a code this game does not know is named by its number.
    static std::string Text(int code);
};

} // namespace lexinum
