// CSV export and import of every table: exact round trips of awkward text, the
// files of the earlier version's driver, and failures that change nothing.

#include "LedgerFixture.h"

#include "kinzo/data/CTableCater.h"
#include "kinzo/data/CTableKinzo.h"
#include "kinzo/data/CTableLoan.h"
#include "kinzo/data/CTablePayment.h"

#include "kinzo/data/CsvFormat.h"

#include "platform/Cp932Codec.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString awkward = u"a,b \"quoted\" it's 100% _x_ [y] \\ ; DROP TABLE 出納簿; --\r\nline two\nline three ＡＢＣ　全角"_s;

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

}  // namespace

class TestCsvTransfer : public QObject {
    Q_OBJECT

    // Fills every table with rows that hold awkward text, NULLs, flags and dates.
    void fill(LedgerFixture& ledger)
    {
        _AccountItem food = _AccountItem::ChildOf(ledger.expense, u"食費'外食"_s);
        food.code = u"2.1."_s;
        food.useStart = food.useEnd = 1;
        food.start = QDate(2010, 4, 1);
        food.end = QDate(2011, 3, 31);
        food.note = awkward;
        QCOMPARE(ledger.accounts.AddItem(food), DbStatus::Ok);
        CTableCater caters;
        caters.m_pConnection = &ledger.connection;
        _CaterData cater{0, u"O'Neil \"商店\""_s, 3};
        QCOMPARE(caters.AddCater(cater), DbStatus::Ok);
        CTableKinzo entries;
        entries.m_pConnection = &ledger.connection;
        _KinzoEntry withAll{0, QDate(2010, 4, 1), food.ID, -2147483647, cater.ID, 12, awkward};
        _KinzoEntry bare{0, QDate(2010, 12, 31), food.ID, 0, 0, 0, QString()};
        QCOMPARE(entries.AddEntry(withAll), DbStatus::Ok);
        QCOMPARE(entries.AddEntry(bare), DbStatus::Ok);
        QCOMPARE(entries.DeleteById(bare.ID), DbStatus::Ok);  // a gap in the keys
        QCOMPARE(entries.AddEntry(bare), DbStatus::Ok);
        CTablePayment payments;
        payments.m_pConnection = &ledger.connection;
        _PaymentData payment{0, food.ID, 27, 1, QDate(2010, 1, 1), QDate(2010, 12, 31), 1, {1, 0, 1}, 2};
        QCOMPARE(payments.AddPayment(payment), DbStatus::Ok);
        CTableLoan loans;
        loans.m_pConnection = &ledger.connection;
        _LoanData loan{0, food.ID, 1000000, 30000, 6, 12, 50000, 10, QDate(2010, 4, 1), QDate(), 1, 970000, awkward};
        QCOMPARE(loans.AddLoan(loan), DbStatus::Ok);
    }

    ValueMapList rowsOf(LedgerFixture& ledger, const QString& table)
    {
        CTableBase wrapper(table, {});
        wrapper.m_pConnection = &ledger.connection;
        ValueMapList rows;
        wrapper.SelectSql(u"SELECT * FROM %1 ORDER BY ID"_s.arg(table), rows);
        return rows;
    }

    const QStringList m_tables{u"勘定科目"_s, u"取引先"_s, u"定期支払"_s, u"分割支払"_s, u"出納簿"_s};

private Q_SLOTS:
    void everyTableRoundTrips()
    {
        LedgerFixture ledger;
        QVERIFY(ledger.Create());
        fill(ledger);
        for (const QString& table : m_tables) {
            const ValueMapList before = rowsOf(ledger, table);
            QVERIFY(!before.isEmpty());
            CTableBase wrapper(table, {});
            wrapper.m_pConnection = &ledger.connection;
            const QString path = ledger.dir.filePath(table + u".csv"_s);
            QCOMPARE(wrapper.ExportCsv(path), DbStatus::Ok);
            QCOMPARE(wrapper.ExportCsv(path), DbStatus::Ok);  // replaces the file
            QCOMPARE(wrapper.DeleteAll(), DbStatus::Ok);
            QVERIFY2(wrapper.ImportCsv(path) == DbStatus::Ok, qPrintable(wrapper.m_lastError));
            QCOMPARE(rowsOf(ledger, table), before);
        }
        // The month totals follow the imported entries.
        CViewKinzo view;
        view.m_pConnection = &ledger.connection;
        qint64 carry = 0;
        QCOMPARE(view.GetCarryOver(QDate(2011, 1, 1), carry), DbStatus::Ok);
        QCOMPARE(carry, 2147483647);
    }

    void fileFormat()
    {
        LedgerFixture ledger;
        QVERIFY(ledger.Create());
        fill(ledger);
        CTableAccountItem& accounts = ledger.accounts;
        const QString path = ledger.dir.filePath(u"勘定科目.csv"_s);
        QCOMPARE(accounts.ExportCsv(path), DbStatus::Ok);
        const QByteArray bytes = readAll(path);
        QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));  // every character has a CP932 form
        const QString text = platform::cp932::decode(bytes);
        QCOMPARE(bytes, platform::cp932::encodeFile(text));  // only the non-ASCII runs went through the codec
        QVERIFY(text.startsWith(u"\"ID\",\"科目名称\",\"レベル\",\"子フラグ\",\"親科目ID\",\"仕分けID\",\"階層番号\","
                                "\"有効開始日使用\",\"有効終了日使用\",\"有効開始日\",\"有効終了日\",\"表示幅\",\"印刷幅\",\"備考\"\r\n"
                                "1,\"収入\",0,0,0,1,\"1.\",0,0,,,70,70,\r\n"_s));
        QVERIFY(text.contains(u",\"2.1.\",1,1,2010/04/01,2011/03/31,70,70,\"a,b \"\"quoted\"\" it's"_s));
        QVERIFY(text.endsWith(u"\r\n"_s));

        // A character without a CP932 form makes the whole file UTF-8.
        _AccountItem emoji = _AccountItem::ChildOf(ledger.income, u"給与😀"_s);
        QCOMPARE(accounts.AddItem(emoji), DbStatus::Ok);
        QCOMPARE(accounts.ExportCsv(path), DbStatus::Ok);
        QVERIFY(readAll(path).startsWith("\xEF\xBB\xBF"));
        const ValueMapList before = rowsOf(ledger, u"勘定科目"_s);
        QCOMPARE(accounts.ImportCsv(path), DbStatus::Ok);
        QCOMPARE(rowsOf(ledger, u"勘定科目"_s), before);
    }

    void readsTheEarlierDriversFiles()
    {
        LedgerFixture ledger;
        QVERIFY(ledger.Create());
        const QString path = ledger.dir.filePath(u"勘定科目.csv"_s);
        const QString text =
            u"ID,科目名称,レベル,子フラグ,親科目ID,仕分けID,階層番号,有効開始日使用,有効終了日使用,有効開始日,有効終了日,表示幅,印刷幅,備考\r\n"
            "1,\"収入\",0,1,0,1,\"1.\",False,False,,,70,70,\r\n"
            "2,\"支出\",0,0,0,2,\"2.\",False,False,1899/12/31 0:00:00,,70,70,\r\n"
            "5,\"給与\",1,0,1,1,\"1.1.\",True,-1,2010/04/01 0:00:00,2011/3/31 0:00:00,80,90,\"say \"\"hi\"\"\"\r\n"_s;
        writeAll(path, platform::cp932::encode(text));
        QCOMPARE(ledger.accounts.ImportCsv(path), DbStatus::Ok);
        _AccountItem salary;
        QCOMPARE(ledger.accounts.GetItem(5, salary), DbStatus::Ok);
        QCOMPARE(salary.name, u"給与"_s);
        QCOMPARE(salary.useStart, 1);
        QCOMPARE(salary.useEnd, 1);
        QCOMPARE(salary.start, QDate(2010, 4, 1));
        QCOMPARE(salary.end, QDate(2011, 3, 31));
        QCOMPARE(salary.width, 80);
        QCOMPARE(salary.note, u"say \"hi\""_s);
        ValueMapList rows;
        QCOMPARE(ledger.accounts.Select(u"有効開始日使用 = True"_s, QString(), rows), DbStatus::Ok);
        QCOMPARE(rows.size(), 1);
        _AccountItem expense;
        QCOMPARE(ledger.accounts.GetItem(2, expense), DbStatus::Ok);
        QVERIFY(!expense.start.isValid());
        // New items continue after the imported keys.
        _AccountItem added = _AccountItem::ChildOf(salary, u"賞与"_s);
        added.useStart = added.useEnd = 0;
        QVERIFY2(ledger.accounts.AddItem(added) == DbStatus::Ok, qPrintable(ledger.accounts.m_lastError));
        QCOMPARE(added.ID, 6);
    }

    void failedImportChangesNothing()
    {
        LedgerFixture ledger;
        QVERIFY(ledger.Create());
        fill(ledger);
        CTableKinzo entries;
        entries.m_pConnection = &ledger.connection;
        const ValueMapList before = rowsOf(ledger, u"出納簿"_s);
        const QString path = ledger.dir.filePath(u"出納簿.csv"_s);
        writeAll(path, "\"ID\",\"日付\",\"勘定科目ID\",\"金額\",\"取引先ID\",\"ミクリID\",\"備考\"\r\n"
                       "1,2010/04/01,3,100,,,\r\n2,2010/13/01,3,100,,,\r\n");
        QCOMPARE(entries.ImportCsv(path), DbStatus::CsvFailed);
        QVERIFY2(entries.m_lastError.contains(u"2 件目"_s), qPrintable(entries.m_lastError));
        QCOMPARE(rowsOf(ledger, u"出納簿"_s), before);
        writeAll(path, "\"ID\",\"日付\",\"金額\",\"色\"\r\n");
        QCOMPARE(entries.ImportCsv(path), DbStatus::CsvFailed);
        writeAll(path, "\"ID\",\"日付\",\"勘定科目ID\",\"金額\"\r\n1,2010/04/01,3,\"unclosed\r\n");
        QCOMPARE(entries.ImportCsv(path), DbStatus::CsvFailed);
        QCOMPARE(entries.ImportCsv(ledger.dir.filePath(u"none.csv"_s)), DbStatus::CsvMissing);
        QCOMPARE(rowsOf(ledger, u"出納簿"_s), before);
    }

    void readerKeepsTheFieldsApart()
    {
        const auto fields = [](QStringView text) {
            QList<CsvRecord> records;
            QString error;
            QStringList out;
            if (!ParseCsv(text, records, error)) return QStringList{error};
            for (const CsvRecord& record : records) {
                QStringList line;
                for (const CsvField& field : record) line << (field.quoted ? u"q:"_s : u""_s) + field.text;
                out << line.join(u'|');
            }
            return out;
        };
        QCOMPARE(fields(u"a,\"b,\"\"c\"\"\",d\r\n"_s), QStringList{u"a|q:b,\"c\"|d"_s});
        QCOMPARE(fields(u"a,\r\n,\n\r\"x\ny\"z,\"\""_s),
                 (QStringList{u"a|"_s, u"|"_s, u""_s, u"q:x\nyz|q:"_s}));  // CR, LF and CRLF; text after a quote
        QCOMPARE(fields(u"a,b,"_s), QStringList{u"a|b|"_s});
        QCOMPARE(fields(u"ab\"c,\"d\"\"\"\r\n"_s), QStringList{u"ab\"c|q:d\""_s});
        QCOMPARE(fields(u""_s), QStringList());
        QCOMPARE(fields(u"1,2\r\n3,\"open"_s), QStringList{u"CSVの引用符が閉じていません（2 行目）。"_s});
    }

    void protectedFileIsNotReplaced()
    {
        LedgerFixture ledger;
        QVERIFY(ledger.Create());
        const QString path = ledger.dir.filePath(u"取引先.csv"_s);
        writeAll(path, "old");
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        CTableCater caters;
        caters.m_pConnection = &ledger.connection;
        QCOMPARE(caters.ExportCsv(path), DbStatus::CsvDeleteFailed);
        QCOMPARE(readAll(path), QByteArray("old"));
        QVERIFY(QDir(ledger.dir.path()).mkdir(u"出納簿.csv"_s));
        QCOMPARE(caters.ExportCsv(ledger.dir.filePath(u"出納簿.csv"_s)), DbStatus::CsvDeleteFailed);
        QCOMPARE(caters.ExportCsv(ledger.dir.filePath(u"no/such/folder.csv"_s)), DbStatus::CsvFailed);
    }
};

QTEST_GUILESS_MAIN(TestCsvTransfer)
#include "test_csv_transfer.moc"
