#include "CKoVDateTimeStatic.h"

#include "CKoVDateTimeCtrl.h"
#include "KoAccessible.h"
#include "KoAppVoice.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QPainter>

CKoVDateTimeStatic::CKoVDateTimeStatic(QWidget* parent) : QLabel(parent)
{
    setTextInteractionFlags(Qt::NoTextInteraction);   // sets no focus: must come first
    setFocusPolicy(Qt::StrongFocus);
    KoInstallAccessibility();
}

void CKoVDateTimeStatic::SetDate(const QDate& date)
{
    m_date = date;
    setText(date.isValid() ? date.toString(CKoVDateTimeCtrl::DisplayFormat(0)) : QString());
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

void CKoVDateTimeStatic::focusInEvent(QFocusEvent* event)
{
    QLabel::focusInEvent(event);
    if (!m_focusSpoken) KoAppReadArrival(text());
    m_focusSpoken = true;
    update();
}

void CKoVDateTimeStatic::focusOutEvent(QFocusEvent* event)
{
    if (event->reason() != Qt::PopupFocusReason) m_focusSpoken = false;
    QLabel::focusOutEvent(event);
    update();
}

void CKoVDateTimeStatic::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus()) return;
    // A label shows no focus of its own; the user must see where the focus is.
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
