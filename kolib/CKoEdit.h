#pragma once
// A single-line text field that switches the input method to its mode when
// it gets the focus (see CKoInputScope), and tells its dialog when the focus
// comes and goes. Given a spoken name, getting the focus says the name as the
// screen shows it with "のエディット" and the text it holds.

#include <QLineEdit>

class CKoEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CKoEdit(QWidget* parent = nullptr);

    // 0 plain, 1 hiragana, 2 full-width katakana, 3 half-width katakana.
    void SetInputMode(int mode) { m_inputMode = mode; }
    int InputMode() const { return m_inputMode; }
    // The caption of the field's label ("金額(&K)"); empty leaves it to the reader.
    void SetSpokenName(const QString& caption);
    QString FocusSpeech() const;

Q_SIGNALS:
    void focusEntered();
    void focusLeft();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int m_inputMode = 0;
    QString m_spokenName;
    bool m_focusSpoken = false;
};
