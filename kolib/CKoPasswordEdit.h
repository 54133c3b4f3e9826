#pragma once
// The password field of the password dialogs (control 1037). Typed characters
// show as asterisks and are never spoken: when the field gets the focus it
// says its prompt, the name of the label tied to it ("パスワードのエディット"
// without one; " アスタリスク" follows when it already holds text), waits
// until that is said, and then turns speech off until the focus
// leaves it; every key and mouse press in it keeps speech off, but Enter,
// which confirms, turns it on for what follows. Speech is
// turned on again when the focus leaves, and at the latest when the field is
// hidden, so the program never stays mute.

#include <QLineEdit>

class CKoPasswordEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CKoPasswordEdit(QWidget* parent = nullptr);
    ~CKoPasswordEdit() override;

    // What is said when the field gets the focus.
    QString FocusSpeech() const;
    // The dialog has just said the prompt: the coming focus does not repeat it.
    void PromptSaid() { m_promptSaid = true; }
    // Whether the field is holding speech off now.
    bool IsMuting() const { return m_muting; }

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Unmute();

    bool m_muting = false;
    bool m_promptSaid = false;
};
