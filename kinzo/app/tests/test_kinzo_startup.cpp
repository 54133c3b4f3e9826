#include "CKinzoApp.h"
#include "CMainFrame.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kolib/CKoPasswordStore.h"

#include "kolib/KoMessageBox.h"
#include "voice/CTranscriptReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestKinzoStartup : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;
    QStringList m_messages;

    QString userFolder() const { return m_home.filePath(u"Documents/Asagi/KinzoVer2"_s); }
    CKinzoApp& app() { return *CKinzoApp::Instance(); }

    // Moves the program's holiday files away for the duration of a test.
    void hideHolidayFiles(bool hide)
    {
        QDir program(QCoreApplication::applicationDirPath());
        const QString from = hide ? u".txt"_s : u".txt.hidden"_s;
        const QString to = hide ? u".txt.hidden"_s : u".txt"_s;
        for (const QString& name : program.entryList({u"Holiday*"_s + from}))
            QVERIFY(program.rename(name, name.chopped(from.size()) + to));
    }

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("HOME", m_home.path().toUtf8());
        qputenv("VOICE_TRANSCRIPT", m_home.filePath(u"heard.txt"_s).toUtf8());
        KoSetMessageAnswerer([this](const KoMessage& m) {
            m_messages << m.text;
            return KoAnswer::Ok;
        });
    }

    void init()
    {
        m_messages.clear();
        QDir(m_home.filePath(u"Documents"_s)).removeRecursively();
        QFile::remove(m_home.filePath(u"Documents"_s));
    }

    void firstStartCreatesTheUserFolderAndSettings()
    {
        QString reasons = u"left over"_s;
        QCOMPARE(app().InitialSetup(reasons), 1);
        QVERIFY(reasons.isEmpty());
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(app().m_userFolder, userFolder());
        QCOMPARE(app().m_iniFile.GetFilePath(), userFolder() + u"/Kinzo2.ini"_s);
        QVERIFY(QFile::exists(userFolder() + u"/Kinzo2.ini"_s));
        QCOMPARE(app().m_settingInfo.m_fontSize, 12);   // the shipped first value
        QCOMPARE(app().m_settingInfo.m_zoom, 12 / 9.0);
        QVERIFY(app().m_manualViewerPath.endsWith(u"/Tebiki/Tebiki2"_s));
        QCOMPARE(app().m_holidayFile.FileName(), u"Holiday_%1.txt"_s.arg(QDate::currentDate().year()));
        QVERIFY(app().m_holidayFile.IsHoliday(QDate(QDate::currentDate().year(), 1, 1)));
        // Qt's own buttons speak Japanese too.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"キャンセル"_s);
    }

    void oldSettingsFileIsRenamedOnlyWhenNoNewOneExists()
    {
        QVERIFY(QDir().mkpath(userFolder()));
        QFile old(userFolder() + u"/KinzoVer2"_s);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("[Setup]\r\nStartMonth=4\r\n");
        old.close();
        QString reasons;
        QCOMPARE(app().InitialSetup(reasons), 1);
        QVERIFY(!QFile::exists(userFolder() + u"/KinzoVer2"_s));
        QCOMPARE(app().m_settingInfo.m_startMonth, 4);

        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("[Setup]\r\nStartMonth=7\r\n");
        old.close();
        QCOMPARE(app().InitialSetup(reasons), 1);
        QVERIFY(QFile::exists(userFolder() + u"/KinzoVer2"_s));
        QCOMPARE(app().m_settingInfo.m_startMonth, 4);
    }

    void failuresAreCollectedAndShownTogether()
    {
        QFile blocker(m_home.filePath(u"Documents"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QString reasons;
        QCOMPARE(app().InitialSetup(reasons), 0);
        QCOMPARE(reasons, u"Iniファイル初期化失敗"_s);
        QCOMPARE(m_messages, QStringList{u"初期化に失敗したためアプリケーションを終了します。\n(Iniファイル初期化失敗)"_s});

        m_messages.clear();
        hideHolidayFiles(true);
        QCOMPARE(app().InitialSetup(reasons), 0);
        hideHolidayFiles(false);
        QCOMPARE(reasons, u"Iniファイル初期化失敗\n祝祭日ファイル読込み失敗"_s);
        QCOMPARE(m_messages, QStringList{u"初期化に失敗したためアプリケーションを終了します。\n"
                                         u"(Iniファイル初期化失敗\n祝祭日ファイル読込み失敗)"_s});
    }

    void startingWithAMissingLastFileLeavesAnEmptyWindow()
    {
        app().m_splashMinimumMs = 0;
        QVERIFY(QDir().mkpath(userFolder()));
        QString reasons;
        QCOMPARE(app().InitialSetup(reasons), 1);
        app().m_iniFile.WriteDBFileName(m_home.filePath(u"消えた.kzd"_s));
        QVERIFY(app().InitInstance({}));
        QCOMPARE(m_messages, QStringList{u"ファイルが見つかりません。"_s});
        QVERIFY(!app().Document().IsOpen());
        QCOMPARE(app().MainFrame()->windowTitle(), u"KinzoVer2"_s);
        QCOMPARE(app().m_mainWindowReady, 1);
        QCOMPARE(app().m_iniFile.ReadDBFileName(), m_home.filePath(u"消えた.kzd"_s));   // kept for next time
        QVERIFY(CTranscriptReader::SpokenLines(m_home.filePath(u"heard.txt"_s)).contains(u"KinzoVer2を起動しました。"_s));
    }

    void theFileOnTheCommandLineIsOpened()
    {
        QVERIFY(QDir().mkpath(userFolder()));
        const QString book = m_home.filePath(u"家計 2026.kzd"_s);
        QVERIFY(app().Document().OnNewDocument(book));   // a ledger with its two roots
        app().Document().OnNewDocument(QString());
        app().m_connection.Close();
        app().m_iniFile.WriteDBFileName(QString());
        QVERIFY(app().InitInstance({book}));
        QVERIFY2(app().Document().IsOpen(), qPrintable(m_messages.join(u'|')));
        QCOMPARE(app().MainFrame()->windowTitle(), u"KinzoVer2 - 家計 2026"_s);
        QCOMPARE(app().m_iniFile.ReadDBFileName(), book);
        app().Document().OnNewDocument(QString());
        app().m_connection.Close();
    }

    void aWrongPasswordOnTheCommandLineEndsTheProgram()
    {
        QVERIFY(QDir().mkpath(userFolder()));
        CKoPasswordStore store;
        QVERIFY(store.WritePassword(u"ひみつの言葉"_s));
        QVERIFY(store.WritePasswordOn(1));
        QVERIFY(!app().InitInstance({u"/A"_s, u"ちがう"_s}));
        QCOMPARE(m_messages, QStringList{u"パスワードが違います。"_s});
        m_messages.clear();
        QVERIFY(app().InitInstance({u"-A"_s, u" ひみつの言葉 "_s}));
        QVERIFY(m_messages.isEmpty());
        store.WritePasswordOn(0);
        store.ClearPassword();
    }

    void logStartsWhenItsParameterFileIsThere()
    {
        QVERIFY(QDir().mkpath(userFolder()));
        QFile param(userFolder() + u"/kinzo_logparam.ini"_s);
        QVERIFY(param.open(QIODevice::WriteOnly));
        param.write("[Flags]\r\nTrace =1\r\n[Functions]\r\nCKinzoApp=1\r\n");
        param.close();
        QString reasons;
        QCOMPARE(app().InitialSetup(reasons), 1);
        QFile log(userFolder() + u"/KIN_LOG/KIN.log"_s);
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(log.readAll());
        QVERIFY2(text.contains(u"[CKinzoApp::InitialSetup] *** KinzoVer2 Ver2."_s), qPrintable(text));
        QVERIFY(text.contains(u" Start ***"_s));
        QVERIFY(text.contains(u"[CKinzoApp::InitialSetup] リーダ : [Transcript]"_s));
    }
};

int main(int argc, char** argv)
{
    CKinzoApp app(argc, argv);
    TestKinzoStartup test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_kinzo_startup.moc"
