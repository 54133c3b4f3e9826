#include "kinzo/data/CTablePayment.h"

#include "kinzo/data/DateValue.h"
#include "kinzo/data/SqlText.h"

using namespace Qt::StringLiterals;

namespace {

QString n(qint64 value)
{
    return QString::number(value);
}

QStringList columnsOf(int layout)
{
    QStringList columns{u"ID"_s, u"勘定科目ID"_s, u"支払日"_s, u"自動アナウンス"_s};
    if (layout == 1) {
        columns << u"開始日"_s << u"終了日"_s << u"月指定フラグ"_s;
        for (int month = 1; month <= 12; ++month) columns << u"%1月"_s.arg(month);
        columns << u"休日フラグ"_s;
    }
    return columns;
}

}  // namespace

CTablePayment::CTablePayment(int layout) : CTableBase(u"定期支払"_s, columnsOf(layout)), m_layout(layout) {}

void CTablePayment::SetLayout(int layout)
{
    m_layout = layout;
    m_columns = columnsOf(layout);
}

_PaymentData CTablePayment::ParsePayment(const ValueMap& row) const
{
    _PaymentData payment;
    payment.ID = row.value(u"ID"_s).toInt();
    payment.itemId = row.value(u"勘定科目ID"_s).toInt();
    payment.payDay = row.value(u"支払日"_s).toInt();
    payment.announce = row.value(u"自動アナウンス"_s).toInt();
    if (m_layout == 1) {
        payment.start = ParseDateValue(row.value(u"開始日"_s));
        payment.end = ParseDateValue(row.value(u"終了日"_s));
        payment.monthFlag = row.value(u"月指定フラグ"_s).toInt();
        for (int month = 1; month <= 12; ++month) payment.months[month - 1] = row.value(u"%1月"_s.arg(month)).toInt();
        payment.holidayRule = row.value(u"休日フラグ"_s).toInt();
    }
    return payment;
}

DbStatus CTablePayment::DeletePaymentsInside(const QDate& first, const QDate& last)
{
    return Delete(u"(開始日 BETWEEN %1 AND %2) AND (終了日 BETWEEN %1 AND %2)"_s.arg(DateLiteral(first), DateLiteral(last)));
}

DbStatus CTablePayment::DeletePaymentsOutside(const QDate& first, const QDate& last)
{
    return Delete(u"(終了日 < %1) OR (開始日 > %2)"_s.arg(DateLiteral(first), DateLiteral(last)));
}

DbStatus CTablePayment::GetAllPayments(QList<_PaymentData>& payments)
{
    payments.clear();
    ValueMapList rows;
    const DbStatus status = GetAllRecords(rows);
    for (const ValueMap& row : rows) payments.append(ParsePayment(row));
    return status;
}

DbStatus CTablePayment::GetPayment(int id, _PaymentData& payment)
{
    return GetRecord(id, payment, [this](const ValueMap& row) { return ParsePayment(row); });
}

DbStatus CTablePayment::AddPayment(_PaymentData& payment)
{
    QString columns = u"勘定科目ID, 支払日, 自動アナウンス"_s;
    QString values = u"%1, %2, %3"_s.arg(n(payment.itemId), n(payment.payDay), n(payment.announce));
    if (m_layout == 1) {
        columns += u",開始日, 終了日, 月指定フラグ"_s;
        values += u", %1, %2, %3"_s.arg(DateLiteralOrNull(payment.start), DateLiteralOrNull(payment.end), n(payment.monthFlag));
        for (int month = 1; month <= 12; ++month) {
            columns += u", %1月"_s.arg(month);
            values += u", "_s + n(payment.months[month - 1]);
        }
        columns += u", 休日フラグ"_s;
        values += u", "_s + n(payment.holidayRule);
    }
    return Insert(columns, values, payment.ID, u"values"_s);
}

DbStatus CTablePayment::UpdatePayment(const _PaymentData& payment)
{
    QString set = u"勘定科目ID = %1, 支払日 = %2, 自動アナウンス = %3"_s.arg(n(payment.itemId), n(payment.payDay),
                                                                        n(payment.announce));
    if (m_layout == 1) {
        set += u", 開始日 = %1, 終了日 = %2, 月指定フラグ = %3"_s.arg(DateLiteralOrNull(payment.start), DateLiteralOrNull(payment.end),
                                                                    n(payment.monthFlag));
        for (int month = 1; month <= 12; ++month) set += u", %1月 = %2"_s.arg(n(month), n(payment.months[month - 1]));
        set += u", 休日フラグ = "_s + n(payment.holidayRule);
    }
    return Update(set, u"ID = "_s + n(payment.ID));
}

DbStatus CTablePayment::SelectPaymentsForItem(int itemId, QList<_PaymentData>& payments)
{
    payments.clear();
    ValueMapList rows;
    const DbStatus status = Select(u"勘定科目ID = "_s + n(itemId), QString(), rows);
    for (const ValueMap& row : rows) payments.append(ParsePayment(row));
    return status;
}

DbStatus CTablePayment::GetPaymentHistory(int itemId, const QDate& first, const QDate& last,
                                          QList<_ViewEntry>& entries)
{
    CViewKinzo view;
    view.m_pConnection = m_pConnection;
    const DbStatus status = view.SelectEntries(
        u"勘定科目ID = %1 AND 日付 BETWEEN %2 AND %3"_s.arg(n(itemId), DateLiteral(first), DateLiteral(last)), u"日付 DESC"_s,
        entries);
    m_lastError = view.m_lastError;
    return status;
}

int CTablePayment::ConvertLayout0(const QString& oldFile, const QString& newFile, CDBConnection& connection,
                                  const QDate& today)
{
    CDBConnection old;
    if (old.Open(oldFile) != 1 || connection.Open(newFile) != 1) return 0;
    CTablePayment source(0);
    source.m_pConnection = &old;
    QList<_PaymentData> payments;
    if (source.GetAllPayments(payments) != DbStatus::Ok) return 0;
    CTablePayment target(1);
    target.m_pConnection = &connection;
    for (_PaymentData& payment : payments) {
        payment.start = QDate(today.year(), 1, 1);
        payment.end = QDate(today.year(), 12, 31);
        payment.monthFlag = 0;
        payment.months.fill(1);
        payment.holidayRule = 0;
        if (target.AddPayment(payment) != DbStatus::Ok) return 0;
    }
    return 1;
}
