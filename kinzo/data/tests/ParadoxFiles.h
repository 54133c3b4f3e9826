#pragma once
// Version-1 ledgers for the tests: written by pxlib as real Paradox tables,
// or built byte by byte to pin the layout the reader expects.

#include <QByteArray>
#include <QList>
#include <QString>

struct Ver1Line {
    int number = 1;
    double year = 2010;
    int month = 4;
    int day = 1;
    QString item;
    double income = 0;
    double expense = 0;
    QString group;
};

// Writes the lines with pxlib: the fields of a version-1 ledger, text in
// CP932. pxlib picks its own block size (3 KiB for these records). Returns
// false when pxlib fails.
bool WriteParadoxLedger(const QString& path, const QList<Ver1Line>& lines);

// The same table built byte by byte: a header of headerSize bytes (record
// count and sizes filled in, recordCount overriding the true count when not
// negative), then blocks of blockKiB KiB with up to perBlock records each.
QByteArray BuildVer1Bytes(const QList<Ver1Line>& lines, int headerSize = 2048, int blockKiB = 2, int perBlock = -1,
                          qint64 recordCount = -1);

// Paradox encodings of one value, big-endian.
QByteArray ParadoxLongBytes(qint32 value);
QByteArray ParadoxNumberBytes(double value);
