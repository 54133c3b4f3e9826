#include "kinzo/views/summary/CMonthView.h"

#include "CKinzoApp.h"
#include "KinzoCommands.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/FiscalYear.h"
#include "kinzo/views/summary/CMonthGrid.h"

using namespace Qt::StringLiterals;

CMonthView::CMonthView(CKinzoDoc& document, QWidget* parent)
    : CSummaryView(FormId, u"日表示"_s, new CMonthGrid(CSummaryGrid::Horizontal), true, document, parent)
{
}

QString CMonthView::FirstLoadFailureText() const
{
    return u"データ読み込みに失敗しました。"_s;
}

bool CMonthView::BuildTable()
{
    const QDate first(m_date.year(), m_date.month(), 1);
    return Grid().CreateAndBuild(GetDocument(), first, first.addDays(first.daysInMonth() - 1),
                                 GetDocument().AccountItems()) != 0;
}

QString CMonthView::PeriodText() const
{
    return u"%1年%2月"_s.arg(m_date.year(), 4).arg(m_date.month(), 2);
}

QString CMonthView::AnnounceText() const
{
    return u"日表示 %1年%2月%3日"_s.arg(m_date.year(), 4).arg(m_date.month(), 2).arg(m_date.day(), 2);
}

int CMonthView::PeriodPositionOfViewDate() const
{
    return Grid().FirstPeriodPosition() + m_date.day() - 1;
}

QDate CMonthView::DateOfCursor() const
{
    const int period = Grid().PeriodOfPosition(Grid().PositionOf(Grid().GetCurrentCell()));
    return period >= 0 ? Grid().Periods()[period].date : m_date;
}

int CMonthView::FinerViewCommand() const
{
    return CmdListView;
}

int CMonthView::CoarserViewCommand() const
{
    return CmdYearView;
}

void CMonthView::StepPeriod(int direction)
{
    m_date = AddMonthsClamped(DateOfCursor(), direction);
    if (CKinzoApp* app = CKinzoApp::Instance()) app->m_currentDate = m_date;
    LoadAndAnnounce(u"データ読み込みに失敗しました。"_s);
}

void CMonthView::PeriodOfLine(int period, QDate& first, QDate& last) const
{
    if (period >= 0) {
        first = last = Grid().Periods()[period].date;
        return;
    }
    first = Grid().StartDate();
    last = Grid().EndDate();
}

QString CMonthView::CsvFileName() const
{
    return GetDocument().Title() + u"_日表示_"_s + PeriodText() + u".csv"_s;
}
