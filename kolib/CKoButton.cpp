#include "CKoButton.h"

#include "KoAppVoice.h"
#include "KoMnemonic.h"
#include "voice/CVoiceReader.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>

#include <algorithm>

CKoButton::CKoButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    // Enter is ours (see keyPressEvent); a dialog must not press a default button on it.
    setAutoDefault(false);
    setDefault(false);
    setFocusPolicy(Qt::StrongFocus);
}

void CKoButton::SetSpeechText(const QString& text)
{
    m_speechText = text;
    setAccessibleName(text);
}

QString CKoButton::CaptionSpeech(const QString& caption)
{
    QString spoken = KoShownCaption(caption);
    return spoken.replace(u'(', u' ').remove(u')');
}

QSize CKoButton::sizeHint() const
{
    const int room = fontMetrics().height() / 2;
    return QPushButton::sizeHint() + QSize(room, room);
}

void CKoButton::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !(event->modifiers() & Qt::ControlModifier)) {
        if (!event->isAutoRepeat()) click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void CKoButton::focusInEvent(QFocusEvent* event)
{
    QPushButton::focusInEvent(event);
    if (!m_focusSpoken) SpeakFocus();
    m_focusSpoken = true;
}

void CKoButton::focusOutEvent(QFocusEvent* event)
{
    QPushButton::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason) m_focusSpoken = false;
}

void CKoButton::SpeakFocus()
{
    CVoiceReader* voice = KoAppVoice();
    if (!voice) return;
    // The spoken name is also the accessible name: a screen reader of the
    // tree says it itself.
    if (!m_speechText.isEmpty()) KoAppReadArrival(m_speechText, 1, 0);
    else if (voice->IsPCTalker()) KoAppReadArrival(CaptionSpeech(text()), 1, 0);
}

void CKoButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    QColor back = palette().color(group, QPalette::Button);
    QColor fore = palette().color(group, QPalette::ButtonText);
    if (isDown() || isChecked()) std::swap(back, fore);
    painter.fillRect(rect(), back);

    const int frame = std::max(1, style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this));
    const int border = hasFocus() ? 2 * frame + 1 : frame;
    painter.setPen(QPen(fore, border, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    const int half = border / 2;
    painter.drawRect(rect().adjusted(half, half, -half - (border % 2 ? 1 : 0), -half - (border % 2 ? 1 : 0)));
    if (hasFocus()) {
        painter.setPen(QPen(fore, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(border + 2, border + 2, -border - 3, -border - 3));
    }
    painter.setPen(fore);
    painter.setFont(font());
    painter.drawText(rect().adjusted(border, border, -border, -border),
                     Qt::AlignCenter | Qt::TextShowMnemonic, text());
}
