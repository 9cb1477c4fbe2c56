#pragma once

class QCoreApplication;
class QTranslator;

namespace lexinum {

// Loads Qt's own French texts into `translator` and installs it, so that the
// standard buttons and dialogs read in French ("Oui", "Annuler"...). False
// when the translations are not installed: Qt's English texts then stay.
bool LoadFrenchTexts(QCoreApplication& application, QTranslator& translator);

} // namespace lexinum
