#pragma once

#include <string>

namespace lexinum {

// The check made before anything else starts: the game refuses a 16-bit host
// (version 3.11 or older). On today's systems it never refuses.
class PlatformCheck {
public:
    // The refusal shown on an old host, with a stop icon and the caption "Lexinum".
    static const std::string& RefusalText();
    // True when the host `system` (a kernel type: "windows", "linux"...) of
    // version major.minor can run the game. Only an old Windows is refused.
    static bool IsSupported(const std::string& system, int major, int minor);
    // True when the running system can run the game. Its version is read from
    // the kernel; a version that cannot be read never refuses.
    static bool CurrentIsSupported();
};

} // namespace lexinum
