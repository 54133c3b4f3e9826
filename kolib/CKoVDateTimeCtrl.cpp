#include "CKoVDateTimeCtrl.h"

#include "CKoInputScope.h"
#include "KoAppVoice.h"
#include "voice/CVoiceReader.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

int FieldValue(const QDate& date, int field)
{
    return field == 0 ? date.year() : field == 1 ? date.month() : date.day();
}

// The date with one part replaced; a day the new month lacks becomes its last day.
QDate WithField(const QDate& date, int field, int value)
{
    const int year = field == 0 ? value : date.year();
    const int month = field == 1 ? value : date.month();
    const int day = field == 2 ? value : date.day();
    return QDate(year, month, std::min(day, QDate(year, month, 1).daysInMonth()));
}

// A digit key as the user means it (full-width digits too), else -1.
int TypedDigit(const QKeyEvent* event)
{
    if (event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) return -1;
    const QString text = event->text();
    return text.size() == 1 && text[0].isDigit() ? text[0].digitValue() : -1;
}

}  // namespace

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

QString CKoVDateTimeCtrl::RefusalSpeech(int value, int field)
{
    static const char16_t* const units[] = {u"年", u"月", u"日"};
    return QString::number(value) + QString::fromUtf16(units[std::clamp(field, 0, 2)]) + u"は入力できません"_s;
}

int CKoVDateTimeCtrl::FieldMaximum() const
{
    if (m_field == 0) return maximumDate().year();
    return m_field == 1 ? 12 : date().daysInMonth();
}

int CKoVDateTimeCtrl::FieldDigits() const
{
    return m_field == 0 ? 4 : 2;
}

void CKoVDateTimeCtrl::TypeDigit(int digit)
{
    SyncField();
    if (m_typed.isEmpty()) m_valueBeforeTyping = FieldValue(date(), m_field);
    const QString typed = m_typed + QChar(u'0' + digit);
    const int value = typed.toInt();
    const bool complete = typed.size() >= FieldDigits() || value * 10 > FieldMaximum();
    if (!complete) {
        m_typed = typed;
        // A year is only taken whole; a month or day is taken at once and may grow.
        if (m_field == 0 || value < 1) {
            KoAppStopRead();
            KoAppReadText(typed, 1, 0);
        } else {
            SetFieldValue(value);
        }
        return;
    }
    const QDate wanted = value < 1 ? QDate() : WithField(date(), m_field, value);
    if (!wanted.isValid() || value > FieldMaximum() || wanted < minimumDate() || wanted > maximumDate()) {
        // The digits typed before stay, so the user can go on with another one.
        KoAppStopRead();
        KoAppReadText(RefusalSpeech(value, m_field), 1, 0);
        return;
    }
    m_typed.clear();
    SetFieldValue(value);
}

void CKoVDateTimeCtrl::TakeBackDigit()
{
    SyncField();
    KoAppStopRead();
    if (m_typed.isEmpty()) {
        KoAppReadText(FieldSpeech(date(), m_field), 1, 0);
        return;
    }
    m_typed.chop(1);
    if (m_field == 0) {
        KoAppReadText(m_typed.isEmpty() ? FieldSpeech(date(), 0) : m_typed, 1, 0);
        return;
    }
    const int value = m_typed.isEmpty() ? m_valueBeforeTyping : m_typed.toInt();
    if (value < 1) KoAppReadText(m_typed, 1, 0);
    else SetFieldValue(value);
}

void CKoVDateTimeCtrl::SetFieldValue(int value)
{
    const QDate before = date();
    const QDate after = WithField(before, m_field, value);
    m_typing = true;
    setDate(after);
    m_typing = false;
    setCurrentSectionIndex(m_field);
    QString spoken = FieldSpeech(after, m_field);
    if (m_displayMode == 0 && m_field < 2 && after.day() != before.day()) spoken += FieldSpeech(after, 2);
    KoAppStopRead();
    KoAppReadText(spoken, 1, 0);
}

void CKoVDateTimeCtrl::SyncField()
{
    m_field = std::clamp(currentSectionIndex(), 0, m_lastField);
}

void CKoVDateTimeCtrl::MoveField(int step)
{
    ForgetTyping();
    SyncField();
    m_field = (m_field + step + m_lastField + 1) % (m_lastField + 1);
    setCurrentSectionIndex(m_field);
    KoAppReadText(FieldSpeech(date(), m_field), 1, 0);
}

void CKoVDateTimeCtrl::keyPressEvent(QKeyEvent* event)
{
    // The field's own editing puts digits in front of the old value: ours instead.
    if (const int digit = TypedDigit(event); digit >= 0) {
        TypeDigit(digit);
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Backspace:
        TakeBackDigit();
        event->accept();
        return;
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
        ForgetTyping();
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
    if (!m_typing) {
        KoAppStopRead();
        const QString spoken = ChangeSpeech(before, newDate, m_displayMode);
        if (!spoken.isEmpty()) KoAppReadText(spoken, 1, 0);
    }
    Q_EMIT dateChangeNotify(newDate);
}

void CKoVDateTimeCtrl::focusInEvent(QFocusEvent* event)
{
    QDateEdit::focusInEvent(event);
    KoApplyInputMode(this, 0);
    // Reached by Tab or an Alt shortcut, the user will type a date from its
    // year; back from a message box or a menu, the part they were in stays.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)
        m_field = 0;
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
    ForgetTyping();
    QDateEdit::focusOutEvent(event);
}

void CKoVDateTimeCtrl::mousePressEvent(QMouseEvent* event)
{
    // The field picks the part under the pointer; follow it.
    QDateEdit::mousePressEvent(event);
    ForgetTyping();
    SyncField();
}

bool CKoVDateTimeCtrl::focusNextPrevChild(bool next)
{
    // Tab goes to the next control, as everywhere else; the parts are Left and Right's.
    return QWidget::focusNextPrevChild(next);
}
