#include "kinzo/data/LayoutUpgrade.h"

#include "kinzo/data/CDBConnection.h"
#include "kinzo/data/CKinzoDocHost.h"
#include "kinzo/data/CTablePayment.h"
#include "kinzo/data/DataFiles.h"
#include "kinzo/data/DocumentTexts.h"

using namespace Qt::StringLiterals;

bool UpgradeLayout0(const QString& path, CDBConnection& connection, CKinzoDocHost& host)
{
    // The file is replaced below; nothing may hold it open meanwhile.
    connection.Close();
    const QString backup = BackupPathOf(path);
    if (!CopyDataFile(path, backup)) {
        host.Notice(doc_text::BackupFailed());
        return false;
    }
    if (!CopyDataFile(TemplatePath(host.ProgramFolder(), kinzo_schema::FileKind::Payment), path)) {
        host.Notice(doc_text::FileCopyFailed());
        return false;
    }
    for (const QString& table : {u"勘定科目"_s, u"出納簿"_s, u"取引先"_s, u"分割支払"_s}) {
        if (CopyTable(table, path, backup) != 1) {
            host.Notice(doc_text::FileCopyFailed());
            CopyDataFile(backup, path);
            return false;
        }
    }
    if (CTablePayment::ConvertLayout0(backup, path, connection) != 1) {
        connection.Close();
        if (!CopyDataFile(backup, path)) host.Notice(doc_text::FileCopyFailed());
        return false;
    }
    return true;
}
