#include "CXCellWnd.h"

#include "grid/CXGrid.h"

#include <QFocusEvent>
#include <QKeyEvent>

using namespace Qt::StringLiterals;

namespace {

// The key that ends an edit in this window, or 0 when the key is the window's own.
int EndingKey(const QEvent* event, bool upDownEnd)
{
    if (event->type() != QEvent::KeyPress) return 0;
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return 0;
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Escape: return key->key();
    case Qt::Key_Up:
    case Qt::Key_Down: return upDownEnd ? key->key() : 0;
    default: return 0;
    }
}

// A popup of the window itself (list, calendar) takes the focus for a while:
// that is no end of the edit.
bool EndsEdit(const QFocusEvent* event)
{
    return event->reason() != Qt::PopupFocusReason;
}

}  // namespace

void CXEditorEnd::End(int key)
{
    if (m_ended) return;
    m_ended = true;
    if (m_grid) m_grid->OnEndEdit(m_message, key, m_pos);
}

CXCellWndEdit::CXCellWndEdit(CXGrid* grid, CXCellID pos, QWidget* parent)
    : QLineEdit(parent), CXEditorEnd(grid, CXGrid::EditEnded, pos)
{
    setObjectName(u"3000"_s);
}

bool CXCellWndEdit::event(QEvent* event)
{
    if (const int key = EndingKey(event, true)) {
        End(key);
        return true;
    }
    return QLineEdit::event(event);
}

void CXCellWndEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (EndsEdit(event)) End(0);
}

CXCellWndCombo::CXCellWndCombo(CXGrid* grid, CXCellID pos, QWidget* parent)
    : QComboBox(parent), CXEditorEnd(grid, CXGrid::ComboEnded, pos)
{
    setObjectName(u"3001"_s);
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
}

bool CXCellWndCombo::event(QEvent* event)
{
    if (const int key = EndingKey(event, false)) {
        End(key);
        return true;
    }
    return QComboBox::event(event);
}

void CXCellWndCombo::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    if (EndsEdit(event)) End(0);
}

CXCellWndDateTimeCtrl::CXCellWndDateTimeCtrl(CXGrid* grid, CXCellID pos, QWidget* parent)
    : QDateEdit(parent), CXEditorEnd(grid, CXGrid::DateEnded, pos)
{
    setObjectName(u"3002"_s);
    setDisplayFormat(u"yyyy/MM/dd"_s);
}

bool CXCellWndDateTimeCtrl::event(QEvent* event)
{
    if (const int key = EndingKey(event, false)) {
        End(key);
        return true;
    }
    return QDateEdit::event(event);
}

void CXCellWndDateTimeCtrl::focusOutEvent(QFocusEvent* event)
{
    QDateEdit::focusOutEvent(event);
    if (EndsEdit(event)) End(0);
}
