#include "TreeReader.h"

#include "platform/ProcessList.h"

#include <QElapsedTimer>

using namespace Qt::StringLiterals;

bool TreeReaderSpeaksArrivals()
{
    static QElapsedTimer checked;
    static bool running = false;
    if (!checked.isValid() || checked.elapsed() >= 1000) {
        running = platform::isProcessRunning(u"orca"_s);
        checked.restart();
    }
    return running;
}
