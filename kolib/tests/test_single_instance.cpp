#include "kolib/CKoSingleProccess.h"

#include <QCoreApplication>
#include <QProcess>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestSingleInstance : public QObject {
    Q_OBJECT

    QString m_tag;
    QProcess m_first;
    QTemporaryDir m_runtime;

    void startFirst(const QString& window)
    {
        m_first.start(QCoreApplication::applicationDirPath() + u"/ko_instance_probe"_s, {m_tag, window});
        QVERIFY(m_first.waitForReadyRead(10000));
        QCOMPARE(m_first.readLine(), QByteArray("ready\n"));
    }
    bool firstRuns() { return !m_first.waitForFinished(300); }
    int create(CKoSingleProccess& guard)
    {
        return guard.Create(u"KoProbe"_s, u"ko_instance_probe.exe"_s, m_tag);
    }

private Q_SLOTS:
    // Every case runs in a runtime folder deeper than a socket address holds.
    void initTestCase()
    {
        const QString folder = m_runtime.filePath(QString(150 - m_runtime.path().size() - 1, u'r'));
        QVERIFY(QDir().mkpath(folder));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", folder.toLocal8Bit());
    }

    void init()
    {
        m_tag = u"t%1_%2"_s.arg(QCoreApplication::applicationPid()).arg(QDateTime::currentMSecsSinceEpoch());
    }
    void cleanup()
    {
        m_first.kill();
        m_first.waitForFinished();
    }

    void namesFollowTheProgram()
    {
        CKoSingleProccess guard;
        QCOMPARE(guard.Create(u"KinzoVer2"_s, u"Kinzo2.exe"_s), 0);
        QCOMPARE(guard.MutexName(), u"_MUTEX_KinzoVer2_Kinzo2.exe_"_s);
        QCOMPARE(guard.MarkName(), u"KinzoVer2_"_s);
        QVERIFY(guard.OwnsMutex());
        guard.Release();
        QVERIFY(!guard.OwnsMutex());
    }

    void secondStartBringsTheFirstForwardAndEnds()
    {
        startFirst(u"minimised"_s);
        CKoSingleProccess second;
        QCOMPARE(create(second), 1);
        QCOMPARE(second.ActivatePrevInstance(), 1);
        QVERIFY(m_first.waitForReadyRead(5000));
        QCOMPARE(m_first.readLine(), QByteArray("raised\n"));
        QVERIFY(firstRuns());
        QVERIFY(!second.OwnsMutex());
    }

    void firstWithHiddenWindowIsEndedAndSecondEndsToo()
    {
        startFirst(u"hidden"_s);
        CKoSingleProccess second;
        QCOMPARE(create(second), 1);
        QCOMPARE(second.ActivatePrevInstance(), 1);
        QVERIFY(!firstRuns());
    }

    // Between taking the mutex and showing its window a program is starting:
    // a second start ends and leaves it be.
    void firstStillStartingIsLeftAlone()
    {
        startFirst(u"starting"_s);
        CKoSingleProccess second;
        QCOMPARE(create(second), 1);
        QCOMPARE(second.ActivatePrevInstance(), 1);
        QVERIFY(firstRuns());
    }

    void firstWithoutMarkIsEndedAndSecondTakesOver()
    {
        startFirst(u"unmarked"_s);
        CKoSingleProccess second;
        QCOMPARE(create(second), 1);
        QCOMPARE(second.ActivatePrevInstance(), 0);
        QVERIFY(!firstRuns());
        QVERIFY(second.OwnsMutex());
        CKoSingleProccess third;
        QCOMPARE(create(third), 1);
    }

    // Only a program of this session is ended: one of another login (its own
    // runtime folder) goes on.
    void controlHeldEndsTheFirstOutright()
    {
        QTemporaryDir elsewhere;
        QProcess otherSession;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"XDG_RUNTIME_DIR"_s, elsewhere.path());
        otherSession.setProcessEnvironment(env);
        otherSession.start(QCoreApplication::applicationDirPath() + u"/ko_instance_probe"_s, {m_tag, u"visible"_s});
        QVERIFY(otherSession.waitForReadyRead(10000));
        startFirst(u"visible"_s);
        CKoSingleProccess second;
        QCOMPARE(create(second), 1);
        QCOMPARE(second.KillOtherProcess(u"ko_instance_probe.exe"_s), 1);
        QVERIFY(!firstRuns());
        QVERIFY(!otherSession.waitForFinished(300));
        otherSession.kill();
        otherSession.waitForFinished();
        QVERIFY(second.OwnsMutex());
        QCOMPARE(second.KillOtherProcess(u"ko_instance_probe"_s), 0);
    }
};

QTEST_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
