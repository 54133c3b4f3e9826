// A first instance for the single-instance tests: takes the mutex, shows (or
// hides) a window and marks it, prints "ready" and runs until killed. Each
// time its window is brought forward it prints "raised". A "starting" one
// never marks its window; an "unmarked" one marks it and takes the mark away.

#include "kolib/CKoSingleProccess.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString tag = args.value(1);
    const QString window = args.value(2);   // "visible", "minimised", "hidden", "starting" or "unmarked"

    CKoSingleProccess guard;
    if (guard.Create(QStringLiteral("KoProbe"), QStringLiteral("ko_instance_probe.exe"), tag) != 0)
        return 3;
    QWidget main;
    if (window == u"visible") main.show();
    if (window == u"minimised") main.showMinimized();
    if (window != u"starting") guard.SetMark(&main, 1);
    if (window == u"unmarked") guard.SetMark(&main, 0);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (main.isVisible() && !main.isMinimized() && window == u"minimised") {
            std::puts("raised");
            std::fflush(stdout);
            watch.stop();
        }
    });
    watch.start(20);
    std::puts("ready");
    std::fflush(stdout);
    return app.exec();
}
