// Plays the other program in cross-process tests. Prints "ready" once it holds
// what it was asked to hold, then runs until killed or until stdin closes.

#include "platform/NamedEvent.h"
#include "platform/NamedMutex.h"
#include "platform/WindowMark.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QTextStream>

#include <cstdio>

namespace {

void ready()
{
    std::puts("ready");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString mode = args.value(0);
    const QString name = args.value(1);

    platform::NamedMutex mutex;
    std::unique_ptr<platform::WindowMarkHolder> mark;
    if (mode == u"hold-mutex") {
        if (mutex.create(name) != platform::NamedMutex::Result::Created) return 3;
    } else if (mode == u"mark") {
        const bool visible = args.value(2) == u"visible";
        mark = std::make_unique<platform::WindowMarkHolder>(name, [visible, name] {
            QFile log(name + QStringLiteral(".asked"));
            log.open(QIODevice::Append);
            log.write("asked\n");
            return visible;
        });
        if (!mark->isListening()) return 3;
    } else if (mode == u"set-event") {
        platform::NamedEvent event(name);
        return event.set() ? 0 : 3;
    } else if (mode == u"touch") {
        QFile file(name);
        return file.open(QIODevice::WriteOnly) ? 0 : 3;
    } else {
        return 2;
    }
    ready();
    QSocketNotifier stdinClosed(0, QSocketNotifier::Read);
    QObject::connect(&stdinClosed, &QSocketNotifier::activated, &app, [&] {
        char c;
        if (std::fread(&c, 1, 1, stdin) != 1) app.quit();
    });
    return app.exec();
}
