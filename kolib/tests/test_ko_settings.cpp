#include "kolib/CKoCommandLineInfo.h"
#include "kolib/CKoInifileBase.h"
#include "kolib/CKoSettingInfoBase.h"
#include "platform/PrivateProfile.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestKoSettings : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;
    QString m_documents;
    CKoInifileBase m_ini;

    void put(const QString& section, const QString& key, const QString& value)
    {
        QVERIFY(platform::profile::writeString(m_ini.GetFilePath(), section, key, value));
    }

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("HOME", m_home.path().toUtf8());
        m_documents = m_home.filePath(u"Documents"_s);
    }

    void init()
    {
        QDir(m_documents).removeRecursively();
        QFile::remove(m_home.filePath(u"Documents"_s));
        QFile pristine(m_home.filePath(u"DEFAULT.ini"_s));
        QVERIFY(pristine.open(QIODevice::WriteOnly));
        pristine.write("[Setup]\r\nFontSize=12\r\n");
    }

    void initializeCreatesTheFoldersAndSeedsTheFile()
    {
        QCOMPARE(m_ini.Initialize(u"KinzoVer2"_s, u"Kinzo2.ini"_s, m_home.filePath(u"DEFAULT.ini"_s)), 1);
        QCOMPARE(m_ini.GetFilePath(), m_documents + u"/Asagi/KinzoVer2/Kinzo2.ini"_s);
        QCOMPARE(m_ini.ReadFontSize(), 12);
        m_ini.WriteFontSize(16);
        // An existing file is never replaced by the pristine copy.
        QCOMPARE(m_ini.Initialize(u"KinzoVer2"_s, u"Kinzo2.ini"_s, m_home.filePath(u"DEFAULT.ini"_s)), 1);
        QCOMPARE(m_ini.ReadFontSize(), 16);
    }

    void initializeFailsWhenAFolderCannotBeMade()
    {
        QFile blocker(m_documents);   // a file where the documents folder should be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QCOMPARE(m_ini.Initialize(u"KinzoVer2"_s, u"Kinzo2.ini"_s, QString()), 0);
        QFile::remove(m_documents);
    }

    void integersAndListsReadLikeTheOriginal()
    {
        QCOMPARE(m_ini.Initialize(u"T"_s, u"t.ini"_s, QString()), 1);
        QList<int> ints;
        put(u"ListFormat"_s, u"List"_s, u"100,,50"_s);
        m_ini.ReadIntList(u"ListFormat"_s, u"List"_s, ints);
        QCOMPARE(ints, (QList<int>{100, 0, 50}));
        m_ini.ReadIntList(u"ListFormat"_s, u"Missing"_s, ints);
        QVERIFY(ints.isEmpty());
        QVERIFY(m_ini.WriteIntList(u"ListFormat"_s, u"List"_s, {120, -1, 0}));
        QCOMPARE(m_ini.ReadString(u"ListFormat"_s, u"List"_s), u"120,-1,0"_s);

        put(u"Setup"_s, u"FontSize"_s, u"0"_s);
        QCOMPARE(m_ini.ReadFontSize(), 9);
        put(u"Setup"_s, u"MaxHistorys"_s, u"0"_s);
        QCOMPARE(m_ini.ReadMaxHistorys(), 1);
        QVERIFY(platform::profile::removeKey(m_ini.GetFilePath(), u"Setup"_s, u"MaxHistorys"_s));
        QCOMPARE(m_ini.ReadMaxHistorys(), 30);
    }

    void stringListsStopAtAGapAndAreCappedWhenWritten()
    {
        QCOMPARE(m_ini.Initialize(u"T"_s, u"lists.ini"_s, QString()), 1);
        put(u"Backup"_s, u"Folder1"_s, u"/a"_s);
        put(u"Backup"_s, u"Folder2"_s, u"/b"_s);
        put(u"Backup"_s, u"Folder4"_s, u"/d"_s);
        QStringList folders;
        m_ini.ReadBackup(folders);
        QCOMPARE(folders, (QStringList{u"/a"_s, u"/b"_s}));

        put(u"Setup"_s, u"MaxHistorys"_s, u"3"_s);
        put(u"Notes"_s, u"Stray"_s, u"x"_s);
        QStringList ten;
        for (int i = 1; i <= 10; ++i) ten << u"メモ%1"_s.arg(i);
        QVERIFY(m_ini.WriteStringList(u"Notes"_s, u"Item"_s, ten));
        QCOMPARE(platform::profile::keys(m_ini.GetFilePath(), u"Notes"_s),
                 (QStringList{u"Item1"_s, u"Item2"_s, u"Item3"_s}));
        QStringList notes;
        m_ini.ReadStringList(u"Notes"_s, u"item"_s, notes);
        QCOMPARE(notes, ten.mid(0, 3));
        QVERIFY(m_ini.WriteStringList(u"Notes"_s, u"Item"_s, {}));
        QVERIFY(platform::profile::keys(m_ini.GetFilePath(), u"Notes"_s).isEmpty());
    }

    void coloursAreStoredRedInTheLowByte()
    {
        QCOMPARE(m_ini.Initialize(u"T"_s, u"colours.ini"_s, QString()), 1);
        QCOMPARE(m_ini.ReadFontColor(), QColor(0, 0, 0));
        QVERIFY(m_ini.WriteFontColor(QColor(255, 0, 0)));
        QCOMPARE(m_ini.ReadString(u"Setup"_s, u"FontColor"_s), u"0000FF"_s);
        QVERIFY(m_ini.WriteBackColor(QColor(0x12, 0x34, 0x56)));
        QCOMPARE(m_ini.ReadString(u"Setup"_s, u"BackColor"_s), u"563412"_s);
        QCOMPARE(m_ini.ReadBackColor(), QColor(0x12, 0x34, 0x56));
        QCOMPARE(m_ini.ReadFontColor(), QColor(255, 0, 0));
    }

    void fontSizeTableAndZoom()
    {
        QCOMPARE(m_ini.Initialize(u"T"_s, u"font.ini"_s, QString()), 1);
        CKoSettingInfoBase settings(m_ini);
        QCOMPARE(settings.m_fontSizeCount, 10);
        QCOMPARE(settings.m_fontSizes[9], 45);
        QCOMPARE(settings.m_zoomFactors[1], 12 / 9.0);
        QCOMPARE(settings.FontSizeIndex(18), 4);
        QCOMPARE(settings.FontSizeIndex(13), -1);
        settings.Load();
        QCOMPARE(settings.m_fontSize, 9);
        settings.SetFontSize(36);
        QCOMPARE(settings.m_zoom, 4.0);
        settings.Save();
        CKoSettingInfoBase again(m_ini);
        again.Load();
        QCOMPARE(again.m_fontSize, 36);
    }

    void commandLineTakesThePasswordAfterFlagA()
    {
        CKoCommandLineInfo slash;
        slash.ParseCommandLine({u"/A"_s, u"秘密"_s, u"/home/u/家計.kzd"_s});
        QCOMPARE(slash.m_password, u"秘密"_s);
        QCOMPARE(slash.m_paramCount, 3);
        QCOMPARE(slash.PlainParameters(), QStringList{u"/home/u/家計.kzd"_s});

        CKoCommandLineInfo dash;
        dash.ParseCommandLine({u"book.kzd"_s, u"-a"_s, u"pw"_s});
        QCOMPARE(dash.m_password, u"pw"_s);
        QCOMPARE(dash.PlainParameters(), QStringList{u"book.kzd"_s});

        CKoCommandLineInfo other;
        other.ParseCommandLine({u"-X"_s, u"pw"_s, u"/A"_s});
        QVERIFY(other.m_password.isEmpty());
        QCOMPARE(other.m_lastFlag, u"A"_s);
        QCOMPARE(other.PlainParameters(), QStringList{u"pw"_s});
    }
};

QTEST_GUILESS_MAIN(TestKoSettings)
#include "test_ko_settings.moc"
