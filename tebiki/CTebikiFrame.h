#pragma once
// The manual viewer's window: the contents tree above the page text, both
// white on black in a Mincho face. Tab and Enter switch panes, Escape and Alt
// stop speech, Control+F/N/P/Z find, find again and step through the
// contents, F1 to F5 open the function-key menu, Control+Shift+Up and Down
// make the panes' text larger and smaller. User-interface thread only.

#include "CFindDialog.h"
#include "CTebikiDoc.h"

#include "kolib/CKoVFKeyMenu.h"

#include <QMainWindow>

#include <map>

class CIndexTreeView;
class CTextView;
class QAction;
class QSplitter;

class CTebikiFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CTebikiFrame(const CTebikiDoc& doc, QWidget* parent = nullptr);
    ~CTebikiFrame() override;

    // Runs a menu command; false for an unknown one.
    bool RunCommand(int id);
    QAction* Action(int id) const;
    CIndexTreeView* Tree() const { return m_tree; }
    CTextView* Text() const { return m_text; }
    // What "次を検索" looks for; empty before the first search.
    const FindRequest& LastSearch() const { return m_lastSearch; }
    int PaneFontSize() const { return m_paneFontSize; }
    // Searches the page from the caret; a match is selected (with a beep),
    // else "文字列 '%s' が見つかりませんでした。" is shown.
    void Find(const FindRequest& request);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildFunctionKeys();
    void OnIndexChosen(int index);
    void OnFind();
    void OnFindNext();
    void Read(int command);
    void SwitchPane();
    void SetPaneFontSize(int pointSize);
    void StepPaneFontSize(int direction);
    bool HandleKey(QKeyEvent* key);

    const CTebikiDoc& m_doc;
    QSplitter* m_splitter = nullptr;
    CIndexTreeView* m_tree = nullptr;
    CTextView* m_text = nullptr;
    std::map<int, QAction*> m_actions;
    CKoVFKeyMenu m_fkeyMenu;
    bool m_functionKeyHeld = false;
    bool m_splitterPlaced = false;
    int m_paneFontSize = 12;
    FindRequest m_lastSearch;
};
