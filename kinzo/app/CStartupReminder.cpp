#include "CStartupReminder.h"

#include "CHolidayFile.h"
#include "PaymentDueDate.h"

#include "kinzo/data/AccountItemList.h"
#include "kinzo/data/CTableLoan.h"
#include "kinzo/data/CTablePayment.h"

using namespace Qt::StringLiterals;

CStartupReminder::CStartupReminder(CTablePayment& payments, CTableLoan& loans, AccountItemList& tree,
                                   const CHolidayFile& holidays, int leadDays, const QDate& today)
    : m_payments(payments), m_loans(loans), m_tree(tree), m_holidays(holidays), m_leadDays(leadDays),
      m_today(today), m_monthFirst(today.year(), today.month(), 1),
      m_monthLast(m_monthFirst.addDays(m_monthFirst.daysInMonth() - 1))
{
}

QDate CStartupReminder::DueDate(int payDay) const
{
    return DueDayInMonth(m_monthFirst.year(), m_monthFirst.month(), payDay);
}

bool CStartupReminder::Announcing(const QDate& due) const
{
    return m_today >= due.addDays(-m_leadDays);
}

QString CStartupReminder::AccountName(int itemId) const
{
    const AccountItemNode* node = m_tree.Find(itemId);
    return node ? node->m_data.name : QString();
}

QString CStartupReminder::Line(int itemId, const QDate& due) const
{
    if (m_today < due)
        return u"%1の支払い日は%2月%3日です。\r\n"_s.arg(AccountName(itemId)).arg(due.month()).arg(due.day());
    return AccountName(itemId) + u"が未払いです。\r\n"_s;
}

bool CStartupReminder::PaymentLines(QString& lines, QString& failure)
{
    lines.clear();
    QList<_PaymentData> payments;
    if (m_payments.GetAllPayments(payments) != DbStatus::Ok) {
        failure = u"支払データ取得に失敗しました。"_s;
        return false;
    }
    const bool olderLayout = m_payments.Layout() == 0;
    for (const _PaymentData& payment : payments) {
        const QDate due = DueDate(payment.payDay);
        if (!payment.announce || !due.isValid() || !Announcing(due)) continue;
        const bool applies = olderLayout
                             || ((!payment.start.isValid() || m_today >= payment.start)
                                 && (!payment.end.isValid() || m_today <= payment.end)
                                 && payment.months[m_today.month() - 1] != 0);
        if (!applies) continue;
        QList<_ViewEntry> entries;
        if (m_payments.GetPaymentHistory(payment.itemId, m_monthFirst, m_monthLast, entries) != DbStatus::Ok)
            continue;
        if (!entries.isEmpty()) continue;
        lines += Line(payment.itemId,
                      PaymentDueDate(payment, m_payments.Layout(), due.year(), due.month(), m_holidays));
    }
    return true;
}

bool CStartupReminder::LoanLines(QString& lines, QString& failure)
{
    lines.clear();
    QList<_LoanData> loans;
    if (m_loans.SelectLoans(CTableLoan::SelectOwing, loans) != DbStatus::Ok) {
        failure = u"ローン残データ取得に失敗しました。"_s;
        return false;
    }
    for (const _LoanData& loan : loans) {
        const QDate due = DueDate(loan.payDay);
        if (!loan.announce || !due.isValid() || !Announcing(due)) continue;
        QList<_ViewEntry> entries;
        if (m_loans.GetLoanHistory(loan.itemId, m_monthFirst, m_monthLast, entries) != DbStatus::Ok) continue;
        if (entries.isEmpty()) lines += Line(loan.itemId, due);
    }
    return true;
}
