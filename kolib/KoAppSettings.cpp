#include "KoAppSettings.h"

#include "CKoInifileBase.h"
#include "CKoSettingInfoBase.h"

namespace {

CKoInifileBase* appIniFile = nullptr;
CKoSettingInfoBase* appSettings = nullptr;

CKoSettingInfoBase& builtInSettings()
{
    // Never loaded or saved: a settings file without a path stands behind it.
    static CKoInifileBase noFile;
    static CKoSettingInfoBase settings(noFile);
    return settings;
}

}  // namespace

CKoInifileBase* KoAppIniFile() { return appIniFile; }
void KoSetAppIniFile(CKoInifileBase* iniFile) { appIniFile = iniFile; }

CKoSettingInfoBase* KoAppSettings()
{
    return appSettings ? appSettings : &builtInSettings();
}

void KoSetAppSettings(CKoSettingInfoBase* settings) { appSettings = settings; }

int KoAppFontSize() { return KoAppSettings()->m_fontSize; }
double KoAppZoom() { return KoAppSettings()->m_zoom; }
bool KoAppZoomEnabled() { return KoAppSettings()->m_zoomEnabled != 0; }
