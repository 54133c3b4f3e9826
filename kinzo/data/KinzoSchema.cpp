#include "kinzo/data/KinzoSchema.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

extern const char* const kinzoSchemaSql;  // generated from schema/kinzo_schema.sql

namespace kinzo_schema {
namespace {

const QString monthTotals = u"_月計"_s;
const QString entryTable = u"出納簿"_s;
const QStringList monthTotalTriggers{u"出納簿_月計_追加"_s, u"出納簿_月計_削除"_s, u"出納簿_月計_変更"_s};
const QString runningTotals = u"_累計"_s;
const QStringList runningTotalTriggers{u"_月計_累計_追加"_s, u"_月計_累計_削除"_s, u"_月計_累計_変更"_s};
const QString accountItems = u"勘定科目"_s;
const QStringList balanceObjects{u"_月残高"_s,         u"_日残高"_s,         u"出納簿_残高_追加"_s,  u"出納簿_残高_削除"_s,
                                 u"出納簿_残高_変更"_s, u"勘定科目_残高_追加"_s, u"勘定科目_残高_削除"_s, u"勘定科目_残高_変更"_s};

const QStringList fiscalYearObjects{u"_年度開始"_s, u"_年計"_s, u"_月計_年計_追加"_s, u"_月計_年計_変更"_s,
                                    u"_月計_年計_削除"_s};

// The side of an account item as the sign its entries take in a balance.
#define KINZO_SIGN(side) "(CASE " side " WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END)"

// The month balances as they follow from the month totals, and the day
// balances from the entries.
const char* const monthBalancesFromTotals =
    "SELECT 月初, SUM(SUM(合計 * " KINZO_SIGN("勘定科目.仕分けID") ")) OVER (ORDER BY 月初), SUM(件数)"
    " FROM _月計 LEFT JOIN 勘定科目 ON 勘定科目.ID = _月計.勘定科目ID GROUP BY 月初";
const char* const dayBalancesFromEntries =
    "SELECT 日, SUM(SUM(coalesce(金額, 0) * " KINZO_SIGN("勘定科目.仕分けID") "))"
    " OVER (PARTITION BY substr(日, 1, 8) ORDER BY 日), COUNT(*)"
    " FROM (SELECT substr(日付, 1, 10) AS 日, 金額, 勘定科目ID FROM 出納簿"
    " WHERE 日付 IS NOT NULL AND 勘定科目ID IS NOT NULL) AS e"
    " LEFT JOIN 勘定科目 ON 勘定科目.ID = e.勘定科目ID GROUP BY 日";
// Per month, the day balances' count and the balance of its last day, which
// must be the month's count and the change of the month balance over it.
const char* const daysAgainstMonths =
    "SELECT COUNT(*) FROM ("
    "SELECT 月初, 件数, 残高 - coalesce(lag(残高) OVER (ORDER BY 月初), 0) FROM _月残高"
    " EXCEPT SELECT 月初, 件数, 残高 FROM (SELECT substr(日付, 1, 8) || '01' AS 月初, SUM(件数) AS 件数, 残高,"
    " MAX(日付) FROM _日残高 GROUP BY 1))";

// The running totals as they follow from the month totals.
const char* const runningFromMonths =
    "SELECT 勘定科目ID, 月初, SUM(合計) OVER byItem, SUM(件数) OVER byItem FROM _月計"
    " WINDOW byItem AS (PARTITION BY 勘定科目ID ORDER BY 月初)";

// The fiscal-year totals as they follow from the month totals, for the years
// that begin in the stored month.
const char* const fiscalYearsFromMonths =
    "SELECT CAST(substr(月初, 1, 4) AS INTEGER)"
    " - (CAST(substr(月初, 6, 2) AS INTEGER) < coalesce((SELECT 開始月 FROM _年度開始), 1)),"
    " 勘定科目ID, SUM(合計), SUM(件数) FROM _月計 GROUP BY 1, 2";

int exec(sqlite3* db, const QString& sql, QString& error)
{
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) error = QString::fromUtf8(message ? message : sqlite3_errmsg(db));
    sqlite3_free(message);
    return rc;
}

// Index builds and totals sort every entry. Sorting in memory
// (temp_store = MEMORY, which the connection sets for its statement journals)
// does it in one step that cannot report progress and is slower than sorting
// in runs that spill to temporary files, so the files are used meanwhile.
class SortsInFiles {
public:
    explicit SortsInFiles(sqlite3* db) : m_db(db)
    {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA temp_store", -1, &stmt, nullptr) == SQLITE_OK &&
            sqlite3_step(stmt) == SQLITE_ROW)
            m_before = sqlite3_column_int(stmt, 0);
        sqlite3_finalize(stmt);
        if (m_before != 1) sqlite3_exec(db, "PRAGMA temp_store = FILE", nullptr, nullptr, nullptr);
    }
    ~SortsInFiles()
    {
        if (m_before == 1) return;
        const QByteArray restore = "PRAGMA temp_store = " + QByteArray::number(m_before);
        sqlite3_exec(m_db, restore.constData(), nullptr, nullptr, nullptr);
    }
    SortsInFiles(const SortsInFiles&) = delete;
    SortsInFiles& operator=(const SortsInFiles&) = delete;

private:
    sqlite3* m_db;
    int m_before = 1;
};

QSet<QString> existingObjects(sqlite3* db, int& rc)
{
    QSet<QString> names;
    sqlite3_stmt* stmt = nullptr;
    rc = sqlite3_prepare_v2(db, "SELECT name FROM main.sqlite_master", -1, &stmt, nullptr);
    while (rc == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
        names.insert(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))));
    if (rc == SQLITE_OK) rc = sqlite3_finalize(stmt);
    return names;
}

qint64 scalar(sqlite3* db, const char* sql, int& rc)
{
    sqlite3_stmt* stmt = nullptr;
    qint64 value = 0;
    rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    if (rc == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW) value = sqlite3_column_int64(stmt, 0);
    if (rc == SQLITE_OK) rc = sqlite3_finalize(stmt);
    return value;
}

QStringList columnsOf(sqlite3* db, const QString& table, int& rc)
{
    QStringList columns;
    sqlite3_stmt* stmt = nullptr;
    rc = sqlite3_prepare_v2(db, "SELECT name FROM pragma_table_info(?, 'main')", -1, &stmt, nullptr);
    if (rc == SQLITE_OK) sqlite3_bind_text(stmt, 1, table.toUtf8().constData(), -1, SQLITE_TRANSIENT);
    while (rc == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
        columns.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))));
    if (rc == SQLITE_OK) rc = sqlite3_finalize(stmt);
    return columns;
}

// The kind and name of the object a support statement creates ("CREATE
// INDEX IF NOT EXISTS x ..." gives "INDEX" and "x"); empty for others.
std::pair<QString, QString> createdObject(const QString& statement)
{
    static const QRegularExpression pattern(
        u"^\\s*CREATE\\s+(TABLE|INDEX|TRIGGER|VIEW)\\s+IF\\s+NOT\\s+EXISTS\\s+(\\S+)"_s,
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(statement);
    return {match.captured(1).toUpper(), match.captured(2)};
}

QString createdName(const QString& statement)
{
    return createdObject(statement).second;
}

bool monthTotalsMatch(sqlite3* db, int& rc)
{
    const qint64 entries = scalar(db, "SELECT COUNT(*) FROM 出納簿", rc);
    if (rc != SQLITE_OK) return false;
    const qint64 unbooked = scalar(db, "SELECT COUNT(*) FROM 出納簿 WHERE 日付 IS NULL OR 勘定科目ID IS NULL", rc);
    if (rc != SQLITE_OK) return false;
    const qint64 counted = scalar(db, "SELECT coalesce(SUM(件数), 0) FROM _月計", rc);
    return rc == SQLITE_OK && counted == entries - unbooked;
}

bool runningTotalsMatch(sqlite3* db, int& rc)
{
    const qint64 rows = scalar(db, "SELECT (SELECT COUNT(*) FROM _月計) - (SELECT COUNT(*) FROM _累計)", rc);
    if (rc != SQLITE_OK || rows != 0) return false;
    const QByteArray differing = "SELECT COUNT(*) FROM (" + QByteArray(runningFromMonths) +
                                 " EXCEPT SELECT 勘定科目ID, 月初, 合計, 件数 FROM _累計)";
    return scalar(db, differing.constData(), rc) == 0 && rc == SQLITE_OK;
}

bool fiscalYearsMatch(sqlite3* db, int& rc)
{
    const QByteArray rows = "SELECT (SELECT COUNT(*) FROM _年計) - (SELECT COUNT(*) FROM (" +
                            QByteArray(fiscalYearsFromMonths) + "))";
    if (scalar(db, rows.constData(), rc) != 0 || rc != SQLITE_OK) return false;
    const QByteArray differing = "SELECT COUNT(*) FROM (" + QByteArray(fiscalYearsFromMonths) +
                                 " EXCEPT SELECT 年度, 勘定科目ID, 合計, 件数 FROM _年計)";
    return scalar(db, differing.constData(), rc) == 0 && rc == SQLITE_OK;
}

// 子フラグ as the tree has it: files written before the flag was kept by the
// file itself carry 0 on roots with children.
const char* const hasChildren = "(EXISTS (SELECT 1 FROM 勘定科目 c WHERE c.親科目ID = 勘定科目.ID))";

bool childFlagsMatch(sqlite3* db, int& rc)
{
    const QByteArray wrong =
        "SELECT COUNT(*) FROM 勘定科目 WHERE coalesce(子フラグ, -1) <> " + QByteArray(hasChildren);
    return scalar(db, wrong.constData(), rc) == 0 && rc == SQLITE_OK;
}

QString rebuildFiscalYears()
{
    return u"DELETE FROM _年計;\nINSERT INTO _年計 %1;\n"_s.arg(QString::fromUtf8(fiscalYearsFromMonths));
}

// The month balances against the month totals; the day balances against the
// month balances, per month (a whole recount of the entries on every open
// would cost as much as the rebuild).
bool balancesMatch(sqlite3* db, int& rc)
{
    const qint64 differ = scalar(db, "SELECT n <> (SELECT COUNT(DISTINCT 月初) FROM _月計)"
                                     " OR n <> (SELECT COUNT(DISTINCT substr(日付, 1, 8)) FROM _日残高)"
                                     " FROM (SELECT COUNT(*) AS n FROM _月残高)", rc);
    if (rc != SQLITE_OK || differ != 0) return false;
    const QByteArray months = "SELECT COUNT(*) FROM (" + QByteArray(monthBalancesFromTotals) +
                              " EXCEPT SELECT 月初, 残高, 件数 FROM _月残高)";
    if (scalar(db, months.constData(), rc) != 0 || rc != SQLITE_OK) return false;
    return scalar(db, daysAgainstMonths, rc) == 0 && rc == SQLITE_OK;
}

// The table a trigger fires on; empty for other statements.
QString triggerTable(const QString& statement)
{
    static const QRegularExpression pattern(u"^\\s*CREATE\\s+TRIGGER\\s+IF\\s+NOT\\s+EXISTS\\s+\\S+[^\\n]*?\\sON\\s+(\\S+)"_s,
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern.match(statement).captured(1);
}

bool hasAll(const QSet<QString>& existing, const QStringList& names)
{
    return std::all_of(names.cbegin(), names.cend(), [&](const QString& name) { return existing.contains(name); });
}

// The columns of every table, in file order, as the schema file creates them.
QList<std::pair<QString, QStringList>> expectedColumns()
{
    static const QList<std::pair<QString, QStringList>> tables = [] {
        QList<std::pair<QString, QStringList>> found;
        sqlite3* db = nullptr;
        sqlite3_open(":memory:", &db);
        for (const Section& section : Sections()) {
            if (section.isView || section.statements.isEmpty()) continue;
            sqlite3_exec(db, section.statements.first().toUtf8().constData(), nullptr, nullptr, nullptr);
            int rc = SQLITE_OK;
            found.append({section.name, columnsOf(db, section.name, rc)});
        }
        sqlite3_close(db);
        return found;
    }();
    return tables;
}

}  // namespace

QString SchemaText()
{
    return QString::fromUtf8(kinzoSchemaSql);
}

QList<Section> Sections()
{
    static const QList<Section> sections = [] {
        QList<Section> parsed;
        QString pending;
        const QStringList lines = SchemaText().split(u'\n');
        for (const QString& line : lines) {
            const QString trimmed = line.trimmed();
            if (trimmed.startsWith(u"-- @table "_s) || trimmed.startsWith(u"-- @view "_s)) {
                Section section;
                section.isView = trimmed.startsWith(u"-- @view "_s);
                const QString rest = trimmed.section(u' ', 2);
                section.name = rest.section(u':', 0, 0).trimmed();
                section.needs = rest.section(u':', 1).split(u' ', Qt::SkipEmptyParts);
                parsed.append(section);
                continue;
            }
            if (trimmed.startsWith(u"--"_s) || parsed.isEmpty()) continue;
            pending += line + u'\n';
            if (sqlite3_complete(pending.toUtf8().constData())) {
                parsed.last().statements.append(pending.trimmed());
                pending.clear();
            }
        }
        return parsed;
    }();
    return sections;
}

constexpr quint32 ledgerApplicationId = 0x4B5A4432;

bool CreateDataFile(const QString& path, FileKind kind, QString& error)
{
    QFile::remove(path);
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    QString script = u"BEGIN;\n"_s;
    // "KZD2" in the header marks a ledger within the bytes that file managers
    // read to tell a file's type (kinzo/shipped/kinzo-ledger.xml); the tables
    // lie further in.
    if (kind == FileKind::Ledger) script += u"PRAGMA application_id = %1;\n"_s.arg(ledgerApplicationId);
    for (const Section& section : Sections()) {
        if (kind == FileKind::Payment && section.name != u"定期支払"_s) continue;
        script += section.statements.join(u'\n') + u'\n';
    }
    script += u"COMMIT;"_s;
    if (rc == SQLITE_OK) rc = exec(db, script, error);
    else error = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_close(db);
    if (rc != SQLITE_OK) QFile::remove(path);
    return rc == SQLITE_OK;
}

int EnsureSupport(sqlite3* db, QString& error)
{
    int rc = SQLITE_OK;
    const QSet<QString> existing = existingObjects(db, rc);
    if (rc != SQLITE_OK) { error = QString::fromUtf8(sqlite3_errmsg(db)); return rc; }

    QStringList missing;
    bool totalsCreated = false;
    bool runningCreated = false;
    bool balancesCreated = false;
    bool fiscalYearsCreated = false;
    for (const Section& section : Sections()) {
        const QStringList& tables = section.isView ? section.needs : QStringList{section.name};
        if (!std::all_of(tables.cbegin(), tables.cend(), [&](const QString& t) { return existing.contains(t); }))
            continue;
        for (const QString& statement : section.statements) {
            const QString name = createdName(statement);
            if (name.isEmpty() || existing.contains(name)) continue;
            if (const QString on = triggerTable(statement); !on.isEmpty() && !existing.contains(on)) continue;
            missing.append(statement);
            balancesCreated = balancesCreated || balanceObjects.contains(name);
            fiscalYearsCreated = fiscalYearsCreated || fiscalYearObjects.contains(name);
            totalsCreated = totalsCreated || name == monthTotals || monthTotalTriggers.contains(name);
            runningCreated = runningCreated || name == runningTotals || runningTotalTriggers.contains(name);
        }
    }
    const bool hasEntries = existing.contains(entryTable);
    const bool rebuild = hasEntries && (totalsCreated || !monthTotalsMatch(db, rc));
    if (rc != SQLITE_OK) { error = QString::fromUtf8(sqlite3_errmsg(db)); return rc; }
    const bool rebuildRunning = hasEntries && (rebuild || runningCreated || !runningTotalsMatch(db, rc));
    if (rc != SQLITE_OK) { error = QString::fromUtf8(sqlite3_errmsg(db)); return rc; }
    const bool hasItems = existing.contains(accountItems);
    const bool rebuildBalances = hasEntries && hasItems && (rebuild || balancesCreated || !balancesMatch(db, rc));
    if (rc != SQLITE_OK) { error = QString::fromUtf8(sqlite3_errmsg(db)); return rc; }
    const bool rebuildYears = hasEntries && (rebuild || fiscalYearsCreated || !fiscalYearsMatch(db, rc));
    if (rc != SQLITE_OK) { error = QString::fromUtf8(sqlite3_errmsg(db)); return rc; }
    const bool fixChildFlags = hasItems && !childFlagsMatch(db, rc);
    if (rc != SQLITE_OK) { error = QString::fromUtf8(sqlite3_errmsg(db)); return rc; }
    if (missing.isEmpty() && !rebuild && !rebuildRunning && !rebuildBalances && !rebuildYears && !fixChildFlags)
        return SQLITE_OK;

    QString script = u"SAVEPOINT kinzo_support;\n"_s + missing.join(u'\n') + u'\n';
    if (rebuild)
        script += u"DELETE FROM _月計;\n"
                  "INSERT INTO _月計 SELECT substr(日付, 1, 8) || '01', 勘定科目ID, SUM(coalesce(金額, 0)), COUNT(*)"
                  " FROM 出納簿 WHERE 日付 IS NOT NULL AND 勘定科目ID IS NOT NULL GROUP BY 1, 2;\n"_s;
    if (rebuildRunning)
        script += u"DELETE FROM _累計;\nINSERT INTO _累計 %1;\n"_s.arg(QString::fromUtf8(runningFromMonths));
    if (rebuildBalances)
        script += u"DELETE FROM _月残高;\nINSERT INTO _月残高 %1;\nDELETE FROM _日残高;\nINSERT INTO _日残高 %2;\n"_s.arg(
            QString::fromUtf8(monthBalancesFromTotals), QString::fromUtf8(dayBalancesFromEntries));
    if (rebuildYears) script += rebuildFiscalYears();
    if (fixChildFlags)
        script += u"UPDATE 勘定科目 SET 子フラグ = %1 WHERE coalesce(子フラグ, -1) <> %1;\n"_s.arg(
            QString::fromUtf8(hasChildren));
    script += u"RELEASE kinzo_support;"_s;
    const SortsInFiles sorts(db);
    rc = exec(db, script, error);
    if (rc != SQLITE_OK) {
        QString ignored;
        exec(db, u"ROLLBACK TO kinzo_support; RELEASE kinzo_support;"_s, ignored);
    }
    return rc;
}

int DropSupport(sqlite3* db, const QString& table, QString& error)
{
    int rc = SQLITE_OK;
    const QSet<QString> existing = existingObjects(db, rc);
    if (rc != SQLITE_OK) { error = QString::fromUtf8(sqlite3_errmsg(db)); return rc; }
    QStringList drops;
    // Triggers first: they name the tables dropped after them. Triggers of
    // other tables' parts that fire on this table go too.
    for (const QString& kind : {u"TRIGGER"_s, u"INDEX"_s, u"TABLE"_s}) {
        for (const Section& section : Sections()) {
            if (section.isView) continue;
            for (const QString& statement : section.statements.mid(1)) {
                const auto [created, name] = createdObject(statement);
                const bool ours = section.name == table || (kind == u"TRIGGER"_s && triggerTable(statement) == table);
                if (ours && created == kind && existing.contains(name))
                    drops.append(u"DROP %1 \"%2\";"_s.arg(kind, name));
            }
        }
    }
    return drops.isEmpty() ? SQLITE_OK : exec(db, drops.join(u'\n'), error);
}

int FindMissingParts(sqlite3* db, MissingParts& missing, QString& error)
{
    missing = MissingParts();
    static const QString payments = u"定期支払"_s;
    static const QStringList layout0{u"ID"_s, u"勘定科目ID"_s, u"支払日"_s, u"自動アナウンス"_s};
    int rc = SQLITE_OK;
    const QSet<QString> existing = existingObjects(db, rc);
    for (const auto& [table, expected] : expectedColumns()) {
        if (rc != SQLITE_OK) break;
        if (!existing.contains(table)) {
            missing.tables.append(table);
            continue;
        }
        const QStringList present = columnsOf(db, table, rc);
        QStringList lacking;
        for (const QString& column : expected)
            if (!present.contains(column)) lacking.append(table + u"."_s + column);
        // What the upgrade on opening recognises: the four columns, no period.
        const bool olderPayments = table == payments && !present.contains(u"開始日"_s) &&
                                   std::all_of(layout0.cbegin(), layout0.cend(),
                                               [&](const QString& c) { return present.contains(c); });
        if (!olderPayments) missing.columns += lacking;
    }
    if (rc != SQLITE_OK) error = QString::fromUtf8(sqlite3_errmsg(db));
    return rc;
}

bool HasMonthTotals(sqlite3* db)
{
    int rc = SQLITE_OK;
    const QSet<QString> existing = existingObjects(db, rc);
    return rc == SQLITE_OK && hasAll(existing, QStringList{entryTable, monthTotals} + monthTotalTriggers);
}

bool HasBalances(sqlite3* db)
{
    int rc = SQLITE_OK;
    const QSet<QString> existing = existingObjects(db, rc);
    return rc == SQLITE_OK && hasAll(existing, QStringList{entryTable, accountItems, monthTotals, runningTotals} +
                                                   monthTotalTriggers + runningTotalTriggers + balanceObjects);
}

bool HasRunningTotals(sqlite3* db)
{
    int rc = SQLITE_OK;
    const QSet<QString> existing = existingObjects(db, rc);
    return rc == SQLITE_OK && hasAll(existing, QStringList{entryTable, monthTotals, runningTotals} +
                                                   monthTotalTriggers + runningTotalTriggers);
}

bool HasFiscalYearTotals(sqlite3* db)
{
    int rc = SQLITE_OK;
    const QSet<QString> existing = existingObjects(db, rc);
    return rc == SQLITE_OK && hasAll(existing, QStringList{entryTable, monthTotals} + monthTotalTriggers +
                                                   fiscalYearObjects);
}

int SetFiscalYearStart(sqlite3* db, int month, QString& error)
{
    if (month < 1 || month > 12) {
        error = u"年度開始月は1から12の月です。"_s;
        return SQLITE_MISUSE;
    }
    const QString script = u"SAVEPOINT kinzo_fiscal_years;\n"
                           "INSERT INTO _年度開始 VALUES (1, %1) ON CONFLICT (ID) DO UPDATE SET 開始月 = excluded.開始月;\n"
                           "%2RELEASE kinzo_fiscal_years;"_s.arg(QString::number(month), rebuildFiscalYears());
    const int rc = exec(db, script, error);
    if (rc != SQLITE_OK) {
        QString ignored;
        exec(db, u"ROLLBACK TO kinzo_fiscal_years; RELEASE kinzo_fiscal_years;"_s, ignored);
    }
    return rc;
}

}  // namespace kinzo_schema
