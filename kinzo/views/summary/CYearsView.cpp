#include "kinzo/views/summary/CYearsView.h"

#include "CKinzoApp.h"
#include "KinzoCommands.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/FiscalYear.h"
#include "kinzo/views/summary/CYearsGrid.h"

using namespace Qt::StringLiterals;

CYearsView::CYearsView(CKinzoDoc& document, QWidget* parent)
    : CSummaryView(FormId, u"年表示"_s, new CYearsGrid(CSummaryGrid::Horizontal), false, document, parent)
{
}

CYearsGrid& CYearsView::YearsGrid() const
{
    return static_cast<CYearsGrid&>(Grid());
}

QDate CYearsView::FirstDate() const
{
    return YearsGrid().FirstEntry();
}

QDate CYearsView::LastDate() const
{
    return YearsGrid().LastEntry();
}

bool CYearsView::BuildTable()
{
    YearsGrid().SetStartMonth(CKinzoApp::StartMonth());
    if (!YearsGrid().CreateAndBuild(GetDocument(), QDate(), QDate(), GetDocument().AccountItems())) return false;
    CKinzoApp* app = CKinzoApp::Instance();
    if (app && FirstDate().isValid()) app->m_settingInfo.m_firstYear = FirstDate().year();
    return true;
}

QString CYearsView::AnnounceText() const
{
    return u"年表示"_s;
}

int CYearsView::PeriodPositionOfViewDate() const
{
    const QList<_PeriodLine>& years = Grid().Periods();
    if (years.isEmpty()) return Grid().FirstPeriodPosition();
    const int month = CKinzoApp::StartMonth();
    const int index = FiscalYearOf(m_date, month) - FiscalYearOf(years.first().date, month);
    return Grid().FirstPeriodPosition() + (index >= 0 && index < years.size() ? index : 0);
}

QDate CYearsView::DateOfCursor() const
{
    const int period = Grid().PeriodOfPosition(Grid().PositionOf(Grid().GetCurrentCell()));
    if (period < 0) return m_date;
    const int fiscalYear = Grid().Periods()[period].date.year();
    const CKinzoApp* app = CKinzoApp::Instance();
    const QDate today = app && app->m_currentDate.isValid() ? app->m_currentDate : m_date;
    return ClampedDate(fiscalYear + (today.month() < CKinzoApp::StartMonth() ? 1 : 0), today.month(), today.day());
}

int CYearsView::FinerViewCommand() const
{
    return CmdYearView;
}

void CYearsView::PeriodOfLine(int period, QDate& first, QDate& last) const
{
    if (period >= 0) {
        const int fiscalYear = Grid().Periods()[period].date.year();
        const int month = CKinzoApp::StartMonth();
        first = FiscalYearStart(fiscalYear, month);
        last = FiscalYearEnd(fiscalYear, month);
        return;
    }
    first = FirstDate();
    last = LastDate();
}

QString CYearsView::CsvFileName() const
{
    return GetDocument().Title() + u"_年表示.csv"_s;
}
