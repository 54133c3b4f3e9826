#include "kinzo/dialogs/transfer/CImportDialog.h"

#include "CKinzoApp.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/transfer/CWorkProgress.h"
#include "kolib/CKoFolderBrowser.h"
#include "kolib/KoMessageBox.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {
QStringList storedHistory()
{
    QStringList folders;
    CKinzoApp::Instance()->m_iniFile.ReadImportFolders(folders);
    return folders;
}
}  // namespace

CImportDialog::CImportDialog(QWidget* parent, CKinzoDoc& document)
    : CPathDialog(parent, u"インポート"_s, u"インポート元フォルダ"_s, "1118", "1119", storedHistory()),
      m_document(document)
{
}

void CImportDialog::Browse()
{
    QString folder = Path();
    if (CKoFolderBrowser(u"インポート元"_s, folder, this).Browse(folder) == 1) SetPath(folder);
}

void CImportDialog::OnOK()
{
    const QString folder = Path();
    if (folder.isEmpty()) {
        KoMessageBox(this, u"フォルダ名が入力されていません。"_s);
        return;
    }
    if (!QFileInfo(folder).isDir()) {
        KoMessageBox(this, u"フォルダが見つかりません。"_s);
        return;
    }
    if (KoMessageBox(this, u"現在のデータがすべて置き換えられますが、よろしいですか？"_s, KoButtons::OkCancel) !=
        KoAnswer::Ok)
        return;
    CKinzoApp::Instance()->m_iniFile.WriteImportFolders(HistoryWithPath());
    CWorkProgress progress(this, u"インポート中"_s);
    if (!m_document.ImportAllCsv(folder, progress.Callback())) {
        if (!progress.Cancelled()) KoMessageBox(this, u"データのインポートに失敗しました。"_s);
        CKoVDialogBase::OnCancel();
        return;
    }
    KoMessageBox(this, u"インポートが終了しました。"_s);
    CKoVDialogBase::OnOK();
}
