#include "kinzo/dialogs/transfer/CExportDialog.h"

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
    CKinzoApp::Instance()->m_iniFile.ReadExportFolders(folders);
    return folders;
}
}  // namespace

CExportDialog::CExportDialog(QWidget* parent, CKinzoDoc& document)
    : CPathDialog(parent, u"エクスポート"_s, u"エクスポート先フォルダ"_s, "1118", "1119", storedHistory()),
      m_document(document)
{
}

void CExportDialog::Browse()
{
    QString folder = Path();
    if (CKoFolderBrowser(u"エクスポート先"_s, folder, this).Browse(folder) == 1) SetPath(folder);
}

void CExportDialog::OnOK()
{
    const QString folder = Path();
    if (folder.isEmpty()) {
        KoMessageBox(this, u"フォルダ名が入力されていません。"_s);
        return;
    }
    if (QFileInfo(folder).exists() &&
        KoMessageBox(this, u"同じフォルダが既に存在します。上書きしますか？"_s, KoButtons::OkCancel) != KoAnswer::Ok)
        return;
    CKinzoApp::Instance()->m_iniFile.WriteExportFolders(HistoryWithPath());
    CWorkProgress progress(this, u"エクスポート中"_s);
    const bool done = m_document.ExportAllCsv(folder, progress.Callback());
    if (!done) {
        if (!progress.Cancelled()) KoMessageBox(this, u"データのエクスポートに失敗しました。"_s);
        CKoVDialogBase::OnCancel();
        return;
    }
    KoMessageBox(this, u"エクスポートが終了しました。"_s);
    CKoVDialogBase::OnOK();
}
