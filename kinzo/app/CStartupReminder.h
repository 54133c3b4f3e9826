#pragma once
// The reminders shown once at start-up when a data file was opened: recurring
// payments and loan instalments of the current month that are due within the
// lead time or overdue and have no entry of their account in the month yet.
// Only bindings marked for announcing take part. A payment's due date moves
// off weekends and holidays by its holiday rule; a loan's does not.
//
// Recurring payments of the older layout (no period, month flags or holiday
// rule) count as due every month and move back to the working day before, as
// the upgrade of such a file would store them. A payment day past the end of
// a short month is due on its last day (PaymentDueDate, shared with the
// check list).

#include <QDate>
#include <QString>

class AccountItemList;
class CHolidayFile;
class CTableLoan;
class CTablePayment;

class CStartupReminder {
public:
    // The tables, tree and calendar must outlive this object.
    CStartupReminder(CTablePayment& payments, CTableLoan& loans, AccountItemList& tree,
                     const CHolidayFile& holidays, int leadDays, const QDate& today);

    // The payment lines, each ending in "\r\n" (empty when none). False when
    // the payments cannot be read; *failure then holds the message to show.
    bool PaymentLines(QString& lines, QString& failure);
    bool LoanLines(QString& lines, QString& failure);

private:
    // The due day of the month as a date, the last day for a day past it.
    QDate DueDate(int payDay) const;
    // Whether the announcing period of a binding due on `due` has begun.
    bool Announcing(const QDate& due) const;
    // "<name>の支払い日は<m>月<d>日です。" before the due date, "<name>が未払いです。" from it on.
    QString Line(int itemId, const QDate& due) const;
    QString AccountName(int itemId) const;

    CTablePayment& m_payments;
    CTableLoan& m_loans;
    AccountItemList& m_tree;
    const CHolidayFile& m_holidays;
    int m_leadDays;
    QDate m_today;
    QDate m_monthFirst;
    QDate m_monthLast;
};
