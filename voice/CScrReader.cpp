#include "CScrReader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QThread>

namespace {

// Notes whether a key or mouse-button press passes through the application
// while it is installed; the event itself goes on to its receiver.
class InputWatch : public QObject {
public:
    bool seen = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress) seen = true;
        return false;
    }
};

}  // namespace

CScrReader::~CScrReader() = default;

void CScrReader::DoEvents(int)
{
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void CScrReader::OnError(int) {}

bool CScrReader::DispatchAndCheckInput()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return false;
    InputWatch watch;
    app->installEventFilter(&watch);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    app->removeEventFilter(&watch);
    return watch.seen;
}

bool CScrReader::WaitTimedOut(qint64 startedMs, int timeoutMs) const
{
    return timeoutMs > 0 && NowMs() - startedMs > timeoutMs;
}

qint64 CScrReader::NowMs()
{
    static QElapsedTimer clock;
    if (!clock.isValid()) clock.start();
    return clock.elapsed();
}

// Waits are polls; a short nap keeps them from taking a whole core.
void CScrReader::Nap()
{
    QThread::usleep(500);
}
