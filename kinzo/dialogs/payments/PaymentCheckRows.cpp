#include "kinzo/dialogs/payments/PaymentCheckRows.h"

#include "PaymentDueDate.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/SqlText.h"

using namespace Qt::StringLiterals;

namespace {

QString ValidAccountsSql(const QDate& day)
{
    const QString d = DateLiteral(day);
    return u"SELECT 勘定科目.* FROM 定期支払, 勘定科目 WHERE 定期支払.勘定科目ID = 勘定科目.ID AND ("
           "((勘定科目.有効開始日使用 = False AND 勘定科目.有効終了日使用 = False))"
           " OR ((勘定科目.有効開始日使用 = True AND 勘定科目.有効終了日使用 = False) AND (%1 >= 勘定科目.有効開始日))"
           " OR ((勘定科目.有効開始日使用 = False AND 勘定科目.有効終了日使用 = True) AND (%1 <= 勘定科目.有効終了日))"
           " OR ((勘定科目.有効開始日使用 = True AND 勘定科目.有効終了日使用 = True)"
           " AND (%1 >= 勘定科目.有効開始日 AND %1 <= 勘定科目.有効終了日)))"_s.arg(d);
}

std::optional<qint64> LastAmountBefore(CTablePayment& payments, int itemId, const QDate& first)
{
    QList<_ViewEntry> entries;
    if (payments.GetPaymentHistory(itemId, QDate(1900, 1, 1), first.addDays(-1), entries) != DbStatus::Ok
        || entries.isEmpty())
        return std::nullopt;
    return entries.first().amount;
}

QString DayText(const QDate& date)
{
    return u"%1月%2日"_s.arg(date.month()).arg(date.day());
}

}  // namespace

bool FillPaymentCheckRows(CKinzoDoc& document, const QDate& month, int mode, const CHolidayFile& holidays,
                          QList<_PaymentCheckRow>& rows, QString& failure)
{
    rows.clear();
    if (!month.isValid()) {
        failure = u"日付の設定が正しくありません。"_s;
        return false;
    }
    const QDate first(month.year(), month.month(), 1);
    const QDate last = first.addDays(first.daysInMonth() - 1);
    CTablePayment& payments = document.PaymentTable();
    ValueMapList accounts;
    if (document.AccountTable().SelectSql(ValidAccountsSql(first), accounts) != DbStatus::Ok) {
        failure = document.AccountTable().m_lastError;
        return false;
    }
    for (const ValueMap& account : accounts) {
        _PaymentCheckRow row;
        row.itemId = account.value(u"ID"_s).toInt();
        row.name = account.value(u"科目名称"_s);
        QList<_ViewEntry> entries;
        if (payments.GetPaymentHistory(row.itemId, first, last, entries) != DbStatus::Ok) {
            failure = payments.m_lastError;
            return false;
        }
        if (entries.isEmpty()) {
            if (mode == PaymentCheckPaid) continue;
            QList<_PaymentData> found;
            if (payments.SelectPaymentsForItem(row.itemId, found) != DbStatus::Ok || found.isEmpty()) {
                failure = u"定期支払レコード読み込みに失敗しました。\n"_s;
                return false;
            }
            row.date = PaymentDueDate(found.first(), payments.Layout(), first.year(), first.month(), holidays);
            row.stateText = u"未払い"_s;
            row.lastAmount = LastAmountBefore(payments, row.itemId, first);
        } else {
            if (mode == PaymentCheckOpen) continue;
            row.entryId = entries.first().ID;
            row.date = entries.first().date;
            row.stateText = u"支払済み"_s;
        }
        row.dateText = row.date.isValid() ? DayText(row.date) : QString();
        rows.append(row);
    }
    return true;
}
