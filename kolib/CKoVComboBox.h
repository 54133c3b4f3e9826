#pragma once
// A combo box that says what it is for. An editable one, when it gets the
// focus, switches the input method to its mode and speaks its label followed
// by "の文字入力または選択　" and its current text ("文字入力または選択　" and the
// text when it has no label). A drop-down list's focus is left to the screen
// reader. Every choice the user makes in either kind speaks the text chosen.

#include <QComboBox>

class CKoVComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit CKoVComboBox(QWidget* parent = nullptr);

    // The label, without its mnemonic, is also the name assistive technology reads. A positive
    // maxChars limits the typed text (not for a drop-down list).
    void Setup(const QString& label, int inputMode = 0, int maxChars = 0);
    QString Label() const { return m_label; }
    int InputMode() const { return m_inputMode; }

    // What is spoken when the combo gets the focus.
    QString FocusSpeech() const;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString m_label;
    int m_inputMode = 0;
    bool m_focusSpoken = false;
    // The entry the user last heard, so that confirming it again says nothing.
    int m_heardIndex = -1;
};
