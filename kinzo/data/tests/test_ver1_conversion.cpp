// Conversion of first-version ledgers: Paradox tables written by pxlib and
// built byte by byte, the entries and account items they become, and files
// that are short, lying or garbage.

#include "DocTestFiles.h"
#include "ParadoxFiles.h"
#include "RecordingHost.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/Ver1Converter.h"
#include "kinzo/data/Ver1Reader.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString notAllRead = u"すべてのレコードが読み込まれていない可能性があります。"_s;
const QString badRecord = u"Paradoxファイルでない可能性があるので確認してください。(%1 レコード目）"_s;

QList<Ver1Line> sampleLines()
{
    return {
        {1, 2010, 4, 1, u"給与"_s, 1200.4, 0, QString()},
        {2, 2010, 4, 2, u"パン"_s, 0, 0, u"食費（ミクリ番号：123）"_s},
        {3, 2010, 4, 3, u"米"_s, 0, 3000, u"食費"_s},
        {4, 2011, 12, 31, u"パン"_s, 0, 99.01, u"食費"_s},
    };
}

}  // namespace

class TestVer1Conversion : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    RecordingHost m_host;

    // The converted file opened as the document opens it (which checks the
    // tree): one line per item "name level parent code child-flag" and per
    // entry "date item side amount ミクリID".
    QStringList contents(const QString& path)
    {
        CDBConnection connection;
        RecordingHost host;
        CKinzoDoc doc(connection, host);
        if (!doc.OnOpenDocument(path)) return host.notices;
        QList<_AccountItem> items;
        QList<_ViewEntry> entries;
        doc.AccountTable().SelectItems(QString(), u"ID"_s, items);
        doc.KinzoView().SelectRange(QDate(1, 1, 1), QDate(3000, 12, 31), entries);
        QStringList lines;
        for (const _AccountItem& i : items)
            lines << u"%1 %2 %3 %4 %5"_s.arg(i.name).arg(i.level).arg(i.parentId).arg(i.code).arg(i.childFlag);
        for (const _ViewEntry& e : entries)
            lines << u"%1 %2 %3 %4 %5"_s.arg(e.date.toString(Qt::ISODate)).arg(e.itemId).arg(e.side).arg(e.amount).arg(e.mikuriId);
        return lines;
    }

    void checkSample(const QString& destination)
    {
        QCOMPARE(contents(destination), (QStringList{
                                            u"収入 0 0 1. 1"_s, u"支出 0 0 2. 1"_s, u"給与 1 1 1.1. 0"_s, u"食費 1 2 2.1. 1"_s,
                                            u"パン 2 4 2.1.1. 0"_s, u"米 2 4 2.1.2. 0"_s,
                                            u"2010-04-01 3 1 1201 0"_s,   // 1200.4 rounded up, income
                                            u"2010-04-02 5 2 0 123"_s,    // both amounts 0: expense; ミクリ marker
                                            u"2010-04-03 6 2 3000 0"_s,
                                            u"2011-12-31 5 2 100 0"_s,    // the same item found again
                                        }));
    }

    Ver1Result convert(const QByteArray& bytes, const QString& destination, int& count)
    {
        const QString source = m_dir.filePath(u"source.db"_s);
        WriteAll(source, bytes);
        return ConvertVer1Ledger(source, destination, m_host, count);
    }

private Q_SLOTS:
    void init() { m_host = RecordingHost(); }

    void byteBuiltFilePinsTheLayout()
    {
        // Two blocks of 2048 bytes: three records in the first, one in the second.
        const QByteArray bytes = BuildVer1Bytes(sampleLines(), 2048, 2, 3);
        QCOMPARE(bytes.size(), 2048 * 3);
        QCOMPARE(bytes.mid(2, 8), QByteArray::fromHex("0008" "0202" "04000000"));
        QCOMPARE(bytes.mid(2048 + 4, 2), QByteArray::fromHex("1001"));  // last record at 272
        QCOMPARE(bytes.mid(2048 + 6, 12), QByteArray::fromHex("80000001" "c09f680000000000"));
        QCOMPARE(bytes.mid(2048 + 6 + 20, 5), QByteArray::fromHex("8b8b975e00"));  // 給与 in CP932
        QCOMPARE(ParadoxNumber(QByteArray::fromHex("3febffffffffffff").constData()), -5.0);
        QCOMPARE(ParadoxNumber(QByteArray(8, '\0').constData()), 0.0);  // blank

        const QString destination = m_dir.filePath(u"変換 先/帳簿.kzd"_s);
        QVERIFY(QDir().mkpath(QFileInfo(destination).path()));
        int count = -1;
        QCOMPARE(convert(bytes, destination, count), Ver1Result::Ok);
        QCOMPARE(count, 4);
        QCOMPARE(m_host.notices, QStringList());
        checkSample(destination);
    }

    void pxlibWrittenFiles()
    {
        const QString source = m_dir.filePath(u"旧 帳簿.db"_s);
        QVERIFY(WriteParadoxLedger(source, sampleLines()));
        int count = -1;
        QCOMPARE(ConvertVer1Ledger(source, m_dir.filePath(u"pxlib.kzd"_s), m_host, count), Ver1Result::Ok);
        QCOMPARE(count, 4);
        QCOMPARE(m_host.notices, QStringList());
        checkSample(m_dir.filePath(u"pxlib.kzd"_s));

        // Many blocks of pxlib's own size, negative numbers as it stores them.
        QList<Ver1Line> lines;
        qint64 sum = 0;
        for (int i = 0; i < 1000; ++i) {
            lines.append({i + 1, 2000.0 + i % 20, 1 + i % 12, 1 + i % 28, u"品目%1"_s.arg(i % 7), i % 3 ? 0 : i + 0.5,
                          i % 3 ? -(i + 0.25) : 0, i % 2 ? u"組%1（ミクリ番号：%2）"_s.arg(i % 5).arg(i) : QString()});
            sum += i % 3 ? -i : i + 1;
        }
        QVERIFY(WriteParadoxLedger(source, lines));
        QFile file(source);
        QVERIFY(file.open(QIODevice::ReadOnly));
        CVer1Reader reader;
        QVERIFY(reader.ReadHeader(file));
        QCOMPARE(reader.BlockSize(), 3072);
        _Ver1Record record;
        for (int i = 0; i < 1000 && reader.Next(record); ++i) QCOMPARE(record.expense, i % 3 ? -(i + 0.25) : 0.0);
        QVERIFY(!reader.Next(record));
        QCOMPARE(ConvertVer1Ledger(source, m_dir.filePath(u"many.kzd"_s), m_host, count), Ver1Result::Ok);
        QCOMPARE(count, 1000);
        const QStringList entries = contents(m_dir.filePath(u"many.kzd"_s)).filter(QRegularExpression(u"^\\d{4}-"_s));
        QCOMPARE(entries.size(), 1000);
        qint64 total = 0;
        for (const QString& line : entries) total += line.section(u' ', 3, 3).toLongLong();
        QCOMPARE(total, sum);
    }

    void sizesFromTheHeader()
    {
        int count = 0;
        QCOMPARE(convert(BuildVer1Bytes(sampleLines(), 4096, 4), m_dir.filePath(u"4k.kzd"_s), count), Ver1Result::Ok);
        checkSample(m_dir.filePath(u"4k.kzd"_s));
        // An empty block (last offset -136) holds no records.
        QByteArray bytes = BuildVer1Bytes(sampleLines(), 2048, 2, 2);
        QByteArray empty(2048, '\0');
        empty[4] = char(0x78);
        empty[5] = char(0xff);
        bytes.insert(2048, empty);
        QCOMPARE(convert(bytes, m_dir.filePath(u"empty block.kzd"_s), count), Ver1Result::Ok);
        QCOMPARE(count, 4);
        QCOMPARE(m_host.notices, QStringList());
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("message");
        const QByteArray good = BuildVer1Bytes(sampleLines(), 2048, 2, 3);
        const QString header = u"Paradoxデータのヘッダ部データ読み込みに失敗しました。\n"
                                "Paradoxファイルでない可能性があるので確認してください。\n(%1)"_s;
        QTest::newRow("shorter than the header") << good.left(100) << -5 << 0 << header;
        QTest::newRow("shorter than its own header") << BuildVer1Bytes(sampleLines(), 4096).left(3000) << -5 << 0 << header;
        QTest::newRow("count says more") << BuildVer1Bytes(sampleLines(), 2048, 2, -1, 10) << 0 << 4 << notAllRead;
        QTest::newRow("last block cut short") << good.left(2048 * 3 - 10) << 0 << 3 << notAllRead;
        QByteArray garbage = good;
        for (int i = 2048 * 2; i < garbage.size(); ++i) garbage[i] = char((i * 7919) % 251);
        garbage[2048 * 2 + 4] = char(0x10);  // three records of garbage
        garbage[2048 * 2 + 5] = char(0x01);
        QTest::newRow("garbage block") << garbage << -6 << 0 << badRecord.arg(4);
        QByteArray zeroSizes = good;
        zeroSizes[2] = zeroSizes[3] = zeroSizes[5] = 0;  // read as 2048
        QTest::newRow("sizes of zero") << zeroSizes << 0 << 4 << QString();
        const auto changed = [](int index, auto change) {
            QList<Ver1Line> lines = sampleLines();
            change(lines[index]);
            return BuildVer1Bytes(lines);
        };
        QTest::newRow("month 13") << changed(1, [](Ver1Line& l) { l.month = 13; }) << -6 << 0 << badRecord.arg(2);
        QTest::newRow("30 February") << changed(2, [](Ver1Line& l) { l.month = 2, l.day = 30; }) << -6 << 0 << badRecord.arg(3);
        QTest::newRow("year 3001") << changed(0, [](Ver1Line& l) { l.year = 3001; }) << -6 << 0 << badRecord.arg(1);
        QTest::newRow("negative number") << changed(3, [](Ver1Line& l) { l.number = -1; }) << -6 << 0 << badRecord.arg(4);
        QTest::newRow("not a number") << changed(1, [](Ver1Line& l) { l.income = std::nan(""); }) << -6 << 0
                                      << badRecord.arg(2);
        QTest::newRow("amount beyond the file's range") << changed(3, [](Ver1Line& l) { l.expense = 3e9; }) << -7 << 0
                                                        << u"DBファイルへの書き込みに失敗しました。(4 レコード目）"_s;
    }

    void badFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, result);
        QFETCH(int, count);
        QFETCH(QString, message);
        const QString destination = m_dir.filePath(u"bad.kzd"_s);
        QFile::remove(destination);
        int converted = -1;
        QCOMPARE(int(convert(bytes, destination, converted)), result);
        QCOMPARE(converted, count);
        const QString expected = message.contains(u"%1"_s) ? message.arg(m_dir.filePath(u"source.db"_s)) : message;
        QCOMPARE(m_host.notices, message.isEmpty() ? QStringList() : QStringList{expected});
        // A failed conversion leaves no file behind, half-converted or not.
        QCOMPARE(QFile::exists(destination), result == 0);
        QCOMPARE(QDir(m_dir.path()).entryList({u".*converting*"_s}, QDir::Files | QDir::Hidden), QStringList());
    }

    void failuresKeepTheDestination()
    {
        const QString existing = m_dir.filePath(u"existing.kzd"_s);
        WriteAll(existing, "earlier content");
        QList<Ver1Line> lines = sampleLines();
        lines[3].month = 0;
        int count = -1;
        QCOMPARE(convert(BuildVer1Bytes(lines), existing, count), Ver1Result::BadRecord);
        QCOMPARE(count, 0);
        QCOMPARE(ReadAll(existing), QByteArray("earlier content"));
        m_host.notices.clear();

        const QByteArray good = BuildVer1Bytes(sampleLines());
        QTemporaryDir emptyFolder;
        m_host.programFolder = emptyFolder.path();
        QCOMPARE(convert(good, existing, count), Ver1Result::TemplateMissing);
        m_host.programFolder = QStringLiteral(KINZO_TEMPLATE_DIR);
        QVERIFY(QFile::setPermissions(existing, QFile::ReadOwner));
        QCOMPARE(convert(good, existing, count), Ver1Result::TemplateCopyFailed);
        const QString noFolder = m_dir.filePath(u"missing folder/x.kzd"_s);
        QCOMPARE(convert(good, noFolder, count), Ver1Result::TemplateCopyFailed);
        QCOMPARE(ConvertVer1Ledger(m_dir.filePath(u"none.db"_s), m_dir.filePath(u"none.kzd"_s), m_host, count),
                 Ver1Result::SourceOpenFailed);
        QCOMPARE(m_host.notices, (QStringList{u"雛型ファイルが見つかりません。\nフォルダ = %1"_s.arg(emptyFolder.path()),
                                              u"雛型ファイルコピー失敗 \n コピー先 = %1"_s.arg(existing),
                                              u"雛型ファイルコピー失敗 \n コピー先 = %1"_s.arg(noFolder),
                                              u"Paradoxデータのオープンに失敗しました。"_s}));
        QCOMPARE(ReadAll(existing), QByteArray("earlier content"));
        QVERIFY(!QFile::exists(m_dir.filePath(u"none.kzd"_s)));
    }

    // The records done are told with the header's count, then the building of
    // indexes and totals; stopping at either keeps the earlier file.
    void progressAndStopping()
    {
        QList<Ver1Line> lines;
        for (int i = 0; i < 5000; ++i) lines.append({i + 1, 2010, 1 + i % 12, 1 + i % 28, u"品%1"_s.arg(i % 7), 0, 10.0 + i});
        const QString source = m_dir.filePath(u"many.db"_s);
        WriteAll(source, BuildVer1Bytes(lines));
        const QString existing = m_dir.filePath(u"kept.kzd"_s);
        WriteAll(existing, "earlier content");
        for (const qint64 stopAt : {qint64(4096), FinishingWork}) {
            int count = -1;
            const RowProgress stop = [stopAt](qint64 done, qint64 total) {
                return done != stopAt || (done == FinishingWork ? total != 0 : total != 5000);
            };
            QCOMPARE(ConvertVer1Ledger(source, existing, m_host, count, stop), Ver1Result::Cancelled);
            QCOMPARE(count, 0);
            QCOMPARE(ReadAll(existing), QByteArray("earlier content"));
            QCOMPARE(QDir(m_dir.path()).entryList({u".*converting*"_s}, QDir::Files | QDir::Hidden), QStringList());
        }
        QCOMPARE(m_host.notices, QStringList());
        QList<qint64> told;
        int count = 0;
        QCOMPARE(ConvertVer1Ledger(source, existing, m_host, count, [&](qint64 done, qint64) {
                     told.append(done);
                     return true;
                 }),
                 Ver1Result::Ok);
        QCOMPARE(count, 5000);
        QCOMPARE(told.first(), 4096);
        QVERIFY(told.size() >= 2 && !told.mid(1).contains(4096) && told.mid(1).count(FinishingWork) == told.size() - 1);
        QCOMPARE(contents(existing).size(), 5000 + 2 + 7);  // the two roots and seven items
    }
};

QTEST_GUILESS_MAIN(TestVer1Conversion)
#include "test_ver1_conversion.moc"
