#pragma once
// The document: the data file that is open, one wrapper per table on the
// application's connection, and the account tree in memory. It creates,
// opens, upgrades, copies and deletes data files and moves all tables to and
// from CSV files.
//
// States: empty (no data file, connection closed) and open (connection on
// the data file). New and open lead to open; delete and a failed new or open
// leave the document empty. Every message goes, with its exact text, to the
// host's Notice; every operation returns false after a failure it reported.
// Lives on the user-interface thread; nothing throws.

#include "kinzo/data/AccountItemList.h"
#include "kinzo/data/CDBConnection.h"
#include "kinzo/data/CKinzoDocHost.h"
#include "kinzo/data/CTableAccountItem.h"
#include "kinzo/data/CTableCater.h"
#include "kinzo/data/CTableKinzo.h"
#include "kinzo/data/CTableLoan.h"
#include "kinzo/data/CTablePayment.h"
#include "kinzo/data/CViewKinzo.h"
#include "kinzo/data/RowProgress.h"
#include "kinzo/data/UpdateHint.h"

#include <QObject>
#include <QVariant>

class CKinzoDoc : public QObject {
    Q_OBJECT
public:
    // The command the main window gets after a file was created or opened.
    static constexpr int kListViewCommand = 32792;  // リスト表示

    // Neither the connection nor the host is owned; both outlive the document.
    CKinzoDoc(CDBConnection& connection, CKinzoDocHost& host, QObject* parent = nullptr);
    ~CKinzoDoc() override;

    // A new data file at path: the ledger template copied over it, the two
    // roots 収入 and 支出 added, the tree loaded, DBFileName written. An empty
    // path gives an empty document and true (DBFileName untouched).
    bool OnNewDocument(const QString& path);
    // Opens the data file at path; a file whose recurring payments have the
    // older layout is upgraded first (a copy stays beside it as "_Backup").
    // When the upgrade fails the file is opened as it is with PaymentLayout 0.
    // A file that lacks a table or column, is damaged or locked is refused,
    // with the reason in the user's words (the engine's text to the log), and
    // is left byte for byte as it was. A file the user may not write (its
    // mode, its folder, its medium) is opened read-only with a notice.
    bool OnOpenDocument(const QString& path);
    // Save as: copies the open data file to newPath (".kzd" appended when it
    // has no extension), then makes the copy the open document. On a failed
    // copy the document stays on its file.
    bool OnSaveDocument(const QString& newPath);
    // Closes and deletes the open data file; the document becomes empty and
    // the views get FileDeleted. When the file cannot be deleted the system's
    // text is shown and the document stays open on it.
    bool DeleteDataFile();
    // Rereads the account tree and checks it (exactly two roots, of class 1
    // and 2). On success the tree is replaced and AccountTreeReloaded sent;
    // on failure the tree is left as it was.
    bool ReloadAccountItems();

    // Writes the five tables to "<folder>/<table>.csv" (the folder is made
    // when missing; its parent must exist). Stops at the first table that
    // fails; files written before it stay.
    // progress gets the records written of all tables and their total.
    bool ExportAllCsv(const QString& folder, const RowProgress& progress = {});
    // Replaces the five tables with the CSV files of the folder, all in one
    // transaction: when one table fails (or the account table read from the
    // files is no valid tree) no table changes. The message names the table
    // and, where the file is at fault, the record and the reason. progress
    // gets the records read (total 0: not known beforehand).
    bool ImportAllCsv(const QString& folder, const RowProgress& progress = {});
    // A consistent copy of the open data file at target (OnlineBackup.h),
    // also while entries are being added; progress gets pages. An earlier
    // file at target stays as it was after a failure (reason to the log) or
    // a stop. REQUIRES: target is not the open file.
    bool BackupTo(const QString& target, const RowProgress& progress = {});
    // The earliest and latest entry dates and the number of entries.
    bool EntryDateRange(QDate& first, QDate& last, qint64& count);
    // Replaces the account table with that of another data file; refused
    // while the ledger holds entries (their item keys would then name the
    // other file's items) and for a read-only file. The open
    // file is backed up beside it first and restored from the backup when
    // the replacement fails; then the document reopens it.
    bool ImportAccountTable(const QString& sourceFile);

    bool IsOpen() const { return !m_pathName.isEmpty(); }
    // True while the open file is read-only: every write to it fails, and
    // the commands that would write are greyed.
    bool IsReadOnly() const { return IsOpen() && m_readOnly; }
    // The full path of the open data file; empty when none is open.
    QString PathName() const { return m_pathName; }
    // The file name without folder and extension.
    QString Title() const;
    // 1, or 0 when an older file could not be upgraded; the recurring-payment
    // dialogs use the layout this says.
    int PaymentLayout() const { return m_paymentLayout; }

    CDBConnection& Connection() { return m_connection; }
    CTableAccountItem& AccountTable() { return m_accountTable; }
    CTableCater& CaterTable() { return m_caterTable; }
    CTableKinzo& KinzoTable() { return m_kinzoTable; }
    CViewKinzo& KinzoView() { return m_kinzoView; }
    CTablePayment& PaymentTable() { return m_paymentTable; }
    CTableLoan& LoanTable() { return m_loanTable; }
    AccountItemList& AccountItems() { return m_accountItems; }

    // Tells every view that shared data changed (UpdateAllViews), for the
    // dialogs that change entries.
    void NotifyViews(UpdateHint hint, const QVariant& object = QVariant()) { Q_EMIT UpdateAllViews(hint, object); }

Q_SIGNALS:
    // Every view rebuilds for the hint; object is what goes with it.
    void UpdateAllViews(UpdateHint hint, const QVariant& object);
    // The main window is to run kListViewCommand.
    void ListViewCommand();
    // The account tree was replaced; popup menus built from it are stale.
    void AccountTreeReloaded();
    // The document's file changed (recent-file list and window title).
    void PathNameChanged(const QString& path);

private:
    bool ConnectTo(const QString& path);
    void PointTablesAtConnection();
    bool ReadAccountTree(AccountItemList& tree);
    bool LoadAccountTree();
    bool OpenPath(const QString& path);
    bool IsWholeLedger();
    bool FinishOpening();
    bool Refused(const QString& path, const QString& reason, const QString& engineText);
    // True (after telling the user) when the open file may not be changed.
    bool RefusesWrites();
    bool IsLayout0();
    void BecomeEmpty();
    // The five tables in the order of every transfer.
    QList<CTableBase*> TransferTables();
    qint64 TransferRecordCount();
    bool SourceHasAccountTree(const QString& sourceFile);
    void Opened(const QString& path);

    CDBConnection& m_connection;
    CKinzoDocHost& m_host;
    QString m_pathName;
    int m_paymentLayout = 1;
    bool m_readOnly = false;

    CTableAccountItem m_accountTable;
    CTableCater m_caterTable;
    CTableKinzo m_kinzoTable;
    CViewKinzo m_kinzoView;
    CTablePayment m_paymentTable;
    CTableLoan m_loanTable;
    AccountItemList m_accountItems;
};
