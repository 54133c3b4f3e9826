#include "PaymentDueDate.h"

#include "CHolidayFile.h"

#include <algorithm>

QDate DueDayInMonth(int year, int month, int payDay)
{
    const QDate first(year, month, 1);
    if (!first.isValid() || payDay < 1) return QDate();
    return first.addDays(std::min(payDay, first.daysInMonth()) - 1);
}

QDate PaymentDueDate(const _PaymentData& payment, int layout, int year, int month, const CHolidayFile& holidays)
{
    const QDate day = DueDayInMonth(year, month, payment.payDay);
    if (!day.isValid()) return QDate();
    QDate due = day;
    AdjustForHoliday(holidays, year, month, day.day(), layout == 0 ? HolidayRuleBefore : payment.holidayRule, due);
    return due;
}
