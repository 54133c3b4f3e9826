#include "CMainFrame.h"

#include "CKinzoApp.h"
#include "CKinzoViewBase.h"
#include "CommandTable.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kolib/KoCommandEvent.h"
#include "kolib/CKoVFileDialog.h"
#include "kolib/KoAppVoice.h"
#include "kolib/KoKeyboardKeeper.h"
#include "kolib/KoMessageBox.h"
#include "kolib/KoMnemonic.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStackedWidget>

using namespace Qt::StringLiterals;

namespace {

std::map<int, CMainFrame::FrameCommand>& registeredCommands()
{
    static std::map<int, CMainFrame::FrameCommand> commands;
    return commands;
}

}  // namespace

void CMainFrame::RegisterCommand(int id, FrameCommand command)
{
    registeredCommands()[id] = std::move(command);
}

CMainFrame::CMainFrame(CKinzoApp& app) : m_app(app), m_fkeyMenu(this), m_watcher(this)
{
    setObjectName(u"MainFrame"_s);
    setMinimumSize(400, 300);
    m_stack = new QStackedWidget(this);
    setCentralWidget(m_stack);
    m_commands = registeredCommands();
    AddFrameCommands();
    connect(&Document(), &CKinzoDoc::UpdateAllViews, this,
            [this](UpdateHint hint, const QVariant& object) { UpdateAllViews(hint, object); });
    connect(&Document(), &CKinzoDoc::ListViewCommand, this, [this] { RunCommand(CmdListView); });
    connect(&Document(), &CKinzoDoc::PathNameChanged, this, [this](const QString& path) {
        if (!path.isEmpty()) m_recentFiles.Add(path);
        RefreshRecentFiles();
        FollowLedgerFolder();
    });
}

CMainFrame::~CMainFrame()
{
    m_watcher.Stop();
}

bool CMainFrame::Create()
{
    BuildToolbar();
    BuildStatusBar();
    RefreshTitle();
    BuildMenus();
    BuildFunctionKeys();
    ApplyFontSizeToChrome();
    SwitchView(Document().IsOpen() ? 101 : 177);
    FollowLedgerFolder();
    RefreshPasswordText();
    m_app.m_currentDate = QDate::currentDate();
    m_app.m_mainWindow = this;
    if (!m_watcher.Start()) {
        KoMessageBox(this, u"スレッドの作成に失敗しました"_s);
        return false;
    }
    qApp->installEventFilter(this);
    KoKeepKeyboard(*this);
    return true;
}

CKinzoDoc& CMainFrame::Document() const
{
    return m_app.Document();
}

QAction* CMainFrame::Action(int id) const
{
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

bool CMainFrame::IsCommandEnabled(int id) const
{
    if (!Document().IsOpen() && m_fileOnlyCommands.count(id)) return false;
    if (WritesDataFile(id) && Document().IsReadOnly()) return false;
    if (m_activeView) {
        if (const auto viewState = m_activeView->IsCommandEnabled(id)) return *viewState;
    }
    const auto found = m_commands.find(id);
    if (found == m_commands.end()) return false;
    return !found->second.enabled || found->second.enabled(*this);
}

bool CMainFrame::RunCommand(int id)
{
    if (!IsCommandEnabled(id)) return false;
    if (m_activeView && m_activeView->OnCommand(id)) {
        RefreshCommandStates();
        return true;
    }
    const auto found = m_commands.find(id);
    if (found == m_commands.end()) return false;
    const auto run = found->second.run;   // the command may replace the table's entry
    run(*this);
    RefreshCommandStates();
    return true;
}

void CMainFrame::RunCommandByKey(int id)
{
    if (RunCommand(id)) return;
    const QString name = KoStripMnemonic(CommandTextOf(id).menuText.section(u'\t', 0, 0)).remove(u"..."_s);
    KoAppReadText(CKoVFKeyMenu::UnavailableText(name), 1, 0);
}

void CMainFrame::UpdateAllViews(UpdateHint hint, const QVariant& object)
{
    for (const auto& [formId, view] : m_views) view->OnUpdate(nullptr, int(hint), object);
    if (hint == UpdateHint::FileDeleted) {
        SwitchView(177);
        RefreshTitle();
    }
}

void CMainFrame::FollowLedgerFolder()
{
    const QString path = Document().PathName();
    CKoVFileDialog::SetStartFolder(path.isEmpty() ? QString() : QFileInfo(path).absolutePath());
}

void CMainFrame::RefreshTitle()
{
    const QString app = QGuiApplication::applicationDisplayName();
    setWindowTitle(Document().IsOpen() ? u"%1 - %2"_s.arg(app, Document().Title()) : app);
}

bool CMainFrame::event(QEvent* e)
{
    if (e->type() == KoCommandEvent::Type()) {
        RunCommandByKey(int(static_cast<KoCommandEvent*>(e)->CommandId()));
        return true;
    }
    if (e->type() == CNotifyWatcher::NotifyEventType) {
        OnAccountTreeNotified();
        return true;
    }
    return QMainWindow::event(e);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* e)
{
    if (QApplication::activeWindow() != this || QApplication::activeModalWidget())
        return QMainWindow::eventFilter(watched, e);
    if (e->type() == QEvent::ShortcutOverride && IsMagnificationKey(static_cast<QKeyEvent*>(e))) {
        // Taken as a key press here, before any view's own shortcut.
        e->accept();
        return true;
    }
    if (e->type() == QEvent::KeyPress && HandleFrameKey(static_cast<QKeyEvent*>(e))) return true;
    return QMainWindow::eventFilter(watched, e);
}

bool CMainFrame::IsMagnificationKey(const QKeyEvent* key)
{
    return key->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier)
           && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down);
}

bool CMainFrame::HandleFrameKey(QKeyEvent* key)
{
    const int code = key->key();
    if (code >= Qt::Key_F1 && code <= Qt::Key_F8) {
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier)) return false;
        // A held-down key runs its command once.
        if (!key->isAutoRepeat()) m_fkeyMenu.HandleMainKey(unsigned(code));
        return true;
    }
    if (IsMagnificationKey(key)) {
        RunCommandByKey(code == Qt::Key_Up ? CmdZoomIn : CmdZoomOut);
        return true;
    }
    if (key->modifiers() != Qt::ControlModifier) return false;
    static const std::map<int, int> controlKeys{{Qt::Key_F, CmdSearch},    {Qt::Key_H, CmdManual},
                                                 {Qt::Key_I, CmdFileInfo}, {Qt::Key_P, CmdPrint},
                                                 {Qt::Key_T, CmdToday},    {Qt::Key_N, CmdFileNew},
                                                 {Qt::Key_O, CmdFileOpen}};
    const auto found = controlKeys.find(code);
    if (found == controlKeys.end()) return false;
    RunCommandByKey(found->second);
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* e)
{
    SwitchView(177);
    m_watcher.Stop();
    m_app.m_windowPlacement.Save(normalGeometry(), isMaximized());
    m_app.m_settingInfo.Save();
    qApp->removeEventFilter(this);
    e->accept();
}
