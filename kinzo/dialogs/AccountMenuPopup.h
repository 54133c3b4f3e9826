#pragma once
// The account menu a dialog's メニュー button opens below itself. The user
// hears it open, each item as they reach it (a screen reader of the tree
// reads the items itself), and the account the choice selected.

class CAccountComboChain;
class QAbstractButton;
class QAction;
class QMenu;

// Shows the menu below the button until the user picks or leaves it; the
// chosen action, or null.
QAction* ExecAccountMenu(QMenu& menu, QAbstractButton& button);
// Says the chain's chosen account, its levels in order ("食費 外食").
void SayChosenAccount(const CAccountComboChain& chain);
