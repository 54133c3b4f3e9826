// The account tree: ordering codes, tree operations, loading, validity.

#include "LedgerFixture.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QStringList codesOf(AccountItemNode& node)
{
    QStringList codes;
    for (const AccountItemNode* n : node.Flatten()) codes << n->m_data.name + u'=' + n->m_code;
    return codes;
}

_AccountItem limited(const _AccountItem& parent, const QString& name, const QDate& start, const QDate& end)
{
    _AccountItem item = _AccountItem::ChildOf(parent, name);
    item.useStart = start.isValid();
    item.useEnd = end.isValid();
    item.start = start;
    item.end = end;
    return item;
}

}  // namespace

class TestAccountItems : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void orderingCodes()
    {
        QCOMPARE(FirstChildCode(QString()), u"1."_s);
        QCOMPARE(FirstChildCode(u"2."_s), u"2.1."_s);
        QCOMPARE(NextSiblingCode(u"2."_s), u"3."_s);
        QCOMPARE(NextSiblingCode(u"1.2."_s), u"1.3."_s);
        QCOMPARE(NextSiblingCode(u"2.9."_s), u"2.10."_s);
        QCOMPARE(NextSiblingCode(u"1.2.19."_s), u"1.2.20."_s);
    }

    void codesPastNineAndTextOrder()
    {
        LedgerFixture ledger;
        QVERIFY(ledger.Create());
        for (int i = 1; i <= 11; ++i) ledger.AddChild(ledger.expense, u"e%1"_s.arg(i));
        QList<_AccountItem> children;
        QCOMPARE(ledger.accounts.GetChildrenOrdered(ledger.expense.ID, children), DbStatus::Ok);
        QStringList stored;
        for (const _AccountItem& child : children) stored << child.code;
        QCOMPARE(stored.mid(0, 4), (QStringList{u"2.1."_s, u"2.10."_s, u"2.11."_s, u"2.2."_s}));
        // The tree keeps the order the items were made in, tenth after ninth.
        AccountItemList tree;
        QCOMPARE(ledger.accounts.LoadTree(tree), DbStatus::Ok);
        QStringList names;
        for (const AccountItemNode* n = tree.Find(ledger.expense.ID)->m_firstChild; n; n = n->m_next)
            names << n->m_data.name + u'=' + n->m_code;
        QStringList made;
        for (int i = 1; i <= 11; ++i) made << u"e%1=2.%1."_s.arg(i);
        QCOMPARE(names, made);
        // A swap of codes leaves the highest number last by key; the next code
        // still comes after the highest one.
        QString next;
        QCOMPARE(ledger.accounts.ExecuteSql(u"UPDATE 勘定科目 SET 階層番号 = '2.5.' WHERE 科目名称 = 'e11'"_s), DbStatus::Ok);
        QCOMPARE(ledger.accounts.ExecuteSql(u"UPDATE 勘定科目 SET 階層番号 = '2.11.' WHERE 科目名称 = 'e5'"_s), DbStatus::Ok);
        QCOMPARE(ledger.accounts.NextChildCode(ledger.expense, next), DbStatus::Ok);
        QCOMPARE(next, u"2.12."_s);
        QCOMPARE(ledger.accounts.NextChildCode(children[0], next), DbStatus::Ok);
        QCOMPARE(next, children[0].code + u"1."_s);
    }

    void loadTreeAndPaths()
    {
        LedgerFixture ledger;
        QVERIFY(ledger.Create());
        const _AccountItem house = ledger.AddChild(ledger.expense, u"住居"_s);
        const _AccountItem food = ledger.AddChild(ledger.expense, u"食費"_s);
        const _AccountItem utilities = ledger.AddChild(house, u"光熱費"_s);
        const _AccountItem power = ledger.AddChild(utilities, u"電気"_s);
        ledger.AddChild(ledger.income, u"給与"_s);
        AccountItemList tree;
        QCOMPARE(ledger.accounts.LoadTree(tree), DbStatus::Ok);
        QCOMPARE(codesOf(tree), (QStringList{u"収入=1."_s, u"給与=1.1."_s, u"支出=2."_s, u"住居=2.1."_s,
                                             u"光熱費=2.1.1."_s, u"電気=2.1.1.1."_s, u"食費=2.2."_s}));
        AccountItemNode* powerNode = tree.Find(power.ID);
        QVERIFY(powerNode);
        QCOMPARE(powerNode->m_depth, 3);
        QCOMPARE(tree.SubtreeIds(tree.Find(house.ID)), (QList<int>{house.ID, utilities.ID, power.ID}));

        std::array<_AccountItem, 3> path;
        QCOMPARE(ledger.accounts.GetItemPath(power.ID, path), DbStatus::Ok);
        QCOMPARE(path[0].name + path[1].name + path[2].name, u"住居光熱費電気"_s);
        std::array<_AccountItem, 3> rootPath;
        QCOMPARE(ledger.accounts.GetItemPath(ledger.expense.ID, rootPath), DbStatus::Ok);
        QCOMPARE(rootPath[0].ID, 0);
        QCOMPARE(ledger.accounts.GetItemPath(9999, path), DbStatus::NotFound);
        _AccountItem root;
        QCOMPARE(ledger.accounts.GetRoot(2, root), DbStatus::Ok);
        QCOMPARE(root.ID, ledger.expense.ID);
        QCOMPARE(ledger.accounts.GetRoot(3, root), DbStatus::NotFound);
        Q_UNUSED(food);
    }

    void treeOperations()
    {
        AccountItemList tree;
        AccountItemNode* expense = tree.AppendChild({});
        tree.AppendChild({});
        QCOMPARE(expense->m_code, u"1."_s);
        QList<AccountItemNode*> nodes;
        for (const QString& name : {u"a"_s, u"b"_s, u"c"_s}) {
            _AccountItem item;
            item.name = name;
            nodes << expense->AppendChild(item);
        }
        QVERIFY(nodes[2]->MoveUp());
        QCOMPARE(codesOf(*expense), (QStringList{u"a=1.1."_s, u"c=1.2."_s, u"b=1.3."_s}));
        QVERIFY(nodes[2]->m_changed && nodes[1]->m_changed);
        QVERIFY(!nodes[0]->MoveUp());
        QVERIFY(!nodes[1]->MoveDown());
        QVERIFY(nodes[1]->MoveFirst());
        QVERIFY(!nodes[1]->MoveFirst());
        expense->Renumber();
        QCOMPARE(codesOf(*expense), (QStringList{u"b=1.1."_s, u"a=1.2."_s, u"c=1.3."_s}));
        QVERIFY(nodes[1]->MoveLast());
        expense->Renumber();
        QCOMPARE(codesOf(*expense), (QStringList{u"a=1.1."_s, u"c=1.2."_s, u"b=1.3."_s}));

        _AccountItem leaf;
        leaf.name = u"leaf"_s;
        nodes[0]->AppendChild(leaf);
        nodes[0]->MoveTo(tree.m_lastChild);
        // The siblings left behind keep their codes until the caller renumbers them.
        QCOMPARE(codesOf(tree), (QStringList{u"=1."_s, u"c=1.2."_s, u"b=1.3."_s, u"=2."_s, u"a=2.1."_s, u"leaf=2.1.1."_s}));
        QCOMPARE(tree.Find(0), tree.m_firstChild);
        QStringList childFirst;
        tree.ForEachChildFirst([&](AccountItemNode* node) { childFirst << node->m_data.name; });
        QCOMPARE(childFirst, (QStringList{u"c"_s, u"b"_s, u""_s, u"leaf"_s, u"a"_s, u""_s}));
        nodes[0]->DeleteChildren();
        QVERIFY(!nodes[0]->HasChildren());
    }

    void saveCodesAndUpdates()
    {
        LedgerFixture ledger;
        QVERIFY(ledger.Create());
        ledger.AddChild(ledger.expense, u"a"_s);
        ledger.AddChild(ledger.expense, u"b"_s);
        AccountItemList tree;
        QCOMPARE(ledger.accounts.LoadTree(tree), DbStatus::Ok);
        QVERIFY(tree.m_lastChild->m_lastChild->MoveUp());
        for (AccountItemNode* node : tree.Flatten()) node->m_data.code = node->m_code;
        QCOMPARE(ledger.accounts.SaveCodes(tree), DbStatus::Ok);
        QCOMPARE(ledger.accounts.LoadTree(tree), DbStatus::Ok);
        QCOMPARE(tree.m_lastChild->m_firstChild->m_data.name, u"b"_s);

        AccountItemNode* a = tree.m_lastChild->m_lastChild;
        a->m_data.name = u"O'Hara"_s;
        a->m_data.note = u"memo"_s;
        QCOMPARE(ledger.accounts.UpdateAllItems(tree), DbStatus::Ok);
        QList<_AccountItem> found;
        QCOMPARE(ledger.accounts.FindByParentAndName(ledger.expense.ID, u"O'Hara"_s, found), DbStatus::Ok);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].note, u"memo"_s);
        QCOMPARE(ledger.accounts.FindByNameAndParent(u"o'hara"_s, ledger.expense.ID, found), DbStatus::Ok);
        QCOMPARE(found.size(), 0);  // names compare exactly

        // A new item keeps its note.
        _AccountItem noted = _AccountItem::ChildOf(ledger.income, u"雑収入"_s);
        noted.note = u"メモ"_s;
        QCOMPARE(ledger.accounts.AddItem(noted), DbStatus::Ok);
        _AccountItem read;
        QCOMPARE(ledger.accounts.GetItem(noted.ID, read), DbStatus::Ok);
        QCOMPARE(read.note, u"メモ"_s);
        QCOMPARE(read.width, 70);

        // A failing statement rolls back every code written before it.
        a->m_data.code = u"9."_s;
        QCOMPARE(ledger.accounts.ExecuteSql(u"CREATE TRIGGER stop BEFORE UPDATE ON 勘定科目 WHEN NEW.ID = "_s +
                                            QString::number(a->m_data.ID) +
                                            u" BEGIN SELECT RAISE(ABORT, 'refused'); END"_s),
                 DbStatus::Ok);
        QCOMPARE(ledger.accounts.SaveCodes(tree), DbStatus::UpdateFailed);
        QCOMPARE(ledger.accounts.GetItem(a->m_data.ID, read), DbStatus::Ok);
        QVERIFY(read.code != u"9."_s);
    }

    void searchIsLiteral()
    {
        LedgerFixture ledger;
        QVERIFY(ledger.Create());
        for (const QString& name : {u"食費100%"_s, u"食費1000"_s, u"a_b"_s, u"axb"_s, u"Rent's"_s, u"ＣＯＯＰ"_s})
            ledger.AddChild(ledger.expense, name);
        QList<_AccountItem> found;
        QCOMPARE(ledger.accounts.SearchByName(u"0%"_s, found), DbStatus::Ok);
        QCOMPARE(found.size(), 1);
        QCOMPARE(ledger.accounts.SearchByName(u"_"_s, found), DbStatus::Ok);
        QCOMPARE(found.size(), 1);
        QCOMPARE(ledger.accounts.SearchByName(u"t's"_s, found), DbStatus::Ok);
        QCOMPARE(found.size(), 1);
        QCOMPARE(ledger.accounts.SearchByName(u"ｃｏｏｐ"_s, found), DbStatus::Ok);
        QCOMPARE(found.size(), 1);
        QCOMPARE(ledger.accounts.SearchByName(u"食費"_s, found), DbStatus::Ok);
        QCOMPARE(found[0].name, u"食費100%"_s);
    }

    // 子フラグ follows every add, move and delete, and opening a file written
    // before that (roots with children carrying 0) sets it right.
    void childFlagsFollowTheTree()
    {
        LedgerFixture ledger;
        QVERIFY(ledger.Create());
        const _AccountItem food = ledger.AddChild(ledger.expense, u"食費"_s);
        const _AccountItem lunch = ledger.AddChild(food, u"外食"_s);
        const auto flags = [&] {
            QList<_AccountItem> items;
            ledger.accounts.SelectItems(QString(), u"ID"_s, items);
            QStringList named;
            for (const _AccountItem& item : items) named << item.name + u'=' + QString::number(item.childFlag);
            return named.join(u' ');
        };
        QCOMPARE(flags(), u"収入=0 支出=1 食費=1 外食=0"_s);
        QCOMPARE(ledger.accounts.Update(u"親科目ID = %1"_s.arg(ledger.income.ID), u"ID = %1"_s.arg(lunch.ID)), DbStatus::Ok);
        QCOMPARE(flags(), u"収入=1 支出=1 食費=0 外食=0"_s);
        QCOMPARE(ledger.accounts.Delete(u"ID = %1"_s.arg(lunch.ID)), DbStatus::Ok);
        QCOMPARE(flags(), u"収入=0 支出=1 食費=0"_s);
        QCOMPARE(ledger.accounts.ExecuteSql(u"UPDATE 勘定科目 SET 子フラグ = 1 - 子フラグ"_s), DbStatus::Ok);
        QCOMPARE(ledger.connection.Open(ledger.path), 1);
        QCOMPARE(flags(), u"収入=0 支出=1 食費=0"_s);
    }

    void validity()
    {
        LedgerFixture ledger;
        QVERIFY(ledger.Create());
        auto& accounts = ledger.accounts;
        _AccountItem spring = limited(ledger.expense, u"spring"_s, QDate(2010, 4, 1), QDate(2010, 6, 30));
        _AccountItem ended = limited(ledger.expense, u"ended"_s, QDate(), QDate(2010, 3, 31));
        _AccountItem later = limited(ledger.expense, u"later"_s, QDate(2011, 1, 1), QDate());
        _AccountItem always = limited(ledger.expense, u"always"_s, QDate(), QDate());
        for (_AccountItem* item : {&spring, &ended, &later, &always}) QCOMPARE(accounts.AddItem(*item), DbStatus::Ok);
        QCOMPARE(accounts.ExecuteSql(u"UPDATE 勘定科目 SET 有効開始日使用 = True, 有効開始日 = #2099/01/01# WHERE 親科目ID = 0"_s),
                 DbStatus::Ok);

        const auto validNames = [&](const QDate& first, const QDate& last) {
            AccountItemList tree;
            accounts.LoadValidTree(first, last, tree);
            QStringList names;
            for (const AccountItemNode* node : tree.Flatten()) names << node->m_data.name;
            return names;
        };
        QCOMPARE(validNames(QDate(2010, 5, 1), QDate(2010, 5, 31)),
                 (QStringList{u"収入"_s, u"支出"_s, u"spring"_s, u"always"_s}));
        QCOMPARE(validNames(QDate(2010, 7, 1), QDate(2010, 7, 31)), (QStringList{u"収入"_s, u"支出"_s, u"always"_s}));
        QCOMPARE(validNames(QDate(2010, 3, 31), QDate(2010, 3, 31)),
                 (QStringList{u"収入"_s, u"支出"_s, u"ended"_s, u"always"_s}));
        QCOMPARE(validNames(QDate(2010, 6, 30), QDate(2011, 1, 1)),
                 (QStringList{u"収入"_s, u"支出"_s, u"spring"_s, u"later"_s, u"always"_s}));

        QList<_AccountItem> items;
        QCOMPARE(accounts.SelectItems(CTableAccountItem::InvalidItemFilter(QDate(2010, 7, 1), QDate(2010, 7, 31)),
                                      u"科目名称"_s, items),
                 DbStatus::Ok);
        QStringList invalid;
        for (const _AccountItem& item : items) invalid << item.name;
        QVERIFY(invalid.contains(u"ended"_s) && invalid.contains(u"spring"_s) && invalid.contains(u"later"_s));

        QCOMPARE(accounts.DeleteItemsInRange(QDate(2010, 1, 1), QDate(2010, 5, 31)), DbStatus::Ok);  // overlaps only
        QCOMPARE(accounts.GetItem(spring.ID, spring), DbStatus::Ok);
        QCOMPARE(accounts.DeleteItemsInRange(QDate(2010, 4, 1), QDate(2010, 6, 30)), DbStatus::Ok);
        QCOMPARE(accounts.GetItem(spring.ID, spring), DbStatus::NotFound);
        QCOMPARE(accounts.DeleteInvalidItems(QDate(2011, 4, 1), QDate(2011, 4, 30)), DbStatus::Ok);
        QCOMPARE(accounts.GetItem(ended.ID, ended), DbStatus::NotFound);
        QCOMPARE(accounts.GetItem(later.ID, later), DbStatus::Ok);

        // Switching a limit off clears its day.
        later.useStart = 0;
        QCOMPARE(accounts.UpdateItem(later), DbStatus::Ok);
        ValueMap row;
        QCOMPARE(accounts.SelectById(later.ID, row), DbStatus::Ok);
        QVERIFY(!row.contains(u"有効開始日"_s));
        QCOMPARE(row.value(u"有効開始日使用"_s), u"0"_s);
    }
};

QTEST_GUILESS_MAIN(TestAccountItems)
#include "test_account_items.moc"
