#include "ParadoxFiles.h"

#include "platform/Cp932Codec.h"

#include <QFile>

extern "C" {  // pxlib's header does not say so itself
#include <paradox.h>
}

#include <bit>
#include <cstdlib>
#include <cstring>

namespace {

void putText(char* field, int size, const QString& text)
{
    const QByteArray bytes = platform::cp932::encode(text);
    std::memcpy(field, bytes.constData(), size_t(std::min<qsizetype>(bytes.size(), size)));
}

// One record in the layout of the version-1 table.
QByteArray recordBytes(const Ver1Line& line)
{
    QByteArray record(136, '\0');
    char* p = record.data();
    const auto put = [&](int offset, const QByteArray& bytes) { std::memcpy(p + offset, bytes.constData(), size_t(bytes.size())); };
    put(0, ParadoxLongBytes(line.number));
    put(4, ParadoxNumberBytes(line.year));
    put(12, ParadoxLongBytes(line.month));
    put(16, ParadoxLongBytes(line.day));
    putText(p + 20, 40, line.item);
    put(60, ParadoxNumberBytes(line.income));
    put(68, ParadoxNumberBytes(line.expense));
    putText(p + 76, 60, line.group);
    return record;
}

void putLittleEndian(QByteArray& bytes, int offset, quint64 value, int size)
{
    for (int i = 0; i < size; ++i) bytes[offset + i] = char((value >> (8 * i)) & 0xff);
}

}  // namespace

QByteArray ParadoxLongBytes(qint32 value)
{
    const quint32 stored = quint32(value) ^ 0x80000000u;
    const char bytes[] = {char(stored >> 24), char(stored >> 16), char(stored >> 8), char(stored)};
    return QByteArray(bytes, 4);
}

QByteArray ParadoxNumberBytes(double value)
{
    quint64 bits = std::bit_cast<quint64>(value);
    bits = value < 0 ? ~bits : bits ^ (quint64(1) << 63);
    QByteArray bytes(8, '\0');
    for (int i = 0; i < 8; ++i) bytes[i] = char(bits >> (56 - 8 * i));
    return bytes;
}

QByteArray BuildVer1Bytes(const QList<Ver1Line>& lines, int headerSize, int blockKiB, int perBlock, qint64 recordCount)
{
    const int blockSize = blockKiB * 1024;
    if (perBlock < 0) perBlock = (blockSize - 6) / 136;
    QByteArray file(headerSize, '\0');
    putLittleEndian(file, 0, 136, 2);  // record size
    putLittleEndian(file, 2, quint64(headerSize), 2);
    file[4] = 2;  // table without key
    file[5] = char(blockKiB);
    putLittleEndian(file, 6, quint64(recordCount < 0 ? lines.size() : recordCount), 4);
    for (qsizetype first = 0; first < lines.size(); first += perBlock) {
        const qsizetype count = std::min<qsizetype>(perBlock, lines.size() - first);
        QByteArray block(blockSize, '\0');
        putLittleEndian(block, 4, quint64((count - 1) * 136), 2);
        for (qsizetype i = 0; i < count; ++i) block.replace(int(6 + i * 136), 136, recordBytes(lines[first + i]));
        file += block;
    }
    return file;
}

bool WriteParadoxLedger(const QString& path, const QList<Ver1Line>& lines)
{
    static const bool booted = (PX_boot(), true);
    Q_UNUSED(booted);
    pxdoc_t* doc = PX_new();
    if (!doc) return false;
    static const char* names[] = {"No", "Year", "Month", "Day", "Item", "Income", "Expense", "Group"};
    static const char types[] = {pxfLong, pxfNumber, pxfLong, pxfLong, pxfAlpha, pxfNumber, pxfNumber, pxfAlpha};
    static const int sizes[] = {4, 8, 4, 4, 40, 8, 8, 60};
    // pxlib frees the field list with the document, so it comes from its allocator.
    auto* fields = static_cast<pxfield_t*>(doc->malloc(doc, 8 * sizeof(pxfield_t), "fields"));
    for (int i = 0; i < 8; ++i) {
        fields[i].px_fname = static_cast<char*>(doc->malloc(doc, std::strlen(names[i]) + 1, "name"));
        std::strcpy(fields[i].px_fname, names[i]);
        fields[i].px_ftype = types[i];
        fields[i].px_flen = sizes[i];
        fields[i].px_fdc = 0;
    }
    bool ok = PX_create_file(doc, fields, 8, QFile::encodeName(path).constData(), pxfFileTypNonIndexDB) == 0;
    QByteArray record(136, '\0');
    for (qsizetype i = 0; ok && i < lines.size(); ++i) {
        const Ver1Line& line = lines[i];
        record.fill('\0');
        char* p = record.data();
        PX_put_data_long(doc, p, 4, line.number);
        PX_put_data_double(doc, p + 4, 8, line.year);
        PX_put_data_long(doc, p + 12, 4, line.month);
        PX_put_data_long(doc, p + 16, 4, line.day);
        QByteArray item = platform::cp932::encode(line.item), group = platform::cp932::encode(line.group);
        PX_put_data_alpha(doc, p + 20, 40, item.data());
        PX_put_data_double(doc, p + 60, 8, line.income);
        PX_put_data_double(doc, p + 68, 8, line.expense);
        PX_put_data_alpha(doc, p + 76, 60, group.data());
        ok = PX_put_record(doc, p) >= 0;
    }
    PX_close(doc);
    PX_delete(doc);
    return ok;
}
