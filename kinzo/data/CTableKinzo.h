#pragma once
// The cash-book entries (table 出納簿). Whether an entry is income or expense
// follows from its account item's class, never from the amount's sign.

#include "kinzo/data/CTableBase.h"

#include <QDate>

class CTableAccountItem;

struct _KinzoEntry {
    int ID = 0;
    QDate date;          // 日付
    int itemId = 0;      // 勘定科目ID
    qint64 amount = 0;   // 金額, yen; stored within the 32-bit range
    int caterId = 0;     // 取引先ID, 0 for none
    int mikuriId = 0;    // ミクリID, 0 for none
    QString note;        // 備考, empty for none
};

class CTableKinzo : public CTableBase {
public:
    CTableKinzo();

    // NotFound when there is no entry with the key.
    virtual DbStatus GetEntry(int id, _KinzoEntry& entry);
    // Inserts the entry (counterparty, ミクリID and note only when set) and
    // sets entry.ID. InsertFailed, also for an amount beyond the 32-bit range.
    virtual DbStatus AddEntry(_KinzoEntry& entry);
    // Writes every column by the key; an empty note becomes NULL. UpdateFailed.
    virtual DbStatus UpdateEntry(const _KinzoEntry& entry);
    // Deletes the entries of first..last (both included), or all others.
    virtual DbStatus DeleteRange(const QDate& first, const QDate& last);
    virtual DbStatus DeleteOutsideRange(const QDate& first, const QDate& last);
    virtual DbStatus CountForItem(int itemId, qint64& count);
    // The first and last day with entries and their number; invalid days and
    // 0 for an empty table.
    virtual DbStatus GetDateRange(QDate& first, QDate& last, qint64& count);
    virtual DbStatus SelectForItemAndMikuri(int itemId, int mikuriId, QList<_KinzoEntry>& entries);
    // Books every entry of the old item to the new one; then, when
    // deleteOldItem is set, deletes the old item from the account table.
    virtual DbStatus MoveToItem(int oldItemId, int newItemId, CTableAccountItem& accounts, bool deleteOldItem);

    static _KinzoEntry ParseEntry(const ValueMap& row);
};
