#include "KoAccessible.h"

#include "CKoVComboBox.h"
#include "CKoVDateTimeStatic.h"
#include "CKoVListCtrl.h"
#include "KoLineEditAccessible.h"
#include "KoListAccessible.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QStackedWidget>

using namespace Qt::StringLiterals;

namespace {

// The combo box as Qt presents it (its list, its edit, opening the list),
// but with its label as the name and its text as the value. Qt's bridge
// passes a combo box's value on only as text, so the current entry is also
// offered as read-only text: that is what the screen reader says after the
// name.
class ComboAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ComboAccessible(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // --- the current entry as read-only text
    QString text(int start, int end) const override { return combo()->currentText().mid(start, end - start); }
    int characterCount() const override { return int(combo()->currentText().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name: return combo()->accessibleName();
        case QAccessible::Value: return combo()->currentText();
        default: return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = combo()->view()->isVisible();
        s.editable = combo()->isEditable();
        return s;
    }

    int childCount() const override { return combo()->lineEdit() ? 2 : 1; }

    QAccessibleInterface* child(int index) const override
    {
        if (index == 0) return QAccessible::queryAccessibleInterface(combo()->view());
        if (index == 1 && combo()->lineEdit()) return QAccessible::queryAccessibleInterface(combo()->lineEdit());
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child) return -1;
        if (child->object() == combo()->view()) return 0;
        if (combo()->lineEdit() && child->object() == combo()->lineEdit()) return 1;
        return -1;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == showMenuAction() || action == pressAction()) combo()->showPopup();
        else QAccessibleWidget::doAction(action);
    }
};

// The date label: the caption of its tied label, then the date.
class DateAccessible : public QAccessibleWidget {
public:
    explicit DateAccessible(CKoVDateTimeStatic* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name) return QAccessibleWidget::text(t);
        const auto* label = static_cast<const CKoVDateTimeStatic*>(widget());
        const QString caption = label->accessibleName();
        if (caption.isEmpty() || caption == label->text()) return label->text();
        return label->text().isEmpty() ? caption : caption + u' ' + label->text();
    }
};

QAccessibleInterface* Factory(const QString& className, QObject* object)
{
    // Asked once per class of the object's ancestry, most derived first.
    if (className == u"CKoVComboBox"_s)
        if (auto* combo = qobject_cast<CKoVComboBox*>(object)) return new ComboAccessible(combo);
    if (className == u"CKoVDateTimeStatic"_s)
        if (auto* label = qobject_cast<CKoVDateTimeStatic*>(object)) return new DateAccessible(label);
    if (className == u"CKoVListCtrl"_s)
        if (auto* list = qobject_cast<CKoVListCtrl*>(object)) return KoMakeListAccessible(list);
    // A stack of pages shows one page and is only layout: as a pane without
    // a name the screen reader passes over it, where it would say "layered
    // pane" at every focus change into it.
    if (className == u"QStackedWidget"_s)
        if (auto* stack = qobject_cast<QStackedWidget*>(object)) return new QAccessibleWidget(stack, QAccessible::Pane);
    // Every line edit, Qt's own dialogs' too.
    if (className == u"QLineEdit"_s)
        if (auto* edit = qobject_cast<QLineEdit*>(object)) return KoMakeLineEditAccessible(edit);
    return nullptr;
}

}  // namespace

void KoInstallAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(&Factory);
        return true;
    }();
    (void)installed;
}
