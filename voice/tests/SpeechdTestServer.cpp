#include "SpeechdTestServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {

const QString moduleFolder = u"/usr/lib/speech-dispatcher-modules"_s;

bool writeFile(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0;
}

QString readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

SpeechdTestServer::SpeechdTestServer(double secondsPerText) : m_secondsPerText(secondsPerText) {}

SpeechdTestServer::~SpeechdTestServer()
{
    stop();
}

void SpeechdTestServer::writeConfiguration() const
{
    QDir().mkpath(path(u"conf/modules"_s));
    QDir().mkpath(path(u"log"_s));
    writeFile(path(u"conf/speechd.conf"_s),
              u"CommunicationMethod \"unix_socket\"\n"
              u"LogLevel 5\n"
              u"AudioOutputMethod \"libao\"\n"
              u"DefaultLanguage \"ja\"\n"
              u"AddModule \"file\" \"sd_generic\" \"file.conf\"\n"
              u"DefaultModule file\n"_s);
    writeFile(path(u"conf/modules/file.conf"_s),
              u"GenericExecuteSynth \"printf '%s\\\\n' \\'$DATA\\' >> %1; sleep %2\"\n"
              u"AddVoice \"ja\" \"MALE1\" \"ja\"\n"
              u"AddVoice \"en\" \"MALE1\" \"en\"\n"
              u"GenericLanguage \"ja\" \"ja\" \"utf-8\"\n"
              u"GenericLanguage \"en\" \"en\" \"utf-8\"\n"_s
                  .arg(path(u"spoken.txt"_s))
                  .arg(m_secondsPerText));
}

bool SpeechdTestServer::start(QString* why)
{
    const QString program = QStandardPaths::findExecutable(u"speech-dispatcher"_s);
    if (program.isEmpty() || !QDir(moduleFolder).exists()) {
        if (why) *why = u"speech-dispatcher is not installed"_s;
        return false;
    }
    writeConfiguration();
    const QString socket = path(u"speechd.sock"_s);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setStandardOutputFile(path(u"log/stdout.txt"_s));
    m_process.start(program, {u"-s"_s, u"-t"_s, u"0"_s, u"-C"_s, path(u"conf"_s), u"-S"_s, socket,
                              u"-l"_s, u"5"_s, u"-L"_s, path(u"log"_s), u"-m"_s, moduleFolder,
                              u"-P"_s, path(u"speechd.pid"_s)});
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(socket) && waited.elapsed() < 10000 && m_process.state() != QProcess::NotRunning)
        QThread::msleep(20);
    if (!QFile::exists(socket)) {
        if (why) *why = u"speech-dispatcher did not open its socket: "_s + log();
        return false;
    }
    qputenv("SPEECHD_ADDRESS", ("unix_socket:" + socket).toUtf8());
    return true;
}

void SpeechdTestServer::stop()
{
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) m_process.kill();
    m_process.waitForFinished(5000);
    qunsetenv("SPEECHD_ADDRESS");
}

QStringList SpeechdTestServer::spoken() const
{
    return readFile(path(u"spoken.txt"_s)).split(u'\n', Qt::SkipEmptyParts);
}

QString SpeechdTestServer::log() const
{
    QString all;
    for (const QString& name : QDir(path(u"log"_s)).entryList(QDir::Files)) all += readFile(path(u"log/"_s) + name);
    return all;
}
