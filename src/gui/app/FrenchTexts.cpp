#include "app/FrenchTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace lexinum {

bool LoadFrenchTexts(QCoreApplication& application, QTranslator& translator) {
    if (!translator.load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return application.installTranslator(&translator);
}

} // namespace lexinum
