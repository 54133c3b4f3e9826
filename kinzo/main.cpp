// The cash book program.

#include "kinzo/app/CKinzoApp.h"
#include "kinzo/dialogs/DialogCommands.h"
#include "kinzo/views/LedgerViews.h"

#include "kolib/KoDisplay.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (!KoHasDisplay()) {
        std::fputs(qPrintable(KoNoDisplayAdvice(QString::fromLocal8Bit(argv[0]))), stderr);
        return 1;
    }
    CKinzoApp app(argc, argv);
    RegisterLedgerViews();
    RegisterDialogCommands();
    if (!app.InitInstance(app.arguments().mid(1))) return 0;
    return app.exec();
}
