#pragma once
// Fiscal years and month arithmetic on calendar days. A fiscal year starts on
// day 1 of the start month (1 to 12) and is named by the calendar year it
// starts in: with start month 4, 15 February 2009 lies in fiscal year 2008,
// which runs from 1 April 2008 to 31 March 2009.

#include <QDate>

// The fiscal year of a day: its year, one less when its month is before the start month.
int FiscalYearOf(const QDate& day, int startMonth);
// Day 1 of the start month in that year.
QDate FiscalYearStart(int fiscalYear, int startMonth);
// The day before the next fiscal year starts.
QDate FiscalYearEnd(int fiscalYear, int startMonth);
// The day of year/month/day with the day cut to the month's length (31 April
// gives 30 April, 29 February of a common year gives the 28th).
QDate ClampedDate(int year, int month, int day);
// The same day of the month a number of months away, cut to that month's length.
QDate AddMonthsClamped(const QDate& day, int months);
