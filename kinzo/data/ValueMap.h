#pragma once
// One row read from the data file: column name to the value as text. A column
// whose value is NULL is absent, so value() gives an empty string for it.
// Integers are decimal digits (64-bit sums included); dates are the text of
// DateValue.h, read back with ParseDateValue; Yes/No columns are "1" or "0".

#include <QList>
#include <QMap>
#include <QString>

using ValueMap = QMap<QString, QString>;
using ValueMapList = QList<ValueMap>;
