#pragma once
// The grid's key map: the one place where keys become moves. The widget asks
// for the action of a key press and hands it to the navigation layer; every
// key without an action goes on to normal processing. With Control held only
// Home and End have one (the views keep Control for their own commands).

#include <Qt>

enum class CXGridAction {
    None,
    MoveLeft,
    MoveRight,
    MoveUp,
    MoveDown,
    Collapse,       // Shift+Left
    Expand,         // Shift+Right
    RowHome,        // Home: first visible data column of the row
    ColumnHome,     // Shift+Home: first visible data row of the column
    RowEnd,         // End: last visible column of the row
    ColumnEnd,      // Shift+End: last visible row of the column
    PageUp,
    PageDown,
    NextData,       // Space
    PreviousData,   // Shift+Space
    ReRead,         // period, or the keypad's decimal key
    FirstData,      // Ctrl+Home: first visible data cell of the table
    LastData,       // Ctrl+End: last visible data cell of the table
};

CXGridAction CXGridKeyAction(int key, Qt::KeyboardModifiers modifiers);
