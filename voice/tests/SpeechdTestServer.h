#pragma once
// A private speech-dispatcher for tests and measurements: its own runtime
// folder, socket and configuration, an output module that appends each text it
// is given to a file (taking a set time per text, as speaking would) instead of
// using a sound card, and a log at level 5 that records every message. While it
// runs, SPEECHD_ADDRESS points this process's connections at it.

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

class SpeechdTestServer {
public:
    explicit SpeechdTestServer(double secondsPerText = 0.3);
    ~SpeechdTestServer();

    // Starts the service and waits for its socket; false with a reason when
    // speech-dispatcher is missing or does not come up.
    bool start(QString* why);
    void stop();

    // The texts the output module was given, in order.
    QStringList spoken() const;
    // Everything the service logged.
    QString log() const;

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    void writeConfiguration() const;

    double m_secondsPerText;
    QTemporaryDir m_dir;
    QProcess m_process;
};
