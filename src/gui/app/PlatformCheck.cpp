#include "app/PlatformCheck.h"

#include <QSysInfo>
#include <QVersionNumber>

namespace lexinum {

const std::string& PlatformCheck::RefusalText() {
    static const std::string text = "Ce programme est conçu pour les versions 32 bits de Windows: NT, 95, 98 ou "
                                    "ultérieur.\r\nPour Windows 3.10 ou 3.11, utilisez l'exécutable tiv16.exe.";
    return text;
}

bool PlatformCheck::IsSupported(const std::string& system, int major, int minor) {
    // Only a known version of Windows can be refused: negative numbers mean
    // "unknown", and other systems number their versions their own way.
    if (system != "windows" || major < 0 || minor < 0)
        return true;
    return !(major <= 3 && minor <= 11);
}

bool PlatformCheck::CurrentIsSupported() {
    const QVersionNumber version = QVersionNumber::fromString(QSysInfo::kernelVersion());
    if (version.segmentCount() < 2)
        return true;
    return IsSupported(QSysInfo::kernelType().toStdString(), version.majorVersion(), version.minorVersion());
}

} // namespace lexinum
