// The four printed reports on a household ledger of 100,000 entries (or the
// count given) over ten years, in both orientations: building the print
// grid, splitting it into pages, printing every page to a PDF file, and
// drawing one page as the preview does when the user steps to it (its aim:
// 100 ms, so paging with Ctrl+→ never lags behind the speech). Prints the
// median of each, the pages, the time per printed page and the ratio of
// printing to building.

#include "HouseholdLedger.h"

#include "grid/CXGrid.h"
#include "ScratchHome.h"
#include "kinzo/app/CKinzoApp.h"
#include "kinzo/data/CDBConnection.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/print/PrintPage.h"
#include "kinzo/views/print/ReportGrids.h"
#include "kolib/KoMessageBox.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPrinter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr double previewAimMs = 100;

double medianMs(int runs, const std::function<void()>& run)
{
    std::vector<double> ms;
    QElapsedTimer clock;
    for (int i = 0; i < runs; ++i) {
        clock.start();
        run();
        ms.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

bool makeLedger(CKinzoApp& app, const QString& path, int entries)
{
    if (!app.Document().OnNewDocument(path)) return false;
    app.Document().OnNewDocument(QString());
    CDBConnection connection;
    if (!connection.Open(path)) return false;
    CTableAccountItem accounts;
    accounts.m_pConnection = &connection;
    accounts.DeleteAll();   // the household tree brings its own roots
    bench::fillEntries(connection.Handle(), bench::buildTree(accounts), entries);
    return true;
}

struct Report {
    const char* name;
    int kind;
    QDate start;
    QDate end;
};

}  // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    bench::UseScratchHome(home);
    CKinzoApp app(argc, argv);
    const int entries = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int runs = argc > 2 ? std::max(3, std::atoi(argv[2])) : 7;
    KoSetMessageAnswerer([](const KoMessage&) { return KoAnswer::Ok; });
    QString reasons;
    app.InitialSetup(reasons);
    const QString book = home.filePath(u"家計簿.kzd"_s);
    if (!makeLedger(app, book, entries) || !app.Document().OnOpenDocument(book)) {
        std::fprintf(stderr, "could not build the ledger\n");
        return 1;
    }
    std::printf("ledger: %d entries, 2015-2024; %d runs each, A4 portrait, IPAGothic 12 pt, all levels\n\n", entries,
                runs);
    const Report reports[] = {{"list (リスト表示集計表), one month", 0, QDate(2020, 6, 1), QDate(2020, 6, 30)},
                              {"days (日表示集計表), one month", 1, QDate(2020, 6, 1), QDate(2020, 6, 30)},
                              {"months (月表示集計表), one year", 2, QDate(2020, 1, 1), QDate(2020, 12, 31)},
                              {"years (年表示集計表), ten years", 3, QDate(2015, 1, 1), QDate(2024, 12, 31)}};
    bool previewMet = true;
    for (const Report& report : reports) {
        for (int orientation : {1, 2}) {
            _PrintRequest request{report.kind, report.start, report.end, orientation, u"IPAGothic"_s, 12, 3};
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(home.filePath(u"report.pdf"_s));
            std::unique_ptr<CXGrid> grid;
            const double build = medianMs(runs, [&] { grid = BuildReportGrid(app.Document(), request); });
            if (!grid) return 1;
            const double split = medianMs(runs, [&] { grid->ComputePages(&printer); });
            const int pages = PrintPageCount(*grid);
            const double print = medianMs(runs, [&] { grid->Print(&printer); });
            int page = 0;
            const double preview = medianMs(runs, [&] { RenderPrintPage(*grid, page++ % pages, 800); });
            previewMet = previewMet && preview <= previewAimMs;
            std::printf("%-36s %s: build %7.1f ms  split %5.1f ms  print %7.1f ms for %3d pages (%5.1f ms a page,"
                        " %4.1f x the build)  preview page %5.1f ms\n",
                        report.name, orientation == 1 ? "accounts across" : "accounts down  ", build, split, print,
                        pages, print / pages, print / build, preview);
        }
    }
    std::printf("\npreview page change within %.0f ms: %s\n", previewAimMs, previewMet ? "met" : "NOT met");
    return 0;
}
