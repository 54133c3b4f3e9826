#include "KoListAccessible.h"

#include "CKoVListCtrl.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QWindow>

namespace {

class RowAccessible : public QAccessibleInterface {
public:
    RowAccessible(CKoVListCtrl* list, int row) : m_list(list), m_row(row) {}

    CKoVListCtrl* list() const { return m_list; }
    int row() const { return m_row; }

    bool isValid() const override { return m_list && m_row < m_list->topLevelItemCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_list ? m_list->window()->windowHandle() : nullptr; }

    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_list); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && isValid() ? m_list->RowText(item()) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QRect rect() const override
    {
        if (!isValid()) return {};
        const QRect local = m_list->visualItemRect(item());
        return QRect(m_list->viewport()->mapToGlobal(local.topLeft()), local.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) return s;
        const QTreeWidgetItem* row = item();
        s.selectable = s.focusable = true;
        s.selected = row->isSelected();
        s.focused = m_list->hasFocus() && m_list->currentItem() == row;
        s.checkable = CKoVListCtrl::HasCheckBox(row);
        s.checked = s.checkable && row->checkState(0) == Qt::Checked;
        s.disabled = !m_list->isEnabled();
        s.invisible = !m_list->isVisible();
        s.offscreen = !m_list->viewport()->rect().intersects(m_list->visualItemRect(row));
        return s;
    }

private:
    QTreeWidgetItem* item() const { return m_list->topLevelItem(m_row); }

    QPointer<CKoVListCtrl> m_list;
    int m_row;
};

// The rows handed out so far, by row. The rows' interfaces are let go
// whenever the list's rows change, so none outlives its row or answers for
// another one.
class RowCache : public QObject {
public:
    explicit RowCache(CKoVListCtrl* list) : m_list(list)
    {
        QAbstractItemModel* model = list->model();
        connect(model, &QAbstractItemModel::rowsInserted, this, &RowCache::Forget);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &RowCache::Forget);
        connect(model, &QAbstractItemModel::rowsMoved, this, &RowCache::Forget);
        connect(model, &QAbstractItemModel::modelReset, this, &RowCache::Forget);
        connect(model, &QAbstractItemModel::layoutChanged, this, &RowCache::Forget);
    }
    ~RowCache() override { Forget(); }

    QAccessibleInterface* Row(int row)
    {
        if (const QAccessible::Id id = m_ids.value(row)) return QAccessible::accessibleInterface(id);
        auto* iface = new RowAccessible(m_list, row);
        m_ids.insert(row, QAccessible::registerAccessibleInterface(iface));
        return iface;
    }

    void Forget()
    {
        const auto ids = m_ids.values();
        m_ids.clear();
        for (const QAccessible::Id id : ids) QAccessible::deleteAccessibleInterface(id);
    }

private:
    CKoVListCtrl* m_list;
    QHash<int, QAccessible::Id> m_ids;
};

class ListAccessible : public QAccessibleWidget {
public:
    explicit ListAccessible(CKoVListCtrl* list) : QAccessibleWidget(list, QAccessible::List), m_rows(list) {}

    CKoVListCtrl* list() const { return static_cast<CKoVListCtrl*>(widget()); }

    int childCount() const override { return list()->topLevelItemCount(); }

    QAccessibleInterface* child(int index) const override
    {
        return index >= 0 && index < childCount() ? m_rows.Row(index) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto* row = dynamic_cast<const RowAccessible*>(child);
        return row && row->list() == list() && row->isValid() ? row->row() : -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        QTreeWidgetItem* item = list()->itemAt(list()->viewport()->mapFromGlobal(QPoint(x, y)));
        return item ? child(list()->indexOfTopLevelItem(item)) : nullptr;
    }

    QAccessibleInterface* focusChild() const override
    {
        QTreeWidgetItem* current = list()->currentItem();
        return list()->hasFocus() && current ? child(list()->indexOfTopLevelItem(current)) : nullptr;
    }

private:
    mutable RowCache m_rows;
};

}  // namespace

QAccessibleInterface* KoMakeListAccessible(CKoVListCtrl* list)
{
    return new ListAccessible(list);
}
