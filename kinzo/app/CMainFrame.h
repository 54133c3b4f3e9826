#pragma once
// The cash book's main window. It holds one view at a time (the placeholder
// while no data file is open, else a ledger view), owns the menus, toolbar,
// status bar and function-key menu, keeps the title, runs the file, font-size,
// reading-mode, password and program-launch commands, and reloads the account
// tree when another program sets the named event "Event_Notyfy_To_Kinzo".
//
// Commands go to the active view first; what the view does not take, the
// window runs itself. Commands of dialogs built above this layer are
// registered with RegisterCommand (by the program's start); a command that no
// one runs is shown greyed. User-interface thread only.

#include "CNotifyWatcher.h"
#include "CRecentFileList.h"
#include "CWindowPlacement.h"
#include "KinzoCommands.h"

#include "kinzo/data/UpdateHint.h"
#include "kolib/CKoVFKeyMenu.h"

#include <QMainWindow>
#include <QVariant>

#include <functional>
#include <map>
#include <memory>
#include <set>

class CKinzoApp;
class CKinzoDoc;
class CKinzoViewBase;
class QActionGroup;
class QMenu;
class QStackedWidget;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    struct FrameCommand {
        std::function<void(CMainFrame&)> run;
        // Whether it can run now; an empty rule means always.
        std::function<bool(const CMainFrame&)> enabled;
    };
    // Adds a command the window runs when no view takes it (for dialogs of
    // the layers above). Registered before the window is made.
    static void RegisterCommand(int id, FrameCommand command);

    explicit CMainFrame(CKinzoApp& app);
    ~CMainFrame() override;

    // The creation steps after the window itself: toolbar, status bar, title,
    // menus and the event watcher. False (after "スレッドの作成に失敗しました")
    // when the watcher cannot start.
    bool Create();

    // Runs a command as choosing it would: the active view first, then the
    // window. A command that cannot run now does nothing; returns whether it ran.
    bool RunCommand(int id);
    // Runs a command chosen by its key: one that cannot run now says so.
    void RunCommandByKey(int id);
    bool IsCommandEnabled(int id) const;
    bool IsCommandChecked(int id) const;

    // Shows the view of the form (177 placeholder, 101 day list, 138 month,
    // 139 year, 144 years); a view already shown is loaded again.
    void SwitchView(int formId);
    CKinzoViewBase* ActiveView() const { return m_activeView; }
    int ActiveFormId() const;

    // The document's update of every view.
    void UpdateAllViews(UpdateHint hint, const QVariant& object = QVariant());

    // Opens or creates a data file as the file commands do (the placeholder is
    // shown first); false when the document failed.
    bool OpenDataFile(const QString& path);
    bool NewDataFile(const QString& path);

    void RefreshTitle();
    // File dialogs start in the open ledger's folder, else the documents folder.
    void FollowLedgerFolder();
    // The font size of the screen: the setting, the menu's check, the views;
    // says the size ("文字サイズ 22").
    void SetFontSize(int size);

    CKinzoDoc& Document() const;
    CKinzoApp& App() const { return m_app; }
    QMenu* FontSizeMenu() const { return m_fontSizeMenu; }
    QAction* Action(int id) const;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Menus, toolbar and status bar (CMainFrameMenus.cpp).
    void BuildMenus();
    void BuildFontSizeMenu(QMenu* menu);
    void BuildRecentFiles(QMenu* menu);
    void RefreshRecentFiles();
    void BuildToolbar();
    void BuildStatusBar();
    void BuildFunctionKeys();
    void RefreshCommandStates();
    void RefreshPasswordText();
    // The menus, toolbar and status bar in the screen font size, like the views.
    void ApplyFontSizeToChrome();
    QAction* MakeAction(int id);

    // The window's own commands (CMainFrameCommands.cpp).
    void AddFrameCommands();
    void AddFileCommands();
    void AddViewCommands();
    void AddGuideCommands();
    void AddOptionCommands();
    void OnFileNew();
    void OnFileOpen();
    void OnFileSaveAs();
    void OnFileDelete();
    void OnImportAccountTable();
    void OnPrintSetup();
    void OnRecentFile(int index);
    void OnPasswordSetOrClear();
    void OnPasswordChange();
    void OnColorSettings();
    void OnCalculator();
    void OnManual();
    void OnAbout();
    void OnAccountTreeNotified();
    void StepFontSize(int direction);

    // Views (CMainFrameViews.cpp).
    CKinzoViewBase* ViewOf(int formId);
    CKinzoViewBase* CreateView(int formId);

    // Keys seen before any control (F1-F8, the Control keys and the
    // magnification keys).
    bool HandleFrameKey(QKeyEvent* key);
    static bool IsMagnificationKey(const QKeyEvent* key);

    CKinzoApp& m_app;
    std::map<int, FrameCommand> m_commands;
    std::map<int, QAction*> m_actions;
    std::set<int> m_fileOnlyCommands;    // greyed while no data file is open
    QList<QAction*> m_recentActions;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_fontSizeMenu = nullptr;
    QActionGroup* m_fontSizeGroup = nullptr;
    QStackedWidget* m_stack = nullptr;
    std::map<int, CKinzoViewBase*> m_views;
    CKinzoViewBase* m_activeView = nullptr;
    CKoVFKeyMenu m_fkeyMenu;
    CNotifyWatcher m_watcher;
    CRecentFileList m_recentFiles;
    mutable int m_accountCount = -1;   // account-table records, counted when a menu opens
    bool m_passwordSet = false;        // read from the store when the password commands change it
};
