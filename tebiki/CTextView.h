#pragma once
// The text pane: one page of the manual, read-only, with a wide caret. Taking
// the focus reads the whole page; moving the caret reads the line it comes to
// (up and down) or the character (left and right), so the place is heard.

#include <QPlainTextEdit>

class CTextView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CTextView(QWidget* parent = nullptr);

    void ShowPage(const QString& page);
    // The page before the selection's start, and after its end.
    QString TextBeforeSelection() const;
    QString TextAfterSelection() const;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
