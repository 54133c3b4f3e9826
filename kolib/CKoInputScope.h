#pragma once
// Switches the input method of a text field to the mode the field wants when
// it gets the focus, through Qt's input-method hints (the desktop's input
// method reads them):
//   mode 0: plain, the input method off (Latin text and digits preferred)
//   mode 1: Japanese input, hiragana
//   mode 2: full-width katakana
//   mode 3: half-width katakana
//   any other: as 0
// Qt has no hint for the three Japanese modes; for them the hints allow the
// input method and the field carries the mode's input scope number (44, 46,
// 45; 0 for plain) in its property "inputScope" for input methods and tests.
// One instance serves the whole program; user-interface thread only.

#include <Qt>

class QWidget;

class CKoInputScope {
public:
    static CKoInputScope& Instance();

    // Applies the mode to the field's hints; the field's other hints
    // (hidden text, multi-line, ...) are kept. Nothing for a null field.
    void SetMode(QWidget* field, int mode);

    // The input scope number of a mode: 0, 44, 46, 45; 0 for any other.
    static int ScopeOf(int mode);
    // The hints a mode sets.
    static Qt::InputMethodHints HintsOf(int mode);
    // The hints SetMode owns (replaced on every call).
    static Qt::InputMethodHints ModeHints();

private:
    CKoInputScope() = default;
};

// SetMode on the program's instance, with speech of the input-method change
// held back meanwhile (SetReadIME 0, then the previous value), so that
// PC-Talker does not announce the switch.
void KoApplyInputMode(QWidget* field, int mode);
