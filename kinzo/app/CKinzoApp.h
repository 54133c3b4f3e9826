#pragma once
// The cash book's application object: it brings the program up in a fixed
// order and owns what lives for the whole run: the settings file and the
// settings, the diagnostic log, the holiday calendar, the single-instance
// guard and the folders the program works with.

#include "CDiagLog.h"
#include "CHolidayFile.h"
#include "CKinzoIniFile.h"
#include "CSettingInfo.h"

#include "kolib/CKoSingleProccess.h"
#include "voice/CVoiceReader.h"

#include <QApplication>

class CKinzoApp : public QApplication {
    Q_OBJECT
public:
    CKinzoApp(int& argc, char** argv);
    ~CKinzoApp() override;

    static CKinzoApp* Instance();

    // Folders, settings, holiday calendar, speech and diagnostic log, in that order.
    // Returns 1 on success. On failure returns 0, appends the reasons to
    // `reasons` one per line and has told the user that the program ends.
    int InitialSetup(QString& reasons);

    CKinzoIniFile m_iniFile;
    CVoiceReader m_voiceReader;
    CDiagLog m_diagLog;

    QString m_programFolder;         // folder of the running executable
    QString m_programParentFolder;
    QString m_programGrandParentFolder;
    QString m_manualViewerPath;      // ../Tebiki/Tebiki2
    QString m_userFolder;            // <documents>/Asagi/KinzoVer2

    CSettingInfo m_settingInfo;
    CHolidayFile m_holidayFile;
    CKoSingleProccess m_singleProcess;

    int m_paymentLayout = 1;         // 0 when an older data file could not be upgraded
    int m_mainWindowReady = 0;

private:
    void ComputeFolders();
    void MigrateOldSettingsFile() const;
    void StartDiagnosticLog();
};
