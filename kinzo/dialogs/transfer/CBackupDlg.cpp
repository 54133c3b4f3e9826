#include "kinzo/dialogs/transfer/CBackupDlg.h"

#include "CKinzoApp.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/DataFiles.h"
#include "kinzo/dialogs/transfer/CWorkProgress.h"
#include "kolib/CKoVFileDialog.h"
#include "kolib/KoMessageBox.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {
QStringList storedHistory()
{
    QStringList files;
    CKinzoApp::Instance()->m_iniFile.ReadBackup(files);
    return files;
}
}  // namespace

CBackupDlg::CBackupDlg(QWidget* parent, CKinzoDoc& document)
    : CPathDialog(parent, u"バックアップ"_s, u"バックアップ先ファイル"_s, "1030", "1251", storedHistory()),
      m_document(document)
{
}

void CBackupDlg::Browse()
{
    const QString filter = u"%1ファイル(*%2)|*%2|すべてのファイル(*.*)|*.*||"_s.arg(u"KinzoVer2"_s, u".kzd"_s);
    CKoVFileDialog dialog(false, u".kzd"_s, Path(), {}, filter, this);
    if (dialog.DoModal() == QDialog::Accepted) SetPath(dialog.GetPathName());
}

void CBackupDlg::OnOK()
{
    const QString path = Path();
    if (path.isEmpty()) {
        KoMessageBox(this, u"ファイルパスを入力してください。"_s);
        return;
    }
    if (IsSameFile(path, m_document.PathName()) ||
        QFileInfo(path).absoluteFilePath() == QFileInfo(m_document.PathName()).absoluteFilePath()) {
        KoMessageBox(this, u"現在開いているファイルを上書きすることはできません。"_s);
        return;
    }
    if (QFileInfo::exists(path) &&
        KoMessageBox(this, u"同じファイルが既に存在します。上書きしますか？。"_s, KoButtons::OkCancel) != KoAnswer::Ok)
        return;
    CKinzoApp::Instance()->m_iniFile.WriteBackup(HistoryWithPath());
    CWorkProgress progress(this, u"バックアップ中"_s);
    if (!m_document.BackupTo(path, progress.Callback())) {
        if (!progress.Cancelled()) KoMessageBox(this, u"データのバックアップに失敗しました。"_s);
        CKoVDialogBase::OnCancel();
        return;
    }
    KoMessageBox(this, u"バックアップが終了しました。"_s);
    CKoVDialogBase::OnOK();
}
