#pragma once
// The toolkit's push button: drawn in the colours of its palette (the user's
// colours, set by the dialog or view it sits on), pressed by Enter as well as
// Space whenever it has the focus, and spoken when it gets the focus.

#include <QPushButton>

class CKoButton : public QPushButton {
    Q_OBJECT
public:
    explicit CKoButton(const QString& caption = QString(), QWidget* parent = nullptr);
    explicit CKoButton(QWidget* parent) : CKoButton(QString(), parent) {}

    // A text spoken instead of the caption when the button gets the focus
    // ("プラス" for "＋"); it is also the name assistive technology reads.
    void SetSpeechText(const QString& text);
    QString SpeechText() const { return m_speechText; }

    // The caption as PC-Talker should hear it: every "(" becomes a blank and
    // every ")" goes ("OK(&O)" is heard as "OK &O").
    static QString CaptionSpeech(const QString& caption);

    // Room around the caption for the thick focus frame.
    QSize sizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void SpeakFocus();

    QString m_speechText;
    bool m_focusSpoken = false;   // spoken for the current stay of the focus
};
