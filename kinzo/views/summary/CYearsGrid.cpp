#include "kinzo/views/summary/CYearsGrid.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/FiscalYear.h"

using namespace Qt::StringLiterals;

CYearsGrid::CYearsGrid(int orientation, int printFlag, QWidget* parent)
    : CSummaryGrid(YearsTable, orientation, printFlag, parent)
{
}

bool CYearsGrid::ReadPeriods(CKinzoDoc& document, QList<_SummaryAmount>& amounts)
{
    // Bounds given (a printed run of years) choose the fiscal years; none
    // (the screen) take them from the data.
    const bool bounded = m_start.isValid() && m_end.isValid();
    const int firstChosen = bounded ? FiscalYearOf(m_start, m_startMonth) : 0;
    const int lastChosen = bounded ? FiscalYearOf(m_end, m_startMonth) : 0;
    m_firstEntry = m_lastEntry = QDate();
    qint64 count = 0;
    ValueMapList rows;
    if (document.KinzoTable().GetDateRange(m_firstEntry, m_lastEntry, count) != DbStatus::Ok
        || document.KinzoView().FiscalYearTotals(QDate(), QDate(), m_startMonth, rows) != DbStatus::Ok)
        return false;
    if (!bounded && (count == 0 || !m_firstEntry.isValid() || !m_lastEntry.isValid())) {
        m_firstEntry = m_lastEntry = m_start = m_end = QDate();
        return true;
    }
    const int firstYear = bounded ? firstChosen : FiscalYearOf(m_firstEntry, m_startMonth);
    const int lastYear = bounded ? std::max(lastChosen, firstChosen) : FiscalYearOf(m_lastEntry, m_startMonth);
    const int years = std::min(lastYear - firstYear + 1, MaxYears);
    const QString suffix = m_startMonth == 1 ? u"年"_s : u"年度"_s;
    for (int i = 0; i < years; ++i)
        m_periods.append({QString::number(firstYear + i) + suffix, QString(),
                          FiscalYearStart(firstYear + i, m_startMonth)});
    m_start = FiscalYearStart(firstYear, m_startMonth);
    m_end = FiscalYearEnd(firstYear + years - 1, m_startMonth);
    for (const ValueMap& row : rows)
        amounts.append({row.value(u"年度"_s).toInt() - firstYear, row.value(u"勘定科目ID"_s).toInt(),
                        row.value(u"合計"_s).toLongLong()});
    return true;
}

QString CYearsGrid::FailureText() const
{
    return u"出納レコード取得（複数年）に失敗しました。"_s;
}

QString CYearsGrid::PeriodLabelHeader(int column) const
{
    return column == 0 ? u"年"_s : QString();
}
