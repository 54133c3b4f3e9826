#pragma once
// A program's main window and the keyboard on a desktop without a window
// manager: nobody gives a new window the keyboard there, nor gives it back
// when a dialog or message box closes, and every later key would be lost.

#include <QRect>

class QWidget;

// Shows the window maximised over the given normal rectangle (the size it
// returns to) and asks for the keyboard.
void KoShowMaximised(QWidget& window, const QRect& normal);

// From now on, whenever another top-level window of the program hides and no
// window has the keyboard, the window takes it back, or the modal dialog open
// over it when there is one. Lives as long as the window.
void KoKeepKeyboard(QWidget& window);
