#pragma once
// The user's colours ("FontColor" and "BackColor" of the settings file) and
// the palette every toolkit window draws with: text in the text colour on the
// back colour, in windows, fields, buttons and lists alike.

#include <QColor>
#include <QPalette>

class QWidget;

// From the published settings file. A colour the file does not hold (or no
// file published) gives black text on white, so text never vanishes into a
// background of the same colour.
QColor KoTextColor();
QColor KoBackColor();

// Text on back everywhere; a selection is shown inverted (back on text) so it
// stands out in any pair of colours, and disabled text is half-way between.
QPalette KoColorPalette(const QColor& text, const QColor& back);

// Gives the widget that palette (children that set none of their own follow)
// and has it fill its background; installs the toolkit's style (CKoStyle) first.
void KoApplyColors(QWidget* widget, const QColor& text, const QColor& back);
// The same with the user's colours.
void KoApplyAppColors(QWidget* widget);
