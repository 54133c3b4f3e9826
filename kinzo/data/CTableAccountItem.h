#pragma once
// The account items (table 勘定科目) and the tree they form. Names and other
// text are escaped here; callers pass them as the user wrote them.

#include "kinzo/data/AccountItemList.h"
#include "kinzo/data/CTableBase.h"

#include <array>

class CTableAccountItem : public CTableBase {
public:
    CTableAccountItem();

    // The item with the key; NotFound when there is none.
    virtual DbStatus GetItem(int id, _AccountItem& item);
    virtual DbStatus SelectItems(const QString& whereClause, const QString& orderClause, QList<_AccountItem>& items);
    // Inserts the item (its note too) and sets item.ID. InsertFailed.
    virtual DbStatus AddItem(_AccountItem& item);
    // Inserts the two roots of a new file, 収入 (class 1, code "1.") and 支出
    // (class 2, code "2."), and sets their IDs. InsertFailed.
    DbStatus AddRoots(_AccountItem& income, _AccountItem& expense);
    // Writes every column of the item by its key. UpdateFailed.
    virtual DbStatus UpdateItem(const _AccountItem& item);
    // Deletes the items with both validity days set whose whole validity lies
    // within first..last (the range delete); other items are never touched.
    virtual DbStatus DeleteItemsInRange(const QDate& first, const QDate& last);
    // Deletes the items that are not valid on any day of first..last.
    virtual DbStatus DeleteInvalidItems(const QDate& first, const QDate& last);
    // The path from level 1 down to the item: path[level - 1] is the item,
    // the positions above it its ancestors. A root fills nothing.
    virtual DbStatus GetItemPath(int id, std::array<_AccountItem, 3>& path);
    // LoadTree with only the items of levels 1 to 3 valid in first..last
    // (ValidItemFilter); the roots always.
    virtual DbStatus LoadValidTree(const QDate& first, const QDate& last, AccountItemList& tree);
    // Reads the whole tree into tree (emptied first), each level ordered by
    // the stored 階層番号; the nodes get consecutive codes in that order.
    virtual DbStatus LoadTree(AccountItemList& tree);
    // UpdateItem for every node; stops at the first failure.
    virtual DbStatus UpdateAllItems(AccountItemList& tree);
    // Writes the 階層番号 of every node's record in one transaction, rolled
    // back on error.
    virtual DbStatus SaveCodes(AccountItemList& tree);
    // The same for the given nodes only, in one transaction.
    DbStatus SaveCodes(const QList<AccountItemNode*>& nodes);
    virtual DbStatus FindByParentAndName(int parentId, const QString& name, QList<_AccountItem>& items);
    // Items whose name contains the text (literally), ordered by name.
    virtual DbStatus SearchByName(const QString& text, QList<_AccountItem>& items);
    virtual DbStatus FindByNameAndParent(const QString& name, int parentId, QList<_AccountItem>& items);
    virtual DbStatus GetChildren(int parentId, QList<_AccountItem>& items);
    // The root of a class (1 収入, 2 支出); NotFound when the file has none.
    virtual DbStatus GetRoot(int side, _AccountItem& root);
    virtual DbStatus GetChildrenOrdered(int parentId, QList<_AccountItem>& items);

    // The code for a new last child of the parent: after the highest code
    // among its stored children (compared as numbers: 2.10. after 2.9.).
    DbStatus NextChildCode(const _AccountItem& parent, QString& code);

    // WHERE texts of the items valid on some day of first..last, and of those
    // valid on none. An item without validity days is valid on every day.
    static QString ValidItemFilter(const QDate& first, const QDate& last);
    static QString InvalidItemFilter(const QDate& first, const QDate& last);

    static _AccountItem ParseItem(const ValueMap& row);

private:
    // Siblings in tree order (CodeBefore), not in the text order of the codes.
    DbStatus SelectInTreeOrder(const QString& where, QList<_AccountItem>& items);
    DbStatus LoadChildren(AccountItemNode* node, const QString& validFilter);
};
