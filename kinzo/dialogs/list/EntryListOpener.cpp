#include "kinzo/dialogs/list/EntryListOpener.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/accounts/CAccountSelectDialog.h"
#include "kinzo/dialogs/list/CKinzoListDialog.h"

void OpenEntryListFor(QWidget* parent, CKinzoDoc& document, int accountId, const QDate& start, const QDate& end)
{
    if (!document.IsOpen()) return;
    const AccountItemNode* node = accountId > 0 ? document.AccountItems().Find(accountId) : nullptr;
    if (node && node->m_depth >= 1 && !node->m_firstChild) {
        CKinzoListDialog::Open(parent, document, accountId, start, end);
        return;
    }
    CAccountSelectDialog select(parent, document, node ? accountId : 0, start, end);
    if (select.DoModal() != QDialog::Accepted) return;
    CKinzoListDialog::Open(parent, document, select.AccountId(), select.StartDate(), select.EndDate());
}
