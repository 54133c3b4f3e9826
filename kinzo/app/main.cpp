// The cash book program. So far it sets up the user's folders, settings,
// holiday calendar and diagnostic log, and ends; the window comes later.

#include "CKinzoApp.h"

#include "kolib/KoDisplay.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (!KoHasDisplay()) {
        std::fputs(qPrintable(KoNoDisplayAdvice(QString::fromLocal8Bit(argv[0]))), stderr);
        return 1;
    }
    CKinzoApp app(argc, argv);
    QString reasons;
    if (!app.InitialSetup(reasons)) return 1;
    std::printf("Kinzo2: settings in %s are ready; the ledger window is not part of this build yet.\n",
                qPrintable(app.m_iniFile.GetFilePath()));
    return 0;
}
