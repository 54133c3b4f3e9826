#include "platform/Cp932Codec.h"
#include "platform/Sha1.h"
#include "platform/TextFile.h"
#include "platform/TextNumber.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace platform;

class TestTextCodec : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cp932RoundTripsJapaneseAndVendorCharacters()
    {
        const QString text = QStringLiteral("収入・支出　①髙﨑～ｶﾀｶﾅ ABC 123 ￥");
        bool ok = false;
        const QByteArray bytes = cp932::encode(text, &ok);
        QVERIFY(ok);
        QCOMPARE(bytes.left(4), QByteArray("\x8e\xfb\x93\xfc"));   // 収入
        QCOMPARE(cp932::decode(bytes), text);
    }

    void charactersWithoutCp932FormAreDetected()
    {
        // U+301C encodes to 0x8160, which reads back as U+FF5E: not the same text.
        QVERIFY(!cp932::representable(QStringLiteral("1〜3")));
        QVERIFY(!cp932::representable(QStringLiteral("😀")));
        QVERIFY(!cp932::representable(QStringLiteral("한국")));
        QVERIFY(cp932::representable(QStringLiteral("1～3")));
        bool ok = true;
        QCOMPARE(cp932::encode(QStringLiteral("a😀b"), &ok), QByteArray("a?b"));
        QVERIFY(!ok);
    }

    void filesAreWrittenCp932OrUtf8WithBom()
    {
        QCOMPARE(cp932::encodeFile(QStringLiteral("食費")), QByteArray("\x90\x48\x94\xef"));
        const QByteArray utf8 = cp932::encodeFile(QStringLiteral("食費〜😀"));
        QVERIFY(utf8.startsWith("\xEF\xBB\xBF"));
        QCOMPARE(cp932::decodeFile(utf8), QStringLiteral("食費〜😀"));
        QCOMPARE(cp932::encodeAs(QStringLiteral("x"), cp932::FileEncoding::Utf8WithBom, false),
                 QByteArray("x"));
    }

    void filesAreReadAsUtf8OrCp932()
    {
        const QString text = QStringLiteral("家計簿");
        QCOMPARE(cp932::decodeFile(text.toUtf8()), text);
        QCOMPARE(cp932::decodeFile("\xEF\xBB\xBF" + text.toUtf8()), text);
        QCOMPARE(cp932::decodeFile(cp932::encode(text)), text);
        QCOMPARE(cp932::decodeFile(QByteArray()), QString());
    }

    void junkBytesDecodeWithoutLosingTheRest()
    {
        // 0xFF is no CP932 lead byte; a lone lead byte at the end is cut short.
        const QString text = cp932::decode(QByteArray("a\xFF\x82\xa0z\x82", 6));
        QCOMPARE(text, QStringLiteral("a\uFFFDあz\uFFFD"));
        QByteArray binary;
        for (int i = 0; i < 4096; ++i) binary.append(char(i * 37));
        QVERIFY(!cp932::decodeFile(binary).isEmpty());
    }

    void textFilesAreReplacedWhole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.txt"));
        QVERIFY(writeTextFile(path, QStringLiteral("一行目\r\n二行目\r\n")));
        QString read;
        QVERIFY(readTextFile(path, read));
        QCOMPARE(read, QStringLiteral("一行目\r\n二行目\r\n"));
        QVERIFY(!readTextFile(dir.filePath(QStringLiteral("missing")), read));
        QVERIFY(read.isEmpty());
        QVERIFY(!writeTextFile(dir.filePath(QStringLiteral("no/such/folder/x")), read));
    }

    void numbersReadLikeTheCLibrary()
    {
        QCOMPARE(atoiLike(u"  42abc"), 42);
        QCOMPARE(atoiLike(u"-7"), -7);
        QCOMPARE(atoiLike(u"+3"), 3);
        QCOMPARE(atoiLike(u"abc"), 0);
        QCOMPARE(atoiLike(u""), 0);
        QCOMPARE(atoiLike(u"99999999999999999999"), 2147483647);
        QCOMPARE(atoiLike(u"-99999999999999999999"), -2147483647 - 1);
        QCOMPARE(atoiLike(u"１２"), 0);   // full-width digits are not digits to atoi
        QCOMPARE(hexLike(u"0000FF"), 0xFFu);
        QCOMPARE(hexLike(u"ffFFff"), 0xFFFFFFu);
        QCOMPARE(hexLike(u"0x1A"), 0x1Au);
        QCOMPARE(hexLike(u"zz"), 0u);
    }

    void sha1IsUpperCaseHex()
    {
        QCOMPARE(sha1Hex("abc"), QStringLiteral("A9993E364706816ABA3E25717850C26C9CD0D89D"));
        QCOMPARE(sha1Hex(QByteArray()).size(), 40);
    }
};

QTEST_GUILESS_MAIN(TestTextCodec)
#include "test_text_codec.moc"
