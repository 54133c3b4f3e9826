#include "kinzo/dialogs/AccountMenuPopup.h"

#include "kinzo/dialogs/CAccountComboChain.h"
#include "kolib/KoAppVoice.h"
#include "kolib/KoMnemonic.h"

#include <QAbstractButton>
#include <QMenu>

QAction* ExecAccountMenu(QMenu& menu, QAbstractButton& button)
{
    // The top menu hears of every item reached, its submenus' too.
    const QMetaObject::Connection watch = QObject::connect(&menu, &QMenu::hovered, &menu, [](QAction* action) {
        KoAppReadArrival(KoStripMnemonic(action->text()));
    });
    KoAppReadText(KoStripMnemonic(button.text()), 1, 0);
    QAction* chosen = menu.exec(button.mapToGlobal(button.rect().bottomLeft()));
    QObject::disconnect(watch);
    return chosen;
}

void SayChosenAccount(const CAccountComboChain& chain)
{
    QStringList names;
    for (int level = 1; level <= chain.DeepestLevel(); ++level) names << chain.Text(level);
    if (!names.isEmpty()) KoAppReadText(names.join(u' '), 1, 0);
}
