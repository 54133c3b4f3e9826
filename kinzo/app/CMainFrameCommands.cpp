// The commands the main window runs itself: files, views, font size,
// reading mode, colours, password, and starting the calculator and the manual.

#include "CMainFrame.h"

#include "CKinzoApp.h"
#include "CKinzoViewBase.h"
#include "CViewRegistry.h"
#include "KinzoCommands.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kolib/CKoColorSettingDlg.h"
#include "kolib/CKoPasswordStore.h"
#include "kolib/CKoVFileDialog.h"
#include "kolib/CKoVLoginDlg.h"
#include "kolib/CKoVPasswordSettingDlg.h"
#include "kolib/KoAppVoice.h"
#include "kolib/KoMessageBox.h"
#include "platform/PrivateProfile.h"
#include "platform/ProgramLauncher.h"

#include <QDir>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>

using namespace Qt::StringLiterals;

namespace {

const QString dataFileFilter = u"%1ファイル(*%2)|*%2|すべてのファイル(*.*)|*.*||"_s.arg(u"KinzoVer2"_s, u".kzd"_s);

bool fileOpen(const CMainFrame& frame)
{
    return frame.App().Document().IsOpen();
}

// Asks for a data file; empty when cancelled.
// title: the command's own name; Qt's default ("名前を付けて保存") when empty.
QString chooseDataFile(QWidget* owner, bool open, const QString& title = QString())
{
    CKoVFileDialog dialog(open, u".kzd"_s, QString(), QFileDialog::DontUseNativeDialog, dataFileFilter, owner);
    if (!title.isEmpty()) dialog.setWindowTitle(title);
    return dialog.DoModal() == QDialog::Accepted ? dialog.GetPathName() : QString();
}

}  // namespace

void CMainFrame::AddFrameCommands()
{
    AddFileCommands();
    AddViewCommands();
    AddGuideCommands();
    AddOptionCommands();
}

void CMainFrame::AddFileCommands()
{
    m_commands[CmdFileNew] = {[](CMainFrame& f) { f.OnFileNew(); }, {}};
    m_commands[CmdFileOpen] = {[](CMainFrame& f) { f.OnFileOpen(); }, {}};
    // Save-as copies the open file: there is nothing to copy without one.
    m_commands[CmdFileSaveAsMenu] = {[](CMainFrame& f) { f.RunCommand(CmdFileSaveAs); }, fileOpen};
    m_commands[CmdFileSaveAs] = {[](CMainFrame& f) { f.OnFileSaveAs(); }, fileOpen};
    m_commands[CmdFileDelete] = {[](CMainFrame& f) { f.OnFileDelete(); }, fileOpen};
    m_commands[CmdImportAccountTable] = {[](CMainFrame& f) { f.OnImportAccountTable(); },
                                         [](const CMainFrame& f) {
                                             if (!fileOpen(f)) return false;
                                             if (f.m_accountCount < 0) {
                                                 qint64 count = 0;
                                                 f.Document().AccountTable().Count(count);
                                                 f.m_accountCount = int(count);
                                             }
                                             return f.m_accountCount <= 2;
                                         }};
    m_commands[CmdPrintSetup] = {[](CMainFrame& f) { f.OnPrintSetup(); }, {}};
    m_commands[CmdAppExit] = {[](CMainFrame& f) { f.close(); }, {}};
}

void CMainFrame::AddViewCommands()
{
    m_commands[CmdToday] = {[](CMainFrame& f) {
                                f.App().m_currentDate = QDate::currentDate();
                                f.SwitchView(101);
                            },
                            [](const CMainFrame& f) { return fileOpen(f) && HasKinzoView(101); }};
    const QList<std::pair<int, int>> views{{CmdYearsView, 144}, {CmdYearView, 139}, {CmdMonthView, 138},
                                           {CmdListView, 101}};
    for (const auto& [id, form] : views)
        m_commands[id] = {[form](CMainFrame& f) { f.SwitchView(form); },
                          [form](const CMainFrame& f) { return fileOpen(f) && HasKinzoView(form); }};
}

void CMainFrame::AddGuideCommands()
{
    for (const int id : {int(CmdReadDataOnly), int(CmdReadWithNames)}) {
        m_commands[id] = {[id](CMainFrame& f) {
                              f.App().m_settingInfo.m_readLevel = id == CmdReadWithNames ? 1 : 0;
                              // The view hands the mode to its grid.
                              if (f.ActiveView()) f.ActiveView()->OnCommand(id);
                          },
                          {}};
    }
    m_commands[CmdZoomIn] = {[](CMainFrame& f) { f.StepFontSize(+1); }, {}};
    m_commands[CmdZoomOut] = {[](CMainFrame& f) { f.StepFontSize(-1); }, {}};
    m_commands[CmdZoomDefault] = {[](CMainFrame& f) {
                                      f.SetFontSize(std::max(9, f.App().m_iniFile.ReadFontSize()));
                                  },
                                  {}};
}

void CMainFrame::AddOptionCommands()
{
    m_commands[CmdColorSettings] = {[](CMainFrame& f) { f.OnColorSettings(); }, {}};
    m_commands[CmdPasswordSetOrClear] = {[](CMainFrame& f) { f.OnPasswordSetOrClear(); }, {}};
    m_commands[CmdPasswordChange] = {[](CMainFrame& f) { f.OnPasswordChange(); },
                                     [](const CMainFrame& f) { return f.m_passwordSet; }};
    m_commands[CmdCalculator] = {[](CMainFrame& f) { f.OnCalculator(); }, {}};
    m_commands[CmdManual] = {[](CMainFrame& f) { f.OnManual(); }, {}};
    m_commands[CmdAbout] = {[](CMainFrame& f) { f.OnAbout(); }, {}};
}

bool CMainFrame::NewDataFile(const QString& path)
{
    SwitchView(177);
    const bool created = Document().OnNewDocument(path);
    RefreshTitle();
    return created;
}

bool CMainFrame::OpenDataFile(const QString& path)
{
    SwitchView(177);
    const bool opened = Document().OnOpenDocument(path);
    if (opened) RefreshTitle();
    return opened;
}

void CMainFrame::OnFileNew()
{
    const QString path = chooseDataFile(this, false, u"新規作成"_s);
    if (!path.isEmpty()) NewDataFile(path);
}

void CMainFrame::OnFileOpen()
{
    const QString path = chooseDataFile(this, true);
    if (!path.isEmpty()) OpenDataFile(path);
}

void CMainFrame::OnFileSaveAs()
{
    const QString path = chooseDataFile(this, false);
    if (path.isEmpty()) return;
    if (Document().OnSaveDocument(path)) RefreshTitle();
}

void CMainFrame::OnFileDelete()
{
    const QString name = QFileInfo(Document().PathName()).fileName();
    const QString question =
        u"現在開いているファイル%1を削除します。元に戻すことはできませんが、よろしいですか？"_s.arg(name);
    if (KoMessageBox(this, question, KoButtons::OkCancel) != KoAnswer::Ok) return;
    if (!Document().DeleteDataFile()) return;
    SwitchView(177);
    RefreshTitle();
}

void CMainFrame::OnImportAccountTable()
{
    const QString path = chooseDataFile(this, true);
    if (!path.isEmpty()) Document().ImportAccountTable(path);
    m_accountCount = -1;
}

void CMainFrame::OnRecentFile(int index)
{
    const QString path = m_recentFiles.Files().value(index);
    if (path.isEmpty()) return;
    if (!QFileInfo::exists(path)) {
        KoMessageBox(this, u"ファイルが見つかりません。"_s);
        m_recentFiles.Remove(path);
        RefreshRecentFiles();
        return;
    }
    OpenDataFile(path);
    RefreshTitle();
}

void CMainFrame::OnPrintSetup()
{
    CKinzoIniFile& ini = m_app.m_iniFile;
    QPrinter printer;
    const QPrinterInfo stored = QPrinterInfo::printerInfo(ini.ReadPrinterName());
    if (!stored.isNull()) {
        printer.setPrinterName(stored.printerName());
        printer.setPageSize(QPageSize(QPageSize::PageSizeId(ini.ReadPaperSize())));
        printer.setPageOrientation(QPageLayout::Orientation(ini.ReadPaperOrientation()));
    }
    QPageSetupDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    ini.WritePrinterName(printer.printerName());
    ini.WritePaperSize(int(printer.pageLayout().pageSize().id()));
    ini.WritePaperOrientation(int(printer.pageLayout().orientation()));
}

void CMainFrame::StepFontSize(int direction)
{
    const CSettingInfo& s = m_app.m_settingInfo;
    int size = s.m_fontSize;
    if (direction > 0) {
        size = s.m_fontSizes[s.m_fontSizeCount - 1];
        for (int i = 0; i < s.m_fontSizeCount; ++i)
            if (s.m_fontSizes[i] > s.m_fontSize) { size = s.m_fontSizes[i]; break; }
    } else {
        size = s.m_fontSizes[0];
        for (int i = s.m_fontSizeCount - 1; i >= 0; --i)
            if (s.m_fontSizes[i] < s.m_fontSize) { size = s.m_fontSizes[i]; break; }
    }
    SetFontSize(size);
}

void CMainFrame::SetFontSize(int size)
{
    CSettingInfo& settings = m_app.m_settingInfo;
    const int old = settings.m_fontSize;
    settings.SetFontSize(size);
    ApplyFontSizeToChrome();
    RefreshCommandStates();
    if (size != old) UpdateAllViews(UpdateHint::FontSizeChanged, settings.m_zoom);
    // Said at the ends of the list too, so the key is never met by silence.
    KoAppReadText(u"文字サイズ %1"_s.arg(settings.m_fontSize), 1, 0);
}

void CMainFrame::OnColorSettings()
{
    CKoColorSettingDlg dialog(this);
    if (dialog.DoModal() == QDialog::Accepted) UpdateAllViews(UpdateHint::ColorsChanged);
}

void CMainFrame::OnPasswordSetOrClear()
{
    CKoPasswordStore store;
    if (store.ReadPasswordOn() != 0 && store.IsPasswordSet()) {
        CKoVLoginDlg login(u"パスワード解除"_s, u"現在のパスワードを入力してください。"_s, this);
        if (login.DoModal() != QDialog::Accepted) return;
        store.WritePasswordOn(0);
        store.ClearPassword();
        RefreshPasswordText();
        KoMessageBox(this, u"パスワードが解除されました。"_s);
        return;
    }
    CKoVPasswordSettingDlg setting(u"パスワードを入力してください。"_s, this);
    if (setting.DoModal() != QDialog::Accepted) return;
    RefreshPasswordText();
    KoMessageBox(this, u"パスワードが設定されました。"_s);
}

void CMainFrame::OnPasswordChange()
{
    CKoVLoginDlg login(u"パスワード変更"_s, u"現在のパスワードを入力してください。"_s, this);
    if (login.DoModal() != QDialog::Accepted) return;
    CKoVPasswordSettingDlg setting(u"新しいパスワードを入力してください。"_s, this);
    if (setting.DoModal() != QDialog::Accepted) return;
    RefreshPasswordText();
    KoMessageBox(this, u"パスワードが変更されました。"_s);
}

void CMainFrame::OnCalculator()
{
    const QString folder = m_app.m_programParentFolder + u"/Sanbo"_s;
    if (!platform::startProgram(folder + u"/Sanbo"_s, {}, folder))
        KoMessageBox(this, u"%1が見つかりません。"_s.arg(u"SanboVer2"_s));
}

void CMainFrame::OnManual()
{
    const QString manual = m_app.m_programFolder + u"/Kinzo_Manual.txt"_s;
    const QString folder = QFileInfo(m_app.m_manualViewerPath).absolutePath();
    if (!platform::startProgram(m_app.m_manualViewerPath, {manual}, folder))
        KoMessageBox(this, u"%1が見つかりません。"_s.arg(u"TebikiVer2"_s));
}

void CMainFrame::OnAbout()
{
    KoMessageBox(this, u"%1 Version %2"_s.arg(QGuiApplication::applicationDisplayName(),
                                               QCoreApplication::applicationVersion()),
                 KoButtons::Ok, u"バージョン情報"_s, KoIcon::Information);
}

void CMainFrame::OnAccountTreeNotified()
{
    if (!m_app.m_connection.IsOpen()) return;
    if (Document().ReloadAccountItems()) UpdateAllViews(UpdateHint::AccountTreeReloaded);
}
