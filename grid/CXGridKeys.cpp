#include "CXGridKeys.h"

CXGridAction CXGridKeyAction(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::ControlModifier) {
        if (modifiers & Qt::ShiftModifier) return CXGridAction::None;
        if (key == Qt::Key_Home) return CXGridAction::FirstData;
        if (key == Qt::Key_End) return CXGridAction::LastData;
        return CXGridAction::None;
    }
    const bool shift = modifiers & Qt::ShiftModifier;
    switch (key) {
    case Qt::Key_Left: return shift ? CXGridAction::Collapse : CXGridAction::MoveLeft;
    case Qt::Key_Right: return shift ? CXGridAction::Expand : CXGridAction::MoveRight;
    case Qt::Key_Up: return CXGridAction::MoveUp;
    case Qt::Key_Down: return CXGridAction::MoveDown;
    case Qt::Key_Home: return shift ? CXGridAction::ColumnHome : CXGridAction::RowHome;
    case Qt::Key_End: return shift ? CXGridAction::ColumnEnd : CXGridAction::RowEnd;
    case Qt::Key_PageUp: return CXGridAction::PageUp;
    case Qt::Key_PageDown: return CXGridAction::PageDown;
    case Qt::Key_Space: return shift ? CXGridAction::PreviousData : CXGridAction::NextData;
    // The keypad's decimal key arrives as a period (or, on some layouts, a
    // comma) with the keypad flag.
    case Qt::Key_Period: return CXGridAction::ReRead;
    case Qt::Key_Comma: return modifiers & Qt::KeypadModifier ? CXGridAction::ReRead : CXGridAction::None;
    default: return CXGridAction::None;
    }
}
