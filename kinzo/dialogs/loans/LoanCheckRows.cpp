#include "kinzo/dialogs/loans/LoanCheckRows.h"

#include "PaymentDueDate.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/LoanInstalments.h"
#include "kinzo/dialogs/loans/LoanListMode.h"

using namespace Qt::StringLiterals;

QString LoanMonthText(const QDate& month)
{
    if (!month.isValid()) return QString();
    return u"%1年%2月"_s.arg(month.year(), 4).arg(month.month(), 2);
}

bool FillLoanCheckRows(CKinzoDoc& document, int listMode, const QDate& today, QList<_LoanCheckRow>& rows,
                       QString& failure)
{
    rows.clear();
    CTableLoan& table = document.LoanTable();
    QList<_LoanData> loans;
    if (table.SelectLoans(LoanSelection(listMode), loans) != DbStatus::Ok) {
        failure = u"分割支払レコード読み込みに失敗しました。"_s;
        return false;
    }
    const QDate monthFirst(today.year(), today.month(), 1);
    const QDate monthLast = monthFirst.addDays(monthFirst.daysInMonth() - 1);
    for (const _LoanData& loan : loans) {
        const AccountItemNode* item = document.AccountItems().Find(loan.itemId);
        if (!item) {
            failure = u"科目レコード読み込みに失敗しました。"_s;
            return false;
        }
        QList<_ViewEntry> thisMonth;
        table.GetLoanHistory(loan.itemId, monthFirst, monthLast, thisMonth);
        const QDate first = FirstUnpaidMonth(today, !thisMonth.isEmpty());
        const qint64 count = RemainingInstalments(loan, first);
        _LoanCheckRow row{loan, item->m_data.name, DueDayInMonth(first.year(), first.month(), loan.payDay),
                          InstalmentOfMonth(loan, first.month()), {}};
        row.texts = {row.name,
                     LoanMonthText(loan.startMonth),
                     QString::number(loan.total),
                     QString::number(loan.monthly),
                     count < 0 ? QString() : QString::number(count),
                     QString::number(loan.remaining)};
        rows.append(row);
    }
    return true;
}
