#pragma once
// The base of the payment and loan settings lists: a speaking list with
// full-row selection (item data: the record id) that grows with the dialog,
// and the buttons 1001 "追加(&A)...", 1043 "変更(&U)...", 1002 "削除(&D)" and
// "閉じる(&C)". Enter on the list runs Change. The focus goes back to the
// list after each button.

#include "kolib/CKoVDialogBase.h"

#include <QStringList>

class CKoVListCtrl;
class QTreeWidgetItem;
class QVBoxLayout;

class CRecordListDialog : public CKoVDialogBase {
    Q_OBJECT
public:
    CKoVListCtrl* List() const { return m_list; }
    // The record id of the selected row; 0 when none is selected.
    int SelectedId() const;

    virtual void OnAdd() = 0;
    virtual void OnChange() = 0;
    virtual void OnDelete() = 0;

protected:
    CRecordListDialog(int resourceId, QWidget* parent, const QStringList& headings, const QList<int>& widths);

    QVBoxLayout* MainLayout() const { return m_layout; }
    // Appends a row (or rewrites the given one) for the record.
    QTreeWidgetItem* SetRow(const QStringList& texts, int id, QTreeWidgetItem* row = nullptr);
    void SelectRow(QTreeWidgetItem* row);
    // Empties the list.
    void ClearRows();
    void SpeakCount() const;

private:
    void Run(void (CRecordListDialog::*action)());

    QVBoxLayout* m_layout = nullptr;
    CKoVListCtrl* m_list = nullptr;
};
