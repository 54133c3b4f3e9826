#include "CKoFolderBrowser.h"

#include "CKoWindowZoom.h"
#include "KoAppSettings.h"
#include "KoAppVoice.h"
#include "KoColors.h"
#include "voice/CVoiceReader.h"

#include <QFileInfo>

CKoFolderBrowser::CKoFolderBrowser(const QString& title, const QString& startFolder, QWidget* parent)
    : QFileDialog(parent, title)
{
    setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::ShowDirsOnly);
    setFileMode(QFileDialog::Directory);
    setAcceptMode(QFileDialog::AcceptOpen);
    if (!startFolder.isEmpty() && QFileInfo(startFolder).isDir()) setDirectory(startFolder);
    KoApplyAppColors(this);
    setFont(CKoWindowZoom::ZoomFont(KoAppZoom()));
    connect(this, &QFileDialog::currentChanged, this, &CKoFolderBrowser::OnSelChange);
}

int CKoFolderBrowser::Browse(QString& folder)
{
    if (exec() != QDialog::Accepted || selectedFiles().isEmpty()) return 2;
    folder = selectedFiles().constFirst();
    return 1;
}

QString CKoFolderBrowser::DisplayName(const QString& folder)
{
    const QString name = QFileInfo(folder).fileName();
    return name.isEmpty() ? folder : name;
}

void CKoFolderBrowser::OnSelChange(const QString& path)
{
    CVoiceReader* voice = KoAppVoice();
    if (voice && !voice->IsPCTalker() && !path.isEmpty()) voice->ReadText(DisplayName(path), 1, 0);
}
