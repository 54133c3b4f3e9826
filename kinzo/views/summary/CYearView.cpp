#include "kinzo/views/summary/CYearView.h"

#include "CKinzoApp.h"
#include "KinzoCommands.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/FiscalYear.h"
#include "kinzo/views/summary/CYearGrid.h"

using namespace Qt::StringLiterals;

CYearView::CYearView(CKinzoDoc& document, QWidget* parent)
    : CSummaryView(FormId, u"月表示"_s, new CYearGrid(CSummaryGrid::Horizontal), true, document, parent)
{
}

bool CYearView::BuildTable()
{
    const int month = CKinzoApp::StartMonth();
    const int year = FiscalYearOf(m_date, month);
    return Grid().CreateAndBuild(GetDocument(), FiscalYearStart(year, month), FiscalYearEnd(year, month),
                                 GetDocument().AccountItems()) != 0;
}

QString CYearView::PeriodText() const
{
    const int month = CKinzoApp::StartMonth();
    if (month == 1) return u"%1年"_s.arg(m_date.year(), 4);
    return u"%1年度"_s.arg(FiscalYearOf(m_date, month), 4);
}

QString CYearView::AnnounceText() const
{
    const int month = CKinzoApp::StartMonth();
    if (month == 1) return u"月表示 %1年"_s.arg(m_date.year(), 4);
    return u"月表示 %1年度"_s.arg(FiscalYearOf(m_date, month));
}

int CYearView::PeriodPositionOfViewDate() const
{
    return Grid().FirstPeriodPosition() + (m_date.month() - CKinzoApp::StartMonth() + 12) % 12;
}

QDate CYearView::DateOfCursor() const
{
    const int period = Grid().PeriodOfPosition(Grid().PositionOf(Grid().GetCurrentCell()));
    if (period < 0) return m_date;
    const QDate month = Grid().Periods()[period].date;
    const CKinzoApp* app = CKinzoApp::Instance();
    const int day = app && app->m_currentDate.isValid() ? app->m_currentDate.day() : m_date.day();
    return ClampedDate(month.year(), month.month(), day);
}

int CYearView::FinerViewCommand() const
{
    return CmdMonthView;
}

int CYearView::CoarserViewCommand() const
{
    return CmdYearsView;
}

void CYearView::StepPeriod(int direction)
{
    m_date = AddMonthsClamped(DateOfCursor(), 12 * direction);
    if (CKinzoApp* app = CKinzoApp::Instance()) app->m_currentDate = m_date;
    LoadAndAnnounce(u"データ読み込みに失敗しました。"_s);
}

void CYearView::PeriodOfLine(int period, QDate& first, QDate& last) const
{
    if (period >= 0) {
        first = Grid().Periods()[period].date;
        last = first.addDays(first.daysInMonth() - 1);
        return;
    }
    first = Grid().StartDate();
    last = Grid().EndDate();
}

QString CYearView::CsvFileName() const
{
    return GetDocument().Title() + u"_月表示_"_s + PeriodText() + u".csv"_s;
}
