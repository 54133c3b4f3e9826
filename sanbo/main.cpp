// The talking calculator.

#include "CSanboApp.h"

#include "kolib/KoDisplay.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (!KoHasDisplay()) {
        std::fputs(qPrintable(KoNoDisplayAdvice(QString::fromLocal8Bit(argv[0]))), stderr);
        return 1;
    }
    CSanboApp app(argc, argv);
    if (!app.InitInstance()) return 0;
    return app.Run();
}
