// A new user's first start: the program as the build lays it out, and as
// `cmake --install` puts it, started on an empty home folder. Its settings
// file must be seeded from the settings shipped in the source tree.

#include "kinzo/data/CDBConnection.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/tests/RecordingHost.h"
#include "voice/CTranscriptReader.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestFirstStart : public QObject {
    Q_OBJECT

    // Starts the program on the empty home folder and returns the first
    // contents of its settings file, read as soon as the file exists (empty
    // when it never appears); returns once the start has been announced.
    // The program on an empty home, heard through a transcript there.
    static void prepare(QProcess& kinzo, const QTemporaryDir& home, const QString& runtime, const QString& heard)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"HOME"_s, home.path());
        env.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u".config"_s));
        env.insert(u"XDG_RUNTIME_DIR"_s, runtime);
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        env.insert(u"VOICE_TRANSCRIPT"_s, home.filePath(heard));
        kinzo.setProcessEnvironment(env);
        kinzo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }

    static bool heardSoon(const QString& transcript, const QString& start)
    {
        return QTest::qWaitFor([&] {
            const QStringList lines = CTranscriptReader::SpokenLines(transcript);
            return std::any_of(lines.begin(), lines.end(), [&](const QString& line) { return line.startsWith(start); });
        }, 20000);
    }

    static QByteArray firstSettings(const QString& program, const QTemporaryDir& home)
    {
        QTemporaryDir runtime;
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString heard = home.filePath(u"heard.txt"_s);
        QProcess kinzo;
        prepare(kinzo, home, runtime.path(), u"heard.txt"_s);
        kinzo.start(program, {});
        if (!kinzo.waitForStarted()) return {};

        QByteArray first;
        QElapsedTimer clock;
        clock.start();
        auto running = [&] { return kinzo.state() == QProcess::Running && clock.elapsed() < 20000; };
        while (first.isEmpty() && running()) {
            QFile file(iniPath(home));
            if (file.open(QIODevice::ReadOnly)) first = file.readAll();
            else QThread::msleep(2);
        }
        while (!CTranscriptReader::SpokenLines(heard).contains(u"KinzoVer2を起動しました。"_s) && running())
            QThread::msleep(20);
        kinzo.kill();
        kinzo.waitForFinished();
        return first;
    }

    static QString iniPath(const QTemporaryDir& home)
    {
        return home.filePath(u"Documents/Asagi/KinzoVer2/Kinzo2.ini"_s);
    }

    static void checkFirstStart(const QString& program)
    {
        QVERIFY2(QFile::exists(program), qPrintable(program));
        QTemporaryDir home;
        const QByteArray first = firstSettings(program, home);
        QFile shippedFile(QStringLiteral(SHIPPED_INI));
        QVERIFY(shippedFile.open(QIODevice::ReadOnly));
        QCOMPARE(first, shippedFile.readAll());
        // Once started, every shipped key still holds its shipped value.
        QSettings shipped(QStringLiteral(SHIPPED_INI), QSettings::IniFormat);
        QSettings seeded(iniPath(home), QSettings::IniFormat);
        QVERIFY(shipped.allKeys().size() > 30);
        for (const QString& key : shipped.allKeys())
            QVERIFY2(seeded.value(key) == shipped.value(key), qPrintable(key));
    }

private Q_SLOTS:
    void theBuiltProgramSeedsItsSettingsFromItsOwnFolder()
    {
        checkFirstStart(QStringLiteral(KINZO_PROGRAM_DIR "/Kinzo2"));
    }

    void theInstalledProgramDoesTheSame()
    {
        QTemporaryDir root;
        QProcess install;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"DESTDIR"_s, root.path());
        install.setProcessEnvironment(env);
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral(CMAKE_COMMAND),
                      {u"--install"_s, QStringLiteral(BUILD_DIR), u"--prefix"_s, u"/opt/kinzo"_s});
        QVERIFY(install.waitForFinished(120000));
        QVERIFY2(install.exitCode() == 0, install.readAll().constData());
        QVERIFY(QFile::exists(root.filePath(u"opt/kinzo/Kinzo2/DEFAULT_Kinzo.ini"_s)));
        checkFirstStart(root.filePath(u"opt/kinzo/Kinzo2/Kinzo2"_s));
    }

    // A second start, as from the file manager while the cash book shows a
    // ledger, in a runtime folder deeper than a socket address holds: the
    // first is asked to come forward and goes on; the second ends at once.
    void aSecondStartLeavesTheFirstAtWork()
    {
        QTemporaryDir home, runtimes;
        const QString runtime = runtimes.filePath(QString(150 - runtimes.path().size() - 1, u'r'));
        QVERIFY(QDir().mkpath(runtime));
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString ledger = home.filePath(u"家計.kzd"_s);
        {
            CDBConnection connection;
            RecordingHost host;
            QVERIFY(CKinzoDoc(connection, host).OnNewDocument(ledger));
        }
        const QString program = QStringLiteral(KINZO_PROGRAM_DIR "/Kinzo2");

        QProcess first;
        prepare(first, home, runtime, u"first.txt"_s);
        first.start(program, {ledger});
        QVERIFY(heardSoon(home.filePath(u"first.txt"_s), u"リスト表示"_s));
        for (const QString& heard : {u"second.txt"_s, u"third.txt"_s}) {
            QProcess later;
            prepare(later, home, runtime, heard);
            later.start(program, {ledger});
            QVERIFY(later.waitForFinished(20000));
            QCOMPARE(later.exitCode(), 0);
            QVERIFY(CTranscriptReader::SpokenLines(home.filePath(heard)).isEmpty());
            QVERIFY2(!first.waitForFinished(200), "the first cash book was ended");
        }
        const QStringList firstHeard = CTranscriptReader::SpokenLines(home.filePath(u"first.txt"_s));
        QCOMPARE(firstHeard.count(u"KinzoVer2を起動しました。"_s), 1);
        QVERIFY(!QFile::exists(ledger + u"-journal"_s));
        first.kill();
        first.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(TestFirstStart)
#include "test_first_start.moc"
