#include "kinzo/dialogs/counterparties/CounterpartyCommands.h"

#include "CMainFrame.h"
#include "KinzoCommands.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/counterparties/CCaterManageDialog.h"

void RegisterCounterpartyCommands()
{
    CMainFrame::RegisterCommand(CmdCounterpartySettings, {[](CMainFrame& frame) {
                                                              CCaterManageDialog dialog(&frame, frame.Document());
                                                              dialog.DoModal();
                                                          },
                                                          [](const CMainFrame& frame) { return frame.Document().IsOpen(); }});
}
