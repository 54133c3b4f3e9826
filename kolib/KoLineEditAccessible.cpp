#include "KoLineEditAccessible.h"

#include "KoAccessible.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

constexpr char ReadoutProperty[] = "koReadout";

class LineEditAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
public:
    explicit LineEditAccessible(QLineEdit* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

    QAccessible::Role role() const override
    {
        return IsReadout() ? QAccessible::StaticText : QAccessible::EditableText;
    }

    QLineEdit* edit() const { return static_cast<QLineEdit*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface) return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        // A password shows as its mask, as on the screen.
        if (t == QAccessible::Value) return Text();
        // A readout is named with what it shows, as a label is.
        if (t == QAccessible::Name && IsReadout() && !Text().isEmpty())
            return QAccessibleWidget::text(t) + u' ' + Text();
        return QAccessibleWidget::text(t);
    }

    void setText(QAccessible::Text t, const QString& text) override
    {
        if (t == QAccessible::Value && !edit()->isReadOnly()) edit()->setText(text);
        else QAccessibleWidget::setText(t, text);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = edit()->isReadOnly();
        s.editable = !s.readOnly;
        s.passwordEdit = !Shown();
        s.selectable = true;
        return s;
    }

    // --- text
    QString text(int start, int end) const override { return Shown() ? Text().mid(start, end - start) : QString(); }
    int characterCount() const override { return int(Text().size()); }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    void setCursorPosition(int position) override { edit()->setCursorPosition(position); }

    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index != 0 || !edit()->hasSelectedText()) return;
        *start = edit()->selectionStart();
        *end = edit()->selectionEnd();
    }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override
    {
        if (index == 0) edit()->deselect();
    }
    void setSelection(int index, int start, int end) override
    {
        if (index == 0) edit()->setSelection(start, end - start);
    }

    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

    QRect characterRect(int offset) const override
    {
        const QFontMetrics metrics(edit()->font());
        const QRect contents = edit()->contentsRect();
        const QString shown = edit()->displayText();
        const int x = contents.left() + metrics.horizontalAdvance(shown.left(offset));
        const int width = offset < shown.size() ? metrics.horizontalAdvance(shown.at(offset)) : 1;
        const QRect local(x, contents.top(), width, contents.height());
        return QRect(edit()->mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int end) override
    {
        edit()->setCursorPosition(end);
        edit()->setCursorPosition(start);
    }

    // --- editing
    void deleteText(int start, int end) override { replaceText(start, end, {}); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override
    {
        if (edit()->isReadOnly()) return;
        edit()->setText(edit()->text().replace(start, end - start, text));
    }

private:
    bool IsReadout() const { return edit()->property(ReadoutProperty).toBool(); }
    // A password is never handed out.
    bool Shown() const { return edit()->echoMode() == QLineEdit::Normal; }
    QString Text() const
    {
        if (Shown()) return edit()->text();
        return edit()->echoMode() == QLineEdit::NoEcho ? QString() : QString(edit()->text().size(), u'*');
    }
};

// Takes a readout's focus changes without the selection Qt makes on Tab:
// the screen reader would say the text as selected before it names the field.
class ReadoutFocus : public QObject {
public:
    explicit ReadoutFocus(QLineEdit* edit) : QObject(edit), m_edit(edit) { edit->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_edit || (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut))
            return false;
        KoFocusWithoutSelectionEvents(m_edit, [this, event] {
            static_cast<QObject*>(m_edit)->event(event);
            m_edit->deselect();
        });
        return true;
    }

private:
    QLineEdit* m_edit;
};

}  // namespace

QAccessibleInterface* KoMakeLineEditAccessible(QLineEdit* edit)
{
    return new LineEditAccessible(edit);
}

void KoFocusWithoutSelectionEvents(QLineEdit* edit, const std::function<void()>& step)
{
    // The edit's text control reports selection and caret changes, and the
    // edit turns each report into an accessibility event.
    QObject* control = nullptr;
    if (edit)
        for (QObject* child : edit->children())
            if (qstrcmp(child->metaObject()->className(), "QWidgetLineControl") == 0) control = child;
    const QSignalBlocker quiet(control);
    step();
    if (edit) edit->update();
}

void KoPresentAsReadout(QLineEdit* edit)
{
    KoInstallAccessibility();
    edit->setProperty(ReadoutProperty, true);
    edit->setReadOnly(true);
    new ReadoutFocus(edit);
}
