#pragma once
// The entries with their account item and counterparty (stored query
// View_出納簿), and every aggregate the ledger views need. Totals are 64-bit
// and come back as text in the named columns of each query. A day given as an
// invalid QDate means "no limit" where the operation says so.

#include "kinzo/data/AccountItemList.h"
#include "kinzo/data/CTableBase.h"

#include <QDate>

struct _ViewEntry {
    int ID = 0;             // 出納簿.ID
    qint64 amount = 0;      // 金額
    QDate date;             // 日付
    int itemId = 0;         // 勘定科目ID
    QString itemName;       // 科目名称
    int level = 0;          // レベル
    int parentId = 0;       // 親科目ID
    int side = 0;           // 仕分けID: 1 income, 2 expense
    int caterId = 0;        // 取引先ID, 0 for none
    QString caterName;      // 取引先名称
    int mikuriId = 0;       // ミクリID
    QString note;           // 出納簿.備考
};

class CViewKinzo : public CTableBase {
public:
    CViewKinzo();

    // Income minus expense of every entry before the day.
    DbStatus GetCarryOver(const QDate& day, qint64& amount);
    // The item's entries, from first and up to last when they are valid,
    // ordered by 日付, 勘定科目ID.
    DbStatus SelectForItem(int itemId, const QDate& first, const QDate& last, QList<_ViewEntry>& entries);
    // The nearest later (earlier) day with an entry; an invalid date when
    // there is none.
    DbStatus NextDateWithData(const QDate& day, QDate& found);
    DbStatus PrevDateWithData(const QDate& day, QDate& found);
    // Per month with entries and account item in first..last (each end open
    // when invalid): columns 年月 ("yyyy/mm"), 勘定科目ID, 合計.
    DbStatus MonthTotals(const QDate& first, const QDate& last, ValueMapList& rows);
    // Per day and account item in first..last (each end open when invalid),
    // by day: 日付, 勘定科目ID, 合計.
    DbStatus DayTotals(const QDate& first, const QDate& last, ValueMapList& rows);
    // Per fiscal year (named by the calendar year it starts in; startMonth
    // 1-12) and account item, from first and up to last when valid: 年度,
    // 勘定科目ID, 合計.
    DbStatus FiscalYearTotals(const QDate& first, const QDate& last, int startMonth, ValueMapList& rows);
    // The entries of first..last (each end open when invalid) by day and key;
    // with a tree (or subtree), only those booked to one of its items.
    DbStatus SelectRange(const QDate& first, const QDate& last, QList<_ViewEntry>& entries);
    DbStatus SelectRange(const QDate& first, const QDate& last, const AccountItemNode* tree,
                         QList<_ViewEntry>& entries);
    // NotFound when there is no entry with the key.
    DbStatus GetViewEntry(int id, _ViewEntry& entry);
    // The entries matching a condition on the query's columns, in an order.
    DbStatus SelectEntries(const QString& whereClause, const QString& orderClause, QList<_ViewEntry>& entries);

    static _ViewEntry ParseEntry(const ValueMap& row);

private:
    bool UseMonthTotals(const QDate& first, const QDate& last);
    // FiscalYearTotals from the kept totals of whole fiscal years; false
    // (status Ok) when they cannot answer and the sums must.
    bool KeptFiscalYearTotals(const QDate& first, const QDate& last, int startMonth, ValueMapList& rows,
                              DbStatus& status);
};
