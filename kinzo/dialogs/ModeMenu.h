#pragma once
// The "表示(&V)" menu of the payment and loan lists: three radio items that
// choose what the list shows, each also on Ctrl+1, 2, 3 of the main row and
// of the numeric pad. The menu bar goes on top of the dialog's layout.

#include <QString>

#include <array>
#include <functional>

class QAction;
class QDialog;

struct _ModeItem {
    QString caption;   // the menu text without its shortcut
    int commandId;     // also the action's object name
};

// Builds the menu; chosen(mode) runs with mode 1, 2 or 3 when an item is
// triggered. The dialog must already have its layout.
std::array<QAction*, 3> BuildModeMenu(QDialog& dialog, const std::array<_ModeItem, 3>& items,
                                      std::function<void(int)> chosen);
