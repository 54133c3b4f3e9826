#pragma once
// The colours the ledger views give their grids: the user's text and back
// colours, and for header cells a colour derived from the back colour that
// stays distinct from it in any pair the user chose.

#include <QColor>

class CXGridModel;

// The back colour moved 15 percent of the way towards the text colour.
QColor HeaderColorFor(const QColor& back, const QColor& text);

// Text, back and header colours of the settings onto the grid's cells.
void ApplyViewColors(CXGridModel& grid);
