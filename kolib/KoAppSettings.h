#pragma once
// The program's settings file and settings object, published by start-up the
// way the speech facade is, so that the toolkit's windows can read the user's
// colours, the screen font size and the magnification without reaching the
// application object. Both must outlive every window that reads them.

class CKoInifileBase;
class CKoSettingInfoBase;

// The published settings file, or null before start-up published one (and in
// tests that publish none).
CKoInifileBase* KoAppIniFile();
void KoSetAppIniFile(CKoInifileBase* iniFile);

// The published settings; before start-up published them (and in tests that
// publish none), a built-in object with the default font-size table at size 9
// and magnification enabled. Never null.
CKoSettingInfoBase* KoAppSettings();
// Null goes back to the built-in object.
void KoSetAppSettings(CKoSettingInfoBase* settings);

// Shorthands for the current screen font size, its zoom factor, and whether
// dialogs and views follow the magnification keys.
int KoAppFontSize();
double KoAppZoom();
bool KoAppZoomEnabled();
