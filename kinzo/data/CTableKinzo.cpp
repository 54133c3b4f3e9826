#include "kinzo/data/CTableKinzo.h"

#include "kinzo/data/CTableAccountItem.h"
#include "kinzo/data/DateValue.h"
#include "kinzo/data/SqlText.h"

using namespace Qt::StringLiterals;

namespace {

QString n(qint64 value)
{
    return QString::number(value);
}

}  // namespace

CTableKinzo::CTableKinzo()
    : CTableBase(u"出納簿"_s, {u"ID"_s, u"日付"_s, u"勘定科目ID"_s, u"金額"_s, u"取引先ID"_s, u"ミクリID"_s, u"備考"_s})
{
}

_KinzoEntry CTableKinzo::ParseEntry(const ValueMap& row)
{
    _KinzoEntry entry;
    entry.ID = row.value(u"ID"_s).toInt();
    entry.date = ParseDateValue(row.value(u"日付"_s));
    entry.itemId = row.value(u"勘定科目ID"_s).toInt();
    entry.amount = row.value(u"金額"_s).toLongLong();
    entry.caterId = row.value(u"取引先ID"_s).toInt();
    entry.mikuriId = row.value(u"ミクリID"_s).toInt();
    entry.note = row.value(u"備考"_s);
    return entry;
}

DbStatus CTableKinzo::GetEntry(int id, _KinzoEntry& entry)
{
    return GetRecord(id, entry, ParseEntry);
}

DbStatus CTableKinzo::AddEntry(_KinzoEntry& entry)
{
    QString columns = u"日付, 勘定科目ID, 金額"_s;
    QString values = u"%1, %2, %3"_s.arg(DateLiteral(entry.date), n(entry.itemId), n(entry.amount));
    if (entry.caterId != 0) {
        columns += u", 取引先ID"_s;
        values += u", "_s + n(entry.caterId);
    }
    if (entry.mikuriId != 0) {
        columns += u", ミクリID"_s;
        values += u", "_s + n(entry.mikuriId);
    }
    if (!entry.note.isEmpty()) {
        columns += u", 備考"_s;
        values += u", "_s + TextLiteral(entry.note);
    }
    return Insert(columns, values, entry.ID, u"values"_s);
}

DbStatus CTableKinzo::UpdateEntry(const _KinzoEntry& entry)
{
    QString set = u"日付 = %1, 勘定科目ID = %2, 金額 = %3, 取引先ID = %4, ミクリID = %5"_s.arg(
        DateLiteral(entry.date), n(entry.itemId), n(entry.amount), n(entry.caterId), n(entry.mikuriId));
    set += u", 備考 = "_s + TextLiteralOrNull(entry.note);
    return Update(set, u"ID = "_s + n(entry.ID));
}

DbStatus CTableKinzo::DeleteRange(const QDate& first, const QDate& last)
{
    return Delete(u"日付 BETWEEN %1 AND %2"_s.arg(DateLiteral(first), DateLiteral(last)));
}

DbStatus CTableKinzo::DeleteOutsideRange(const QDate& first, const QDate& last)
{
    return Delete(u"日付 NOT BETWEEN %1 AND %2"_s.arg(DateLiteral(first), DateLiteral(last)));
}

DbStatus CTableKinzo::CountForItem(int itemId, qint64& count)
{
    ValueMap row;
    const DbStatus status =
        ReadFirst(u"SELECT COUNT(*) AS 件数 FROM %1 WHERE 勘定科目ID=%2"_s.arg(m_tableName, n(itemId)), row);
    count = row.value(u"件数"_s).toLongLong();
    return status;
}

DbStatus CTableKinzo::GetDateRange(QDate& first, QDate& last, qint64& count)
{
    ValueMap row;
    // Apart, MIN and MAX are each one step into the date index; together
    // with COUNT they would read every entry.
    const DbStatus status = ReadFirst(u"SELECT (SELECT MIN(日付) FROM %1) AS startDate, (SELECT MAX(日付) FROM %1) AS endDate,"
                                      " (SELECT COUNT(*) FROM %1) AS counts"_s.arg(m_tableName),
                                      row);
    first = ParseDateValue(row.value(u"startDate"_s));
    last = ParseDateValue(row.value(u"endDate"_s));
    count = row.value(u"counts"_s).toLongLong();
    return status;
}

DbStatus CTableKinzo::SelectForItemAndMikuri(int itemId, int mikuriId, QList<_KinzoEntry>& entries)
{
    entries.clear();
    ValueMapList rows;
    const DbStatus status = Select(u"勘定科目ID=%1 AND ミクリID=%2"_s.arg(n(itemId), n(mikuriId)), QString(), rows);
    for (const ValueMap& row : rows) entries.append(ParseEntry(row));
    return status;
}

DbStatus CTableKinzo::MoveToItem(int oldItemId, int newItemId, CTableAccountItem& accounts, bool deleteOldItem)
{
    DbStatus status = Update(u"勘定科目ID = "_s + n(newItemId), u"勘定科目ID = "_s + n(oldItemId));
    if (status == DbStatus::Ok && deleteOldItem) {
        status = accounts.DeleteById(oldItemId);
        if (status != DbStatus::Ok) m_lastError = accounts.m_lastError;
    }
    return status;
}
