#pragma once
// A household ledger for measurements: 61 leaf items under income and expense
// groups, some of them three levels deep, and entries spread evenly over 2015
// to 2024 in date order, with some counterparties and notes.

#include "kinzo/data/CTableAccountItem.h"

#include <QDate>
#include <QList>

struct sqlite3;

namespace bench {

const QDate firstDay(2015, 1, 1);
const QDate lastDay(2024, 12, 31);

struct Ledger {
    QList<int> incomeLeaves, expenseLeaves;
};

// Adds the two roots and the household tree through the table wrapper.
Ledger buildTree(CTableAccountItem& accounts);
// Inserts the counterparties and `count` entries straight into the file.
void fillEntries(sqlite3* db, const Ledger& ledger, int count);

}  // namespace bench
