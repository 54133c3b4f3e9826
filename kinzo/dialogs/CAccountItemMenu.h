#pragma once
// The popup menu of the account tree behind every "メニュー(&M)" button. Each
// account the menu offers is an action whose data is the account ID and whose
// command id runs from FirstCommandId upwards in tree order; once the next id
// would pass LastCommandId no further account is added.
// - A leaf menu (kind 0) offers the accounts without children; an account
//   with children is a submenu of them.
// - A parent menu (kind 1) offers the accounts whose children are all
//   leaves; an account whose first child has children is a submenu; leaves
//   are left out.
// The menu shown by a button is FirstSubMenu: the node the menu was built
// from, as a submenu of its children. User-interface thread only.

#include "kinzo/data/AccountItemList.h"

#include <QHash>
#include <QObject>

#include <memory>

class CKinzoDoc;
class QAction;
class QMenu;

class CAccountItemMenu {
public:
    enum MenuKind { LeafMenu = 0, ParentMenu = 1 };
    static constexpr int FirstCommandId = 2024;
    static constexpr int LastCommandId = 12024;

    CAccountItemMenu();
    ~CAccountItemMenu();
    CAccountItemMenu(const CAccountItemMenu&) = delete;
    CAccountItemMenu& operator=(const CAccountItemMenu&) = delete;

    // Builds the whole menu anew from the node (normally the whole tree).
    void Build(const AccountItemNode* root, int kind);
    // Builds it from the one 収支 item below root whose side (仕分けID) is
    // side; an empty menu when there is none.
    void BuildSide(const AccountItemNode* root, int side, int kind);

    int Kind() const { return m_kind; }
    // The menu a button shows; null before Build or when BuildSide found no side.
    QMenu* FirstSubMenu() const;
    // How many accounts the menu offers.
    int ItemCount() const { return int(m_accounts.size()); }
    // The account of a command id, -1 when the menu has no such command.
    int AccountOfCommand(int commandId) const;
    // The command id of one of the menu's actions, -1 for any other.
    static int CommandOf(const QAction* action);
    // The action of a command id, null when there is none.
    QAction* ActionOfCommand(int commandId) const;

private:
    void AppendNode(QMenu* parent, const AccountItemNode* node);
    void AddAccount(QMenu* menu, const AccountItemNode* node);

    std::unique_ptr<QMenu> m_menu;
    int m_kind = LeafMenu;
    int m_nextId = FirstCommandId;
    QHash<int, QAction*> m_actions;
    QHash<int, int> m_accounts;
};

// The three menus of the document's account tree: the leaf menu of the whole
// tree (entry, account add, merge and selection dialogs), the parent menu of
// the whole tree (the move dialog) and the leaf menu of the 支出 side
// (recurring payments and loans). They are built again every time the
// document reloads its tree.
class CAccountMenuSet : public QObject {
    Q_OBJECT
public:
    // The set of the document, made (and built) on first use; it lives as a
    // child of the document and follows its AccountTreeReloaded.
    static CAccountMenuSet& Of(CKinzoDoc& document);

    CAccountItemMenu& Leaf() { return m_leaf; }
    CAccountItemMenu& Parent() { return m_parent; }
    CAccountItemMenu& ExpenseLeaf() { return m_expenseLeaf; }

    // Builds the three menus from the document's tree as it is now; also for
    // a dialog that added items to the tree in memory.
    void Rebuild();

private:
    explicit CAccountMenuSet(CKinzoDoc& document);

    CKinzoDoc& m_document;
    CAccountItemMenu m_leaf;
    CAccountItemMenu m_parent;
    CAccountItemMenu m_expenseLeaf;
};
