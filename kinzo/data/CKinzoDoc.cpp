#include "kinzo/data/CKinzoDoc.h"

#include "kinzo/data/DataFiles.h"
#include "kinzo/data/DocumentTexts.h"
#include "kinzo/data/LayoutUpgrade.h"
#include "kinzo/data/OpenReasons.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

CKinzoDoc::CKinzoDoc(CDBConnection& connection, CKinzoDocHost& host, QObject* parent)
    : QObject(parent), m_connection(connection), m_host(host), m_paymentTable(1)
{
}

CKinzoDoc::~CKinzoDoc() = default;

QString CKinzoDoc::Title() const
{
    return QFileInfo(m_pathName).completeBaseName();
}

bool CKinzoDoc::OnNewDocument(const QString& path)
{
    BecomeEmpty();
    if (path.isEmpty()) return true;
    if (!CopyDataFile(TemplatePath(m_host.ProgramFolder(), kinzo_schema::FileKind::Ledger), path)) {
        m_host.Notice(doc_text::FileCopyFailed());
        return false;
    }
    if (!ConnectTo(path)) return false;
    // A failed insert shows up in the tree check that follows.
    _AccountItem income, expense;
    m_accountTable.AddRoots(income, expense);
    if (!LoadAccountTree()) {
        BecomeEmpty();
        return false;
    }
    Opened(path);
    if (m_host.MainWindowReady()) Q_EMIT ListViewCommand();
    return true;
}

bool CKinzoDoc::OnOpenDocument(const QString& path)
{
    BecomeEmpty();
    if (!OpenPath(path)) {
        BecomeEmpty();
        return false;
    }
    Opened(path);
    if (m_host.MainWindowReady()) Q_EMIT ListViewCommand();
    return true;
}

bool CKinzoDoc::OpenPath(const QString& path)
{
    const DataFileKind kind = SniffDataFile(path);
    if (kind == DataFileKind::Jet) {
        m_host.Notice(u"このファイルは以前のWindows版のデータファイル（Microsoft Access形式）です。"
                      "この形式のファイルはまだ開くことができません。"_s);
        return false;
    }
    if (kind != DataFileKind::SQLite) return Refused(path, ReasonForFileKind(path, kind), QString());
    // Nothing is written before every check has passed: a file that is
    // refused stays exactly as it was.
    m_readOnly = !IsWritableDataFile(path);
    const auto access = m_readOnly ? CDBConnection::Access::ReadOnly : CDBConnection::Access::ReadWrite;
    if (m_connection.OpenUnchanged(path, access) != 1)
        return Refused(path, ReasonForEngineCode(m_connection.m_errorCode), m_connection.m_error);
    PointTablesAtConnection();
    if (!IsWholeLedger()) return false;
    AccountItemList tree;
    if (!ReadAccountTree(tree)) {
        m_host.Notice(u"別のファイルを読み込むか、新規作成してください。"_s);
        return false;
    }
    if (IsLayout0() && (m_readOnly || !UpgradeLayout0(path, m_connection, m_host))) {
        if (!m_readOnly && m_connection.OpenUnchanged(path, access) != 1) {
            m_host.Notice(doc_text::ConnectFailed());
            return false;
        }
        PointTablesAtConnection();
        m_paymentLayout = 0;
        m_paymentTable.SetLayout(0);
    }
    return FinishOpening();
}

bool CKinzoDoc::IsWholeLedger()
{
    kinzo_schema::MissingParts missing;
    QString error;
    if (const int rc = kinzo_schema::FindMissingParts(m_connection.Handle(), missing, error); rc != SQLITE_OK)
        return Refused(m_connection.m_path, ReasonForEngineCode(rc), error);
    if (!missing.IsEmpty())
        return Refused(m_connection.m_path, ReasonForMissingParts(missing),
                       u"missing: "_s + (missing.tables + missing.columns).join(u", "_s));
    // Damage inside the data shows up only when its pages are read.
    if (const int rc = m_connection.QuickCheck(error); rc != SQLITE_OK) return Refused(m_connection.m_path, ReasonForEngineCode(rc), error);
    return true;
}

// After the checks: the derived objects and the month totals, then the tree.
bool CKinzoDoc::FinishOpening()
{
    QString error;
    if (!m_connection.RestoreSupport(error)) return Refused(m_connection.m_path, ReasonForEngineCode(SQLITE_ERROR), error);
    if (!LoadAccountTree()) {
        m_host.Notice(u"別のファイルを読み込むか、新規作成してください。"_s);
        return false;
    }
    if (m_readOnly) m_host.Notice(u"読み取り専用で開きました。"_s);
    return true;
}

bool CKinzoDoc::RefusesWrites()
{
    if (!IsReadOnly()) return false;
    m_host.Notice(doc_text::ReadOnlyRefused());
    return true;
}

bool CKinzoDoc::Refused(const QString& path, const QString& reason, const QString& engineText)
{
    if (!engineText.isEmpty()) m_host.Log(u"open refused: %1: %2"_s.arg(path, engineText));
    m_host.Notice(doc_text::ConnectFailed() + u"\n"_s + reason);
    return false;
}

bool CKinzoDoc::OnSaveDocument(const QString& newPath)
{
    if (!IsOpen()) return false;
    QString target = newPath;
    if (QFileInfo(target).suffix().isEmpty()) target += u".kzd"_s;
    if (IsSameFile(target, m_pathName)) return true;
    if (!CopyDataFile(m_pathName, target)) {
        m_host.Notice(doc_text::FileCopyFailed());
        return false;
    }
    // From now on the copy is the document, so that what the title shows is
    // also the file that later changes go to.
    const bool wasReadOnly = m_readOnly;
    m_readOnly = !IsWritableDataFile(target);
    const auto access = [](bool readOnly) {
        return readOnly ? CDBConnection::Access::ReadOnly : CDBConnection::Access::ReadWrite;
    };
    QString ignored;
    if (m_connection.OpenUnchanged(target, access(m_readOnly)) != 1 || !m_connection.RestoreSupport(ignored)) {
        m_host.Notice(doc_text::ConnectFailed());
        m_readOnly = wasReadOnly;
        if (m_connection.OpenUnchanged(m_pathName, access(m_readOnly)) != 1) BecomeEmpty();
        return false;
    }
    PointTablesAtConnection();
    Opened(target);
    return true;
}

bool CKinzoDoc::DeleteDataFile()
{
    if (!IsOpen() || RefusesWrites()) return false;
    const QString path = m_pathName;
    m_connection.Close();
    QFile file(path);
    if (file.exists() && !file.remove()) {
        m_host.Notice(file.errorString());
        if (m_connection.Open(path) != 1) BecomeEmpty();
        return false;
    }
    BecomeEmpty();
    Q_EMIT UpdateAllViews(UpdateHint::FileDeleted, QVariant());
    return true;
}

bool CKinzoDoc::ReloadAccountItems()
{
    return LoadAccountTree();
}

bool CKinzoDoc::ConnectTo(const QString& path)
{
    if (m_connection.Open(path) != 1) {
        m_host.Notice(doc_text::ConnectFailed());
        return false;
    }
    PointTablesAtConnection();
    return true;
}

void CKinzoDoc::PointTablesAtConnection()
{
    for (CTableBase* table : std::initializer_list<CTableBase*>{&m_accountTable, &m_caterTable, &m_kinzoTable,
                                                                 &m_kinzoView, &m_paymentTable, &m_loanTable})
        table->m_pConnection = &m_connection;
}

bool CKinzoDoc::ReadAccountTree(AccountItemList& tree)
{
    if (const DbStatus status = m_accountTable.LoadTree(tree); status != DbStatus::Ok) {
        m_host.Notice(u"科目テーブル読み込みに失敗しました。\n(%1)"_s.arg(GetErrorMessage(status)));
        return false;
    }
    if (!tree.HasTwoRoots()) {
        m_host.Notice(doc_text::AccountTableBroken());
        return false;
    }
    return true;
}

bool CKinzoDoc::LoadAccountTree()
{
    AccountItemList tree;
    if (!ReadAccountTree(tree)) return false;
    // The list object itself stays, so references to it remain valid.
    m_accountItems.DeleteChildren();
    while (AccountItemNode* root = tree.m_firstChild) root->MoveTo(&m_accountItems);
    Q_EMIT AccountTreeReloaded();
    return true;
}

bool CKinzoDoc::IsLayout0()
{
    QString error;
    if (const auto current = m_connection.Query(u"SELECT TOP 1 開始日, 支払日 FROM 定期支払"_s, error))
        if (current->Next() != CDbRecordset::Step::Failed) return false;
    // Only a table that is there but lacks the columns has the older layout;
    // a file without it is no ledger, and the account tree check says so.
    const auto table = m_connection.Query(u"SELECT TOP 1 ID FROM 定期支払"_s, error);
    return table && table->Next() != CDbRecordset::Step::Failed;
}

void CKinzoDoc::BecomeEmpty()
{
    m_connection.Close();
    m_readOnly = false;
    m_paymentLayout = 1;
    m_paymentTable.SetLayout(1);
    if (m_accountItems.HasChildren()) {
        m_accountItems.DeleteChildren();
        Q_EMIT AccountTreeReloaded();
    }
    if (!m_pathName.isEmpty()) {
        m_pathName.clear();
        Q_EMIT PathNameChanged(QString());
    }
}

void CKinzoDoc::Opened(const QString& path)
{
    m_pathName = QFileInfo(path).absoluteFilePath();
    m_host.WriteDBFileName(m_pathName);
    Q_EMIT PathNameChanged(m_pathName);
}
