#include "kinzo/views/summary/CMonthGrid.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/DateValue.h"

using namespace Qt::StringLiterals;

CMonthGrid::CMonthGrid(int orientation, int printFlag, QWidget* parent)
    : CSummaryGrid(MonthTable, orientation, printFlag, parent)
{
}

bool CMonthGrid::ReadPeriods(CKinzoDoc& document, QList<_SummaryAmount>& amounts)
{
    static const QString weekdays = u"日月火水木金土"_s;
    for (QDate day = m_start; day.isValid() && day <= m_end; day = day.addDays(1)) {
        const int weekday = day.dayOfWeek() % 7;   // Sunday first
        m_periods.append({u"%1月%2日"_s.arg(day.month(), 2).arg(day.day(), 2), weekdays.mid(weekday, 1), day,
                          weekday == 0 || weekday == 6});
    }
    ValueMapList rows;
    if (document.KinzoView().DayTotals(m_start, m_end, rows) != DbStatus::Ok) return false;
    for (const ValueMap& row : rows)
        amounts.append({int(m_start.daysTo(ParseDateValue(row.value(u"日付"_s)))), row.value(u"勘定科目ID"_s).toInt(),
                        row.value(u"合計"_s).toLongLong()});
    return true;
}

QString CMonthGrid::FailureText() const
{
    return u"月間データ読み込みに失敗しました。"_s;
}

QString CMonthGrid::PeriodLabelHeader(int column) const
{
    return column == 0 ? u"日付"_s : u"曜日"_s;
}
