#include "CDiagLog.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestDiagLog : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QDateTime m_now;

    QString param() const { return m_dir->filePath(u"kinzo_logparam.ini"_s); }
    QString logFolder() const { return m_dir->filePath(u"KIN_LOG"_s); }

    void writeParam(const QByteArray& content)
    {
        QFile file(param());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    int init(CDiagLog& log, int forceTrace = 0)
    {
        log.SetClock([this] { return m_now; });
        return log.Init(u"KinzoVer2"_s, u"KIN"_s, logFolder(), param(), forceTrace);
    }
    QStringList lines(const QString& file) const
    {
        QFile f(QDir(logFolder()).filePath(file));
        if (!f.open(QIODevice::ReadOnly)) return {};
        QStringList all = QString::fromUtf8(f.readAll()).split(u'\n');
        all.removeAll(QString());
        return all;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_now = QDateTime(QDate(2026, 12, 8), QTime(9, 30, 5));
    }

    void withoutParameterFileNothingIsWritten()
    {
        CDiagLog log;
        QCOMPARE(init(log), 1);
        log.Error("CKinzoApp::InitialSetup", "never %d", 1);
        log.Trace("CKinzoApp::InitialSetup", "never");
        QVERIFY(!QFileInfo::exists(logFolder()));
        QVERIFY(log.LogFilePath().isEmpty());
    }

    void allTracesEveryFunctionInTheDocumentedFormat()
    {
        writeParam("[Flags]\r\nAll =1\r\n");
        CDiagLog log;
        QCOMPARE(init(log), 1);
        log.Trace("CKinzoApp::InitialSetup", "*** %s Start ***", "KinzoVer2 Ver2.0.0 [on Linux]");
        log.Error("CHolidayFile::Load", "祝祭日ファイルオープン失敗 %s", "No such file");
        QCOMPARE(lines(u"KIN.log"_s),
                 (QStringList{u"2026/12/08 09:30:05      [CKinzoApp::InitialSetup] *** KinzoVer2 Ver2.0.0 [on Linux] Start ***"_s,
                              u"2026/12/08 09:30:05 #### ERROR #### [CHolidayFile::Load] 祝祭日ファイルオープン失敗 No such file"_s}));
    }

    void functionFilterByClassOrMethod()
    {
        writeParam("[Flags]\r\nTrace =1\r\n// CKinzoApp=1 is a comment\r\n[Functions]\r\n"
                   "CHolidayFile=1\r\nCKinzoDoc::OnOpenDocument=1\r\nCKinzoDoc::OnNewDocument=0\r\nbroken line\r\n");
        CDiagLog log;
        QCOMPARE(init(log), 1);
        QVERIFY(log.IsFunctionEnabled(u"CHolidayFile::Load"_s));
        QVERIFY(log.IsFunctionEnabled(u"CHolidayFile::IsHoliday"_s));
        QVERIFY(log.IsFunctionEnabled(u"CKinzoDoc::OnOpenDocument"_s));
        QVERIFY(!log.IsFunctionEnabled(u"CKinzoDoc::OnNewDocument"_s));
        QVERIFY(!log.IsFunctionEnabled(u"CKinzoApp::InitialSetup"_s));
        log.Trace("CKinzoApp::InitialSetup", "dropped");
        log.Trace("CHolidayFile::Load", "kept");
        log.Error("CKinzoApp::InitialSetup", "errors are off");
        QCOMPARE(lines(u"KIN.log"_s).size(), 1);
        QVERIFY(lines(u"KIN.log"_s).first().endsWith(u"[CHolidayFile::Load] kept"_s));
    }

    void keysWithoutTheirTrailingBlankAreNotRecognised()
    {
        writeParam("[Flags]\r\nTrace=1\r\nAll=1\r\nError=1\r\n");
        CDiagLog log;
        QCOMPARE(init(log), 1);
        QCOMPARE(log.m_trace, 0);
        QCOMPARE(log.m_all, 0);
        QCOMPARE(log.m_error, 1);
        QCOMPARE(log.m_create, 1);
        QCOMPARE(log.m_maxLevel, 10);
    }

    void forcedTraceOpensTheLog()
    {
        writeParam("[Flags]\r\n");
        CDiagLog quiet;
        QCOMPARE(init(quiet), 1);
        QVERIFY(quiet.LogFilePath().isEmpty());
        CDiagLog forced;
        QCOMPARE(init(forced, 1), 1);
        QCOMPARE(forced.m_trace, 1);
        QVERIFY(!forced.LogFilePath().isEmpty());
    }

    void filesAreNamedPerRunDayOrHour()
    {
        writeParam("[Flags]\r\nType=2\r\nAll =1\r\nCreate =0\r\n");
        CDiagLog first;
        QCOMPARE(init(first), 1);
        first.Trace("A::B", "at nine");
        m_now = m_now.addSecs(3600);   // still writes to the file named at start
        first.Trace("A::B", "at ten, same run");
        CDiagLog second;
        QCOMPARE(init(second), 1);
        second.Trace("A::B", "at ten, new run");
        QCOMPARE(lines(u"KIN_20261208_09.log"_s).size(), 2);
        QCOMPARE(lines(u"KIN_20261208_10.log"_s).size(), 1);

        writeParam("[Flags]\r\nType=1\r\nAll =1\r\n");
        CDiagLog daily;
        QCOMPARE(init(daily), 1);
        QCOMPARE(QFileInfo(daily.LogFilePath()).fileName(), u"KIN_20261208.log"_s);
    }

    void createReplacesWhileAppendKeeps()
    {
        writeParam("[Flags]\r\nError=1\r\nCreate =0\r\n");
        for (int run = 0; run < 2; ++run) {
            CDiagLog log;
            QCOMPARE(init(log), 1);
            log.Error("A::B", "run %d", run);
        }
        QCOMPARE(lines(u"KIN.log"_s).size(), 2);
        writeParam("[Flags]\r\nError=1\r\nCreate =1\r\n");
        CDiagLog replacing;
        QCOMPARE(init(replacing), 1);
        replacing.Error("A::B", "fresh");
        QCOMPARE(lines(u"KIN.log"_s).size(), 1);
    }

    void longMessagesAreCut()
    {
        writeParam("[Flags]\r\nError=1\r\n");
        CDiagLog log;
        QCOMPARE(init(log), 1);
        const QByteArray longText(2000, 'x');
        log.Error("A::B", "%s", longText.constData());
        const QString line = lines(u"KIN.log"_s).value(0);
        QCOMPARE(line.size(), QString(u"2026/12/08 09:30:05 #### ERROR #### [A::B] "_s).size() + 511);
    }

    void badParameterFilesDoNotStopTheProgram()
    {
        QByteArray junk("\xff\xfe\x00[Flags\r\nAll =\x01\r\n[Functions]\r\n=1\r\n", 30);
        junk += QByteArray(70000, '=');
        writeParam(junk);
        CDiagLog log;
        QCOMPARE(init(log), 1);
        QVERIFY(QDir().mkpath(param() + u".d"_s));
        CDiagLog unreadable;
        QCOMPARE(unreadable.Init(u"KinzoVer2"_s, u"KIN"_s, logFolder(), param() + u".d"_s, 0), 0);
        writeParam("[Flags]\r\nError=1\r\n");
        QFile blocker(logFolder());   // a file where the folder should be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        CDiagLog noFolder;
        QCOMPARE(init(noFolder), 0);
        noFolder.Error("A::B", "dropped quietly");
    }
};

QTEST_GUILESS_MAIN(TestDiagLog)
#include "test_diag_log.moc"
