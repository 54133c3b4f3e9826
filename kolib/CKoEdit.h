#pragma once
// A single-line text field that switches the input method to its mode when
// it gets the focus (see CKoInputScope), and tells its dialog when the focus
// comes and goes.

#include <QLineEdit>

class CKoEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CKoEdit(QWidget* parent = nullptr);

    // 0 plain, 1 hiragana, 2 full-width katakana, 3 half-width katakana.
    void SetInputMode(int mode) { m_inputMode = mode; }
    int InputMode() const { return m_inputMode; }

Q_SIGNALS:
    void focusEntered();
    void focusLeft();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int m_inputMode = 0;
};
