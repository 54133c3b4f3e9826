#pragma once
// A field for a whole number. It refuses characters a number cannot hold and,
// when the focus leaves it, checks the value against its range: a value
// outside it brings up "<min>から<max>の間の数値を指定してください。", the focus
// stays in the field with its text selected, and focusLeft is not sent. An
// empty field passes; so does any value while the user leaves with Escape.

#include "CKoEdit.h"

class CKoIntegerEdit : public CKoEdit {
    Q_OBJECT
public:
    explicit CKoIntegerEdit(QWidget* parent = nullptr);

    // signMode 0: digits only; 1: digits and "-"; any other: every character.
    // The range is checked only when minimum < maximum. A positive maxChars
    // limits the length of the text.
    void SetRange(int signMode, int minimum, int maximum, int maxChars = 0);
    int SignMode() const { return m_signMode; }
    int Minimum() const { return m_minimum; }
    int Maximum() const { return m_maximum; }

    // Whether the text is a whole number within the range (an empty text
    // passes when emptyAllowed). When not, shows the range message, puts the
    // focus back and selects the text; returns false.
    bool CheckRange(bool emptyAllowed);
    // The value of the text; false in *ok when it is not a whole number.
    int Value(bool* ok = nullptr) const;

    // Whether a typed character is kept in a sign mode.
    static bool AllowsChar(int signMode, QChar c);
    static QString RangeMessage(int minimum, int maximum);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool InRange(const QString& text) const;
    void RefuseValue();

    int m_signMode = 0;
    int m_minimum = 0;
    int m_maximum = 0;
    int m_maxChars = 0;
    bool m_escapePressed = false;
};
