#include "kinzo/data/CTableCater.h"

#include "kinzo/data/SqlText.h"

using namespace Qt::StringLiterals;

CTableCater::CTableCater() : CTableBase(u"取引先"_s, {u"ID"_s, u"取引先名称"_s, u"表示順序"_s}) {}

_CaterData CTableCater::ParseCater(const ValueMap& row)
{
    return {row.value(u"ID"_s).toInt(), row.value(u"取引先名称"_s), row.value(u"表示順序"_s).toInt()};
}

DbStatus CTableCater::SelectCaters(const QString& whereClause, const QString& orderClause, QList<_CaterData>& caters)
{
    caters.clear();
    ValueMapList rows;
    const DbStatus status = Select(whereClause, orderClause, rows);
    for (const ValueMap& row : rows) caters.append(ParseCater(row));
    return status;
}

DbStatus CTableCater::AddCater(_CaterData& cater)
{
    return Insert(u"取引先名称, 表示順序"_s,
                  u"'%1', %2"_s.arg(EscapeQuote(cater.name), QString::number(cater.order)), cater.ID, u"values"_s);
}

DbStatus CTableCater::FindCaterByName(const QString& name, QList<_CaterData>& caters)
{
    return SelectCaters(u"取引先名称='"_s + EscapeQuote(name) + u"'"_s, QString(), caters);
}

DbStatus CTableCater::UpdateCater(const _CaterData& cater)
{
    return Update(u"取引先名称 = '%1', 表示順序 = %2"_s.arg(EscapeQuote(cater.name), QString::number(cater.order)),
                  u"ID = "_s + QString::number(cater.ID));
}

DbStatus CTableCater::GetAllCaters(QList<_CaterData>& caters)
{
    return SelectCaters(QString(), u"取引先名称"_s, caters);
}
