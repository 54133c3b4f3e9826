#pragma once
// The due date of a recurring payment in a month, the one rule of the check
// list and the start-up reminder: the payment day in the month (a day past the
// month's end is its last day), moved off weekends and holidays by the
// payment's holiday rule. Records of the older layout carry no rule and move
// back to the working day before, as the upgrade of their file would store.

#include "kinzo/data/CTablePayment.h"

#include <QDate>

class CHolidayFile;

// The payment day in the month, clamped to the month's last day; invalid
// for a day below 1 or an invalid month.
QDate DueDayInMonth(int year, int month, int payDay);

// The calendar must hold the year's holidays.
QDate PaymentDueDate(const _PaymentData& payment, int layout, int year, int month, const CHolidayFile& holidays);
