#pragma once
// "相手先一覧": the counterparties of the data file, one row each, with add,
// rename (also Enter on the list) and delete, each stored at once. Entries
// keep the counterparty ID of a deleted counterparty. User-interface thread
// only.

#include "kolib/CKoVDialogBase.h"

class CKinzoDoc;
class CKoVListCtrl;

class CCaterManageDialog : public CKoVDialogBase {
    Q_OBJECT
public:
    static constexpr int ResourceId = 137;
    CCaterManageDialog(QWidget* parent, CKinzoDoc& document);

    CKoVListCtrl& List() { return *m_list; }
    void Add();
    void Change();
    void Delete();

protected:
    void OnInitDialog() override;

private:
    // True (after the message) when another counterparty has the name, or
    // when the search failed.
    bool NameTaken(const QString& name);

    CKinzoDoc& m_document;
    CKoVListCtrl* m_list = nullptr;
};
