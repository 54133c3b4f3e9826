#include "kinzo/data/Ver1Reader.h"

#include "platform/Cp932Codec.h"
#include "platform/TextNumber.h"

#include <QDate>
#include <QIODevice>

#include <bit>
#include <cmath>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

quint32 littleEndian32(const char* p)
{
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return quint32(u[0]) | quint32(u[1]) << 8 | quint32(u[2]) << 16 | quint32(u[3]) << 24;
}

int littleEndian16(const char* p)
{
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return int(u[0]) | int(u[1]) << 8;
}

}  // namespace

qint32 ParadoxLong(const char* bytes)
{
    const auto* u = reinterpret_cast<const unsigned char*>(bytes);
    const quint32 stored = quint32(u[0]) << 24 | quint32(u[1]) << 16 | quint32(u[2]) << 8 | quint32(u[3]);
    return qint32(stored ^ 0x80000000u);
}

double ParadoxNumber(const char* bytes)
{
    quint64 stored = 0;
    for (int i = 0; i < 8; ++i) stored = stored << 8 | static_cast<unsigned char>(bytes[i]);
    if (stored == 0) return 0.0;  // a blank field
    constexpr quint64 top = quint64(1) << 63;
    stored = (stored & top) ? stored ^ top : ~stored;
    return std::bit_cast<double>(stored);
}

bool CVer1Reader::ReadHeader(QIODevice& device)
{
    m_device = &device;
    m_block.clear();
    m_blockRecords = m_nextInBlock = 0;
    const QByteArray header = device.read(kMinimumHeaderSize);
    if (header.size() < kMinimumHeaderSize) return false;
    m_headerRecordCount = littleEndian32(header.constData() + 6);
    const int headerSize = littleEndian16(header.constData() + 2);
    m_headerSize = headerSize >= kMinimumHeaderSize ? headerSize : kMinimumHeaderSize;
    const int blockKiB = static_cast<unsigned char>(header[5]);
    m_blockSize = blockKiB >= 1 && blockKiB <= 64 ? blockKiB * 1024 : kMinimumHeaderSize;
    const qint64 rest = m_headerSize - kMinimumHeaderSize;
    return rest == 0 || device.read(rest).size() == rest;
}

bool CVer1Reader::ReadBlock()
{
    if (!m_device) return false;
    m_block = m_device->read(m_blockSize);
    m_nextInBlock = 0;
    if (m_block.size() < m_blockSize) {
        m_blockRecords = 0;
        m_device = nullptr;
        return false;
    }
    const int lastOffset = qint16(littleEndian16(m_block.constData() + 4));
    m_blockRecords = lastOffset < 0 ? 0 : std::min(lastOffset / kRecordSize + 1, (m_blockSize - 6) / kRecordSize);
    return true;
}

bool CVer1Reader::Next(_Ver1Record& record)
{
    while (m_nextInBlock >= m_blockRecords)
        if (!ReadBlock()) return false;
    const char* p = m_block.constData() + 6 + m_nextInBlock++ * kRecordSize;
    record.number = ParadoxLong(p);
    record.year = ParadoxNumber(p + 4);
    record.month = ParadoxLong(p + 12);
    record.day = ParadoxLong(p + 16);
    record.itemName = Text(p + 20, 40);
    record.income = ParadoxNumber(p + 60);
    record.expense = ParadoxNumber(p + 68);
    record.group = Text(p + 76, 60);
    return true;
}

QString CVer1Reader::Text(const char* field, int size)
{
    const auto* end = static_cast<const char*>(std::memchr(field, 0, size_t(size)));
    const QByteArray bytes = QByteArray::fromRawData(field, end ? end - field : size);
    if (const auto known = m_texts.constFind(bytes); known != m_texts.cend()) return *known;
    const QString text = platform::cp932::decode(bytes);
    if (m_texts.size() < 4096) m_texts.insert(QByteArray(bytes.constData(), bytes.size()), text);
    return text;
}

bool IsPlausibleVer1Record(const _Ver1Record& record)
{
    if (record.number < 0 || !(record.year > 0 && record.year <= 3000)) return false;
    if (record.month < 1 || record.month > 12 || record.day < 1 || record.day > 31) return false;
    return QDate(int(record.year), record.month, record.day).isValid() && std::isfinite(record.income) &&
           std::isfinite(record.expense);
}

void SplitGroupField(const QString& field, QString& groupName, int& mikuriId)
{
    static const QString marker = u"（ミクリ番号："_s;
    const qsizetype at = field.indexOf(marker);
    if (at < 0) {
        groupName = field;
        mikuriId = 0;
        return;
    }
    groupName = field.left(at);
    const qsizetype from = at + marker.size();
    const qsizetype close = field.indexOf(u'）', from);
    mikuriId = platform::atoiLike(QStringView(field).mid(from, close < 0 ? -1 : close - from));
}
