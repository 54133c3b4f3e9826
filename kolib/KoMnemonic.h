#pragma once
// Alt together with a letter, done the way Qt does it for a mnemonic: the
// control of the window whose caption underlines that letter reacts.

#include <QString>

class QLabel;
class QWidget;

// Finds, in the window, the first visible and enabled control whose mnemonic
// is Alt + key (key: a Qt::Key letter or digit, such as Qt::Key_M) and acts
// on it: a button is focused and clicked, a label's buddy is focused (or
// clicked when it is a button), a group box's first control is focused (a
// checkable group box toggles), a menu-bar entry opens its menu.
// Returns false when no control has that mnemonic.
bool KoActivateMnemonic(QWidget* window, int key);

// A caption without its mnemonic: "摘要(&N)" gives "摘要", "&OK" gives "OK",
// and "&&" stays a literal "&".
QString KoStripMnemonic(const QString& caption);

// A caption as the screen shows it, which is how a control speaks its name:
// the mnemonic markers go, the letters stay ("第１階層科目(&1)" gives
// "第１階層科目(1)", "&&" a literal "&").
QString KoShownCaption(const QString& caption);

// Ties a label to the field it names: Alt + the label's mnemonic reaches the
// field, and assistive technology reads the caption (without its mnemonic)
// as the field's name unless the field has a name of its own.
void KoTieLabel(QLabel* label, QWidget* field);
