#include "CKoVComboBox.h"

#include "CKoInputScope.h"
#include "KoAccessible.h"
#include "KoAppVoice.h"
#include "KoLineEditAccessible.h"
#include "KoMnemonic.h"

#include <QFocusEvent>
#include <QLineEdit>

using namespace Qt::StringLiterals;

CKoVComboBox::CKoVComboBox(QWidget* parent) : QComboBox(parent)
{
    KoInstallAccessibility();
    // A choice the user makes is said; the program's own settings are not.
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index != m_heardIndex) KoAppReadText(currentText(), 1, 0);
        m_heardIndex = index;
    });
}

void CKoVComboBox::Setup(const QString& label, int inputMode, int maxChars)
{
    m_label = label;
    m_inputMode = inputMode;
    if (!label.isEmpty()) setAccessibleName(KoStripMnemonic(label));
    if (maxChars > 0 && lineEdit()) lineEdit()->setMaxLength(maxChars);
}

QString CKoVComboBox::FocusSpeech() const
{
    const QString purpose = u"文字入力または選択　"_s;
    return (m_label.isEmpty() ? purpose : KoShownCaption(m_label) + u'の' + purpose) + currentText();
}

void CKoVComboBox::focusInEvent(QFocusEvent* event)
{
    if (!m_focusSpoken) m_heardIndex = currentIndex();
    if (isEditable() && !m_focusSpoken) {
        KoApplyInputMode(lineEdit(), m_inputMode);
        KoAppReadArrival(FocusSpeech());
    }
    m_focusSpoken = true;
    KoFocusWithoutSelectionEvents(lineEdit(), [&] { QComboBox::focusInEvent(event); });
}

void CKoVComboBox::focusOutEvent(QFocusEvent* event)
{
    // The list popping up is not the focus leaving.
    if (event->reason() != Qt::PopupFocusReason) m_focusSpoken = false;
    KoFocusWithoutSelectionEvents(lineEdit(), [&] { QComboBox::focusOutEvent(event); });
}
