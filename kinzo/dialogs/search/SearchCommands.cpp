#include "kinzo/dialogs/search/SearchCommands.h"

#include "CMainFrame.h"
#include "KinzoCommands.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/search/CSearchDialog.h"

void RegisterSearchCommands()
{
    CMainFrame::RegisterCommand(CmdSearch, {[](CMainFrame& frame) {
                                                CSearchDialog dialog(&frame, frame.Document());
                                                dialog.DoModal();
                                            },
                                            [](const CMainFrame& frame) { return frame.Document().IsOpen(); }});
}
