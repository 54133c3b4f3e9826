#include "kinzo/dialogs/settings/SettingsCommands.h"

#include "CKinzoApp.h"
#include "CMainFrame.h"
#include "KinzoCommands.h"
#include "kinzo/dialogs/settings/CGeneralSettingsDialog.h"
#include "kinzo/dialogs/settings/CStartMonthDialog.h"

namespace {

// The font size is applied at once; the views rebuild for the new settings.
void runGeneralSettings(CMainFrame& frame)
{
    CGeneralSettingsDialog dialog(&frame, frame.App().m_settingInfo, frame.App().m_iniFile);
    if (dialog.DoModal() != QDialog::Accepted) return;
    frame.SetFontSize(dialog.FontSize());
    frame.UpdateAllViews(UpdateHint::DataChanged);
    if (dialog.StartMonthChanged()) frame.UpdateAllViews(UpdateHint::StartMonthChanged);
}

}  // namespace

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
    CMainFrame::RegisterCommand(CmdGeneralSettings, {runGeneralSettings, {}});
}
