#include "KoMnemonic.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>

namespace {

void pressOrFocus(QWidget* target)
{
    target->setFocus(Qt::ShortcutFocusReason);
    if (auto* button = qobject_cast<QAbstractButton*>(target)) button->click();
}

bool activateGroup(QGroupBox* group)
{
    if (group->isCheckable()) {
        group->setChecked(!group->isChecked());
        group->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    for (QWidget* child : group->findChildren<QWidget*>()) {
        if (child->isVisibleTo(group) && child->isEnabled() && (child->focusPolicy() & Qt::TabFocus)) {
            child->setFocus(Qt::ShortcutFocusReason);
            return true;
        }
    }
    return false;
}

}  // namespace

bool KoActivateMnemonic(QWidget* window, int key)
{
    if (!window) return false;
    const QKeySequence wanted(QKeyCombination(Qt::AltModifier, Qt::Key(key)));
    const auto matches = [&](const QString& text) { return QKeySequence::mnemonic(text) == wanted; };
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->window() != window || !widget->isVisibleTo(window) || !widget->isEnabled()) continue;
        if (auto* button = qobject_cast<QAbstractButton*>(widget); button && matches(button->text())) {
            pressOrFocus(button);
            return true;
        }
        if (auto* label = qobject_cast<QLabel*>(widget);
            label && label->buddy() && label->buddy()->isEnabled() && matches(label->text())) {
            pressOrFocus(label->buddy());
            return true;
        }
        if (auto* group = qobject_cast<QGroupBox*>(widget); group && matches(group->title())) {
            if (activateGroup(group)) return true;
        }
        if (auto* bar = qobject_cast<QMenuBar*>(widget)) {
            for (QAction* action : bar->actions()) {
                if (action->isVisible() && action->isEnabled() && matches(action->text())) {
                    bar->setActiveAction(action);
                    return true;
                }
            }
        }
    }
    return false;
}

QString KoStripMnemonic(const QString& caption)
{
    // The Japanese form puts the mnemonic in parentheses after the caption.
    static const QRegularExpression trailing(QStringLiteral("\\s*[(（]&[^&][)）]"));
    QString plain = caption;
    plain.remove(trailing);
    QString result;
    for (qsizetype i = 0; i < plain.size(); ++i) {
        if (plain[i] == u'&') {
            if (i + 1 < plain.size() && plain[i + 1] == u'&') result += u'&';
            ++i;
            if (i < plain.size() && plain[i] != u'&') result += plain[i];
            continue;
        }
        result += plain[i];
    }
    return result;
}

QString KoShownCaption(const QString& caption)
{
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && ++i == caption.size()) break;
        shown += caption[i];
    }
    return shown;
}

void KoTieLabel(QLabel* label, QWidget* field)
{
    if (!label || !field) return;
    label->setBuddy(field);
    if (field->accessibleName().isEmpty()) field->setAccessibleName(KoStripMnemonic(label->text()));
}
