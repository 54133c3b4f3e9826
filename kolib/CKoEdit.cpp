#include "CKoEdit.h"

#include "CKoInputScope.h"

#include <QFocusEvent>

CKoEdit::CKoEdit(QWidget* parent) : QLineEdit(parent)
{
}

void CKoEdit::focusInEvent(QFocusEvent* event)
{
    KoApplyInputMode(this, m_inputMode);
    QLineEdit::focusInEvent(event);
    Q_EMIT focusEntered();
}

void CKoEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    Q_EMIT focusLeft();
}
