// Builds a ledger of 1,000,000 entries (or the count given) and times, through
// the document, ExportAllCsv and ImportAllCsv of all five tables; in the same
// run the sqlite3 shell exports and imports the entry table of the same file
// as CSV. Then writes a version-1 ledger of 100,000 records with pxlib and
// times its conversion. Prints times, ratios and records per second.

#include "ParadoxFiles.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/DataFiles.h"
#include "kinzo/data/Ver1Converter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

QTextStream out(stdout);

class PrintingHost : public CKinzoDocHost {
public:
    void Notice(const QString& text) override { out << "  message: " << text << Qt::endl; }
    void Log(const QString& text) override { out << "  log: " << text << Qt::endl; }
    QString ProgramFolder() const override { return QStringLiteral(KINZO_TEMPLATE_DIR); }
    void WriteDBFileName(const QString&) override {}
    bool MainWindowReady() const override { return false; }
};

// Entries over ten years on the leaf items of a small tree, a third with a
// note, some with a counterparty; written straight into the file.
bool fillLedger(CKinzoDoc& doc, int entries)
{
    QList<int> leaves;
    for (int side = 0; side < 2; ++side) {
        const _AccountItem root = side ? doc.AccountItems().m_lastChild->m_data : doc.AccountItems().m_firstChild->m_data;
        for (int i = 0; i < 30; ++i) {
            _AccountItem item = _AccountItem::ChildOf(root, u"科目%1-%2"_s.arg(side).arg(i));
            item.code = root.code + QString::number(i + 1) + u"."_s;
            if (doc.AccountTable().AddItem(item) != DbStatus::Ok) return false;
            leaves << item.ID;
        }
    }
    for (int i = 0; i < 50; ++i) {
        _CaterData cater{0, u"取引先%1"_s.arg(i), i};
        doc.CaterTable().AddCater(cater);
    }
    sqlite3* db = doc.Connection().Handle();
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO 出納簿 (日付, 勘定科目ID, 金額, 取引先ID, ミクリID, 備考) VALUES (?, ?, ?, ?, ?, ?)",
                       -1, &insert, nullptr);
    const QDate first(2015, 1, 1);
    for (int i = 0; i < entries; ++i) {
        const QByteArray date = first.addDays(qint64(i) * 3652 / entries).toString(Qt::ISODate).toLatin1();
        sqlite3_bind_text(insert, 1, date.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, 2, leaves[i % leaves.size()]);
        sqlite3_bind_int(insert, 3, 100 + (i * 37) % 50000);
        if (i % 4 == 0) sqlite3_bind_int(insert, 4, 1 + i % 50);
        else sqlite3_bind_null(insert, 4);
        sqlite3_bind_null(insert, 5);
        const QByteArray note = u"メモ %1, \"引用\""_s.arg(i).toUtf8();
        if (i % 3 == 0) sqlite3_bind_text(insert, 6, note.constData(), -1, SQLITE_TRANSIENT);
        else sqlite3_bind_null(insert, 6);
        if (sqlite3_step(insert) != SQLITE_DONE) return false;
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    return sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
}

double timed(const std::function<bool()>& run, bool& ok)
{
    QElapsedTimer timer;
    timer.start();
    ok = run();
    return timer.nsecsElapsed() / 1e9;
}

bool shell(const QString& file, const QStringList& commands)
{
    QProcess sqlite;
    QStringList arguments{u"-batch"_s, file};
    arguments << commands;
    sqlite.start(u"sqlite3"_s, arguments);
    if (!sqlite.waitForFinished(-1)) return false;
    const QByteArray errors = sqlite.readAllStandardError();
    if (!errors.isEmpty()) out << "  sqlite3: " << errors;
    return sqlite.exitStatus() == QProcess::NormalExit && sqlite.exitCode() == 0;
}

void line(const QString& what, double seconds, const QString& extra = QString())
{
    out << qSetFieldWidth(44) << Qt::left << what << qSetFieldWidth(0) << QString::number(seconds, 'f', 3) << " s"
        << extra << Qt::endl;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int entries = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000000;
    const int records = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 100000;
    QTemporaryDir dir;
    PrintingHost host;
    CDBConnection connection;
    CKinzoDoc doc(connection, host);
    const QString path = dir.filePath(u"ledger.kzd"_s);
    if (!doc.OnNewDocument(path) || !fillLedger(doc, entries)) {
        out << "could not build the ledger" << Qt::endl;
        return 1;
    }
    out << "CSV transfer of a ledger of " << entries << " entries" << Qt::endl;
    bool ok = false;
    const QString folder = dir.filePath(u"csv"_s);
    const double exportAll = timed([&] { return doc.ExportAllCsv(folder); }, ok);
    line(u"ExportAllCsv (five tables)"_s, exportAll, ok ? QString() : u"  FAILED"_s);
    const double importAll = timed([&] { return doc.ImportAllCsv(folder); }, ok);
    line(u"ImportAllCsv (five tables)"_s, importAll, ok ? QString() : u"  FAILED"_s);
    const qint64 csvBytes = QFile(folder + u"/出納簿.csv"_s).size();
    doc.OnNewDocument(QString());  // closes the file for the shell

    // Opening checks every table and column and reads every page first.
    const double open = timed([&] { return doc.OnOpenDocument(path); }, ok);
    line(u"OnOpenDocument (checks included)"_s, open, ok ? QString() : u"  FAILED"_s);
    QString ignored;
    const double check = timed([&] { return connection.QuickCheck(ignored) == SQLITE_OK; }, ok);
    line(u"  of which the page check"_s, check,
         u"  (%1 of the open, file %2 MiB)"_s.arg(QString::number(check / open, 'f', 2))
             .arg(QFile(path).size() / (1024 * 1024)));
    doc.OnNewDocument(QString());

    const QString shellCsv = dir.filePath(u"shell.csv"_s);
    const double shellExport = timed(
        [&] { return shell(path, {u".mode csv"_s, u".headers on"_s, u".once "_s + shellCsv, u"SELECT * FROM 出納簿;"_s}); }, ok);
    line(u"sqlite3 shell export of 出納簿"_s, shellExport, ok ? QString() : u"  FAILED"_s);
    const double shellImport = timed(
        [&] {
            return shell(path, {u"DELETE FROM 出納簿;"_s, u".mode csv"_s, u".import --skip 1 "_s + shellCsv + u" 出納簿"_s});
        },
        ok);
    line(u"sqlite3 shell import of 出納簿"_s, shellImport, ok ? QString() : u"  FAILED"_s);
    out << "CSV file of 出納簿: " << csvBytes / (1024 * 1024) << " MiB; shell's: "
        << QFile(shellCsv).size() / (1024 * 1024) << " MiB" << Qt::endl;
    out << "ratio export/shell: " << QString::number(exportAll / shellExport, 'f', 2)
        << ", import/shell: " << QString::number(importAll / shellImport, 'f', 2) << " (aim: at most 2)" << Qt::endl;

    out << Qt::endl << "Conversion of a version-1 ledger of " << records << " records" << Qt::endl;
    QList<Ver1Line> lines;
    lines.reserve(records);
    for (int i = 0; i < records; ++i)
        lines.append({i + 1, 2000.0 + i % 10, 1 + i % 12, 1 + i % 28, u"品目%1"_s.arg(i % 40), i % 5 ? 0 : 1000.5 + i,
                      i % 5 ? 120.25 + i % 1000 : 0, i % 3 ? u"組%1（ミクリ番号：%2）"_s.arg(i % 12).arg(i) : QString()});
    const QString source = dir.filePath(u"ver1.db"_s);
    if (!WriteParadoxLedger(source, lines)) {
        out << "pxlib could not write the file" << Qt::endl;
        return 1;
    }
    int count = 0;
    const double conversion = timed(
        [&] { return ConvertVer1Ledger(source, dir.filePath(u"converted.kzd"_s), host, count) == Ver1Result::Ok; }, ok);
    line(u"ConvertVer1Ledger"_s, conversion,
         u"  %1 records, %2 records/s (aim: above 100,000)%3"_s.arg(count)
             .arg(qint64(count / conversion))
             .arg(ok ? QString() : u"  FAILED"_s));
    return 0;
}
