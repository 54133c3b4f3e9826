#pragma once
// The rows of the loan check list: each loan of the list mode, ordered by
// first month, with its remaining amount and the instalments still to pay,
// counted from this month when its account has no entry in it yet, else
// from the next. No widgets: the check dialog shows what this returns.

#include "kinzo/data/CTableLoan.h"

#include <QDate>
#include <QList>
#include <QStringList>

class CKinzoDoc;

struct _LoanCheckRow {
    _LoanData loan;
    QString name;
    QDate nextDue;          // the payment day of the first month still to pay
    qint64 nextAmount = 0;  // what the plan asks that month
    // 科目名, 開始年月, 総返済額, 月返済額, 残り回数 (empty when the plan has
    // no end), 残額.
    QStringList texts;
};

// The start month as the lists show it: "%4d年%2d月".
QString LoanMonthText(const QDate& month);

// False with the message to show when a read failed.
bool FillLoanCheckRows(CKinzoDoc& document, int listMode, const QDate& today, QList<_LoanCheckRow>& rows,
                       QString& failure);
