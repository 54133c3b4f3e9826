#include "CKoEdit.h"

#include "CKoInputScope.h"
#include "KoAccessible.h"
#include "KoAppVoice.h"
#include "KoLineEditAccessible.h"
#include "KoMnemonic.h"

#include <QFocusEvent>

using namespace Qt::StringLiterals;

CKoEdit::CKoEdit(QWidget* parent) : QLineEdit(parent)
{
    KoInstallAccessibility();
}

void CKoEdit::SetSpokenName(const QString& caption)
{
    m_spokenName = KoShownCaption(caption);
}

QString CKoEdit::FocusSpeech() const
{
    if (m_spokenName.isEmpty()) return QString();
    return m_spokenName + u"のエディット"_s + (text().isEmpty() ? QString() : u"　"_s + text());
}

void CKoEdit::focusInEvent(QFocusEvent* event)
{
    KoApplyInputMode(this, m_inputMode);
    KoFocusWithoutSelectionEvents(this, [&] { QLineEdit::focusInEvent(event); });
    if (!m_focusSpoken && !m_spokenName.isEmpty()) KoAppReadArrival(FocusSpeech());
    m_focusSpoken = true;
    Q_EMIT focusEntered();
}

void CKoEdit::focusOutEvent(QFocusEvent* event)
{
    // A context menu popping up is not the focus leaving.
    if (event->reason() != Qt::PopupFocusReason) m_focusSpoken = false;
    KoFocusWithoutSelectionEvents(this, [&] { QLineEdit::focusOutEvent(event); });
    Q_EMIT focusLeft();
}
