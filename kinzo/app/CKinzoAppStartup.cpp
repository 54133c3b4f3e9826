// The cash book's start-up, in the order the program has always followed.

#include "CKinzoApp.h"

#include "CMainFrame.h"
#include "CStartupReminder.h"
#include "KinzoCommands.h"

#include "grid/CXGrid.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/Ver1Converter.h"
#include "kolib/CKoCommandLineInfo.h"
#include "kolib/CKoPasswordStore.h"
#include "kolib/CKoVLoginDlg.h"
#include "kolib/CSplashWindow.h"
#include "kolib/KoMessageBox.h"
#include "platform/Beep.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

using namespace Qt::StringLiterals;

bool CKinzoApp::InitInstance(const QStringList& arguments)
{
    if (!SettleSingleInstance()) return false;

    auto splash = std::make_unique<CSplashWindow>();
    splash->ShowCentred();
    const qint64 splashShown = QDateTime::currentMSecsSinceEpoch();
    platform::beep(platform::BeepSound::Exclamation);

    QString reasons;
    if (!InitialSetup(reasons)) {
        splash.reset();
        m_singleProcess.Release();
        return false;
    }
    // The grids speak their messages through the program's message box.
    CXGrid::SetMessageFunction([](QWidget* owner, const QString& text) { KoMessageBox(owner, text); });

    CKoCommandLineInfo commandLine;
    commandLine.ParseCommandLine(arguments);
    if (CKoPasswordStore().ReadPasswordOn() != 0 && CKoPasswordStore().IsPasswordSet()) {
        splash.reset();
        if (!CheckPassword(commandLine.m_password)) {
            m_singleProcess.Release();
            return false;
        }
    }

    m_mainFrame = std::make_unique<CMainFrame>(*this);
    if (!m_mainFrame->Create()) return false;

    m_voiceReader.ReadTextLimit(u"%1を起動しました。"_s.arg(applicationName()), 1, 3000);
    const bool opened = OpenStartupFile(commandLine.PlainParameters());
    m_singleProcess.SetMark(m_mainFrame.get(), 1);
    CloseSplash(splash, splashShown);
    m_windowPlacement.ShowMaximised(*m_mainFrame);
    m_mainWindowReady = 1;
    if (opened) {
        CheckPaymentReminders();
        m_mainFrame->RefreshTitle();
        m_mainFrame->RunCommand(CmdListView);
    }
    return true;
}

// Another instance runs: with Control held it is ended and this one goes on;
// otherwise its window comes forward and this one ends.
bool CKinzoApp::SettleSingleInstance()
{
    return m_singleProcess.SettleAtStart(applicationName(), u"Kinzo2.exe"_s,
                                         queryKeyboardModifiers() & Qt::ControlModifier);
}

// The password of a protected cash book, from the command line ("/A") or the
// login dialog. Speech is on for this step whatever it was.
bool CKinzoApp::CheckPassword(const QString& commandLinePassword)
{
    const int speech = m_voiceReader.SetRead(1);
    bool accepted = false;
    if (commandLinePassword.isEmpty()) {
        CKoVLoginDlg login{QString(), QString()};
        accepted = login.DoModal() == QDialog::Accepted;
    } else {
        accepted = CKoPasswordStore().VerifyPassword(commandLinePassword.trimmed());
        if (!accepted) KoMessageBox(nullptr, u"パスワードが違います。"_s);
    }
    m_voiceReader.SetRead(speech);
    return accepted;
}

// The data file named first on the command line, else the one used last.
// Without one the document stays empty until the user creates or opens a file.
bool CKinzoApp::OpenStartupFile(const QStringList& plainArguments)
{
    QString path = plainArguments.value(0);
    if (path.isEmpty()) path = m_iniFile.ReadDBFileName();
    // Conversions go to the ledgers' folder, most often the documents folder.
    RemoveConversionLeftovers(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (!path.isEmpty()) RemoveConversionLeftovers(QFileInfo(path).absolutePath());
    bool opened = false;
    if (!path.isEmpty()) {
        if (QFileInfo::exists(path)) opened = m_mainFrame->OpenDataFile(path);
        else KoMessageBox(m_mainFrame.get(), u"ファイルが見つかりません。"_s);
    }
    if (!opened) Document().OnNewDocument(QString());
    return opened;
}

void CKinzoApp::CloseSplash(std::unique_ptr<CSplashWindow>& splash, qint64 shownAtMs)
{
    if (!splash) return;
    const qint64 remaining = m_splashMinimumMs - (QDateTime::currentMSecsSinceEpoch() - shownAtMs);
    if (remaining > 0) QThread::msleep(unsigned(remaining));
    splash.reset();
}

void CKinzoApp::CheckPaymentReminders()
{
    CKinzoDoc& doc = Document();
    CStartupReminder reminder(doc.PaymentTable(), doc.LoanTable(), doc.AccountItems(), m_holidayFile,
                              m_iniFile.ReadSaveAnounceStartDays(), QDate::currentDate());
    QString lines, failure;
    if (!reminder.PaymentLines(lines, failure)) {
        KoMessageBox(m_mainFrame.get(), failure);
        return;
    }
    if (!lines.isEmpty()) KoMessageBox(m_mainFrame.get(), lines, KoButtons::Ok, u"未払い"_s);
    if (!reminder.LoanLines(lines, failure)) {
        KoMessageBox(m_mainFrame.get(), failure);
        return;
    }
    if (!lines.isEmpty()) KoMessageBox(m_mainFrame.get(), lines, KoButtons::Ok, u"ローン支払"_s);
}
