#include "CKoInputScope.h"

#include "KoAppVoice.h"
#include "voice/CVoiceReader.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QWidget>

CKoInputScope& CKoInputScope::Instance()
{
    static CKoInputScope scope;
    return scope;
}

int CKoInputScope::ScopeOf(int mode)
{
    switch (mode) {
    case 1: return 44;   // hiragana
    case 2: return 46;   // full-width katakana
    case 3: return 45;   // half-width katakana
    default: return 0;
    }
}

Qt::InputMethodHints CKoInputScope::HintsOf(int mode)
{
    return ScopeOf(mode) == 0 ? Qt::InputMethodHints(Qt::ImhPreferLatin) : Qt::ImhNone;
}

Qt::InputMethodHints CKoInputScope::ModeHints()
{
    return Qt::ImhPreferLatin;
}

void CKoInputScope::SetMode(QWidget* field, int mode)
{
    if (!field) return;
    field->setInputMethodHints((field->inputMethodHints() & ~ModeHints()) | HintsOf(mode));
    field->setProperty("inputScope", ScopeOf(mode));
    if (field->hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImHints);
}

void KoApplyInputMode(QWidget* field, int mode)
{
    CVoiceReader* voice = KoAppVoice();
    const int previous = voice ? voice->SetReadIME(0) : 0;
    CKoInputScope::Instance().SetMode(field, mode);
    if (voice) voice->SetReadIME(previous);
}
