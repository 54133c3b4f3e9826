// The document's whole-file transfers: all tables to and from CSV files, the
// account table from another data file, and the backup copy.

#include "kinzo/data/CKinzoDoc.h"

#include "kinzo/data/DataFiles.h"
#include "kinzo/data/DocumentTexts.h"
#include "kinzo/data/OnlineBackup.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

const QString accountTableName = u"勘定科目"_s;

QString csvPathOf(const QString& folder, const QString& table)
{
    return QDir(folder).filePath(table + u".csv"_s);
}

// Progress over the tables one after another: the records of the tables
// before this one plus those done in it. Remembers whether it was stopped.
class TableSteps {
public:
    TableSteps(const RowProgress& progress, qint64 total) : m_progress(progress), m_total(total) {}
    RowProgress ForTable()
    {
        if (!m_progress) return {};
        return [this](qint64 done, qint64) { return Report(done); };
    }
    bool NextTable(qint64 tableRows)
    {
        m_before += tableRows;
        return Report(0);
    }
    bool Stopped() const { return m_stopped; }
    bool Finishing()
    {
        if (m_progress && !m_stopped) m_stopped = !m_progress(FinishingWork, 0);
        return !m_stopped;
    }

private:
    bool Report(qint64 done)
    {
        if (done == FinishingWork) return Finishing();
        const qint64 all = m_total > 0 ? std::min(m_before + done, m_total) : m_before + done;
        if (m_progress && !m_stopped) m_stopped = !m_progress(all, m_total);
        return !m_stopped;
    }
    const RowProgress& m_progress;
    qint64 m_total;
    qint64 m_before = 0;
    bool m_stopped = false;
};

// A record the file holds wrongly is named with its reason; other engine
// texts (headers, paths) go only to the log.
QString withReason(const QString& message, const QString& reason)
{
    static const QRegularExpression recordReason(u"^CSVの \\d+ 件目: "_s);
    return recordReason.match(reason).hasMatch() ? message + u"\n"_s + reason : message;
}

}  // namespace

QList<CTableBase*> CKinzoDoc::TransferTables()
{
    return {&m_accountTable, &m_caterTable, &m_paymentTable, &m_loanTable, &m_kinzoTable};
}

qint64 CKinzoDoc::TransferRecordCount()
{
    qint64 total = 0;
    for (CTableBase* table : TransferTables()) {
        qint64 rows = 0;
        table->Count(rows);
        total += rows;
    }
    return total;
}

bool CKinzoDoc::ExportAllCsv(const QString& folder, const RowProgress& progress)
{
    if (!QFileInfo(folder).isDir() && !QDir().mkdir(folder)) {
        m_host.Notice(u"フォルダ作成に失敗しました。"_s);
        return false;
    }
    TableSteps steps(progress, progress ? TransferRecordCount() : 0);
    for (CTableBase* table : TransferTables()) {
        if (table->ExportCsv(csvPathOf(folder, table->m_tableName), steps.ForTable()) != DbStatus::Ok) {
            if (steps.Stopped()) return false;
            m_host.Notice(u"%1のエクスポートに失敗しました。"_s.arg(table->m_tableName));
            m_host.Log(table->m_lastError);
            return false;
        }
        qint64 rows = 0;
        if (progress) table->Count(rows);
        if (!steps.NextTable(rows)) return false;
    }
    return true;
}

bool CKinzoDoc::ImportAllCsv(const QString& folder, const RowProgress& progress)
{
    if (RefusesWrites()) return false;
    // The number of records in the files is not known before they are read.
    TableSteps steps(progress, 0);
    const auto failed = [this, &steps](const QString& table, const QString& reason = QString()) {
        m_connection.RollbackTrans();
        if (!steps.Stopped()) m_host.Notice(withReason(u"%1のインポートに失敗しました。"_s.arg(table), reason));
        return false;
    };
    // One transaction for all tables: a file that fails leaves every table as
    // it was, not some replaced and some not.
    QString error;
    if (!m_connection.BeginTrans(error)) return failed(accountTableName);
    for (CTableBase* table : TransferTables()) {
        if (table->ImportCsv(csvPathOf(folder, table->m_tableName), steps.ForTable()) != DbStatus::Ok)
            return failed(table->m_tableName, table->m_lastError);
        qint64 rows = 0;
        if (progress) table->Count(rows);
        if (!steps.NextTable(rows)) return failed(table->m_tableName);
    }
    // A file whose account table is no tree could not be opened again.
    AccountItemList tree;
    if (m_accountTable.LoadTree(tree) != DbStatus::Ok || !tree.HasTwoRoots()) return failed(accountTableName);
    if (!steps.Finishing()) return failed(accountTableName);
    if (!m_connection.CommitTrans(error)) return failed(TransferTables().last()->m_tableName);
    LoadAccountTree();
    return true;
}

bool CKinzoDoc::ImportAccountTable(const QString& sourceFile)
{
    if (!IsOpen() || RefusesWrites()) return false;
    // Entries keep their item keys, which would then name items of the
    // other file: an expense could become income.
    qint64 entries = 0;
    if (m_kinzoTable.Count(entries) != DbStatus::Ok || entries > 0) {
        m_host.Notice(u"出納データが登録されているため、科目設定をインポートできません。\n"
                      "科目設定のインポートは、出納データを登録する前に行ってください。"_s);
        return false;
    }
    const QString path = m_pathName;
    if (IsSameFile(sourceFile, path) || QFileInfo(sourceFile).absoluteFilePath() == path) {
        m_host.Notice(u"現在のデータファイルを選択しています。\n別のデータファイルを選択してください。"_s);
        return false;
    }
    if (!SourceHasAccountTree(sourceFile)) return false;
    // The file is changed, and maybe restored, by other connections.
    m_connection.Close();
    const QString backup = BackupPathOf(path);
    const auto failed = [&](const QString& message, bool restore) {
        m_host.Notice(message);
        if (restore) CopyDataFile(backup, path);
        if (m_connection.Open(path) != 1) BecomeEmpty();
        return false;
    };
    if (!CopyDataFile(path, backup)) return failed(doc_text::BackupFailed(), false);
    if (DropTable(path, accountTableName) != 1) return failed(u"テーブルの削除に失敗しました。"_s, true);
    if (CopyTable(accountTableName, path, sourceFile) != 1) return failed(doc_text::FileCopyFailed(), true);
    if (!OnOpenDocument(path)) return false;
    m_host.Notice(u"科目テーブルがインポートされました。"_s);
    return true;
}

bool CKinzoDoc::SourceHasAccountTree(const QString& sourceFile)
{
    // Checked before anything changes: a table that is no tree would leave a
    // file that cannot be opened.
    CDBConnection source;
    if (SniffDataFile(sourceFile) != DataFileKind::SQLite ||
        source.OpenUnchanged(sourceFile, CDBConnection::Access::ReadOnly) != 1) {
        m_host.Notice(doc_text::ConnectFailed());
        return false;
    }
    CTableAccountItem accounts;
    accounts.m_pConnection = &source;
    AccountItemList tree;
    if (accounts.LoadTree(tree) != DbStatus::Ok || !tree.HasTwoRoots()) {
        m_host.Notice(doc_text::AccountTableBroken());
        return false;
    }
    return true;
}

bool CKinzoDoc::BackupTo(const QString& target, const RowProgress& progress)
{
    if (!IsOpen() || !m_connection.IsOpen()) return false;
    QString error;
    const BackupOutcome outcome = BackupDatabase(m_connection.Handle(), target, progress, error);
    if (outcome == BackupOutcome::Failed) m_host.Log(u"backup to %1 failed: %2"_s.arg(target, error));
    return outcome == BackupOutcome::Done;
}

bool CKinzoDoc::EntryDateRange(QDate& first, QDate& last, qint64& count)
{
    return m_kinzoTable.GetDateRange(first, last, count) == DbStatus::Ok;
}
