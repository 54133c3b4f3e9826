#pragma once
// The contents pane: the manual's contents entries as a tree under its title.
// Each item carries its entry index; choosing an item asks for its page.

#include <QTreeWidget>

class CTebikiDoc;

class CIndexTreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit CIndexTreeView(QWidget* parent = nullptr);

    // Replaces the items with the document's contents; the title is expanded.
    void Build(const CTebikiDoc& doc);
    // The entry index of the selected item; -1 without one.
    int CurrentIndex() const;
    // Selects the item of that entry and scrolls it into view.
    void SelectIndex(int index);

Q_SIGNALS:
    void IndexChosen(int index);

private:
    QList<QTreeWidgetItem*> m_items;   // by entry index
};
