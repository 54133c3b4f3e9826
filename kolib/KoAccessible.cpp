#include "KoAccessible.h"

#include "CKoVComboBox.h"
#include "CKoVDateTimeStatic.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {

// The combo box as Qt presents it (its list, its edit, opening the list),
// but with its label as the name and its text as the value.
class ComboAccessible : public QAccessibleWidget {
public:
    explicit ComboAccessible(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

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
    // Asked once per class of the object's ancestry: answer for ours only.
    if (className == u"CKoVComboBox"_s)
        if (auto* combo = qobject_cast<CKoVComboBox*>(object)) return new ComboAccessible(combo);
    if (className == u"CKoVDateTimeStatic"_s)
        if (auto* label = qobject_cast<CKoVDateTimeStatic*>(object)) return new DateAccessible(label);
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
