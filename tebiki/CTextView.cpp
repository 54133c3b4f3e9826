#include "CTextView.h"

#include "kolib/KoAppVoice.h"
#include "voice/TreeReader.h"

#include <QKeyEvent>
#include <QTextBlock>

using namespace Qt::StringLiterals;

CTextView::CTextView(QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName(u"TextView"_s);
    setAccessibleName(u"本文"_s);
    setReadOnly(true);
    // Keys move a caret through the text, as in an edit field.
    setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setCursorWidth(3);
    setTabChangesFocus(true);
}

void CTextView::ShowPage(const QString& page)
{
    QString text = page;
    text.replace(u"\r\n"_s, u"\n"_s);
    if (text.endsWith(u'\n')) text.chop(1);
    setPlainText(text);
}

QString CTextView::TextBeforeSelection() const
{
    return toPlainText().left(textCursor().selectionStart());
}

QString CTextView::TextAfterSelection() const
{
    return toPlainText().mid(textCursor().selectionEnd());
}

void CTextView::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    KoAppReadArrival(toPlainText());
}

void CTextView::keyPressEvent(QKeyEvent* event)
{
    const int before = textCursor().position();
    QPlainTextEdit::keyPressEvent(event);
    const QTextCursor cursor = textCursor();
    // The reader follows the caret of a standard text pane itself.
    if (cursor.position() == before || TreeReaderSpeaksArrivals()) return;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const QString text = toPlainText();
        const qsizetype at = cursor.position();
        KoAppReadText(at >= text.size() || text.at(at) == u'\n' ? u"改行"_s : QString(text.at(at)), 1, 0);
        break;
    }
    default: {
        const QString line = cursor.block().text();
        KoAppReadText(line.trimmed().isEmpty() ? u"空行"_s : line, 1, 0);
        break;
    }
    }
}
