#include "kinzo/dialogs/EntryDelete.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/DialogTexts.h"
#include "kolib/KoMessageBox.h"

bool DeleteStoredEntry(QWidget* owner, CKinzoDoc& document, int entryId)
{
    CDBConnection& connection = document.Connection();
    QString error;
    if (!connection.BeginTrans(error)) {
        KoMessageBox(owner, dialog_text::EntryDeleteFailed());
        return false;
    }
    const auto fail = [owner, &connection](const QString& text) {
        connection.RollbackTrans();
        KoMessageBox(owner, text);
        return false;
    };
    _KinzoEntry entry;
    if (document.KinzoTable().GetEntry(entryId, entry) != DbStatus::Ok) return fail(dialog_text::EntrySelectFailed());
    if (document.KinzoTable().DeleteById(entryId) != DbStatus::Ok) return fail(dialog_text::EntryDeleteFailed());
    const DbStatus loan = document.LoanTable().RecomputeForItem(entry.itemId);
    if (loan != DbStatus::Ok && loan != DbStatus::NotFound) return fail(dialog_text::LoanUpdateFailed());
    // A commit that fails leaves the entry stored: say so as a failed delete.
    if (!connection.CommitTrans(error)) return fail(dialog_text::EntryDeleteFailed());
    return true;
}
