#pragma once

// Qt's own texts (the pane's context menu, the font and file dialogs, the
// buttons of message boxes) in Russian, as the rest of the program speaks.

class QCoreApplication;

namespace indikt {

// Loads Qt's Russian translations (Debian's qt6-translations-l10n) into the
// application; false when they are not installed (Qt then speaks English).
bool InstallQtTranslations(QCoreApplication& application);

}  // namespace indikt
