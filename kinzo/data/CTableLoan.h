#pragma once
// Loans and instalment plans (table 分割支払). Every entry booked to a loan's
// account item from its first month on counts as a repayment; a loan whose
// remaining amount (残額) is 0 or less is repaid.

#include "kinzo/data/CTableBase.h"
#include "kinzo/data/CViewKinzo.h"

#include <QDate>

struct _LoanData {
    int ID = 0;
    int itemId = 0;          // 勘定科目ID
    qint64 total = 0;        // 総返済額
    qint64 monthly = 0;      // 月返済額
    int bonusMonth1 = 0;     // 賞与月１, 0 for none
    int bonusMonth2 = 0;     // 賞与月２
    qint64 bonusAmount = 0;  // 賞与月返済額
    int payDay = 0;          // 支払日
    QDate startMonth;        // 開始年月 (stored as the month's first day)
    QDate endMonth;          // 完済年月, invalid while money is owed
    int announce = 0;        // 自動アナウンス
    qint64 remaining = 0;    // 残額
    QString note;            // 備考
};

class CTableLoan : public CTableBase {
public:
    // Selections of SelectLoans.
    enum { SelectAll = 1, SelectOwing = 2, SelectRepaid = 3 };

    CTableLoan();

    // Deletes the loans whose first and payoff months both lie within the
    // months of first..last, or those that end before or start after them.
    virtual DbStatus DeleteLoansInside(const QDate& first, const QDate& last);
    virtual DbStatus DeleteLoansOutside(const QDate& first, const QDate& last);

    // NotFound when there is no loan with the key.
    DbStatus GetLoan(int id, _LoanData& loan);
    DbStatus SelectLoansForItem(int itemId, QList<_LoanData>& loans);
    // By first month: all loans (SelectAll, or any unknown mode), those with
    // money owed (SelectOwing, 残額 > 0) or those repaid (SelectRepaid).
    DbStatus SelectLoans(int mode, QList<_LoanData>& loans);
    // The entries of the loan's item in first..last, newest first.
    DbStatus GetLoanHistory(int itemId, const QDate& first, const QDate& last, QList<_ViewEntry>& entries);
    // The sum of the entries of the loan's item from the first day of its
    // first month on; 0 when there are none.
    DbStatus GetPaidSince(const _LoanData& loan, qint64& total);
    // Inserts (without a payoff month) and sets loan.ID. InsertFailed.
    DbStatus AddLoan(_LoanData& loan);
    DbStatus UpdateLoan(const _LoanData& loan);

    // After an entry of the loan's item was saved or deleted: the remaining
    // amount becomes the total less GetPaidSince; when it falls below 1 the
    // payoff month is set to today's (kept when already set), and when money
    // is owed again it is cleared. The loan is then stored.
    DbStatus RecomputeRemaining(_LoanData& loan, const QDate& today = QDate::currentDate());
    // RecomputeRemaining for every loan bound to the item (none is no error).
    DbStatus RecomputeForItem(int itemId, const QDate& today = QDate::currentDate());

    static _LoanData ParseLoan(const ValueMap& row);

private:
    DbStatus SelectLoanRecords(const QString& whereClause, const QString& orderClause, QList<_LoanData>& loans);
};
