#include "CKoPasswordEdit.h"

#include "KoAppVoice.h"
#include "voice/CVoiceReader.h"

#include <QFocusEvent>
#include <QKeyEvent>

using namespace Qt::StringLiterals;

CKoPasswordEdit::CKoPasswordEdit(QWidget* parent) : QLineEdit(parent)
{
    setObjectName(u"1037"_s);
    setEchoMode(QLineEdit::Password);
}

CKoPasswordEdit::~CKoPasswordEdit()
{
    Unmute();
}

QString CKoPasswordEdit::FocusSpeech() const
{
    const QString prompt = accessibleName().isEmpty() ? u"パスワードのエディット"_s : accessibleName();
    return text().isEmpty() ? prompt : prompt + u" アスタリスク"_s;
}

bool CKoPasswordEdit::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        // Enter confirms: what follows (a refusal, the next window) is heard.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Unmute();
            break;
        }
        [[fallthrough]];
    }
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        if (m_muting)
            if (CVoiceReader* voice = KoAppVoice()) voice->SetRead(0);
        break;
    default:
        break;
    }
    return QLineEdit::event(event);
}

void CKoPasswordEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (m_muting) return;
    CVoiceReader* voice = KoAppVoice();
    if (!voice) return;
    if (!m_promptSaid || !text().isEmpty()) {
        voice->StopRead();
        voice->SetRead(1);
        voice->ReadText(FocusSpeech(), 1, 1);
    }
    m_promptSaid = false;
    voice->SetRead(0);
    m_muting = true;
}

void CKoPasswordEdit::focusOutEvent(QFocusEvent* event)
{
    Unmute();
    QLineEdit::focusOutEvent(event);
}

void CKoPasswordEdit::hideEvent(QHideEvent* event)
{
    Unmute();
    QLineEdit::hideEvent(event);
}

void CKoPasswordEdit::Unmute()
{
    if (!m_muting) return;
    m_muting = false;
    if (CVoiceReader* voice = KoAppVoice()) voice->SetRead(1);
}
