#include "CKoVDateTimeCtrl.h"

#include "CKoInputScope.h"
#include "KoAppVoice.h"
#include "voice/CVoiceReader.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>

using namespace Qt::StringLiterals;

CKoVDateTimeCtrl::CKoVDateTimeCtrl(QWidget* parent) : QDateEdit(parent)
{
    setDate(QDate::currentDate());
    m_lastDate = date();
    SetDisplayMode(0);
    connect(this, &QDateEdit::dateChanged, this, &CKoVDateTimeCtrl::OnDateChange);
}

QString CKoVDateTimeCtrl::DisplayFormat(int mode)
{
    switch (mode) {
    case 1: return u"yyyy年M月"_s;
    case 2: return u"yyyy年"_s;
    default: return u"yyyy年M月d日"_s;
    }
}

void CKoVDateTimeCtrl::SetDisplayMode(int mode)
{
    m_displayMode = mode == 1 || mode == 2 ? mode : 0;
    m_lastField = 2 - m_displayMode;
    setDisplayFormat(DisplayFormat(m_displayMode));
    m_field = 0;
    setCurrentSectionIndex(0);
}

QString CKoVDateTimeCtrl::FieldSpeech(const QDate& date, int field)
{
    switch (field) {
    case 0: return u"%1年"_s.arg(date.year());
    case 1: return u"%1月"_s.arg(date.month());
    default: return u"%1日"_s.arg(date.day());
    }
}

QString CKoVDateTimeCtrl::ChangeSpeech(const QDate& before, const QDate& after, int mode)
{
    QString spoken;
    if (!before.isValid() || before.year() != after.year()) spoken += FieldSpeech(after, 0);
    if (mode <= 1 && (!before.isValid() || before.month() != after.month())) spoken += FieldSpeech(after, 1);
    if (mode == 0 && (!before.isValid() || before.day() != after.day())) spoken += FieldSpeech(after, 2);
    return spoken;
}

void CKoVDateTimeCtrl::SyncField()
{
    m_field = std::clamp(currentSectionIndex(), 0, m_lastField);
}

void CKoVDateTimeCtrl::MoveField(int step)
{
    SyncField();
    m_field = (m_field + step + m_lastField + 1) % (m_lastField + 1);
    setCurrentSectionIndex(m_field);
    KoAppReadText(FieldSpeech(date(), m_field), 1, 0);
}

void CKoVDateTimeCtrl::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (event->modifiers() & ~Qt::KeypadModifier) break;
        MoveField(event->key() == Qt::Key_Left ? -1 : 1);
        event->accept();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        if (event->modifiers() & ~Qt::KeypadModifier) break;
        SyncField();
        CVoiceReader* voice = KoAppVoice();
        // The part changes under our hands: only the whole date is read, after it.
        const int previous = voice ? voice->SetRead(0) : 0;
        QDateEdit::keyPressEvent(event);
        if (voice) voice->SetRead(previous);
        KoAppReadText(text(), 1, 0);
        m_lastDate = date();
        return;
    }
    default:
        break;
    }
    QDateEdit::keyPressEvent(event);
}

void CKoVDateTimeCtrl::OnDateChange(const QDate& newDate)
{
    const QDate before = m_lastDate;
    m_lastDate = newDate;
    if (!hasFocus()) return;
    KoAppStopRead();
    const QString spoken = ChangeSpeech(before, newDate, m_displayMode);
    if (!spoken.isEmpty()) KoAppReadText(spoken, 1, 0);
    Q_EMIT dateChangeNotify(newDate);
}

void CKoVDateTimeCtrl::focusInEvent(QFocusEvent* event)
{
    QDateEdit::focusInEvent(event);
    KoApplyInputMode(this, 0);
    setCurrentSectionIndex(m_field);
    if (m_focusSpoken) return;
    m_focusSpoken = true;
    CVoiceReader* voice = KoAppVoice();
    if (voice && (voice->IsPCTalker() || voice->IsXPReader())) {
        Q_EMIT focusNotify();
        voice->ReadText(text(), 1, 0);
    }
}

void CKoVDateTimeCtrl::focusOutEvent(QFocusEvent* event)
{
    if (event->reason() != Qt::PopupFocusReason) m_focusSpoken = false;
    QDateEdit::focusOutEvent(event);
}

void CKoVDateTimeCtrl::mousePressEvent(QMouseEvent* event)
{
    // The field picks the part under the pointer; follow it.
    QDateEdit::mousePressEvent(event);
    SyncField();
}

bool CKoVDateTimeCtrl::focusNextPrevChild(bool next)
{
    // Tab goes to the next control, as everywhere else; the parts are Left and Right's.
    return QWidget::focusNextPrevChild(next);
}
