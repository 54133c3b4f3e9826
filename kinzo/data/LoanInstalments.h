#pragma once
// How many instalments of a loan are still to pay: from the first month on,
// each month takes the bonus instalment when it is one of the loan's bonus
// months and that instalment is not 0, else the monthly instalment, until the
// remaining amount is paid (the last instalment may be partial).

#include "kinzo/data/CTableLoan.h"

#include <QDate>

// What the plan asks in a month (1 to 12): the bonus instalment in a bonus
// month when it is not 0, else the monthly instalment.
qint64 InstalmentOfMonth(const _LoanData& loan, int month);

// 0 for a loan with nothing remaining. -1 when the count has no end: a
// monthly instalment below 1 or a negative bonus instalment (a record of a
// file written without the register dialog's checks).
qint64 RemainingInstalments(const _LoanData& loan, const QDate& firstMonth);

// The month counting starts from: the current month when the loan's account
// has no entry in it yet, else the next month.
QDate FirstUnpaidMonth(const QDate& today, bool paidThisMonth);
