#include "platform/Beep.h"
#include "platform/KnownFolders.h"
#include "platform/ProcessList.h"
#include "platform/ProgramLauncher.h"
#include "platform/UserRegistry.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace platform;
using namespace Qt::StringLiterals;

class TestOsServices : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;

    QString probe() const { return QCoreApplication::applicationDirPath() + u"/platform_probe"_s; }

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("HOME", m_home.path().toUtf8());
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_DOCUMENTS_DIR");
    }

    void documentsFolderFollowsTheUserSettings()
    {
        QCOMPARE(documentsFolder(), m_home.path() + u"/Documents"_s);
        QDir(m_home.path()).mkpath(u".config"_s);
        QFile dirs(m_home.filePath(u".config/user-dirs.dirs"_s));
        QVERIFY(dirs.open(QIODevice::WriteOnly));
        dirs.write("XDG_DOCUMENTS_DIR=\"$HOME/書類/\"\n");
        dirs.close();
        QCOMPARE(documentsFolder(), m_home.path() + u"/書類"_s);
        dirs.remove();
    }

    void processesAreFoundByExecutableName()
    {
        QVERIFY(sameExecutableName(u"Kinzo2.exe"_s, u"kinzo2"_s));
        QVERIFY(sameExecutableName(u"/opt/kinzo/Kinzo2/Kinzo2"_s, u"KINZO2.EXE"_s));
        QVERIFY(!sameExecutableName(u"Kinzo2"_s, u"Kinzo"_s));

        const auto self = runningProcesses();
        const auto me = std::find_if(self.begin(), self.end(),
                                     [](const ProcessEntry& p) { return p.pid == currentProcessId(); });
        QVERIFY(me != self.end());
        QCOMPARE(me->executableName, u"test_os_services"_s);
        QVERIFY(!isProcessRunning(u"test_os_services.exe"_s));   // this process does not count
    }

    void terminatingAProcessEndsIt()
    {
        QProcess child;
        child.start(probe(), {u"hold-mutex"_s, u"terminate-me"_s});
        QVERIFY(child.waitForReadyRead(5000));
        QVERIFY(isProcessRunning(u"platform_probe.exe"_s));
        QVERIFY(terminateProcess(child.processId()));
        QVERIFY(child.waitForFinished(5000));
        QVERIFY(!terminateProcess(child.processId()));
        QVERIFY(!terminateProcess(currentProcessId()));
    }

    void programsStartWithArgumentsAndFolder()
    {
        QTemporaryDir work;
        QVERIFY(startProgram(probe(), {u"touch"_s, u"started.txt"_s}, work.path()));
        QTRY_VERIFY(QFile::exists(work.filePath(u"started.txt"_s)));
        QVERIFY(!startProgram(work.filePath(u"no-such-program"_s), {}));
        QVERIFY(!startProgram(work.path(), {}));
    }

    void registryValuesPersistPerUser()
    {
        UserRegistryKey key(u"Asagi"_s, u"KinzoVer2"_s);
        QVERIFY(key.storagePath().startsWith(m_home.path()));
        QCOMPARE(key.readInt(u"PasswordON"_s, -1), -1);
        QVERIFY(key.writeInt(u"PasswordON"_s, 1));
        QVERIFY(key.writeString(u"PersonKey"_s, u"A9993E36"_s));
        const UserRegistryKey again(u"Asagi"_s, u"KinzoVer2"_s);
        QCOMPARE(again.readInt(u"PasswordON"_s), 1);
        QCOMPARE(again.readString(u"PersonKey"_s), u"A9993E36"_s);
        QVERIFY(key.remove(u"PersonKey"_s));
        QCOMPARE(again.readString(u"PersonKey"_s, u"gone"_s), u"gone"_s);
    }

    void beepsGoToTheInstalledSink()
    {
        QList<BeepSound> heard;
        setBeepSink([&](BeepSound s) { heard << s; });
        beep(BeepSound::Exclamation);
        beep();
        setBeepSink({});
        QCOMPARE(heard, (QList<BeepSound>{BeepSound::Exclamation, BeepSound::Default}));
    }
};

QTEST_GUILESS_MAIN(TestOsServices)
#include "test_os_services.moc"
