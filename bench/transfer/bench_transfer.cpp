// Builds a ledger of 1,000,000 entries (or the count given), then times the
// document's export, import and backup, and the conversion of a version-1
// ledger of 200,000 records (or the second count given), first without and
// then with the progress window, and prints the times, their ratio, how often
// the window was updated and the longest gap between two updates (how long
// the program could not paint or take a key), overall and while the indexes
// and totals were built.

#include "HouseholdLedger.h"
#include "ParadoxFiles.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/DataFiles.h"
#include "kinzo/data/Ver1Converter.h"
#include "kinzo/dialogs/transfer/CWorkProgress.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWidget>

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

struct Run {
    double seconds = 0;
    int updates = 0;
    double longestGapMs = 0;
    int finishingUpdates = 0;
    double longestFinishingGapMs = 0;  // ending at an update of the finishing stage
    bool ok = false;
};

// Runs work with the progress window (and a counter wrapped around it) or bare.
Run timed(QWidget* owner, bool withWindow, const std::function<bool(const RowProgress&)>& work)
{
    Run run;
    QElapsedTimer clock, gap;
    CWorkProgress window(owner, u"作業中"_s);
    const RowProgress inner = window.Callback();
    clock.start();
    gap.start();
    const RowProgress counted = [&](qint64 done, qint64 total) {
        ++run.updates;
        const double gapMs = gap.nsecsElapsed() / 1e6;
        run.longestGapMs = std::max(run.longestGapMs, gapMs);
        if (done == FinishingWork) {
            ++run.finishingUpdates;
            run.longestFinishingGapMs = std::max(run.longestFinishingGapMs, gapMs);
        }
        const bool go = inner(done, total);
        gap.restart();
        return go;
    };
    run.ok = work(withWindow ? counted : RowProgress());
    run.seconds = clock.nsecsElapsed() / 1e9;
    return run;
}

void print(const char* what, const Run& bare, const Run& shown)
{
    out << what << ": " << bare.seconds << " s bare, " << shown.seconds << " s with the window (ratio "
        << shown.seconds / bare.seconds << "), " << shown.updates << " updates, longest gap " << shown.longestGapMs
        << " ms";
    if (shown.finishingUpdates > 0)
        out << "; building indexes and totals: " << shown.finishingUpdates << " updates, longest gap "
            << shown.longestFinishingGapMs << " ms";
    out << (bare.ok && shown.ok ? "" : "  FAILED") << Qt::endl;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int entries = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 1000000;
    const int records = argc > 2 ? QString::fromLatin1(argv[2]).toInt() : 200000;
    QTemporaryDir dir;
    PrintingHost host;
    CDBConnection connection;
    CKinzoDoc doc(connection, host);
    if (!doc.OnNewDocument(dir.filePath(u"big.kzd"_s))) return 1;
    doc.AccountTable().DeleteAll();  // the household tree brings its own roots
    bench::fillEntries(connection.Handle(), bench::buildTree(doc.AccountTable()), entries);
    doc.ReloadAccountItems();
    out << "ledger of " << entries << " entries" << Qt::endl;
    QWidget owner;
    owner.show();

    const QString folder = dir.filePath(u"csv"_s);
    const auto exportAll = [&](const RowProgress& p) { return doc.ExportAllCsv(folder, p); };
    const Run exportBare = timed(&owner, false, exportAll);
    print("export", exportBare, timed(&owner, true, exportAll));
    const auto importAll = [&](const RowProgress& p) { return doc.ImportAllCsv(folder, p); };
    const Run importBare = timed(&owner, false, importAll);
    print("import", importBare, timed(&owner, true, importAll));
    const auto backup = [&](const RowProgress& p) { return doc.BackupTo(dir.filePath(u"copy.kzd"_s), p); };
    const Run backupBare = timed(&owner, false, backup);
    print("backup", backupBare, timed(&owner, true, backup));

    QList<Ver1Line> lines;
    lines.reserve(records);
    for (int i = 0; i < records; ++i)
        lines.append({i + 1, 2000.0 + i % 10, 1 + i % 12, 1 + i % 28, u"品目%1"_s.arg(i % 40), i % 5 ? 0 : 1000.0 + i,
                      i % 5 ? 120.0 + i % 1000 : 0, i % 3 ? u"組%1"_s.arg(i % 12) : QString()});
    const QString source = dir.filePath(u"ver1.db"_s);
    if (!WriteParadoxLedger(source, lines)) {
        out << "pxlib could not write the version-1 file" << Qt::endl;
        return 1;
    }
    const auto convert = [&](const RowProgress& p) {
        int count = 0;
        return ConvertVer1Ledger(source, dir.filePath(u"converted.kzd"_s), host, count, p) == Ver1Result::Ok &&
               count == records;
    };
    out << "version-1 ledger of " << records << " records" << Qt::endl;
    const Run convertBare = timed(&owner, false, convert);
    print("conversion", convertBare, timed(&owner, true, convert));
    return 0;
}
