#include "kinzo/views/print/ReportGrids.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/FiscalYear.h"
#include "kinzo/views/CListGrid.h"
#include "kinzo/views/summary/CMonthGrid.h"
#include "kinzo/views/summary/CYearGrid.h"
#include "kinzo/views/summary/CYearsGrid.h"
#include "kolib/KoMessageBox.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int PageNumberPoints = 9;
// A large print font still leaves the title on one line.
constexpr int MaxTitlePoints = 14;

std::unique_ptr<CXGrid> BuildListGrid(CKinzoDoc& document, const _PrintRequest& request, AccountItemList& tree)
{
    auto grid = std::make_unique<CListGrid>(1);
    QList<_ViewEntry> entries;
    qint64 carryOver = 0;
    if (document.KinzoView().SelectRange(request.start, request.end, entries) != DbStatus::Ok
        || document.KinzoView().GetCarryOver(request.start, carryOver) != DbStatus::Ok) {
        KoMessageBox(nullptr, u"該当日の出納レコード読み込みに失敗しました。"_s);
        return nullptr;
    }
    grid->SetupTable(int(entries.size()));
    for (qsizetype i = 0; i < entries.size(); ++i)
        if (!grid->FillEntryLine(CListGrid::FirstEntryRow + int(i), entries[i], int(i) + 1, tree)) return nullptr;
    grid->ApplyTotals(carryOver);
    return grid;
}

std::unique_ptr<CSummaryGrid> MakeSummaryGrid(const _PrintRequest& request)
{
    switch (request.report) {
    case DayReport: return std::make_unique<CMonthGrid>(request.orientation, 1);
    case MonthReport: return std::make_unique<CYearGrid>(request.orientation, 1);
    default:
        auto years = std::make_unique<CYearsGrid>(request.orientation, 1);
        years->SetStartMonth(request.startMonth);
        return years;
    }
}

std::unique_ptr<CXGrid> BuildSummaryGrid(CKinzoDoc& document, const _PrintRequest& request, AccountItemList& tree)
{
    std::unique_ptr<CSummaryGrid> grid = MakeSummaryGrid(request);
    if (!grid->CreateAndBuild(document, request.start, request.end, tree)) return nullptr;
    grid->SetExpandLevel(request.expandLevel);
    return grid;
}

QString DayText(const QDate& d)
{
    return QString::asprintf("%4d年%02d月%02d日", d.year(), d.month(), d.day());
}

}  // namespace

QString ReportTitle(int report, const QDate& start, const QDate& end, int startMonth)
{
    QString period;
    if (report == MonthReport) {
        period = QString::asprintf("%4d年%02d月～%4d年%02d月", start.year(), start.month(), end.year(), end.month());
    } else if (report == YearReport) {
        const QString suffix = startMonth == 1 ? u"年"_s : u"年度"_s;
        period = QString::number(FiscalYearOf(start, startMonth)) + suffix + u"～"_s
                 + QString::number(FiscalYearOf(end, startMonth)) + suffix;
    } else {
        period = start == end ? DayText(start) : DayText(start) + u"～"_s + DayText(end);
    }
    return PrintReportName(report) + u"　"_s + period;
}

std::unique_ptr<CXGrid> BuildReportGrid(CKinzoDoc& document, const _PrintRequest& request)
{
    AccountItemList& tree = request.tree ? *request.tree : document.AccountItems();
    std::unique_ptr<CXGrid> grid = request.report == ListReport ? BuildListGrid(document, request, tree)
                                                                : BuildSummaryGrid(document, request, tree);
    if (!grid) return nullptr;
    grid->SetFont(request.fontName, request.fontSize);
    grid->RecalcLayout();
    grid->SetPrintTitle({ReportTitle(request.report, request.start, request.end, request.startMonth), request.fontName,
                         std::min(request.fontSize, MaxTitlePoints)},
                        {request.fontName, PageNumberPoints});
    return grid;
}
