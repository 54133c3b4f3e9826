#include "kinzo/dialogs/settings/SettingsCommands.h"

#include "CKinzoApp.h"
#include "CMainFrame.h"
#include "KinzoCommands.h"
#include "kinzo/dialogs/settings/CStartMonthDialog.h"

void RegisterSettingsCommands()
{
    CMainFrame::RegisterCommand(CmdStartMonth, {[](CMainFrame& frame) {
                                                    CSettingInfo& settings = frame.App().m_settingInfo;
                                                    CStartMonthDialog dialog(&frame, settings.m_startMonth);
                                                    if (dialog.DoModal() != QDialog::Accepted) return;
                                                    settings.m_startMonth = dialog.Month();
                                                    frame.App().m_iniFile.WriteStartMonth(dialog.Month());
                                                    frame.UpdateAllViews(UpdateHint::StartMonthChanged);
                                                },
                                                {}});
}
