#include "kinzo/data/CTableAccountItem.h"

#include "kinzo/data/DateValue.h"
#include "kinzo/data/SqlText.h"

using namespace Qt::StringLiterals;

namespace {

const QStringList accountColumns{u"ID"_s,          u"科目名称"_s,       u"レベル"_s,         u"子フラグ"_s,
                                 u"親科目ID"_s,    u"仕分けID"_s,       u"階層番号"_s,       u"有効開始日使用"_s,
                                 u"有効終了日使用"_s, u"有効開始日"_s,     u"有効終了日"_s,     u"表示幅"_s,
                                 u"印刷幅"_s,      u"備考"_s};

QString n(qint64 value)
{
    return QString::number(value);
}

int lastNumber(const QString& code)
{
    QString trimmed = code;
    if (trimmed.endsWith(u'.')) trimmed.chop(1);
    return trimmed.mid(trimmed.lastIndexOf(u'.') + 1).toInt();
}

}  // namespace

CTableAccountItem::CTableAccountItem() : CTableBase(u"勘定科目"_s, accountColumns) {}

_AccountItem CTableAccountItem::ParseItem(const ValueMap& row)
{
    _AccountItem item;
    item.ID = row.value(u"ID"_s).toInt();
    item.name = row.value(u"科目名称"_s);
    item.level = row.value(u"レベル"_s).toInt();
    item.childFlag = row.value(u"子フラグ"_s).toInt();
    item.parentId = row.value(u"親科目ID"_s).toInt();
    item.side = row.value(u"仕分けID"_s).toInt();
    item.code = row.value(u"階層番号"_s);
    item.useStart = row.value(u"有効開始日使用"_s).toInt() != 0 ? 1 : 0;
    item.useEnd = row.value(u"有効終了日使用"_s).toInt() != 0 ? 1 : 0;
    item.start = ParseDateValue(row.value(u"有効開始日"_s));
    item.end = ParseDateValue(row.value(u"有効終了日"_s));
    item.width = row.value(u"表示幅"_s).toInt();
    item.printWidth = row.value(u"印刷幅"_s).toInt();
    item.note = row.value(u"備考"_s);
    return item;
}

DbStatus CTableAccountItem::GetItem(int id, _AccountItem& item)
{
    return GetRecord(id, item, ParseItem);
}

DbStatus CTableAccountItem::SelectItems(const QString& whereClause, const QString& orderClause,
                                        QList<_AccountItem>& items)
{
    items.clear();
    ValueMapList rows;
    const DbStatus status = Select(whereClause, orderClause, rows);
    for (const ValueMap& row : rows) items.append(ParseItem(row));
    return status;
}

DbStatus CTableAccountItem::AddItem(_AccountItem& item)
{
    QString columns = u"科目名称, レベル, 子フラグ, 親科目ID, 仕分けID, 階層番号, 有効開始日使用, 有効終了日使用, 表示幅, 印刷幅"_s;
    QString values = u"'%1', %2, %3, %4, %5, '%6', %7, %8, %9, %10"_s.arg(
        EscapeQuote(item.name), n(item.level), n(item.childFlag), n(item.parentId), n(item.side),
        EscapeQuote(item.code), n(item.useStart), n(item.useEnd), n(item.width), n(item.printWidth));
    if (item.useStart) {
        columns += u", 有効開始日"_s;
        values += u", "_s + DateLiteral(item.start);
    }
    if (item.useEnd) {
        columns += u", 有効終了日"_s;
        values += u", "_s + DateLiteral(item.end);
    }
    if (!item.note.isEmpty()) {
        columns += u", 備考"_s;
        values += u", "_s + TextLiteral(item.note);
    }
    return Insert(columns, values, item.ID);
}

DbStatus CTableAccountItem::AddRoots(_AccountItem& income, _AccountItem& expense)
{
    income = _AccountItem();
    income.name = u"収入"_s;
    income.side = 1;
    income.code = FirstChildCode(QString());
    expense = _AccountItem();
    expense.name = u"支出"_s;
    expense.side = 2;
    expense.code = NextSiblingCode(income.code);
    const DbStatus status = AddItem(income);
    return status == DbStatus::Ok ? AddItem(expense) : status;
}

DbStatus CTableAccountItem::UpdateItem(const _AccountItem& item)
{
    QString set = u"科目名称 = '%1', レベル = %2, 子フラグ = %3, 親科目ID = %4, 仕分けID = %5, 階層番号 = '%6'"
                  ", 有効開始日使用 = %7, 有効終了日使用 = %8"_s.arg(
        EscapeQuote(item.name), n(item.level), n(item.childFlag), n(item.parentId), n(item.side),
        EscapeQuote(item.code), n(item.useStart), n(item.useEnd));
    set += item.useStart ? u", 有効開始日 = "_s + DateLiteral(item.start) : u", 有効開始日 = NULL"_s;
    set += item.useEnd ? u", 有効終了日 = "_s + DateLiteral(item.end) : u", 有効終了日 = NULL"_s;
    set += u", 表示幅 = %1, 印刷幅 = %2"_s.arg(n(item.width), n(item.printWidth));
    set += u", 備考 = "_s + TextLiteralOrNull(item.note);
    return Update(set, u"ID = "_s + n(item.ID));
}

DbStatus CTableAccountItem::DeleteItemsInRange(const QDate& first, const QDate& last)
{
    return Delete(u"有効開始日使用 = True AND 有効終了日使用 = True AND 有効開始日 >= %1 AND 有効終了日 <= %2"_s.arg(
        DateLiteral(first), DateLiteral(last)));
}

DbStatus CTableAccountItem::DeleteInvalidItems(const QDate& first, const QDate& last)
{
    return Delete(InvalidItemFilter(first, last));
}

QString CTableAccountItem::ValidItemFilter(const QDate& first, const QDate& last)
{
    return u"((有効開始日使用 = False AND 有効終了日使用 = False))"
           " OR ((有効開始日使用 = True AND 有効終了日使用 = False) AND 有効開始日 <= %2)"
           " OR ((有効開始日使用 = False AND 有効終了日使用 = True) AND 有効終了日 >= %1)"
           " OR ((有効開始日使用 = True AND 有効終了日使用 = True) AND 有効開始日 <= %2 AND 有効終了日 >= %1)"_s.arg(
        DateLiteral(first), DateLiteral(last));
}

QString CTableAccountItem::InvalidItemFilter(const QDate& first, const QDate& last)
{
    return u"((有効開始日使用 = True AND 有効終了日使用 = False) AND 有効開始日 > %2)"
           " OR ((有効開始日使用 = False AND 有効終了日使用 = True) AND 有効終了日 < %1)"
           " OR ((有効開始日使用 = True AND 有効終了日使用 = True) AND (有効開始日 > %2 OR 有効終了日 < %1))"_s.arg(
        DateLiteral(first), DateLiteral(last));
}

DbStatus CTableAccountItem::GetItemPath(int id, std::array<_AccountItem, 3>& path)
{
    _AccountItem item;
    DbStatus status = GetItem(id, item);
    for (int level = item.level; status == DbStatus::Ok && level >= 1; --level) {
        if (level > 3) return DbStatus::Error;
        path[level - 1] = item;
        if (level > 1) status = GetItem(item.parentId, item);
    }
    return status;
}

DbStatus CTableAccountItem::SelectInTreeOrder(const QString& where, QList<_AccountItem>& items)
{
    const DbStatus status = SelectItems(where, QString(), items);
    std::stable_sort(items.begin(), items.end(),
                     [](const _AccountItem& a, const _AccountItem& b) { return CodeBefore(a.code, b.code); });
    return status;
}

DbStatus CTableAccountItem::LoadChildren(AccountItemNode* node, const QString& validFilter)
{
    QList<_AccountItem> children;
    QString where = u"レベル=%1 AND 親科目ID=%2"_s.arg(n(node->m_data.level + 1), n(node->m_data.ID));
    if (!validFilter.isEmpty()) where += u" AND ("_s + validFilter + u")"_s;
    DbStatus status = SelectInTreeOrder(where, children);
    for (qsizetype i = 0; status == DbStatus::Ok && i < children.size(); ++i) {
        AccountItemNode* child = node->AppendChild(children[i]);
        if (child->m_data.level < 3) status = LoadChildren(child, validFilter);
    }
    return status;
}

DbStatus CTableAccountItem::LoadValidTree(const QDate& first, const QDate& last, AccountItemList& tree)
{
    tree.DeleteChildren();
    QList<_AccountItem> roots;
    DbStatus status = SelectInTreeOrder(u"親科目ID=0"_s, roots);
    const QString filter = first.isValid() || last.isValid() ? ValidItemFilter(first, last) : QString();
    for (qsizetype i = 0; status == DbStatus::Ok && i < roots.size(); ++i)
        status = LoadChildren(tree.AppendChild(roots[i]), filter);
    return status;
}

DbStatus CTableAccountItem::LoadTree(AccountItemList& tree)
{
    return LoadValidTree(QDate(), QDate(), tree);
}

DbStatus CTableAccountItem::UpdateAllItems(AccountItemList& tree)
{
    const QList<AccountItemNode*> nodes = tree.Flatten();
    for (const AccountItemNode* node : nodes)
        if (const DbStatus status = UpdateItem(node->m_data); status != DbStatus::Ok) return status;
    return DbStatus::Ok;
}

DbStatus CTableAccountItem::SaveCodes(AccountItemList& tree)
{
    return SaveCodes(tree.Flatten());
}

DbStatus CTableAccountItem::SaveCodes(const QList<AccountItemNode*>& nodes)
{
    if (const DbStatus status = Begin(); status != DbStatus::Ok) return status;
    if (!m_pConnection->BeginTrans(m_lastError)) return DbStatus::UpdateFailed;
    for (const AccountItemNode* node : nodes) {
        const DbStatus status = ExecuteSql(u"UPDATE 勘定科目 SET 階層番号 = '%1' WHERE ID = %2"_s.arg(
            EscapeQuote(node->m_data.code), n(node->m_data.ID)));
        if (status != DbStatus::Ok) {
            m_pConnection->RollbackTrans();
            return status;
        }
    }
    if (m_pConnection->CommitTrans(m_lastError)) return DbStatus::Ok;
    m_pConnection->RollbackTrans();
    return DbStatus::UpdateFailed;
}

DbStatus CTableAccountItem::FindByParentAndName(int parentId, const QString& name, QList<_AccountItem>& items)
{
    return SelectItems(u"親科目ID=%1 AND 科目名称='%2'"_s.arg(n(parentId), EscapeQuote(name)), QString(), items);
}

DbStatus CTableAccountItem::SearchByName(const QString& text, QList<_AccountItem>& items)
{
    return SelectItems(u"科目名称 LIKE '%"_s + EscapeLike(text) + u"%'"_s, u"科目名称"_s, items);
}

DbStatus CTableAccountItem::FindByNameAndParent(const QString& name, int parentId, QList<_AccountItem>& items)
{
    return SelectItems(u"科目名称='%1' AND 親科目ID=%2"_s.arg(EscapeQuote(name), n(parentId)), QString(), items);
}

DbStatus CTableAccountItem::GetChildren(int parentId, QList<_AccountItem>& items)
{
    return SelectItems(u"親科目ID="_s + n(parentId), QString(), items);
}

DbStatus CTableAccountItem::GetRoot(int side, _AccountItem& root)
{
    QList<_AccountItem> items;
    const DbStatus status = SelectItems(u"仕分けID=%1 AND 親科目ID=0"_s.arg(n(side)), QString(), items);
    if (status != DbStatus::Ok) return status;
    if (items.isEmpty()) return DbStatus::NotFound;
    root = items.first();
    return DbStatus::Ok;
}

DbStatus CTableAccountItem::GetChildrenOrdered(int parentId, QList<_AccountItem>& items)
{
    return SelectItems(u"親科目ID="_s + n(parentId), u"階層番号"_s, items);
}

DbStatus CTableAccountItem::NextChildCode(const _AccountItem& parent, QString& code)
{
    QList<_AccountItem> children;
    const DbStatus status = SelectItems(u"親科目ID = "_s + n(parent.ID), QString(), children);
    if (status != DbStatus::Ok) return status;
    if (children.isEmpty()) {
        code = FirstChildCode(parent.code);
        return DbStatus::Ok;
    }
    const auto highest = std::max_element(children.cbegin(), children.cend(), [](const auto& a, const auto& b) {
        return lastNumber(a.code) < lastNumber(b.code);
    });
    code = NextSiblingCode(highest->code);
    return DbStatus::Ok;
}
