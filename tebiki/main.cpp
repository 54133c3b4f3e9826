// The manual viewer program.

#include "CTebikiApp.h"

#include "kolib/KoDisplay.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (!KoHasDisplay()) {
        std::fputs(qPrintable(KoNoDisplayAdvice(QString::fromLocal8Bit(argv[0]))), stderr);
        return 1;
    }
    CTebikiApp app(argc, argv);
    if (!app.InitInstance(app.arguments().mid(1))) return 0;
    return app.exec();
}
