// Conversion of first-version ledgers: Paradox tables written by pxlib and
// built byte by byte, the entries and account items they become, and files
// that are short, lying or garbage.

#include "ParadoxFiles.h"
#include "RecordingHost.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/DataFiles.h"
#include "kinzo/data/Ver1Converter.h"
#include "kinzo/data/Ver1Reader.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString notAllRead = u"すべてのレコードが読み込まれていない可能性があります。"_s;

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The lines every layout test converts.
QList<Ver1Line> sampleLines()
{
    return {
        {1, 2010, 4, 1, u"給与"_s, 1200.4, 0, QString()},
        {2, 2010, 4, 2, u"パン"_s, 0, 0, u"食費（ミクリ番号：123）"_s},
        {3, 2010, 4, 3, u"米"_s, 0, 3000, u"食費"_s},
        {4, 2011, 12, 31, u"パン"_s, 0, 99.01, u"食費"_s},
    };
}

struct Converted {
    QList<_ViewEntry> entries;  // in date order
    QList<_AccountItem> items;  // by ID
};

}  // namespace

class TestVer1Conversion : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    RecordingHost m_host;

    Ver1Result convert(const QString& source, const QString& destination, int& count)
    {
        return ConvertVer1Ledger(source, destination, m_host, count);
    }

    // Opens the converted file as the document does, which also checks its
    // account tree, and reads what it holds.
    Converted read(const QString& path)
    {
        Converted result;
        CDBConnection connection;
        RecordingHost host;
        CKinzoDoc doc(connection, host);
        if (!doc.OnOpenDocument(path)) {
            qWarning() << host.notices;
            return result;
        }
        doc.KinzoView().SelectRange(QDate(1, 1, 1), QDate(3000, 12, 31), result.entries);
        doc.AccountTable().SelectItems(QString(), u"ID"_s, result.items);
        return result;
    }

    void checkSample(const QString& destination)
    {
        const Converted got = read(destination);
        QCOMPARE(got.entries.size(), 4);
        QCOMPARE(got.items.size(), 6);
        // 収入, 支出, 給与 (level 1), 食費 (level 1), パン and 米 (level 2)
        const _AccountItem& salary = got.items[2];
        QCOMPARE(salary.name, u"給与"_s);
        QCOMPARE(salary.level, 1);
        QCOMPARE(salary.parentId, got.items[0].ID);
        QCOMPARE(salary.code, u"1.1."_s);
        const _AccountItem& food = got.items[3];
        QCOMPARE(food.name, u"食費"_s);
        QCOMPARE(food.parentId, got.items[1].ID);
        QCOMPARE(food.childFlag, 1);
        QCOMPARE(food.code, u"2.1."_s);
        QCOMPARE(got.items[4].name, u"パン"_s);
        QCOMPARE(got.items[4].level, 2);
        QCOMPARE(got.items[4].parentId, food.ID);
        QCOMPARE(got.items[4].code, u"2.1.1."_s);
        QCOMPARE(got.items[5].code, u"2.1.2."_s);
        QCOMPARE(got.items[5].name, u"米"_s);
        QCOMPARE(got.items[0].childFlag, 1);  // the roots got their child flag too

        const _ViewEntry& income = got.entries[0];
        QCOMPARE(income.date, QDate(2010, 4, 1));
        QCOMPARE(income.amount, 1201);
        QCOMPARE(income.side, 1);
        QCOMPARE(income.itemId, salary.ID);
        QCOMPARE(income.mikuriId, 0);
        QCOMPARE(income.note, QString());
        const _ViewEntry& zero = got.entries[1];
        QCOMPARE(zero.amount, 0);
        QCOMPARE(zero.side, 2);
        QCOMPARE(zero.itemId, got.items[4].ID);
        QCOMPARE(zero.mikuriId, 123);
        QCOMPARE(got.entries[2].amount, 3000);
        QCOMPARE(got.entries[2].itemId, got.items[5].ID);
        QCOMPARE(got.entries[3].amount, 100);
        QCOMPARE(got.entries[3].itemId, got.items[4].ID);  // the same item found again
        QCOMPARE(got.entries[3].date, QDate(2011, 12, 31));
    }

private Q_SLOTS:
    void init() { m_host = RecordingHost(); }

    void encodings()
    {
        QCOMPARE(ParadoxLong(QByteArray::fromHex("80000001").constData()), 1);
        QCOMPARE(ParadoxLong(QByteArray::fromHex("7fffffff").constData()), -1);
        QCOMPARE(ParadoxLong(QByteArray::fromHex("00000000").constData()), std::numeric_limits<qint32>::min());
        QCOMPARE(ParadoxNumber(QByteArray::fromHex("c09f680000000000").constData()), 2010.0);
        QCOMPARE(ParadoxNumber(QByteArray::fromHex("3febffffffffffff").constData()), -5.0);
        QCOMPARE(ParadoxNumber(QByteArray(8, '\0').constData()), 0.0);
        for (const double value : {1200.4, -1200.4, 0.5, -0.25, 1e9})
            QCOMPARE(ParadoxNumber(ParadoxNumberBytes(value).constData()), value);

        QString group;
        int mikuri = -1;
        SplitGroupField(u"食費（ミクリ番号：123）"_s, group, mikuri);
        QCOMPARE(group, u"食費"_s);
        QCOMPARE(mikuri, 123);
        SplitGroupField(u"（ミクリ番号：7"_s, group, mikuri);
        QCOMPARE(group, QString());
        QCOMPARE(mikuri, 7);
        SplitGroupField(u"食費(ミクリ番号:5)"_s, group, mikuri);  // half-width: no marker
        QCOMPARE(group, u"食費(ミクリ番号:5)"_s);
        QCOMPARE(mikuri, 0);
    }

    void byteBuiltFilePinsTheLayout()
    {
        // Two blocks of 2048 bytes: three records in the first, one in the second.
        const QByteArray bytes = BuildVer1Bytes(sampleLines(), 2048, 2, 3);
        QCOMPARE(bytes.size(), 2048 * 3);
        QCOMPARE(bytes.mid(6, 4), QByteArray::fromHex("04000000"));
        QCOMPARE(bytes.mid(2048 + 4, 2), QByteArray::fromHex("1001"));  // last record at 272
        QCOMPARE(bytes.mid(2048 + 6, 4), QByteArray::fromHex("80000001"));
        QCOMPARE(bytes.mid(2048 + 6 + 20, 5), QByteArray("\x8b\x8b\x97\x5e\x00", 5));  // 給与 in CP932
        const QString source = m_dir.filePath(u"byte built.db"_s);
        writeAll(source, bytes);

        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        CVer1Reader reader;
        QVERIFY(reader.ReadHeader(buffer));
        QCOMPARE(reader.HeaderRecordCount(), 4u);
        _Ver1Record record;
        QVERIFY(reader.Next(record));
        QCOMPARE(record.number, 1);
        QCOMPARE(record.year, 2010.0);
        QCOMPARE(record.itemName, u"給与"_s);
        QCOMPARE(record.income, 1200.4);
        int read = 1;
        while (reader.Next(record)) ++read;
        QCOMPARE(read, 4);
        QCOMPARE(record.expense, 99.01);

        const QString destination = m_dir.filePath(u"変換 先/帳簿.kzd"_s);
        QVERIFY(QDir().mkpath(QFileInfo(destination).path()));
        int count = -1;
        QCOMPARE(convert(source, destination, count), Ver1Result::Ok);
        QCOMPARE(count, 4);
        QCOMPARE(m_host.notices, QStringList());
        checkSample(destination);
    }

    void pxlibWrittenFiles()
    {
        const QString source = m_dir.filePath(u"旧 帳簿.db"_s);
        QVERIFY(WriteParadoxLedger(source, sampleLines()));
        const QString destination = m_dir.filePath(u"pxlib.kzd"_s);
        int count = -1;
        QCOMPARE(convert(source, destination, count), Ver1Result::Ok);
        QCOMPARE(count, 4);
        QCOMPARE(m_host.notices, QStringList());
        checkSample(destination);
    }

    void pxlibWrittenFileOfManyBlocks()
    {
        QList<Ver1Line> lines;
        for (int i = 0; i < 1000; ++i)
            lines.append({i + 1, 2000.0 + i % 20, 1 + i % 12, 1 + i % 28, u"品目%1"_s.arg(i % 7), i % 3 ? 0 : i + 0.5,
                          i % 3 ? -(i + 0.25) : 0, i % 2 ? u"組%1（ミクリ番号：%2）"_s.arg(i % 5).arg(i) : QString()});
        const QString source = m_dir.filePath(u"many.db"_s);
        QVERIFY(WriteParadoxLedger(source, lines));
        QFile file(source);
        QVERIFY(file.open(QIODevice::ReadOnly));
        CVer1Reader reader;
        QVERIFY(reader.ReadHeader(file));
        QCOMPARE(reader.BlockSize(), 3072);  // pxlib's own choice, from the header
        _Ver1Record record;
        for (int i = 0; i < 1000; ++i) {
            QVERIFY(reader.Next(record));
            QCOMPARE(record.number, i + 1);
            QCOMPARE(record.expense, i % 3 ? -(i + 0.25) : 0.0);  // negatives as pxlib stores them
        }
        QVERIFY(!reader.Next(record));

        const QString destination = m_dir.filePath(u"many.kzd"_s);
        int count = 0;
        QCOMPARE(convert(source, destination, count), Ver1Result::Ok);
        QCOMPARE(count, 1000);
        const Converted got = read(destination);
        QCOMPARE(got.entries.size(), 1000);
        qint64 income = 0, expense = 0;
        for (const _ViewEntry& entry : got.entries) (entry.side == 1 ? income : expense) += entry.amount;
        qint64 wantIncome = 0, wantExpense = 0;
        for (int i = 0; i < 1000; ++i) (i % 3 ? wantExpense += -i : wantIncome += i + 1);
        QCOMPARE(income, wantIncome);
        QCOMPARE(expense, wantExpense);
    }

    void headerSizesFromTheFile()
    {
        const QString source = m_dir.filePath(u"big header.db"_s);
        writeAll(source, BuildVer1Bytes(sampleLines(), 4096, 4));
        int count = 0;
        QCOMPARE(convert(source, m_dir.filePath(u"big header.kzd"_s), count), Ver1Result::Ok);
        QCOMPARE(count, 4);
        checkSample(m_dir.filePath(u"big header.kzd"_s));

        // An empty block (last offset negative) holds no records.
        QByteArray bytes = BuildVer1Bytes(sampleLines(), 2048, 2, 2);
        QByteArray empty(2048, '\0');
        empty[4] = char(0x78);
        empty[5] = char(0xff);  // -136
        bytes.insert(2048, empty);
        writeAll(source, bytes);
        QCOMPARE(convert(source, m_dir.filePath(u"empty block.kzd"_s), count), Ver1Result::Ok);
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
        QTest::newRow("empty") << QByteArray() << -5 << 0 << header;
        QByteArray bigHeader = BuildVer1Bytes(sampleLines(), 4096, 2);
        QTest::newRow("shorter than its own header") << bigHeader.left(3000) << -5 << 0 << header;
        QTest::newRow("count says more") << BuildVer1Bytes(sampleLines(), 2048, 2, -1, 10) << 0 << 4 << notAllRead;
        QTest::newRow("count says fewer") << BuildVer1Bytes(sampleLines(), 2048, 2, -1, 1) << 0 << 4 << notAllRead;
        QTest::newRow("last block cut short") << good.left(2048 * 3 - 10) << 0 << 3 << notAllRead;
        QByteArray garbage = good;
        for (int i = 2048 * 2; i < garbage.size(); ++i) garbage[i] = char((i * 7919) % 251);
        garbage[2048 * 2 + 4] = char(0x10);  // three records of garbage
        garbage[2048 * 2 + 5] = char(0x01);
        const QString badRecord = u"Paradoxファイルでない可能性があるので確認してください。(%1 レコード目）"_s;
        QTest::newRow("garbage block") << garbage << -6 << 0 << badRecord.arg(4);
        QList<Ver1Line> lines = sampleLines();
        lines[1].month = 13;
        QTest::newRow("month 13") << BuildVer1Bytes(lines) << -6 << 0 << badRecord.arg(2);
        lines = sampleLines();
        lines[2].day = 30;
        lines[2].month = 2;
        QTest::newRow("30 February") << BuildVer1Bytes(lines) << -6 << 0 << badRecord.arg(3);
        lines = sampleLines();
        lines[0].year = 3001;
        QTest::newRow("year 3001") << BuildVer1Bytes(lines) << -6 << 0 << badRecord.arg(1);
        lines = sampleLines();
        lines[3].number = -1;
        QTest::newRow("negative record number") << BuildVer1Bytes(lines) << -6 << 0 << badRecord.arg(4);
        lines = sampleLines();
        lines[1].income = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("not a number") << BuildVer1Bytes(lines) << -6 << 0 << badRecord.arg(2);
        lines = sampleLines();
        lines[3].expense = 3e9;
        QTest::newRow("amount beyond the file's range")
            << BuildVer1Bytes(lines) << -7 << 0 << u"DBファイルへの書き込みに失敗しました。(4 レコード目）"_s;
        QByteArray hugeSizes = good;
        hugeSizes[2] = hugeSizes[3] = char(0xff);  // header of 65535 bytes
        QTest::newRow("header size beyond the file") << hugeSizes << -5 << 0 << header;
        QByteArray zeroSizes = good;
        zeroSizes[2] = zeroSizes[3] = zeroSizes[5] = 0;  // read as 2048
        QTest::newRow("sizes of zero") << zeroSizes << 0 << 4 << QString();
    }

    void badFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, result);
        QFETCH(int, count);
        QFETCH(QString, message);
        const QString source = m_dir.filePath(u"bad.db"_s);
        writeAll(source, bytes);
        const QString destination = m_dir.filePath(u"bad.kzd"_s);
        QFile::remove(destination);
        int converted = -1;
        QCOMPARE(int(convert(source, destination, converted)), result);
        QCOMPARE(converted, count);
        const QString expected = message.contains(u"%1"_s) ? message.arg(source) : message;
        QCOMPARE(m_host.notices, message.isEmpty() ? QStringList() : QStringList{expected});
        // A failed conversion leaves no file behind, half-converted or not.
        QCOMPARE(QFile::exists(destination), result == 0);
        QCOMPARE(QDir(m_dir.path()).entryList({u".*converting*"_s}, QDir::Files | QDir::Hidden), QStringList());
        if (result == 0) QCOMPARE(read(destination).entries.size(), count);
    }

    void failureKeepsTheDestinationAsItWas()
    {
        QList<Ver1Line> lines = sampleLines();
        lines[3].month = 0;
        const QString source = m_dir.filePath(u"fails.db"_s);
        writeAll(source, BuildVer1Bytes(lines));
        const QString destination = m_dir.filePath(u"existing.kzd"_s);
        writeAll(destination, "earlier content");
        int count = -1;
        QCOMPARE(convert(source, destination, count), Ver1Result::BadRecord);
        QCOMPARE(count, 0);
        QCOMPARE(readAll(destination), QByteArray("earlier content"));
    }

    void templateSourceAndDestinationFailures()
    {
        const QString source = m_dir.filePath(u"ok.db"_s);
        writeAll(source, BuildVer1Bytes(sampleLines()));
        int count = -1;

        QTemporaryDir emptyFolder;
        m_host.programFolder = emptyFolder.path();
        QCOMPARE(convert(source, m_dir.filePath(u"t.kzd"_s), count), Ver1Result::TemplateMissing);
        QCOMPARE(m_host.Take(), QStringList{u"雛型ファイルが見つかりません。\nフォルダ = %1"_s.arg(emptyFolder.path())});
        m_host.programFolder = QStringLiteral(KINZO_TEMPLATE_DIR);

        const QString protectedFile = m_dir.filePath(u"read only.kzd"_s);
        writeAll(protectedFile, "keep");
        QVERIFY(QFile::setPermissions(protectedFile, QFile::ReadOwner));
        QCOMPARE(convert(source, protectedFile, count), Ver1Result::TemplateCopyFailed);
        QCOMPARE(m_host.Take(), QStringList{u"雛型ファイルコピー失敗 \n コピー先 = %1"_s.arg(protectedFile)});
        QCOMPARE(readAll(protectedFile), QByteArray("keep"));
        const QString noFolder = m_dir.filePath(u"missing folder/x.kzd"_s);
        QCOMPARE(convert(source, noFolder, count), Ver1Result::TemplateCopyFailed);
        QCOMPARE(m_host.Take(), QStringList{u"雛型ファイルコピー失敗 \n コピー先 = %1"_s.arg(noFolder)});

        QCOMPARE(convert(m_dir.filePath(u"none.db"_s), m_dir.filePath(u"none.kzd"_s), count),
                 Ver1Result::SourceOpenFailed);
        QCOMPARE(m_host.Take(), QStringList{u"Paradoxデータのオープンに失敗しました。"_s});
        QVERIFY(!QFile::exists(m_dir.filePath(u"none.kzd"_s)));
        QCOMPARE(count, 0);
    }
};

QTEST_GUILESS_MAIN(TestVer1Conversion)
#include "test_ver1_conversion.moc"
