#include "kinzo/dialogs/ModeMenu.h"

#include <QActionGroup>
#include <QDialog>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>

using namespace Qt::StringLiterals;

std::array<QAction*, 3> BuildModeMenu(QDialog& dialog, const std::array<_ModeItem, 3>& items,
                                      std::function<void(int)> chosen)
{
    auto* bar = new QMenuBar(&dialog);
    dialog.layout()->setMenuBar(bar);
    QMenu* view = bar->addMenu(u"表示(&V)"_s);
    auto* group = new QActionGroup(&dialog);
    std::array<QAction*, 3> actions{};
    for (int i = 0; i < 3; ++i) {
        QAction* action = view->addAction(items[i].caption);
        action->setObjectName(QString::number(items[i].commandId));
        action->setCheckable(true);
        const auto key = Qt::Key(Qt::Key_1 + i);
        action->setShortcuts({QKeySequence(QKeyCombination(Qt::ControlModifier, key)),
                              QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, key))});
        action->setShortcutContext(Qt::WindowShortcut);
        group->addAction(action);
        QObject::connect(action, &QAction::triggered, &dialog, [chosen, i] { chosen(i + 1); });
        actions[i] = action;
    }
    // Shortcuts act while the menu bar is closed too.
    dialog.addActions(group->actions());
    return actions;
}
