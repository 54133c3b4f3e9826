#include "CKoIntegerEdit.h"

#include "KoMessageBox.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QValidator>

using namespace Qt::StringLiterals;

namespace {

// Keeps only the characters of a sign mode, whether typed, pasted or dropped.
class CharValidator : public QValidator {
public:
    CharValidator(int signMode, QObject* parent) : QValidator(parent), m_signMode(signMode) {}

    State validate(QString& input, int&) const override
    {
        for (const QChar c : input)
            if (!CKoIntegerEdit::AllowsChar(m_signMode, c)) return Invalid;
        return Acceptable;
    }

private:
    int m_signMode;
};

}  // namespace

CKoIntegerEdit::CKoIntegerEdit(QWidget* parent) : CKoEdit(parent)
{
    SetRange(0, 0, 0, 0);
}

void CKoIntegerEdit::SetRange(int signMode, int minimum, int maximum, int maxChars)
{
    m_signMode = signMode;
    m_minimum = minimum;
    m_maximum = maximum;
    m_maxChars = maxChars;
    if (maxChars > 0) setMaxLength(maxChars);
    delete validator();
    setValidator(signMode == 0 || signMode == 1 ? new CharValidator(signMode, this) : nullptr);
}

bool CKoIntegerEdit::AllowsChar(int signMode, QChar c)
{
    const bool digit = c >= u'0' && c <= u'9';
    switch (signMode) {
    case 0: return digit;
    case 1: return digit || c == u'-';
    default: return true;
    }
}

QString CKoIntegerEdit::RangeMessage(int minimum, int maximum)
{
    return u"%1から%2の間の数値を指定してください。"_s.arg(minimum).arg(maximum);
}

int CKoIntegerEdit::Value(bool* ok) const
{
    return text().toInt(ok);
}

bool CKoIntegerEdit::InRange(const QString& text) const
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= m_minimum && value <= m_maximum;
}

void CKoIntegerEdit::RefuseValue()
{
    KoMessageBox(this, RangeMessage(m_minimum, m_maximum));
    setFocus(Qt::OtherFocusReason);
    selectAll();
    m_escapePressed = false;
}

bool CKoIntegerEdit::CheckRange(bool emptyAllowed)
{
    if (text().isEmpty() ? emptyAllowed : InRange(text())) return true;
    RefuseValue();
    return false;
}

void CKoIntegerEdit::keyPressEvent(QKeyEvent* event)
{
    // Seen before the dialog takes Escape to close it: leaving that way is not
    // checked. The mark lasts only while this key is handled, so an Escape
    // that closes nothing does not switch the check off for later.
    if (event->key() == Qt::Key_Escape && !m_escapePressed) {
        m_escapePressed = true;
        QMetaObject::invokeMethod(this, [this] { m_escapePressed = false; }, Qt::QueuedConnection);
    }
    CKoEdit::keyPressEvent(event);
}

void CKoIntegerEdit::focusOutEvent(QFocusEvent* event)
{
    // The window losing activation or a popup taking the focus is not the
    // user leaving the field; the focus comes back here.
    const bool leaving = event->reason() != Qt::ActiveWindowFocusReason
                         && event->reason() != Qt::PopupFocusReason;
    const bool check = leaving && !m_escapePressed && m_minimum < m_maximum && !text().isEmpty();
    if (check && !InRange(text())) {
        QLineEdit::focusOutEvent(event);
        RefuseValue();
        return;
    }
    CKoEdit::focusOutEvent(event);
}
