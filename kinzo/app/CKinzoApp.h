#pragma once
// The cash book's application object: it brings the program up in a fixed
// order and owns what lives for the whole run: the connection and the
// document of the open data file, the settings file and the settings, the
// speech facade, the diagnostic log, the holiday calendar, the
// single-instance guard, the folders the program works with, and the current
// date and account the views show. It is also the document's host: the
// document's messages go to the program's message box.

#include "CDiagLog.h"
#include "CHolidayFile.h"
#include "CKinzoIniFile.h"
#include "CSettingInfo.h"
#include "CWindowPlacement.h"

#include "kinzo/data/CDBConnection.h"
#include "kinzo/data/CKinzoDocHost.h"
#include "kolib/CKoSingleProccess.h"
#include "voice/CVoiceReader.h"

#include <QApplication>
#include <QDate>
#include <QPointer>
#include <QWidget>

#include <memory>

class CKinzoDoc;
class CMainFrame;
class CSplashWindow;

class CKinzoApp : public QApplication, public CKinzoDocHost {
    Q_OBJECT
public:
    CKinzoApp(int& argc, char** argv);
    ~CKinzoApp() override;

    static CKinzoApp* Instance();
    // The user's fiscal start month (1 to 12): every view, report and dialog
    // that names fiscal years asks here, so screen, print and CSV agree.
    // January without an application.
    static int StartMonth();

    // Folders, settings, holiday calendar, speech and diagnostic log, in that order.
    // Returns 1 on success. On failure returns 0, appends the reasons to
    // `reasons` one per line and has told the user that the program ends.
    int InitialSetup(QString& reasons);

    // The whole start-up: single instance, splash, set-up, password, main
    // window, the data file of the command line or of the last run, the
    // reminders. arguments: the command line without the program's name.
    // False when the program is to end (the user has been told why).
    bool InitInstance(const QStringList& arguments);
    // The reminders of due and unpaid payments and loan instalments.
    void CheckPaymentReminders();

    CKinzoDoc& Document() { return *m_document; }
    CMainFrame* MainFrame() const { return m_mainFrame.get(); }

    // How long the splash stays at least (tests shorten it).
    int m_splashMinimumMs = 3000;

    // CKinzoDocHost
    void Notice(const QString& text) override;
    void Log(const QString& text) override;
    QString ProgramFolder() const override { return m_programFolder; }
    void WriteDBFileName(const QString& path) override;
    bool MainWindowReady() const override { return m_mainWindowReady != 0; }

    CDBConnection m_connection;
    CKinzoIniFile m_iniFile;
    CVoiceReader m_voiceReader;
    CDiagLog m_diagLog;

    QString m_programFolder;         // folder of the running executable
    QString m_programParentFolder;
    QString m_programGrandParentFolder;
    QString m_manualViewerPath;      // ../Tebiki/Tebiki2
    QString m_userFolder;            // <documents>/Asagi/KinzoVer2

    CWindowPlacement m_windowPlacement;
    CSettingInfo m_settingInfo;
    CHolidayFile m_holidayFile;
    CKoSingleProccess m_singleProcess;

    int m_mainWindowReady = 0;
    QPointer<QWidget> m_mainWindow;  // owner of the document's messages

    // The day the ledger views show and change, and the account the cursor
    // goes to when a view opens (an account id, -3 the difference line, -2
    // the balance line, -1 none).
    QDate m_currentDate = QDate::currentDate();
    int m_rememberedAccount = -1;

private:
    std::unique_ptr<CKinzoDoc> m_document;
    std::unique_ptr<CMainFrame> m_mainFrame;

    bool SettleSingleInstance();
    bool CheckPassword(const QString& commandLinePassword);
    bool OpenStartupFile(const QStringList& plainArguments);
    void CloseSplash(std::unique_ptr<CSplashWindow>& splash, qint64 shownAtMs);

    void ComputeFolders();
    void MigrateOldSettingsFile() const;
    void StartDiagnosticLog();
};
