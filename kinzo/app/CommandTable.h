#pragma once
// The one table of the main window's commands: menu texts, status-bar prompts
// and toolbar tips by command number, and the layout of the menu bar.

#include "KinzoCommands.h"

#include <QList>
#include <QString>

struct CommandText {
    int id;
    QString menuText;   // with its "&" mnemonic and, after a tab, the key
    QString prompt;     // status-bar text; after "\n" the toolbar tip
};

// The texts of a command; an empty menu text for an unknown number.
const CommandText& CommandTextOf(int id);

// The status-bar part of a prompt, and the toolbar tip after its line feed.
QString StatusPrompt(int id);
QString ToolTipOf(int id);

// One entry of a menu: a command, a separator, the recent files or the
// font-size submenu.
struct MenuEntry {
    enum Kind { Command, Separator, RecentFiles, FontSizes } kind = Command;
    int id = 0;
};

struct MenuLayout {
    QString title;
    bool greyedWithoutFile;   // every item greyed while no data file is open
    QList<MenuEntry> entries;
};

const QList<MenuLayout>& MainMenuLayout();

// Commands that stay available while no data file is open, though their menu
// is otherwise greyed: magnification, colours, settings, password, the manual
// and the calculator need no ledger.
bool AvailableWithoutFile(int id);

// True for a command that changes the open data file (greyed while it is
// read-only).
bool WritesDataFile(int id);

// The toolbar's commands, in order (0 for a separator).
const QList<int>& ToolbarCommands();

// The radio groups of the menus (the four views, the expand levels, the reading modes).
const QList<int>& ViewCommands();
