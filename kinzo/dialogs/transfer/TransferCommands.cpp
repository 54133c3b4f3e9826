#include "kinzo/dialogs/transfer/TransferCommands.h"

#include "CKinzoApp.h"
#include "CMainFrame.h"
#include "KinzoCommands.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/transfer/CBackupDlg.h"
#include "kinzo/dialogs/transfer/CDataDeleteRangeDialog.h"
#include "kinzo/dialogs/transfer/CExportDialog.h"
#include "kinzo/dialogs/transfer/CFileDataInfo.h"
#include "kinzo/dialogs/transfer/CImportDialog.h"
#include "kinzo/dialogs/transfer/CImportFromVer1Dialog.h"
#include "kolib/KoAppVoice.h"

using namespace Qt::StringLiterals;

namespace {

bool fileOpen(const CMainFrame& frame) { return frame.Document().IsOpen(); }

void runImport(CMainFrame& frame)
{
    CImportDialog dialog(&frame, frame.Document());
    if (dialog.DoModal() == QDialog::Accepted) frame.UpdateAllViews(UpdateHint::DataChanged);
}

// The entries of the range, then the account items, loans and recurring
// payments that lie wholly inside it.
void runRangeDelete(CMainFrame& frame)
{
    CDataDeleteRangeDialog dialog(&frame, frame.App().m_currentDate);
    if (dialog.DoModal() != QDialog::Accepted) return;
    CKinzoDoc& doc = frame.Document();
    doc.KinzoTable().DeleteRange(dialog.First(), dialog.Last());
    doc.AccountTable().DeleteItemsInRange(dialog.First(), dialog.Last());
    doc.LoanTable().DeleteLoansInside(dialog.First(), dialog.Last());
    doc.PaymentTable().DeletePaymentsInside(dialog.First(), dialog.Last());
    doc.ReloadAccountItems();
    frame.UpdateAllViews(UpdateHint::DataChanged);
    KoAppReadText(u"データを削除しました。"_s);
}

}  // namespace

void RegisterTransferCommands()
{
    CMainFrame::RegisterCommand(CmdExportCsv, {[](CMainFrame& frame) {
                                                   CExportDialog(&frame, frame.Document()).DoModal();
                                               },
                                               fileOpen});
    CMainFrame::RegisterCommand(CmdImportCsv, {runImport, fileOpen});
    CMainFrame::RegisterCommand(CmdBackup, {[](CMainFrame& frame) {
                                                CBackupDlg(&frame, frame.Document()).DoModal();
                                            },
                                            fileOpen});
    CMainFrame::RegisterCommand(CmdFileInfo, {[](CMainFrame& frame) {
                                                  CFileDataInfo(&frame, frame.Document()).DoModal();
                                              },
                                              fileOpen});
    CMainFrame::RegisterCommand(CmdRangeDelete, {runRangeDelete, fileOpen});
    CMainFrame::RegisterCommand(CmdConvertVersion1, {[](CMainFrame& frame) {
                                                         CImportFromVer1Dialog(&frame, frame.App(),
                                                                               frame.Document().PathName())
                                                             .DoModal();
                                                     },
                                                     {}});
}
