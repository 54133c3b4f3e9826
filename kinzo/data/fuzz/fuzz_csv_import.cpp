// Any bytes as a CSV file read and imported into a table of a real data
// file: the first byte picks the table, the rest is the file. Each import is
// rolled back, so every input meets the same empty tables.

#include "kinzo/data/CDBConnection.h"
#include "kinzo/data/CsvFormat.h"
#include "kinzo/data/CsvTransfer.h"

#include "platform/Cp932Codec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstddef>
#include <cstdint>

namespace {

struct Ledger {
    QTemporaryDir dir;
    QString csv = dir.filePath(QStringLiteral("in.csv"));
    CDBConnection connection;
    Ledger()
    {
        const QString path = dir.filePath(QStringLiteral("fuzz.kzd"));
        QFile::copy(QStringLiteral(KINZO_TEMPLATE_DIR "/_kinzoTemplate.kzd"), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        connection.Open(path);
        // Every input is rolled back: nothing needs to reach the disk.
        sqlite3_exec(connection.Handle(), "PRAGMA journal_mode = MEMORY; PRAGMA synchronous = OFF", nullptr, nullptr,
                     nullptr);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Ledger ledger;
    static const QStringList tables{QStringLiteral("勘定科目"), QStringLiteral("取引先"), QStringLiteral("定期支払"),
                                    QStringLiteral("分割支払"), QStringLiteral("出納簿")};
    if (size == 0) return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    // The reader alone, on the text as the import decodes it.
    QList<CsvRecord> records;
    QString error;
    ParseCsv(platform::cp932::decodeFile(bytes), records, error);

    QFile file(ledger.csv);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
    file.write(bytes);
    file.close();
    sqlite3* db = ledger.connection.Handle();
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    csv_transfer::ImportTable(db, tables[data[0] % tables.size()], ledger.csv, error);
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return 0;
}
