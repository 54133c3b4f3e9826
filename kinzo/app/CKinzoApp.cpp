#include "CKinzoApp.h"

#include "kolib/KoAppSettings.h"
#include "CMainFrame.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kolib/KoAppVoice.h"
#include "kolib/KoMessageBox.h"
#include "kolib/KoAccessible.h"
#include "kolib/KoTranslations.h"
#include "platform/Beep.h"
#include "platform/KnownFolders.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>

using namespace Qt::StringLiterals;

namespace {

const QString appName = u"KinzoVer2"_s;
const QString iniFileName = u"Kinzo2.ini"_s;

}  // namespace

CKinzoApp::CKinzoApp(int& argc, char** argv)
    : QApplication(argc, argv), m_settingInfo(m_iniFile),
      m_document(std::make_unique<CKinzoDoc>(m_connection, *this))
{
    setApplicationName(appName);
    setApplicationVersion(QStringLiteral(KINZO_VERSION));
    KoInstallQtTranslations(*this);
    KoInstallAccessibility();
}

CKinzoApp::~CKinzoApp()
{
    m_mainFrame.reset();   // the window goes before what it shows
}

void CKinzoApp::Notice(const QString& text)
{
    KoMessageBox(m_mainWindow, text);
}

void CKinzoApp::Log(const QString& text)
{
    m_diagLog.Error("CKinzoDoc", "%s", qUtf8Printable(text));
}

void CKinzoApp::WriteDBFileName(const QString& path)
{
    m_iniFile.WriteDBFileName(path);
}

CKinzoApp* CKinzoApp::Instance()
{
    return qobject_cast<CKinzoApp*>(QCoreApplication::instance());
}

int CKinzoApp::StartMonth()
{
    const CKinzoApp* app = Instance();
    return app ? std::clamp(app->m_settingInfo.m_startMonth, 1, 12) : 1;
}

int CKinzoApp::InitialSetup(QString& reasons)
{
    reasons.clear();
    QStringList failures;
    ComputeFolders();
    MigrateOldSettingsFile();

    if (!m_iniFile.Initialize(appName, iniFileName, m_programFolder + u"/DEFAULT_Kinzo.ini"_s))
        failures << u"Iniファイル初期化失敗"_s;
    m_settingInfo.Load();
    KoSetAppIniFile(&m_iniFile);
    KoSetAppSettings(&m_settingInfo);

    m_holidayFile.SetFolder(m_programFolder);
    m_holidayFile.SetLog(&m_diagLog);
    if (!m_holidayFile.Load(QDate::currentDate().year())) failures << u"祝祭日ファイル読込み失敗"_s;

    m_voiceReader.Init();
    KoSetAppVoice(&m_voiceReader);

    StartDiagnosticLog();
    m_windowPlacement.SetFilePath(m_iniFile.GetFilePath());

    if (!failures.isEmpty()) {
        reasons = failures.join(u'\n');
        KoMessageBox(nullptr, u"初期化に失敗したためアプリケーションを終了します。"_s + u"\n("_s + reasons + u')',
                     KoButtons::Ok, QString(), KoIcon::Error);
        return 0;
    }
    return 1;
}

void CKinzoApp::ComputeFolders()
{
    m_programFolder = QCoreApplication::applicationDirPath();
    QDir parent(m_programFolder);
    parent.cdUp();
    m_programParentFolder = parent.path();
    m_manualViewerPath = parent.filePath(u"Tebiki/Tebiki2"_s);
    parent.cdUp();
    m_programGrandParentFolder = parent.path();
    m_userFolder = platform::documentsFolder() + u"/Asagi/"_s + appName;
}

// Early versions kept their settings in a file without extension.
void CKinzoApp::MigrateOldSettingsFile() const
{
    const QDir user(m_userFolder);
    if (QFile::exists(user.filePath(appName)) && !QFile::exists(user.filePath(iniFileName)))
        QFile::rename(user.filePath(appName), user.filePath(iniFileName));
}

void CKinzoApp::StartDiagnosticLog()
{
    int forceTrace = 0;
    if (QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier) {
        platform::beep(platform::BeepSound::Exclamation);
        forceTrace = 1;
    }
    m_diagLog.Init(appName, u"KIN"_s, m_userFolder + u"/KIN_LOG"_s,
                   m_userFolder + u"/kinzo_logparam.ini"_s, forceTrace);
    const QString version = applicationVersion();
    m_diagLog.Trace("CKinzoApp::InitialSetup", "*** %s Start ***",
                    qUtf8Printable(u"%1 Ver%2 [on %3]"_s.arg(appName, version, QSysInfo::prettyProductName())));
    m_diagLog.Trace("CKinzoApp::InitialSetup", "リーダ : [%s]", qUtf8Printable(m_voiceReader.GetScReaderName()));
}
