#include "HouseholdLedger.h"

#include "kinzo/data/DateValue.h"

#include <QMap>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace bench {

// A household tree: income items, and expense groups with their items, some
// of them split once more.
Ledger buildTree(CTableAccountItem& accounts)
{
    const QList<std::pair<QString, QStringList>> expenseGroups{
        {u"食費"_s, {u"食料品"_s, u"外食/昼食"_s, u"外食/夕食"_s, u"菓子"_s, u"飲料"_s, u"酒類"_s}},
        {u"住居"_s, {u"家賃"_s, u"管理費"_s, u"修繕/水回り"_s, u"修繕/外装"_s, u"家具"_s}},
        {u"光熱費"_s, {u"電気"_s, u"ガス"_s, u"水道"_s}},
        {u"通信"_s, {u"携帯電話/本体"_s, u"携帯電話/通話料"_s, u"固定電話"_s, u"インターネット"_s, u"郵便"_s}},
        {u"交通"_s, {u"電車/通勤"_s, u"電車/私用"_s, u"バス"_s, u"タクシー"_s, u"ガソリン"_s, u"駐車場"_s}},
        {u"日用品"_s, {u"消耗品"_s, u"台所用品"_s, u"衛生用品"_s}},
        {u"衣服"_s, {u"衣類"_s, u"靴"_s, u"クリーニング"_s}},
        {u"医療"_s, {u"病院"_s, u"薬/処方薬"_s, u"薬/市販薬"_s, u"歯科"_s, u"検診"_s}},
        {u"教育"_s, {u"書籍"_s, u"習い事"_s, u"学費"_s}},
        {u"娯楽"_s, {u"旅行/交通費"_s, u"旅行/宿泊"_s, u"趣味"_s, u"映画"_s, u"音楽"_s}},
        {u"交際"_s, {u"贈答"_s, u"会食"_s, u"冠婚葬祭"_s}},
        {u"保険"_s, {u"生命保険"_s, u"火災保険"_s, u"自動車保険"_s}},
        {u"税金"_s, {u"住民税"_s, u"固定資産税"_s, u"自動車税"_s}},
        {u"その他"_s, {u"雑費"_s, u"手数料"_s}},
    };
    Ledger ledger;
    _AccountItem income, expense;
    income.name = u"収入"_s;
    income.side = 1;
    income.code = u"1."_s;
    expense.name = u"支出"_s;
    expense.side = 2;
    expense.code = u"2."_s;
    accounts.AddItem(income);
    accounts.AddItem(expense);
    const auto addChild = [&](const _AccountItem& parent, const QString& name) {
        _AccountItem item = _AccountItem::ChildOf(parent, name);
        accounts.NextChildCode(parent, item.code);
        accounts.AddItem(item);
        return item;
    };
    for (const QString& name : {u"給与"_s, u"賞与"_s, u"副業"_s, u"利息"_s, u"年金"_s, u"雑収入"_s})
        ledger.incomeLeaves << addChild(income, name).ID;
    for (const auto& [group, items] : expenseGroups) {
        const _AccountItem groupItem = addChild(expense, group);
        QMap<QString, _AccountItem> splits;
        for (const QString& path : items) {
            if (!path.contains(u'/')) {
                ledger.expenseLeaves << addChild(groupItem, path).ID;
                continue;
            }
            const QString parent = path.section(u'/', 0, 0);
            if (!splits.contains(parent)) splits.insert(parent, addChild(groupItem, parent));
            ledger.expenseLeaves << addChild(splits[parent], path.section(u'/', 1)).ID;
        }
    }
    return ledger;
}

// Entries in date order over the ten years, as a ledger grows.
void fillEntries(sqlite3* db, const Ledger& ledger, int count)
{
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    for (int i = 1; i <= 50; ++i) {
        const QByteArray sql = "INSERT INTO 取引先 (取引先名称, 表示順序) VALUES ('店" + QByteArray::number(i) + "', " +
                               QByteArray::number(i) + ")";
        sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
    }
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO 出納簿 (日付, 勘定科目ID, 金額, 取引先ID, 備考) VALUES (?, ?, ?, ?, ?)", -1, &stmt,
                       nullptr);
    quint32 seed = 12345;
    const auto next = [&seed] { return seed = seed * 1664525u + 1013904223u, seed >> 8; };
    const qint64 days = firstDay.daysTo(lastDay) + 1;
    for (int i = 0; i < count; ++i) {
        const QDate day = firstDay.addDays(qint64(i) * days / count);
        const bool income = next() % 100 < 8;
        const QList<int>& leaves = income ? ledger.incomeLeaves : ledger.expenseLeaves;
        const QByteArray date = FormatDateValue(day).toLatin1();
        sqlite3_bind_text(stmt, 1, date.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(stmt, 2, leaves[int(next() % leaves.size())]);
        sqlite3_bind_int64(stmt, 3, income ? 250000 + next() % 100000 : 100 + next() % 30000);
        if (next() % 10 < 3) sqlite3_bind_int(stmt, 4, 1 + int(next() % 50));
        else sqlite3_bind_null(stmt, 4);
        const QByteArray note = "メモ" + QByteArray::number(i);
        if (next() % 10 < 2) sqlite3_bind_text(stmt, 5, note.constData(), -1, SQLITE_TRANSIENT);
        else sqlite3_bind_null(stmt, 5);
        sqlite3_step(stmt);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
}

}  // namespace bench
