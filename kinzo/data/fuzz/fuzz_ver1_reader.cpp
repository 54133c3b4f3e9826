// Any bytes as a version-1 ledger: the header, the blocks and every record
// are read, checked and split as the conversion does, without a data file.

#include "kinzo/data/Ver1Reader.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char*>(data), qsizetype(size));
    buffer.open(QIODevice::ReadOnly);
    CVer1Reader reader;
    if (!reader.ReadHeader(buffer)) return 0;
    _Ver1Record record;
    while (reader.Next(record)) {
        if (!IsPlausibleVer1Record(record)) break;
        QString group;
        int mikuri = 0;
        SplitGroupField(record.group, group, mikuri);
    }
    return 0;
}
