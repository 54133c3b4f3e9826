// The calculator's keyboard: every key is looked at before the focused
// control sees it, so the keys work wherever the focus is.

#include "CSanboDlg.h"

#include "kolib/CKoButton.h"

#include <QKeyEvent>
#include <QLineEdit>

bool CSanboDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        // F9 is the sign change, not an entry of the function-key menu.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F9 && key->modifiers() == Qt::NoModifier) {
            event->accept();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->window() == this && HandleKey(static_cast<QKeyEvent*>(event)))
        return true;
    return CKoVDialogBase::eventFilter(watched, event);
}

bool CSanboDlg::HandleKey(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        Magnify(key == Qt::Key_Up);
        return true;
    }
    if (key >= Qt::Key_Left && key <= Qt::Key_Down && modifiers == Qt::NoModifier)
        return HandleArrow(focusWidget(), key);
    if (modifiers == Qt::ControlModifier) return HandleControlKey(key);
    if (modifiers & ~Qt::ShiftModifier) return false;
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        TypeDigit(QChar(u'0' + (key - Qt::Key_0)));
        return true;
    }
    if (key == Qt::Key_Period) {
        TypeDigit(u'.');
        return true;
    }
    const int command = CommandOfKey(event);
    if (command == 0) return false;
    RunCommand(command);
    return true;
}

int CSanboDlg::CommandOfKey(const QKeyEvent* event) const
{
    switch (event->key()) {
    case Qt::Key_Backspace: return CmdBackspace;
    case Qt::Key_Return:
    case Qt::Key_Enter: return CmdEquals;
    case Qt::Key_Escape: return CmdAllClear;
    case Qt::Key_Delete: return CmdClearEntry;
    case Qt::Key_F9: return CmdChangeSign;
    case Qt::Key_Slash: return CmdDivide;
    // Shift with ":" and ";" on the Japanese keyboard; the keys alone are not ours.
    case Qt::Key_Asterisk: return CmdTimes;
    case Qt::Key_Plus: return CmdPlus;
    case Qt::Key_Minus: return CmdMinus;
    // Shift with "-" on the Japanese keyboard.
    case Qt::Key_Equal: return CmdEquals;
    default: return 0;
    }
}

bool CSanboDlg::HandleControlKey(int key)
{
    switch (key) {
    case Qt::Key_C: RunCommand(CmdCopy); return true;
    case Qt::Key_L: RunCommand(CmdMemoryClear); return true;
    case Qt::Key_P: RunCommand(CmdMemoryPlus); return true;
    case Qt::Key_R: RunCommand(CmdMemoryRecall); return true;
    case Qt::Key_S: RunCommand(CmdMemoryStore); return true;
    case Qt::Key_T: RunCommand(CmdTaxIncluded); return true;
    case Qt::Key_V: RunCommand(CmdPaste); return true;
    default: return false;
    }
}

// Among the keys the arrows step along the tab order, as a dialog's arrow
// keys do, wrapping between "0" and "M+". Elsewhere they are the control's.
bool CSanboDlg::HandleArrow(QWidget* focus, int key)
{
    const auto at = std::find(m_order.begin(), m_order.end(), focus);
    if (at == m_order.end()) return false;
    const bool forward = key == Qt::Key_Right || key == Qt::Key_Down;
    const auto index = at - m_order.begin();
    const auto count = std::ssize(m_order);
    m_order[(index + (forward ? 1 : count - 1)) % count]->setFocus(Qt::TabFocusReason);
    return true;
}
