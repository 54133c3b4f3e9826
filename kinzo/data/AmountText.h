#pragma once
// The one way amounts become text on screen, on paper and in CSV output of the
// tables, and the way such text is read back: whole yen, the digits grouped in
// threes with commas from the right, "-" in front of a negative amount
// (1234567 gives "1,234,567", -500 gives "-500").

#include <QString>
#include <QStringView>

QString FormatAmount(qint64 amount);

// The amount of a text written by FormatAmount (commas are dropped, blanks
// around it ignored); an empty text is 0. A text that is no whole number
// gives 0 and false in *ok.
qint64 ParseAmount(QStringView text, bool* ok = nullptr);
