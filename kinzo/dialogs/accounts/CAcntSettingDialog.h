#pragma once
// "科目設定": the account tree in a CAccountGrid with the commands that add,
// change, merge, move, delete and reorder items, each stored at once, and the
// view commands of its menu (move mode, levels shown, column widths). The
// commands are buttons, menu items and keys alike, each enabled only where
// it applies. The dialog works on its own copy of the tree; Open reloads the
// document's tree afterwards and tells every view (AccountTreeEdited).
// User-interface thread only.

#include "kinzo/data/AccountItemList.h"
#include "kolib/CKoVDialogBase.h"

#include <map>

class CAccountGrid;
class CKinzoDoc;
class QAction;
class QMenuBar;

class CAcntSettingDialog : public CKoVDialogBase {
    Q_OBJECT
public:
    static constexpr int ResourceId = 140;
    // Command ids of the buttons' menu items and the view commands.
    enum Command {
        CmdAdd = 32803, CmdChange = 32805, CmdMerge = 32937, CmdMove = 32840, CmdDelete = 32804,
        CmdFirst = 33035, CmdUp = 32844, CmdDown = 32845, CmdLast = 33036, CmdClose = 32939,
        CmdMoveMode = 33060, CmdLevel0 = 32943, CmdLevel3 = 32946, CmdResetWidths = 33024
    };

    CAcntSettingDialog(QWidget* parent, CKinzoDoc& document);
    ~CAcntSettingDialog() override;

    // Shows the dialog modally, then reloads the document's tree and tells
    // the views.
    static void Open(QWidget* parent, CKinzoDoc& document);

    CAccountGrid& Grid() { return *m_grid; }
    AccountItemList& Tree() { return m_tree; }
    bool Modified() const { return m_modified; }
    // Runs a command (button, menu item or key); nothing when it is disabled.
    void RunCommand(int command);
    bool IsCommandEnabled(int command) const;
    QAction* Action(int command) const;

    void Add();
    void Change();
    void Merge();
    void Move();
    void Delete();

protected:
    void OnInitDialog() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void BuildMenu(QMenuBar* bar);
    void AddButton(class QLayout* layout, int buttonId, const QString& text, int command);
    bool HandleKey(const QKeyEvent* key);
    void UpdateCommands();
    void Reorder(int command);
    // Fills the grid again from the tree, the cursor on the node.
    void Rebuild(const AccountItemNode* current);
    // Shows a failure message; true when there was none.
    bool Report(const QString& failure);

    CKinzoDoc& m_document;
    AccountItemList m_tree;
    bool m_loaded = false;
    bool m_modified = false;
    CAccountGrid* m_grid = nullptr;
    std::map<int, QAction*> m_actions;
    std::map<int, QWidget*> m_buttons;
};
