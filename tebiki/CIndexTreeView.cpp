#include "CIndexTreeView.h"

#include "CTebikiDoc.h"

CIndexTreeView::CIndexTreeView(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("IndexTree"));
    setAccessibleName(QStringLiteral("目次"));
    setHeaderHidden(true);
    setColumnCount(1);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item) Q_EMIT IndexChosen(item->data(0, Qt::UserRole).toInt());
    });
}

void CIndexTreeView::Build(const CTebikiDoc& doc)
{
    clear();
    m_items.clear();
    const QStringList& contents = doc.Contents();
    for (int i = 0; i < contents.size(); ++i) {
        const int parent = doc.Parents().at(size_t(i));
        auto* item = parent < 0 ? new QTreeWidgetItem(this) : new QTreeWidgetItem(m_items.at(parent));
        item->setText(0, contents.at(i));
        item->setData(0, Qt::UserRole, i);
        m_items << item;
    }
    if (!m_items.isEmpty()) m_items.first()->setExpanded(true);
}

int CIndexTreeView::CurrentIndex() const
{
    return currentItem() ? currentItem()->data(0, Qt::UserRole).toInt() : -1;
}

void CIndexTreeView::SelectIndex(int index)
{
    if (index < 0 || index >= m_items.size()) return;
    setCurrentItem(m_items.at(index));
    scrollToItem(m_items.at(index));
}
