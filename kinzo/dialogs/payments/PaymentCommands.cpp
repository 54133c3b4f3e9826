#include "kinzo/dialogs/payments/PaymentCommands.h"

#include "CKinzoApp.h"
#include "CMainFrame.h"
#include "KinzoCommands.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/payments/CPaymentCheckDialog.h"
#include "kinzo/dialogs/payments/CPaymentSetteingsDialog.h"

void RegisterPaymentCommands()
{
    const auto fileOpen = [](const CMainFrame& frame) { return frame.Document().IsOpen(); };
    CMainFrame::RegisterCommand(CmdPaymentCheck, {[](CMainFrame& frame) {
                                                      CPaymentCheckDialog dialog(&frame, frame.Document(),
                                                                                 frame.App().m_currentDate,
                                                                                 frame.App().m_iniFile.ReadPaymentDisp());
                                                      dialog.DoModal();
                                                  },
                                                  fileOpen});
    CMainFrame::RegisterCommand(CmdPaymentSettings, {[](CMainFrame& frame) {
                                                         CPaymentSetteingsDialog dialog(&frame, frame.Document());
                                                         dialog.DoModal();
                                                     },
                                                     fileOpen});
}
