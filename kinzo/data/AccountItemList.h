#pragma once
// The account tree in memory: the two roots 収入 and 支出 under a top node, and
// up to three levels of items below them, each node holding one row of
// 勘定科目. Ordering codes (階層番号) are dotted paths such as "1.2.10.";
// sorting the stored codes as text gives depth-first tree order.

#include <QDate>
#include <QList>
#include <QString>

// One account item (one row of 勘定科目).
struct _AccountItem {
    int ID = 0;             // 0 for an item not yet stored
    QString name;           // 科目名称
    int level = 0;          // レベル: 0 for a root, 1 to 3 below
    int parentId = 0;       // 親科目ID: 0 for a root
    int side = 0;           // 仕分けID: 1 income, 2 expense
    QString code;           // 階層番号 as stored
    int childFlag = 0;      // 子フラグ: 1 when the item has children
    int useStart = 0;       // 有効開始日使用
    int useEnd = 0;         // 有効終了日使用
    QDate start;            // 有効開始日, invalid when not used
    QDate end;              // 有効終了日, invalid when not used
    QString note;           // 備考
    int work = 0;           // working flag of the dialogs, not stored
    int width = 70;         // 表示幅
    int printWidth = 70;    // 印刷幅
    int work2 = 0;          // second working value, not stored

    // A new child of parent: level + 1, the parent's class and "used" flags,
    // no dates, no note, widths 70.
    static _AccountItem ChildOf(const _AccountItem& parent, const QString& name);
};

// "<parent>1." (just "1." under the top node's empty code).
QString FirstChildCode(const QString& parentCode);
// The code of the next sibling: "1.2." gives "1.3.", "2." gives "3.", "2.9." gives "2.10.".
QString NextSiblingCode(const QString& code);
// Whether the code comes first in tree order: number by number, so "2.9."
// comes before "2.10." (the stored text sorts the other way).
bool CodeBefore(const QString& a, const QString& b);

// A node of a tree of records. A node owns its children; links are plain
// pointers kept consistent by the operations below.
template <class T>
class CTreeNodeBase {
public:
    T m_data;
    int m_depth = -1;        // -1 for the top node, 0 for the roots
    QString m_code;          // the ordering code in memory
    CTreeNodeBase* m_parent = nullptr;
    CTreeNodeBase* m_next = nullptr;
    CTreeNodeBase* m_prev = nullptr;
    CTreeNodeBase* m_firstChild = nullptr;
    CTreeNodeBase* m_lastChild = nullptr;
    bool m_changed = false;

    CTreeNodeBase() = default;
    explicit CTreeNodeBase(const T& data) : m_data(data) {}
    ~CTreeNodeBase() { DeleteChildren(); }
    CTreeNodeBase(const CTreeNodeBase&) = delete;
    CTreeNodeBase& operator=(const CTreeNodeBase&) = delete;

    // Appends a child (owned by this node) with the next code of the list.
    CTreeNodeBase* AppendChild(const T& data)
    {
        auto* child = new CTreeNodeBase(data);
        Adopt(child);
        child->m_code = child->m_prev ? NextSiblingCode(child->m_prev->m_code) : FirstChildCode(m_code);
        return child;
    }

    bool HasChildren() const { return m_firstChild && m_lastChild; }

    // Takes the node out of its parent's list; the caller then owns it.
    void Unlink()
    {
        if (m_prev) m_prev->m_next = m_next;
        else if (m_parent) m_parent->m_firstChild = m_next;
        if (m_next) m_next->m_prev = m_prev;
        else if (m_parent) m_parent->m_lastChild = m_prev;
        m_parent = m_next = m_prev = nullptr;
    }

    // Makes the node the last child of another parent, with depths and
    // codes of its subtree renewed.
    void MoveTo(CTreeNodeBase* newParent)
    {
        Unlink();
        newParent->Adopt(this);
        Renumber();
    }

    // Moves to the first or last place among the siblings; false when it is
    // there already. Codes are left to Renumber of the parent.
    bool MoveFirst()
    {
        if (!m_parent || !m_prev) return false;
        CTreeNodeBase* parent = m_parent;
        Unlink();
        m_parent = parent;
        m_next = parent->m_firstChild;
        parent->m_firstChild->m_prev = this;
        parent->m_firstChild = this;
        return true;
    }
    bool MoveLast()
    {
        if (!m_parent || !m_next) return false;
        CTreeNodeBase* parent = m_parent;
        Unlink();
        parent->Adopt(this);
        return true;
    }

    // Swaps the node with its previous or next sibling; the two swap their
    // codes too, so codes stay in sibling order. False at the end of the list.
    bool MoveUp() { return m_prev && m_prev->SwapWithNext(); }
    bool MoveDown() { return SwapWithNext(); }

    // New codes for the node (unless it is the top node) and its subtree, in
    // sibling order.
    void Renumber()
    {
        if (m_parent) {
            m_depth = m_parent->m_depth + 1;
            m_code = m_prev ? NextSiblingCode(m_prev->m_code) : FirstChildCode(m_parent->m_code);
        }
        for (CTreeNodeBase* child = m_firstChild; child; child = child->m_next) child->Renumber();
    }

    // Calls f on every node below this one, children before their parent.
    template <class F>
    void ForEachChildFirst(F&& f)
    {
        for (CTreeNodeBase* child = m_firstChild; child;) {
            CTreeNodeBase* next = child->m_next;  // f may delete the child
            child->ForEachChildFirst(f);
            f(child);
            child = next;
        }
    }

    // Every node below this one, parent before its children, depth first.
    QList<CTreeNodeBase*> Flatten()
    {
        QList<CTreeNodeBase*> nodes;
        for (CTreeNodeBase* child = m_firstChild; child; child = child->m_next) {
            nodes.append(child);
            nodes.append(child->Flatten());
        }
        return nodes;
    }

    void DeleteChildren()
    {
        while (CTreeNodeBase* child = m_firstChild) {
            child->Unlink();
            delete child;
        }
    }

private:
    void Adopt(CTreeNodeBase* child)
    {
        child->m_parent = this;
        child->m_depth = m_depth + 1;
        child->m_prev = m_lastChild;
        child->m_next = nullptr;
        if (m_lastChild) m_lastChild->m_next = child;
        else m_firstChild = child;
        m_lastChild = child;
    }

    bool SwapWithNext()
    {
        CTreeNodeBase* other = m_next;
        if (!other) return false;
        CTreeNodeBase* before = m_prev;
        CTreeNodeBase* after = other->m_next;
        other->m_prev = before;
        other->m_next = this;
        m_prev = other;
        m_next = after;
        if (before) before->m_next = other;
        else m_parent->m_firstChild = other;
        if (after) after->m_prev = this;
        else m_parent->m_lastChild = this;
        std::swap(m_code, other->m_code);
        m_changed = other->m_changed = true;
        return true;
    }
};

using AccountItemNode = CTreeNodeBase<_AccountItem>;

// The whole tree: the top node, whose children are the roots.
class AccountItemList : public AccountItemNode {
public:
    // The node of an item, nullptr when the tree has none.
    AccountItemNode* Find(int id);
    // The IDs of the node and every node below it.
    QList<int> SubtreeIds(const AccountItemNode* node) const;
    // True when the tree has exactly two roots, one of class 1 (収入) and one
    // of class 2 (支出): the shape every data file must have.
    bool HasTwoRoots() const;
};
