#include "kinzo/data/CTableLoan.h"

#include "kinzo/data/DateValue.h"
#include "kinzo/data/SqlText.h"

using namespace Qt::StringLiterals;

namespace {

QString n(qint64 value)
{
    return QString::number(value);
}

}  // namespace

CTableLoan::CTableLoan()
    : CTableBase(u"分割支払"_s, {u"ID"_s, u"勘定科目ID"_s, u"総返済額"_s, u"月返済額"_s, u"賞与月１"_s, u"賞与月２"_s,
                                u"賞与月返済額"_s, u"支払日"_s, u"開始年月"_s, u"完済年月"_s, u"自動アナウンス"_s,
                                u"残額"_s, u"備考"_s})
{
}

_LoanData CTableLoan::ParseLoan(const ValueMap& row)
{
    _LoanData loan;
    loan.ID = row.value(u"ID"_s).toInt();
    loan.itemId = row.value(u"勘定科目ID"_s).toInt();
    loan.total = row.value(u"総返済額"_s).toLongLong();
    loan.monthly = row.value(u"月返済額"_s).toLongLong();
    loan.bonusMonth1 = row.value(u"賞与月１"_s).toInt();
    loan.bonusMonth2 = row.value(u"賞与月２"_s).toInt();
    loan.bonusAmount = row.value(u"賞与月返済額"_s).toLongLong();
    loan.payDay = row.value(u"支払日"_s).toInt();
    loan.startMonth = ParseDateValue(row.value(u"開始年月"_s));
    loan.endMonth = ParseDateValue(row.value(u"完済年月"_s));
    loan.announce = row.value(u"自動アナウンス"_s).toInt();
    loan.remaining = row.value(u"残額"_s).toLongLong();
    loan.note = row.value(u"備考"_s);
    return loan;
}

DbStatus CTableLoan::SelectLoanRecords(const QString& whereClause, const QString& orderClause, QList<_LoanData>& loans)
{
    loans.clear();
    ValueMapList rows;
    const DbStatus status = Select(whereClause, orderClause, rows);
    for (const ValueMap& row : rows) loans.append(ParseLoan(row));
    return status;
}

DbStatus CTableLoan::DeleteLoansInside(const QDate& first, const QDate& last)
{
    return Delete(u"(開始年月 BETWEEN %1 AND %2) AND (完済年月 BETWEEN %1 AND %2)"_s.arg(MonthLiteral(first),
                                                                                      MonthLiteral(last)));
}

DbStatus CTableLoan::DeleteLoansOutside(const QDate& first, const QDate& last)
{
    return Delete(u"(完済年月 < %1) OR (開始年月 > %2)"_s.arg(MonthLiteral(first), MonthLiteral(last)));
}

DbStatus CTableLoan::GetLoan(int id, _LoanData& loan)
{
    return GetRecord(id, loan, ParseLoan);
}

DbStatus CTableLoan::SelectLoansForItem(int itemId, QList<_LoanData>& loans)
{
    return SelectLoanRecords(u"勘定科目ID = "_s + n(itemId), QString(), loans);
}

DbStatus CTableLoan::SelectLoans(int mode, QList<_LoanData>& loans)
{
    const QString where = mode == SelectOwing ? u"残額 > 0"_s : mode == SelectRepaid ? u"残額 <= 0"_s : QString();
    return SelectLoanRecords(where, u"開始年月"_s, loans);
}

DbStatus CTableLoan::GetLoanHistory(int itemId, const QDate& first, const QDate& last, QList<_ViewEntry>& entries)
{
    CViewKinzo view;
    view.m_pConnection = m_pConnection;
    const DbStatus status = view.SelectEntries(
        u"勘定科目ID = %1 AND 日付 BETWEEN %2 AND %3"_s.arg(n(itemId), DateLiteral(first), DateLiteral(last)), u"日付 DESC"_s,
        entries);
    m_lastError = view.m_lastError;
    return status;
}

DbStatus CTableLoan::GetPaidSince(const _LoanData& loan, qint64& total)
{
    total = 0;
    ValueMapList rows;
    const DbStatus status =
        SelectSql(u"SELECT SUM(金額) AS 合計 FROM 出納簿 WHERE 勘定科目ID = %1 AND 日付 >= %2 GROUP BY 勘定科目ID"_s.arg(
                      n(loan.itemId), MonthLiteral(loan.startMonth)),
                  rows);
    if (!rows.isEmpty()) total = rows.first().value(u"合計"_s).toLongLong();
    return status;
}

DbStatus CTableLoan::AddLoan(_LoanData& loan)
{
    QString columns = u"勘定科目ID, 総返済額, 月返済額, 支払日, 開始年月, 自動アナウンス, 残額"_s;
    QString values = u"%1, %2, %3, %4, %5, %6, %7"_s.arg(n(loan.itemId), n(loan.total), n(loan.monthly),
                                                          n(loan.payDay), MonthLiteralOrNull(loan.startMonth),
                                                          n(loan.announce), n(loan.remaining));
    const auto addNumber = [&](const QString& column, qint64 value) {
        if (value == 0) return;
        columns += u", "_s + column;
        values += u", "_s + n(value);
    };
    addNumber(u"賞与月１"_s, loan.bonusMonth1);
    addNumber(u"賞与月２"_s, loan.bonusMonth2);
    addNumber(u"賞与月返済額"_s, loan.bonusAmount);
    if (!loan.note.isEmpty()) {
        columns += u", 備考"_s;
        values += u", "_s + TextLiteral(loan.note);
    }
    return Insert(columns, values, loan.ID, u"values"_s);
}

DbStatus CTableLoan::UpdateLoan(const _LoanData& loan)
{
    QString set = u"勘定科目ID = %1, 総返済額 = %2, 月返済額 = %3, 支払日 = %4, 開始年月 = %5"_s.arg(
        n(loan.itemId), n(loan.total), n(loan.monthly), n(loan.payDay), MonthLiteralOrNull(loan.startMonth));
    set += loan.endMonth.isValid() ? u", 完済年月 = "_s + MonthLiteral(loan.endMonth) : u", 完済年月 = NULL"_s;
    set += u", 自動アナウンス = %1, 残額 = %2, 賞与月１ = %3, 賞与月２ = %4, 賞与月返済額 = %5"_s.arg(
        n(loan.announce), n(loan.remaining), n(loan.bonusMonth1), n(loan.bonusMonth2), n(loan.bonusAmount));
    set += u", 備考 = "_s + TextLiteralOrNull(loan.note);
    return Update(set, u"ID = "_s + n(loan.ID));
}

DbStatus CTableLoan::RecomputeRemaining(_LoanData& loan, const QDate& today)
{
    qint64 paid = 0;
    if (const DbStatus status = GetPaidSince(loan, paid); status != DbStatus::Ok) return status;
    loan.remaining = loan.total - paid;
    if (loan.remaining < 1 && !loan.endMonth.isValid()) loan.endMonth = QDate(today.year(), today.month(), 1);
    else if (loan.remaining >= 1) loan.endMonth = QDate();
    return UpdateLoan(loan);
}

DbStatus CTableLoan::RecomputeForItem(int itemId, const QDate& today)
{
    QList<_LoanData> loans;
    DbStatus status = SelectLoansForItem(itemId, loans);
    for (qsizetype i = 0; status == DbStatus::Ok && i < loans.size(); ++i) status = RecomputeRemaining(loans[i], today);
    return status;
}
