#include "kinzo/views/print/PrintCommand.h"

#include "CKinzoApp.h"
#include "grid/CXGrid.h"
#include "CMainFrame.h"
#include "KinzoCommands.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/FiscalYear.h"
#include "kinzo/dialogs/print/CKinzoPrintDialog.h"
#include "kinzo/views/CDayView.h"
#include "kinzo/views/print/ReportGrids.h"
#include "kinzo/views/summary/CMonthView.h"
#include "kinzo/views/summary/CYearView.h"
#include "kinzo/views/summary/CYearsView.h"

namespace {

struct ViewPeriod {
    int report = ListReport;
    QDate start;
    QDate end;
};

int ReportOfForm(int formId)
{
    switch (formId) {
    case CMonthView::FormId: return DayReport;
    case CYearView::FormId: return MonthReport;
    case CYearsView::FormId: return YearReport;
    default: return ListReport;
    }
}

// The report of the active view and its period; the current date where the
// view has none (the day list, a years table without entries).
ViewPeriod PeriodOfActiveView(const CMainFrame& frame)
{
    const QDate today = frame.App().m_currentDate.isValid() ? frame.App().m_currentDate : QDate::currentDate();
    ViewPeriod period{ReportOfForm(frame.ActiveFormId()), today, today};
    if (const auto* day = qobject_cast<const CDayView*>(frame.ActiveView())) period.start = period.end = day->Date();
    const auto* summary = qobject_cast<const CSummaryView*>(frame.ActiveView());
    if (summary && summary->Grid().StartDate().isValid() && summary->Grid().EndDate().isValid()) {
        period.start = summary->Grid().StartDate();
        period.end = summary->Grid().EndDate();
    }
    if (period.report == YearReport) {
        // The year pickers name fiscal years.
        const int startMonth = CKinzoApp::StartMonth();
        period.start = FiscalYearStart(FiscalYearOf(period.start, startMonth), startMonth);
        period.end = FiscalYearStart(FiscalYearOf(period.end, startMonth), startMonth);
    }
    return period;
}

}  // namespace

void RegisterPrintCommand()
{
    SetPrintGridBuilder(BuildReportGrid);
    CMainFrame::RegisterCommand(CmdPrint, {[](CMainFrame& frame) {
                                               const ViewPeriod period = PeriodOfActiveView(frame);
                                               CKinzoPrintDialog dialog(&frame, frame.Document(), period.report,
                                                                        period.start, period.end);
                                               dialog.DoModal();
                                           },
                                           [](const CMainFrame& frame) { return frame.Document().IsOpen(); }});
}
