#pragma once
// One row read from the data file: column name to the value as text. A column
// whose value is NULL is absent, so value() gives an empty string for it.
// Integers are decimal digits (64-bit sums included); dates are the text of
// DateValue.h, read back with ParseDateValue; Yes/No columns are "1" or "0".
// The rows of one result share their list of names, so a row costs little
// more than its values.

#include <QList>
#include <QString>
#include <QStringList>

class ValueMap {
public:
    // The value of a column; empty when the row has none (or it is NULL).
    QString value(const QString& name) const;
    bool contains(const QString& name) const { return indexOf(name) >= 0; }
    // Sets a column's value, adding the column when the row has none.
    void insert(const QString& name, const QString& value);
    // The columns that have a value, in column order.
    QStringList keys() const;
    qsizetype size() const;
    bool isEmpty() const { return size() == 0; }
    void clear();
    // The same columns with the same values, in whatever order.
    bool operator==(const ValueMap& other) const;

    // For the reader: a row of these columns, all NULL, then one set.
    void Reset(const QStringList& names);
    void Set(qsizetype index, QString value);

private:
    qsizetype indexOf(const QString& name) const;

    QStringList m_names;
    QList<QString> m_values;  // a null QString is NULL
};

using ValueMapList = QList<ValueMap>;
