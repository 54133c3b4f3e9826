// The main window's menus, toolbar, status bar and function keys, and the
// refresh of their enabled and checked states.

#include "CMainFrame.h"

#include "CKinzoApp.h"
#include "CKinzoViewBase.h"
#include "CommandTable.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kolib/CKoPasswordStore.h"

#include <QActionGroup>
#include <QApplication>
#include <QFileInfo>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

using namespace Qt::StringLiterals;

namespace {

// The letters of the font sizes: one character each, so the tenth size is not
// reached by the "1" of the first.
QChar FontSizeMnemonic(int index)
{
    static const QString letters = u"123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s;
    return letters.at(std::min<int>(index, letters.size() - 1));
}

// The recent files follow the conversion and import items "1" to "3" of the
// same menu.
int RecentFileMnemonic(int index)
{
    return index + 4;
}

}  // namespace

QAction* CMainFrame::MakeAction(int id)
{
    const CommandText& text = CommandTextOf(id);
    auto* action = new QAction(text.menuText, this);
    action->setObjectName(QString::number(id));
    action->setStatusTip(StatusPrompt(id));
    action->setToolTip(ToolTipOf(id).isEmpty() ? StatusPrompt(id) : ToolTipOf(id));
    // The window's own key handling runs the keys; the text shows them.
    action->setShortcutVisibleInContextMenu(false);
    connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    m_actions[id] = action;
    return action;
}

void CMainFrame::BuildMenus()
{
    for (const MenuLayout& layout : MainMenuLayout()) {
        QMenu* menu = menuBar()->addMenu(layout.title);
        if (layout.title.startsWith(u"ファイル"_s)) m_fileMenu = menu;
        for (const MenuEntry& entry : layout.entries) {
            switch (entry.kind) {
            case MenuEntry::Separator: menu->addSeparator(); break;
            case MenuEntry::FontSizes: BuildFontSizeMenu(menu); break;
            case MenuEntry::RecentFiles: BuildRecentFiles(menu); break;
            case MenuEntry::Command: {
                QAction* action = Action(entry.id) ? Action(entry.id) : MakeAction(entry.id);
                menu->addAction(action);
                if (layout.greyedWithoutFile && !AvailableWithoutFile(entry.id)) m_fileOnlyCommands.insert(entry.id);
                break;
            }
            }
        }
        connect(menu, &QMenu::aboutToShow, this, [this] {
            m_accountCount = -1;   // counted again for the account-table import
            RefreshCommandStates();
        });
    }
    auto* views = new QActionGroup(this);
    for (int id : ViewCommands()) views->addAction(Action(id))->setCheckable(true);
    auto* reading = new QActionGroup(this);
    for (int id : {int(CmdReadDataOnly), int(CmdReadWithNames)}) reading->addAction(Action(id))->setCheckable(true);
    auto* levels = new QActionGroup(this);
    for (int id : {int(CmdExpandSides), int(CmdExpandLevel1), int(CmdExpandLevel2), int(CmdExpandLevel3)})
        levels->addAction(Action(id))->setCheckable(true);
    Action(CmdHideZeroAccounts)->setCheckable(true);
    Action(CmdMoveMode)->setCheckable(true);
    RefreshCommandStates();
}

void CMainFrame::BuildFontSizeMenu(QMenu* guide)
{
    m_fontSizeMenu = new QMenu(u"文字サイズ指定(&S)"_s, this);
    m_fontSizeGroup = new QActionGroup(this);
    const CSettingInfo& settings = m_app.m_settingInfo;
    for (int i = 0; i < settings.m_fontSizeCount && CmdFontSizeFirst + i <= CmdFontSizeLast; ++i) {
        const int size = settings.m_fontSizes[i];
        const int id = CmdFontSizeFirst + i;
        auto* action = new QAction(u"%1 (&%2)"_s.arg(size).arg(FontSizeMnemonic(i)), this);
        action->setObjectName(QString::number(id));
        action->setCheckable(true);
        m_fontSizeGroup->addAction(action);
        m_fontSizeMenu->addAction(action);
        m_actions[id] = action;
        m_commands[id] = {[size](CMainFrame& frame) { frame.SetFontSize(size); }, {}};
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    }
    guide->addMenu(m_fontSizeMenu);
}

void CMainFrame::BuildRecentFiles(QMenu* menu)
{
    for (int i = 0; i < 5; ++i) {
        const int id = CmdRecentFile1 + i;
        auto* action = new QAction(this);
        action->setObjectName(QString::number(id));
        action->setStatusTip(StatusPrompt(CmdRecentFile1));
        menu->addAction(action);
        m_recentActions << action;
        m_actions[id] = action;
        m_commands[id] = {[i](CMainFrame& frame) { frame.OnRecentFile(i); }, {}};
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    }
    RefreshRecentFiles();
}

// The framework's list: "&1 <file>" per file, or the greyed "最近使ったファイル" when empty.
void CMainFrame::RefreshRecentFiles()
{
    const QStringList files = m_recentFiles.Files();
    for (int i = 0; i < m_recentActions.size(); ++i) {
        QAction* action = m_recentActions[i];
        if (i < files.size()) {
            action->setText(u"&%1 %2"_s.arg(RecentFileMnemonic(i)).arg(QFileInfo(files[i]).fileName()));
            action->setToolTip(files[i]);
            action->setVisible(true);
            action->setEnabled(true);
        } else {
            action->setText(CommandTextOf(CmdRecentFile1).menuText);
            action->setVisible(i == 0);
            action->setEnabled(false);
        }
    }
}

void CMainFrame::BuildToolbar()
{
    QToolBar* bar = addToolBar(u"標準"_s);
    bar->setObjectName(u"128"_s);
    bar->setAllowedAreas(Qt::AllToolBarAreas);
    static const std::map<int, QStyle::StandardPixmap> icons{
        {CmdFileNew, QStyle::SP_FileIcon},           {CmdFileOpen, QStyle::SP_DialogOpenButton},
        {CmdFileSave, QStyle::SP_DialogSaveButton},  {CmdCut, QStyle::SP_DialogDiscardButton},
        {CmdCopy, QStyle::SP_FileDialogDetailedView}, {CmdPaste, QStyle::SP_FileDialogContentsView},
        {CmdPrint, QStyle::SP_ComputerIcon},         {CmdAbout, QStyle::SP_MessageBoxInformation}};
    for (int id : ToolbarCommands()) {
        if (id == 0) {
            bar->addSeparator();
            continue;
        }
        QAction* action = Action(id) ? Action(id) : MakeAction(id);
        action->setIcon(style()->standardIcon(icons.at(id)));
        bar->addAction(action);
    }
}

void CMainFrame::BuildStatusBar()
{
    statusBar()->setObjectName(u"StatusBar"_s);
    statusBar()->showMessage(QString());
}

void CMainFrame::BuildFunctionKeys()
{
    const QList<std::pair<int, QString>> entries{
        {CmdEntryNew, u"新規登録"_s},   {CmdEntryChange, u"変更"_s},   {CmdEntryDelete, u"削除"_s},
        {CmdSearch, u"検索"_s},         {CmdPaymentCheck, u"支払確認"_s}, {CmdLoanCheck, u"ローン残確認"_s},
        {CmdCalculator, u"Sanbo起動"_s}, {CmdBackup, u"バックアップ"_s}};
    for (int i = 0; i < entries.size(); ++i)
        m_fkeyMenu.Add(unsigned(Qt::Key_F1 + i), entries[i].second, unsigned(entries[i].first));
    m_fkeyMenu.SetCommandAvailability([this](unsigned int id) { return IsCommandEnabled(int(id)); });
}

bool CMainFrame::IsCommandChecked(int id) const
{
    if (m_activeView) {
        if (const auto viewState = m_activeView->IsCommandChecked(id)) return *viewState;
    }
    switch (id) {
    case CmdYearsView: return ActiveFormId() == 144;
    case CmdYearView: return ActiveFormId() == 139;
    case CmdMonthView: return ActiveFormId() == 138;
    case CmdListView: return ActiveFormId() == 101 || ActiveFormId() == 177;
    case CmdReadDataOnly: return m_app.m_settingInfo.m_readLevel == 0;
    case CmdReadWithNames: return m_app.m_settingInfo.m_readLevel != 0;
    case CmdMoveMode: return m_app.m_settingInfo.m_gridMoveMode == 0;
    case CmdHideZeroAccounts: return m_app.m_settingInfo.m_hideZeroAccount != 0;
    default: return false;
    }
}

void CMainFrame::RefreshCommandStates()
{
    for (const auto& [id, action] : m_actions) {
        if (id >= CmdRecentFile1 && id < CmdRecentFile1 + 5) continue;
        action->setEnabled(IsCommandEnabled(id));
        if (action->isCheckable()) action->setChecked(IsCommandChecked(id));
    }
    // The radio mark of the font size: the first listed size not smaller than the current one.
    const CSettingInfo& settings = m_app.m_settingInfo;
    for (int i = 0; i < settings.m_fontSizeCount; ++i) {
        if (settings.m_fontSizes[i] < settings.m_fontSize) continue;
        if (QAction* action = Action(CmdFontSizeFirst + i)) action->setChecked(true);
        break;
    }
}

void CMainFrame::ApplyFontSizeToChrome()
{
    QFont font = QApplication::font();
    font.setPointSize(m_app.m_settingInfo.m_fontSize);
    menuBar()->setFont(font);
    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) menu->setFont(font);
    if (m_fontSizeMenu) m_fontSizeMenu->setFont(font);
    statusBar()->setFont(font);
}

void CMainFrame::RefreshPasswordText()
{
    const CKoPasswordStore store;
    m_passwordSet = store.IsPasswordSet();
    const bool protecting = store.ReadPasswordOn() != 0 && m_passwordSet;
    if (QAction* action = Action(CmdPasswordSetOrClear))
        action->setText(protecting ? u"パスワード解除(&W)..."_s : CommandTextOf(CmdPasswordSetOrClear).menuText);
}
