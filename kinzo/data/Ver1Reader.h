#pragma once
// Reading a ledger of the first version: one Paradox table, read byte by byte.
//
// File: a header, then data blocks one after another to the end of the file.
//  header  offset 2: header size, 2 bytes little-endian (2048 in that
//          version's files); offset 5: block size in KiB (2 there); offset 6:
//          record count, 4 bytes little-endian. A header size below 2048 or a
//          block size outside 1..64 KiB is taken as 2048.
//  block   bytes 4-5: offset of the last record, signed little-endian (negative
//          in an empty block); the records follow from byte 6, 136 bytes each.
//  record  0 record number (long), 4 year (number), 12 month (long), 16 day
//          (long), 20 item name (40 bytes of text), 60 income (number), 68
//          expense (number), 76 group name (60 bytes of text).
// Paradox long: 4 bytes big-endian, top bit inverted. Paradox number: an IEEE
// double big-endian, top bit inverted when positive, all bytes inverted when
// negative; all bytes zero is a blank field, read as 0. Text: CP932 up to the
// first zero byte.

#include <QByteArray>
#include <QHash>
#include <QString>

class QIODevice;

struct _Ver1Record {
    qint32 number = 0;   // record number
    double year = 0;
    qint32 month = 0;
    qint32 day = 0;
    QString itemName;
    double income = 0;
    double expense = 0;
    QString group;       // group name, maybe with "（ミクリ番号：n）"
};

class CVer1Reader {
public:
    static constexpr int kRecordSize = 136;
    static constexpr int kMinimumHeaderSize = 2048;

    // Reads the header from the device, which the caller keeps open and
    // owns while the reader is used. False when the device ends before the
    // header does.
    bool ReadHeader(QIODevice& device);
    quint32 HeaderRecordCount() const { return m_headerRecordCount; }
    int HeaderSize() const { return m_headerSize; }
    int BlockSize() const { return m_blockSize; }

    // The next record in file order. False after the last block; a block cut
    // short by the end of the file ends the reading too.
    bool Next(_Ver1Record& record);

private:
    bool ReadBlock();
    QString Text(const char* field, int size);

    QIODevice* m_device = nullptr;
    quint32 m_headerRecordCount = 0;
    int m_headerSize = kMinimumHeaderSize;
    int m_blockSize = kMinimumHeaderSize;
    QByteArray m_block;
    int m_blockRecords = 0;
    int m_nextInBlock = 0;
    QHash<QByteArray, QString> m_texts;  // names repeat on most records
};

qint32 ParadoxLong(const char* bytes);
double ParadoxNumber(const char* bytes);

// True when the record can be a ledger line: a record number not below 0, a
// year above 0 and not above 3000, month 1..12, day 1..31 forming a real
// calendar day, and finite amounts.
bool IsPlausibleVer1Record(const _Ver1Record& record);

// Splits the group field at "（ミクリ番号：" and "）": the text before is the
// group name, the number between the ミクリID (0 without the marker).
void SplitGroupField(const QString& field, QString& groupName, int& mikuriId);
