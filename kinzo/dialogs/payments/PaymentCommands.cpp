#include "kinzo/dialogs/payments/PaymentCommands.h"

#include "CKinzoApp.h"
#include "CMainFrame.h"
#include "KinzoCommands.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/payments/CPaymentCheckDialog.h"

void RegisterPaymentCommands()
{
    CMainFrame::RegisterCommand(
        CmdPaymentCheck,
        {[](CMainFrame& frame) {
             CPaymentCheckDialog dialog(&frame, frame.Document(), frame.App().m_currentDate,
                                        frame.App().m_iniFile.ReadPaymentDisp());
             dialog.DoModal();
         },
         [](const CMainFrame& frame) { return frame.Document().IsOpen(); }});
}
