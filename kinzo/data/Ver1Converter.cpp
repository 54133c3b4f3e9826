#include "kinzo/data/Ver1Converter.h"

#include "kinzo/data/CDBConnection.h"
#include "kinzo/data/CKinzoDocHost.h"
#include "kinzo/data/CTableAccountItem.h"
#include "kinzo/data/CTableKinzo.h"
#include "kinzo/data/DataFiles.h"
#include "kinzo/data/DateValue.h"
#include "kinzo/data/DocumentTexts.h"
#include "kinzo/data/KinzoSchema.h"
#include "kinzo/data/Ver1Reader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <sqlite3.h>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

QString writeFailed(int record)
{
    return u"DBファイルへの書き込みに失敗しました。(%1 レコード目）"_s.arg(record);
}

// The account items of the new file, found by parent and name and inserted
// when missing. The file starts from the empty template, so the items this
// class inserted are all there are.
class AccountBook {
public:
    explicit AccountBook(CTableAccountItem& table) : m_table(table) {}

    bool AddRoots()
    {
        _AccountItem income, expense;
        if (m_table.AddRoots(income, expense) != DbStatus::Ok) return false;
        m_roots[0] = Remember(income);
        m_roots[1] = Remember(expense);
        return true;
    }

    int Root(int side) const { return m_roots[side == 1 ? 0 : 1]; }

    // The ID of the parent's child of that name; 0 when it cannot be stored.
    int ChildNamed(int parentId, const QString& name)
    {
        if (const auto found = m_byName.constFind({parentId, name}); found != m_byName.cend()) return *found;
        Known& parent = m_items[parentId];
        _AccountItem item = _AccountItem::ChildOf(parent.item, name);
        item.code = parent.lastChildCode.isEmpty() ? FirstChildCode(parent.item.code)
                                                   : NextSiblingCode(parent.lastChildCode);
        if (m_table.AddItem(item) != DbStatus::Ok) return 0;
        parent.lastChildCode = item.code;
        if (parent.item.childFlag == 0) {
            parent.item.childFlag = 1;
            if (m_table.Update(u"子フラグ = 1"_s, u"ID = %1"_s.arg(parentId)) != DbStatus::Ok) return 0;
        }
        return Remember(item);
    }

private:
    struct Known {
        _AccountItem item;
        QString lastChildCode;
    };

    int Remember(const _AccountItem& item)
    {
        m_items.insert(item.ID, Known{item, QString()});
        m_byName.insert({item.parentId, item.name}, item.ID);
        return item.ID;
    }

    CTableAccountItem& m_table;
    QHash<int, Known> m_items;
    QHash<std::pair<int, QString>, int> m_byName;
    int m_roots[2] = {0, 0};
};

// Inserts entries with one prepared statement: the layer's AddEntry builds,
// translates and prepares its statement for every entry, which a conversion
// of a hundred thousand records cannot afford. The columns are those AddEntry
// writes for an entry without a note.
class EntryWriter {
public:
    explicit EntryWriter(CDBConnection& db) : m_db(db.Handle())
    {
        sqlite3_prepare_v2(m_db, "INSERT INTO 出納簿 (日付, 勘定科目ID, 金額, 取引先ID, ミクリID) VALUES (?, ?, ?, ?, ?)", -1,
                           &m_insert, nullptr);
    }
    ~EntryWriter() { sqlite3_finalize(m_insert); }
    EntryWriter(const EntryWriter&) = delete;
    EntryWriter& operator=(const EntryWriter&) = delete;

    bool Add(const _KinzoEntry& entry)
    {
        if (!m_insert) return false;
        char date[10];
        WriteYmd(date, entry.date.year(), entry.date.month(), entry.date.day());
        sqlite3_bind_text(m_insert, 1, date, 10, SQLITE_TRANSIENT);
        sqlite3_bind_int(m_insert, 2, entry.itemId);
        sqlite3_bind_int64(m_insert, 3, entry.amount);
        sqlite3_bind_int(m_insert, 4, entry.caterId);
        if (entry.mikuriId != 0) sqlite3_bind_int(m_insert, 5, entry.mikuriId);
        else sqlite3_bind_null(m_insert, 5);
        const bool done = sqlite3_step(m_insert) == SQLITE_DONE;
        sqlite3_reset(m_insert);
        return done;
    }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_insert = nullptr;
};

// The record as an entry of the new file; false when it cannot be stored.
bool bookRecord(const _Ver1Record& record, AccountBook& book, EntryWriter& entries)
{
    const int side = record.income > 0 ? 1 : 2;
    const double amount = std::ceil(record.income != 0 ? record.income : record.expense);
    if (amount < std::numeric_limits<qint32>::min() || amount > std::numeric_limits<qint32>::max()) return false;
    QString group;
    _KinzoEntry entry;
    SplitGroupField(record.group, group, entry.mikuriId);
    const int under = group.isEmpty() ? book.Root(side) : book.ChildNamed(book.Root(side), group);
    entry.itemId = under ? book.ChildNamed(under, record.itemName) : 0;
    if (entry.itemId == 0) return false;
    entry.date = QDate(int(record.year), record.month, record.day);
    entry.amount = qint64(amount);
    entry.caterId = -1;  // none, as the earlier version's conversion stored it
    return entries.Add(entry);
}

constexpr int ProgressRecords = 4096;

// Books every record in the open transaction. count: the records booked.
Ver1Result convertRecords(CVer1Reader& reader, CDBConnection& db, CKinzoDocHost& host, int& count,
                          const RowProgress& progress)
{
    CTableAccountItem accounts;
    accounts.m_pConnection = &db;
    EntryWriter entries(db);
    AccountBook book(accounts);
    if (!book.AddRoots()) {
        host.Notice(writeFailed(1));
        return Ver1Result::WriteFailed;
    }
    _Ver1Record record;
    while (reader.Next(record)) {
        const int number = count + 1;
        if (!IsPlausibleVer1Record(record)) {
            host.Notice(u"Paradoxファイルでない可能性があるので確認してください。(%1 レコード目）"_s.arg(number));
            return Ver1Result::BadRecord;
        }
        if (!bookRecord(record, book, entries)) {
            host.Notice(writeFailed(number));
            return Ver1Result::WriteFailed;
        }
        count = number;
        if (progress && count % ProgressRecords == 0 && !progress(count, reader.HeaderRecordCount()))
            return Ver1Result::Cancelled;
    }
    return Ver1Result::Ok;
}

// The indexes and totals of the booked entries, then the commit.
Ver1Result finish(CDBConnection& db, CKinzoDocHost& host, int count, const RowProgress& progress)
{
    QString error;
    {
        const CDBConnection::BusyProgress building(db, progress);
        if (building.Stopped()) return Ver1Result::Cancelled;
        if (kinzo_schema::EnsureSupport(db.Handle(), error) != SQLITE_OK) {
            if (building.Stopped()) return Ver1Result::Cancelled;
            host.Notice(writeFailed(count));
            return Ver1Result::WriteFailed;
        }
    }
    if (db.CommitTrans(error)) return Ver1Result::Ok;
    host.Notice(writeFailed(count));
    return Ver1Result::WriteFailed;
}

// convertRecords in one transaction, so that a conversion that stops
// part-way leaves nothing behind (count is then 0). The entries go in without
// their indexes and month totals, which are built once at the end.
Ver1Result convertInOneTransaction(CVer1Reader& reader, CDBConnection& db, CKinzoDocHost& host, int& count,
                                   const RowProgress& progress)
{
    QString error;
    Ver1Result result = Ver1Result::WriteFailed;
    if (!db.BeginTrans(error) || kinzo_schema::DropSupport(db.Handle(), u"出納簿"_s, error) != SQLITE_OK)
        host.Notice(writeFailed(1));
    else
        result = convertRecords(reader, db, host, count, progress);
    if (result == Ver1Result::Ok) result = finish(db, host, count, progress);
    if (result != Ver1Result::Ok) {
        db.RollbackTrans();
        count = 0;
    }
    return result;
}

// The file the conversion writes before it takes the destination's place;
// removed unless kept.
const QString workSuffix = u".converting"_s;

class WorkFile {
public:
    explicit WorkFile(const QString& destination)
    {
        const QFileInfo target(destination);
        m_path = target.dir().filePath(u"."_s + target.fileName() + workSuffix);
    }
    ~WorkFile()
    {
        if (m_kept) return;
        QFile::remove(m_path);
        QFile::remove(m_path + u"-journal"_s);
    }
    const QString& Path() const { return m_path; }
    void Keep() { m_kept = true; }

private:
    QString m_path;
    bool m_kept = false;
};

}  // namespace

Ver1Result ConvertVer1Ledger(const QString& source, const QString& destination, CKinzoDocHost& host, int& count,
                             const RowProgress& progress)
{
    count = 0;
    const QString templateFile = TemplatePath(host.ProgramFolder(), kinzo_schema::FileKind::Ledger);
    if (!QFileInfo(templateFile).isFile()) {
        host.Notice(u"雛型ファイルが見つかりません。\nフォルダ = %1"_s.arg(host.ProgramFolder()));
        return Ver1Result::TemplateMissing;
    }
    const auto copyFailed = [&] {
        host.Notice(u"雛型ファイルコピー失敗 \n コピー先 = %1"_s.arg(destination));
        return Ver1Result::TemplateCopyFailed;
    };
    RemoveConversionLeftovers(QFileInfo(destination).absolutePath());
    WorkFile work(destination);
    const QFileInfo target(destination);
    if ((target.exists() && !(target.permissions() & QFile::WriteOwner)) || !CopyDataFile(templateFile, work.Path()))
        return copyFailed();
    CDBConnection db;
    if (db.Open(work.Path()) != 1) {
        host.Notice(doc_text::ConnectFailed());
        return Ver1Result::ConnectFailed;
    }
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        host.Notice(u"Paradoxデータのオープンに失敗しました。"_s);
        return Ver1Result::SourceOpenFailed;
    }
    CVer1Reader reader;
    if (!reader.ReadHeader(file)) {
        host.Notice(u"Paradoxデータのヘッダ部データ読み込みに失敗しました。\n"
                    "Paradoxファイルでない可能性があるので確認してください。\n(%1)"_s.arg(source));
        return Ver1Result::HeaderReadFailed;
    }
    if (const Ver1Result result = convertInOneTransaction(reader, db, host, count, progress); result != Ver1Result::Ok)
        return result;
    db.Close();
    if (!MoveFileOver(work.Path(), destination)) {
        count = 0;
        return copyFailed();
    }
    work.Keep();
    if (quint32(count) != reader.HeaderRecordCount())
        host.Notice(u"すべてのレコードが読み込まれていない可能性があります。"_s);
    return Ver1Result::Ok;
}

void RemoveConversionLeftovers(const QString& folder)
{
    const QDir dir(folder);
    const QStringList patterns{u".*"_s + workSuffix, u".*"_s + workSuffix + u"-journal"_s};
    for (const QString& name : dir.entryList(patterns, QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(dir.filePath(name));
}
