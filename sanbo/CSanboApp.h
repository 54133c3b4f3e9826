#pragma once
// The calculator program: one instance per user, the settings file
// "Sanbo.ini", the speech facade, and the calculator dialog, which is the
// program's only window.

#include "CSanboIniFile.h"

#include "kolib/CKoSettingInfoBase.h"
#include "kolib/CKoSingleProccess.h"
#include "voice/CVoiceReader.h"

#include <QApplication>

class CSanboApp : public QApplication {
    Q_OBJECT
public:
    CSanboApp(int& argc, char** argv);
    ~CSanboApp() override;

    // Everything up to the dialog. False when the program is to end (another
    // instance was brought forward, or the user has been told why).
    bool InitInstance();
    // Runs the calculator until its window closes; the exit code.
    int Run();

private:
    bool InitialSetup();

    CSanboIniFile m_iniFile;
    CKoSettingInfoBase m_settingInfo;
    CVoiceReader m_voiceReader;
    CKoSingleProccess m_singleProcess;
};

// Another instance holds the guard: with Control held it is ended (with a
// beep) and this one goes on; otherwise its window comes forward and this one
// ends. True when this instance goes on starting.
bool SanboSettleSingleInstance(CKoSingleProccess& guard, bool controlHeld);
