#include "kinzo/data/FiscalYear.h"

#include <algorithm>

int FiscalYearOf(const QDate& day, int startMonth)
{
    return day.month() < startMonth ? day.year() - 1 : day.year();
}

QDate FiscalYearStart(int fiscalYear, int startMonth)
{
    return QDate(fiscalYear, std::clamp(startMonth, 1, 12), 1);
}

QDate FiscalYearEnd(int fiscalYear, int startMonth)
{
    return FiscalYearStart(fiscalYear + 1, startMonth).addDays(-1);
}

QDate ClampedDate(int year, int month, int day)
{
    const QDate first(year, month, 1);
    if (!first.isValid()) return {};
    return QDate(year, month, std::clamp(day, 1, first.daysInMonth()));
}

QDate AddMonthsClamped(const QDate& day, int months)
{
    const int index = day.year() * 12 + (day.month() - 1) + months;
    return ClampedDate(index / 12, index % 12 + 1, day.day());
}
