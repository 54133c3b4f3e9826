#include "kinzo/views/summary/CYearGrid.h"

#include "kinzo/data/CKinzoDoc.h"

using namespace Qt::StringLiterals;

CYearGrid::CYearGrid(int orientation, int printFlag, QWidget* parent)
    : CSummaryGrid(YearTable, orientation, printFlag, parent)
{
}

bool CYearGrid::ReadPeriods(CKinzoDoc& document, QList<_SummaryAmount>& amounts)
{
    const QDate first(m_start.year(), m_start.month(), 1);
    // A fiscal year on screen; printing may ask for any run of months.
    const int months = m_end.isValid() && m_end >= first
                           ? (m_end.year() - first.year()) * 12 + m_end.month() - first.month() + 1
                           : 12;
    for (int i = 0; i < months; ++i) {
        const QDate month = first.addMonths(i);
        m_periods.append({u"%1年%2月"_s.arg(month.year(), 4, 10, QChar(u'0')).arg(month.month(), 2), QString(), month});
    }
    ValueMapList rows;
    if (document.KinzoView().MonthTotals(m_start, m_end, rows) != DbStatus::Ok) return false;
    for (const ValueMap& row : rows) {
        const QString yearMonth = row.value(u"年月"_s);
        const int index = (yearMonth.section(u'/', 0, 0).toInt() - first.year()) * 12
                          + yearMonth.section(u'/', 1, 1).toInt() - first.month();
        amounts.append({index, row.value(u"勘定科目ID"_s).toInt(),
                        row.value(u"合計"_s).toLongLong()});
    }
    return true;
}

QString CYearGrid::FailureText() const
{
    return u"出納レコード取得（年間）に失敗しました。"_s;
}

QString CYearGrid::PeriodLabelHeader(int column) const
{
    return column == 0 ? u"月"_s : QString();
}
