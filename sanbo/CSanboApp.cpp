#include "CSanboApp.h"

#include "CSanboDlg.h"

#include "kolib/KoAppSettings.h"
#include "kolib/KoAppVoice.h"
#include "kolib/KoKeyboardKeeper.h"
#include "kolib/KoMessageBox.h"
#include "kolib/KoAccessible.h"
#include "kolib/KoTranslations.h"
#include "platform/Beep.h"

using namespace Qt::StringLiterals;

namespace {

const QString appName = u"SanboVer2"_s;
const QString exeName = u"Sanbo.exe"_s;

}  // namespace

bool SanboSettleSingleInstance(CKoSingleProccess& guard, bool controlHeld)
{
    return guard.SettleAtStart(appName, exeName, controlHeld);
}

CSanboApp::CSanboApp(int& argc, char** argv) : QApplication(argc, argv), m_settingInfo(m_iniFile)
{
    setApplicationName(appName);
    setApplicationVersion(QStringLiteral(KINZO_VERSION));
    KoInstallQtTranslations(*this);
    KoInstallAccessibility();
}

CSanboApp::~CSanboApp()
{
    KoSetAppVoice(nullptr);
    KoSetAppIniFile(nullptr);
    KoSetAppSettings(nullptr);
}

bool CSanboApp::InitInstance()
{
    platform::beep(platform::BeepSound::Exclamation);
    if (!SanboSettleSingleInstance(m_singleProcess, queryKeyboardModifiers() & Qt::ControlModifier))
        return false;
    if (InitialSetup()) return true;
    m_singleProcess.Release();
    return false;
}

bool CSanboApp::InitialSetup()
{
    const bool prepared = m_iniFile.Initialize(appName, u"Sanbo.ini"_s,
                                               applicationDirPath() + u"/DEFAULT_Sanbo.ini"_s) != 0;
    m_settingInfo.Load();
    KoSetAppIniFile(&m_iniFile);
    KoSetAppSettings(&m_settingInfo);
    m_voiceReader.Init();
    KoSetAppVoice(&m_voiceReader);
    if (prepared) return true;
    KoMessageBox(nullptr, u"初期化に失敗したためアプリケーションを終了します。"_s + u"\n("_s
                              + u"Iniファイル初期化失敗"_s + u')',
                 KoButtons::Ok, QString(), KoIcon::Error);
    return false;
}

int CSanboApp::Run()
{
    CSanboDlg dialog(m_iniFile);
    m_singleProcess.SetMark(&dialog, 1);
    KoKeepKeyboard(dialog);
    dialog.DoModal();
    m_singleProcess.SetMark(&dialog, 0);
    m_settingInfo.Save();
    return 0;
}
