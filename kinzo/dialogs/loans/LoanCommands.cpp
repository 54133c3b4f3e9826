#include "kinzo/dialogs/loans/LoanCommands.h"

#include "CKinzoApp.h"
#include "CMainFrame.h"
#include "KinzoCommands.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/loans/CLoanPaymentCheckDialog.h"
#include "kinzo/dialogs/loans/CLoanPaymentSetteingsDialog.h"

void RegisterLoanCommands()
{
    const auto fileOpen = [](const CMainFrame& frame) { return frame.Document().IsOpen(); };
    CMainFrame::RegisterCommand(CmdLoanCheck, {[](CMainFrame& frame) {
                                                   CLoanPaymentCheckDialog dialog(
                                                       &frame, frame.Document(), frame.App().m_iniFile.ReadLoanPaymentDisp());
                                                   dialog.DoModal();
                                               },
                                               fileOpen});
    CMainFrame::RegisterCommand(CmdLoanSettings, {[](CMainFrame& frame) {
                                                      CLoanPaymentSetteingsDialog dialog(
                                                          &frame, frame.Document(),
                                                          frame.App().m_iniFile.ReadLoanPaymentDisp());
                                                      dialog.DoModal();
                                                  },
                                                  fileOpen});
}
