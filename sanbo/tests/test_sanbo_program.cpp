// The calculator program itself, started twice as a user would: its settings
// file seeded beside the documents, and one instance per user.

#include "sanbo/CSanboApp.h"

#include "platform/ProcessList.h"
#include "platform/WindowMark.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSanboProgram : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;

    void Start(QProcess& process)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"HOME"_s, m_home.path());
        env.remove(u"XDG_CONFIG_HOME"_s);
        env.insert(u"VOICE_TRANSCRIPT"_s, m_home.filePath(u"heard.txt"_s));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(SANBO_PROGRAM), {});
        QVERIFY(process.waitForStarted(10000));
    }
    // Other Sanbo processes than the one this test started.
    int Strangers(const QProcess& mine)
    {
        int count = 0;
        for (const platform::ProcessEntry& p : platform::runningProcesses())
            if (p.pid != mine.processId() && platform::sameExecutableName(p.executableName, u"Sanbo.exe"_s))
                ++count;
        return count;
    }

private Q_SLOTS:
    void oneInstancePerUser()
    {
        QProcess first;
        Start(first);
        // Up once its window carries the mark and is shown.
        QTRY_VERIFY_WITH_TIMEOUT(platform::activateMarkedWindow(u"SanboVer2_"_s, 500)
                                     == platform::MarkedWindow::Visible, 20000);
        QFile ini(m_home.filePath(u"Documents/Asagi/SanboVer2/Sanbo.ini"_s));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QVERIFY(ini.readAll().contains("TaxRate=8"));

        // A second start brings the first forward and ends.
        QProcess second;
        Start(second);
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(!first.waitForFinished(300));

        // A start with Control held ends the first and goes on.
        if (Strangers(first) > 0) QSKIP("another Sanbo of this user is running; it is not ours to end");
        CKoSingleProccess guard;
        QVERIFY(SanboSettleSingleInstance(guard, true));
        QVERIFY(first.waitForFinished(10000));
        QVERIFY(guard.OwnsMutex());
    }
};

QTEST_MAIN(TestSanboProgram)
#include "test_sanbo_program.moc"
