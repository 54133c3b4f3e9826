#pragma once
// What assistive technology reads for the toolkit's controls where Qt's own
// answer is not the one a user needs: a combo box is named by its label (on
// Linux Qt names it by its current text), a date label's name carries the
// date it shows, after the caption of a label tied to it, and a list with
// columns is a list of its rows (KoListAccessible.h), not a tree of cells.

// Makes the toolkit's accessible interfaces known to Qt; once is enough,
// calling it again does nothing.
void KoInstallAccessibility();
