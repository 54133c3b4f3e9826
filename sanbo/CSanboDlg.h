#pragma once
// "SanboVer2": the calculator's one window. Keys and buttons become calls on
// the engine; the display and the two indicators show its strings; what a
// call returns is spoken (stop 1, wait 0) or, for a refused key, beeped.
// The menu is reached through the function keys.

#include "CSanboEngine.h"

#include "kolib/CKoVDialogBase.h"

#include <QHash>

#include <vector>

class CKoButton;
class CSanboIniFile;
class QLabel;
class QLineEdit;
class QMenuBar;

class CSanboDlg : public CKoVDialogBase {
    Q_OBJECT
public:
    // Commands of the menu; the buttons and keys run the same ones.
    enum Command {
        CmdAllClear = 32800, CmdClearEntry = 32801, CmdBackspace = 32802,
        CmdMemoryPlus = 32803, CmdMemoryStore = 32804, CmdMemoryRecall = 32805,
        CmdMemoryClear = 32806, CmdTaxIncluded = 32807, CmdChangeSign = 32809,
        CmdZoomIn = 32786, CmdZoomOut = 32787, CmdExit = 57665, CmdCopy = 57634,
        CmdPaste = 57637, CmdTaxRate = 32790, CmdManual = 32782, CmdAbout = 57664,
        CmdPlus = 1023, CmdMinus = 1024, CmdTimes = 1021, CmdDivide = 1022, CmdEquals = 1025
    };

    // The settings file must outlive the dialog.
    explicit CSanboDlg(CSanboIniFile& iniFile, QWidget* parent = nullptr);

    const CSanboEngine& Engine() const { return m_engine; }
    // Runs a command as its menu item, button or key does.
    void RunCommand(int command);
    // A digit '0'-'9' or the point '.'.
    void TypeDigit(QChar c);

protected:
    void OnInitDialog() override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildKeys();
    void BuildMenu();
    CKoButton* AddKey(int id, const QString& caption, const QString& speech, int row, int column,
                      int span = 1);
    void Report(const SanboFeedback& feedback);
    void Refresh();
    bool HandleKey(QKeyEvent* event);
    bool HandleControlKey(int key);
    bool HandleArrow(QWidget* focus, int key);
    int CommandOfKey(const QKeyEvent* event) const;
    void Magnify(bool larger);
    void RebuildDisplayFont();
    void Copy();
    void Paste();
    void SetTaxRate();
    void OpenManual();
    void ShowVersion();

    CSanboIniFile& m_iniFile;
    CSanboEngine m_engine;
    QMenuBar* m_menuBar;
    QLineEdit* m_display;
    QLabel* m_operatorIndicator;
    QLabel* m_memoryIndicator;
    QHash<int, CKoButton*> m_keys;
    std::vector<CKoButton*> m_order;   // tab order
};
