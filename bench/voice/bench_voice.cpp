// How long ReadText(text, 1, 0) keeps the caller: through speech-dispatcher
// (a private service whose output module writes to a file) and through the
// transcript file. Prints the median and the 99th percentile of 10,000 calls.

#include "SpeechdTestServer.h"

#include "voice/CSpeechDispatcher.h"
#include "voice/CVoiceReader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int calls = 10000;

struct Figures {
    double medianUs;
    double p99Us;
};

Figures measure(CVoiceReader& voice)
{
    std::vector<qint64> ns;
    ns.reserve(calls);
    QElapsedTimer timer;
    for (int i = 0; i < calls; ++i) {
        const QString text = QStringLiteral("%1行目 収入 %2円").arg(i + 1).arg(i * 100);
        timer.start();
        voice.ReadText(text, 1, 0);
        ns.push_back(timer.nsecsElapsed());
    }
    std::sort(ns.begin(), ns.end());
    return {ns[ns.size() / 2] / 1000.0, ns[ns.size() * 99 / 100] / 1000.0};
}

void print(const char* what, const Figures& f)
{
    std::printf("%-20s median %8.1f us   p99 %8.1f us   (aim: p99 <= 1000 us, %s)\n", what, f.medianUs,
                f.p99Us, f.p99Us <= 1000.0 ? "met" : "NOT met");
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::printf("ReadText(text, stop 1, wait 0), %d calls each\n", calls);

    qunsetenv("VOICE_TRANSCRIPT");
    SpeechdTestServer server(0.05);
    QString why;
    if (server.start(&why)) {
        CVoiceReader voice;
        if (voice.Init() && voice.GetReaderID() == ReaderSpeechDispatcher
            && static_cast<CSpeechDispatcher*>(voice.Reader())->WaitUntilConnected(10000)) {
            print("speech-dispatcher", measure(voice));
            voice.WaitRead(-1);
            std::printf("                     the service was given %lld texts\n",
                        qlonglong(server.spoken().size()));
        } else {
            std::printf("speech-dispatcher    not reached\n");
        }
        voice.Destroy();
        server.stop();
    } else {
        std::printf("speech-dispatcher    skipped: %s\n", qPrintable(why));
    }

    QTemporaryDir dir;
    qputenv("VOICE_TRANSCRIPT", dir.filePath(QStringLiteral("heard.txt")).toUtf8());
    CVoiceReader transcript;
    if (transcript.Init()) print("transcript", measure(transcript));
    return 0;
}
