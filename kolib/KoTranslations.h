#pragma once
// Qt's own texts (the buttons of standard boxes, the file dialog) in
// Japanese, like every text of the programs.

class QCoreApplication;

// Loads Qt's Japanese translation into the application; false when it is
// not installed (Qt then shows its English texts).
bool KoInstallQtTranslations(QCoreApplication& app);
