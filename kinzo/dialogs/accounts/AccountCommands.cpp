#include "kinzo/dialogs/accounts/AccountCommands.h"

#include "CMainFrame.h"
#include "KinzoCommands.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/accounts/CAcntSettingDialog.h"

void RegisterAccountCommands()
{
    CMainFrame::RegisterCommand(CmdAccountSettings,
                                {[](CMainFrame& frame) { CAcntSettingDialog::Open(&frame, frame.Document()); },
                                 [](const CMainFrame& frame) { return frame.Document().IsOpen(); }});
}
