#include "tebiki/CTebikiDoc.h"

#include "platform/TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// A manual as its authors write it: a title, a preface, the contents, and the
// body repeating each entry as its heading, with blank lines here and there.
const QString manual = uR"(
  かんたん家計簿　操作マニュアル

このマニュアルは画面読み上げで読めるように書かれています。
目次ここから
１：はじめに
１－１：起動
１－２：終了

２：入力
２－１：日付
２－１－１：数字で入力
３：困ったとき
目次ここまで
前置きの行
１：はじめに
本文１
１－１：起動

本文１－１
１－２：終了
２：入力
本文２
２－１：日付
２－１－１：数字で入力
年、月、日の順に入力します。
３：困ったとき
最後の本文
)"_s;

}  // namespace

class TestTebikiDoc : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void contentsPagesAndTitleOfAManual()
    {
        CTebikiDoc doc;
        doc.Parse(manual);
        QCOMPARE(doc.Contents(), (QStringList{u"かんたん家計簿　操作マニュアル"_s, u"１：はじめに"_s, u"１－１：起動"_s,
                                              u"１－２：終了"_s, u"２：入力"_s, u"２－１：日付"_s,
                                              u"２－１－１：数字で入力"_s, u"３：困ったとき"_s}));
        QCOMPARE(doc.WindowTitle(), u"かんたん家計簿のヘルプ"_s);
        QCOMPARE(doc.Pages().size(), doc.Contents().size());
        // Outside the contents: title, preface and the whole body, blank lines dropped.
        QVERIFY(doc.Page(0).startsWith(u"  かんたん家計簿　操作マニュアル\r\nこのマニュアルは画面読み上げで読めるように書かれています。\r\n前置きの行\r\n１：はじめに\r\n"_s));
        QVERIFY(doc.Page(0).endsWith(u"最後の本文\r\n"_s));
        QCOMPARE(doc.Page(1), u"１：はじめに\r\n本文１\r\n"_s);   // what came before the first heading is dropped
        QCOMPARE(doc.Page(2), u"１－１：起動\r\n本文１－１\r\n"_s);
        QCOMPARE(doc.Page(3), u"１－２：終了\r\n"_s);
        QCOMPARE(doc.Page(6), u"２－１－１：数字で入力\r\n年、月、日の順に入力します。\r\n"_s);
        QCOMPARE(doc.Page(7), u"３：困ったとき\r\n最後の本文\r\n"_s);
        QCOMPARE(doc.Page(8), QString());
    }

    void headingNumbersMakeTheTree()
    {
        QCOMPARE(CTebikiDoc::HeadingLevel(u"はじめに"_s), 0);
        QCOMPARE(CTebikiDoc::HeadingLevel(u"１２：長い章"_s), 1);
        QCOMPARE(CTebikiDoc::HeadingLevel(u"１－２－３：深い節"_s), 3);
        QCOMPARE(CTebikiDoc::HeadingLevel(u"１－２"_s), 2);   // no "：": the whole entry is the number
        CTebikiDoc doc;
        doc.Parse(manual);
        // title → １ → (１－１, １－２); ２ → ２－１ → ２－１－１; ３ beside ２ and １,
        // not under ２ although it comes two levels up.
        QCOMPARE(doc.Parents(), (std::vector<int>{-1, 0, 1, 1, 0, 4, 5, 0}));
    }

    void previousAndNextFollowTheContentsInReadingOrder()
    {
        CTebikiDoc doc;
        doc.Parse(manual);
        QCOMPARE(doc.PreviousItem(2), 1);   // first child of a section: the section
        QCOMPARE(doc.PreviousItem(4), 3);   // a section after one with children: its last child
        QCOMPARE(doc.PreviousItem(0), 0);
        QCOMPARE(doc.NextItem(0), 1);
        QCOMPARE(doc.NextItem(6), 7);       // from the deepest last item on to the next chapter
        QCOMPARE(doc.NextItem(7), 7);
    }

    void aManualWithoutContentsIsOnePage()
    {
        CTebikiDoc doc;
        doc.Parse(u"題名\n\n一行目\n１：見出しに見える行\n"_s);
        QCOMPARE(doc.Contents(), QStringList{u"題名"_s});
        QCOMPARE(doc.Pages(), QStringList{u"題名\r\n一行目\r\n１：見出しに見える行\r\n"_s});
        QCOMPARE(doc.Parents(), std::vector<int>{-1});
    }

    void aHeadingWithTrailingBlanksStartsNoPage()
    {
        CTebikiDoc doc;
        doc.Parse(u"題名\n目次ここから\n１：一\n２：二\n目次ここまで\n１：一\n本文\n２：二  \n続き\n"_s);
        QCOMPARE(doc.Pages().size(), 2);
        QCOMPARE(doc.Page(1), u"１：一\r\n本文\r\n２：二  \r\n続き\r\n"_s);
    }

    void cp932AndUtf8FilesReadAlike()
    {
        QTemporaryDir dir;
        const QString cp932 = dir.filePath(u"manual_cp932.txt"_s);
        QVERIFY(platform::writeTextFile(cp932, manual));   // every character has a CP932 form
        QFile raw(cp932);
        QVERIFY(raw.open(QIODevice::ReadOnly));
        QVERIFY(!raw.readAll().startsWith("\xEF\xBB\xBF"));   // really CP932, no UTF-8 mark
        const QString utf8 = dir.filePath(u"manual_utf8.txt"_s);
        QFile out(utf8);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(manual.toUtf8());
        out.close();
        CTebikiDoc fromCp932, fromUtf8;
        QVERIFY(fromCp932.Load(cp932));
        QVERIFY(fromUtf8.Load(utf8));
        QCOMPARE(fromCp932.Contents(), fromUtf8.Contents());
        QCOMPARE(fromCp932.Pages(), fromUtf8.Pages());
        QCOMPARE(fromCp932.Contents().size(), 8);

        CTebikiDoc missing;
        QVERIFY(!missing.Load(dir.filePath(u"none.txt"_s)));
        QVERIFY(missing.Contents().isEmpty());
        QVERIFY(missing.Pages().isEmpty());
        QCOMPARE(missing.WindowTitle(), QString());
    }
};

QTEST_GUILESS_MAIN(TestTebikiDoc)
#include "test_tebiki_doc.moc"
