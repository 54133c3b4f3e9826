#include "platform/Cp932Codec.h"
#include "platform/PrivateProfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace profile = platform::profile;
using namespace Qt::StringLiterals;

class TestPrivateProfile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;

    void putBytes(const QByteArray& bytes)
    {
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray bytes() const
    {
        QFile file(m_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString read(const QString& section, const QString& key, const QString& def = u"<none>"_s)
    {
        return profile::readString(m_path, section, key, def);
    }

private Q_SLOTS:
    void init()
    {
        m_path = m_dir.filePath(QStringLiteral("test.ini"));
        QFile::remove(m_path);
    }

    void missingFileSectionOrKeyGivesTheDefault()
    {
        QCOMPARE(read(u"Setup"_s, u"FontSize"_s), u"<none>"_s);
        putBytes("[Setup]\r\nFontSize=12\r\n");
        QCOMPARE(read(u"Other"_s, u"FontSize"_s), u"<none>"_s);
        QCOMPARE(read(u"Setup"_s, u"Font"_s), u"<none>"_s);
        QCOMPARE(read(u"Setup"_s, u"FontSize"_s), u"12"_s);
    }

    void namesAreCaseInsensitiveButBlanksCount()
    {
        putBytes("[Flags]\r\nTrace =1\r\nAll=1\r\n  Error=1\r\n[ setup ]\r\ndbfilename= \"  a b \" \r\n");
        QCOMPARE(read(u"FLAGS"_s, u"trace "_s), u"1"_s);
        QCOMPARE(read(u"Flags"_s, u"Trace"_s), u"<none>"_s);
        QCOMPARE(read(u"Flags"_s, u"All "_s), u"<none>"_s);
        QCOMPARE(read(u"Flags"_s, u"Error"_s), u"1"_s);
        QCOMPARE(read(u"Setup"_s, u"DBFileName"_s), u"  a b "_s);
    }

    void writingOneKeyKeepsEverythingElse()
    {
        putBytes("; comment\r\n[Setup]\r\nA=1\r\nnot a key line\r\nB=2\r\n\r\n[Print]\r\nC=3\r\n");
        QVERIFY(profile::writeString(m_path, u"setup"_s, u"b"_s, u"20"_s));
        QVERIFY(profile::writeString(m_path, u"Setup"_s, u"D"_s, u"4"_s));
        QVERIFY(profile::writeString(m_path, u"New"_s, u"E"_s, u"5"_s));
        QCOMPARE(bytes(), QByteArray("; comment\r\n[Setup]\r\nA=1\r\nnot a key line\r\nb=20\r\nD=4\r\n"
                                     "\r\n[Print]\r\nC=3\r\n\r\n[New]\r\nE=5\r\n"));
    }

    void firstOfDuplicatesWins()
    {
        putBytes("[S]\nK=first\nK=second\n[S]\nL=other\n");
        QCOMPARE(read(u"S"_s, u"K"_s), u"first"_s);
        QCOMPARE(read(u"S"_s, u"L"_s), u"<none>"_s);
        QVERIFY(profile::writeString(m_path, u"S"_s, u"K"_s, u"new"_s));
        QCOMPARE(bytes(), QByteArray("[S]\nK=new\nK=second\n[S]\nL=other\n"));   // LF kept
    }

    void valuesReadBackAsWritten()
    {
        const QStringList values = {u""_s, u"plain"_s, u"  padded  "_s, u"\"quoted\""_s,
                                    u"a=b;c"_s, u"C:\\Users\\家計\\帳簿.kzd"_s, u"〜😀"_s};
        for (int i = 0; i < values.size(); ++i)
            QVERIFY(profile::writeString(m_path, u"S"_s, u"K%1"_s.arg(i), values[i]));
        for (int i = 0; i < values.size(); ++i)
            QCOMPARE(read(u"S"_s, u"K%1"_s.arg(i)), values[i]);
        QVERIFY(bytes().startsWith("\xEF\xBB\xBF"));   // 〜 and 😀 have no CP932 form
    }

    void lineBreaksCannotBreakTheFile()
    {
        QVERIFY(profile::writeString(m_path, u"S"_s, u"K"_s, u"one\r\ntwo\nthree"_s));
        QVERIFY(profile::writeString(m_path, u"S"_s, u"L"_s, u"x"_s));
        QCOMPARE(read(u"S"_s, u"K"_s), u"one two three"_s);
        QCOMPARE(profile::keys(m_path, u"S"_s), (QStringList{u"K"_s, u"L"_s}));
    }

    void readsAreCutToTheBufferSize()
    {
        const QString longValue(1000, u'x');
        QVERIFY(profile::writeString(m_path, u"S"_s, u"K"_s, longValue));
        QCOMPARE(read(u"S"_s, u"K"_s).size(), 259);
        QCOMPARE(read(u"S"_s, u"none"_s, longValue).size(), 259);
    }

    void cp932FilesStayCp932()
    {
        putBytes(platform::cp932::encode(u"[メモ]\r\n項目=食費\r\n"_s));
        QCOMPARE(read(u"メモ"_s, u"項目"_s), u"食費"_s);
        QVERIFY(profile::writeString(m_path, u"メモ"_s, u"追加"_s, u"交通費"_s));
        QCOMPARE(bytes(), platform::cp932::encode(u"[メモ]\r\n項目=食費\r\n追加=交通費\r\n"_s));
    }

    void removeKeyAndSection()
    {
        putBytes("[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n");
        QVERIFY(profile::removeKey(m_path, u"a"_s, u"X"_s));
        QVERIFY(profile::removeKey(m_path, u"A"_s, u"absent"_s));
        QVERIFY(profile::removeSection(m_path, u"A"_s));
        QVERIFY(profile::removeSection(m_path, u"absent"_s));
        QCOMPARE(bytes(), QByteArray("[B]\r\nz=3\r\n"));
    }

    void junkLoadsWhatItCan()
    {
        QByteArray junk("\x00\xff\xfe[Broken\r\n=no name\r\n[S]\r\n\x81\x81\x81=\x01\x02\r\nK=ok\r\n", 44);
        junk += QByteArray(100000, 'z') + "\r\n[T]\r\nL=fine\r\n";
        putBytes(junk);
        QCOMPARE(read(u"S"_s, u"K"_s), u"ok"_s);
        QCOMPARE(read(u"T"_s, u"L"_s), u"fine"_s);
        QCOMPARE(read(u"S"_s, u""_s), u"<none>"_s);
    }

    void anUnreadableFileIsNeverOverwritten()
    {
        const QString folderAsFile = m_dir.filePath(u"a-folder.ini"_s);
        QVERIFY(QDir().mkpath(folderAsFile));
        QCOMPARE(profile::readString(folderAsFile, u"S"_s, u"K"_s, u"d"_s), u"d"_s);
        QVERIFY(!profile::writeString(folderAsFile, u"S"_s, u"K"_s, u"v"_s));
        QVERIFY(QFileInfo(folderAsFile).isDir());
    }
};

QTEST_GUILESS_MAIN(TestPrivateProfile)
#include "test_private_profile.moc"
