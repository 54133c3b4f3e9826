#include "CKoVFileDialog.h"

#include "CKoWindowZoom.h"
#include "KoAppSettings.h"
#include "KoAppVoice.h"
#include "KoColors.h"
#include "platform/KnownFolders.h"
#include "voice/CVoiceReader.h"

#include <QDir>
#include <QFileInfo>
#include <QShowEvent>

using namespace Qt::StringLiterals;

namespace {

// PC-Talker reads folder and file changes of this dialog on its own.
CVoiceReader* speakingVoice()
{
    CVoiceReader* voice = KoAppVoice();
    return voice && !voice->IsPCTalker() ? voice : nullptr;
}

QString& startFolder()
{
    static QString folder;
    return folder;
}

}  // namespace

void CKoVFileDialog::SetStartFolder(const QString& folder)
{
    startFolder() = folder;
}

QString CKoVFileDialog::StartFolder()
{
    if (!startFolder().isEmpty() && QFileInfo(startFolder()).isDir()) return startFolder();
    const QString documents = platform::documentsFolder();
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

CKoVFileDialog::CKoVFileDialog(bool openFileDialog, const QString& defaultExt, const QString& fileName,
                               QFileDialog::Options options, const QString& filter, QWidget* parent)
    : QFileDialog(parent)
{
    // Our own dialog, not the desktop's, so that it speaks and takes our colours.
    setOptions(options | QFileDialog::DontUseNativeDialog);
    setAcceptMode(openFileDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    setFileMode(openFileDialog ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    QString suffix = defaultExt;
    if (suffix.startsWith(u'.')) suffix.remove(0, 1);
    setDefaultSuffix(suffix);
    if (!filter.isEmpty()) setNameFilters(NameFilters(filter));
    const QFileInfo file(fileName);
    const bool hasFolder = !fileName.isEmpty() && file.path() != u"."_s;
    setDirectory(hasFolder ? file.path() : StartFolder());
    if (!fileName.isEmpty()) selectFile(file.fileName());
    KoApplyAppColors(this);
    setFont(CKoWindowZoom::ZoomFont(KoAppZoom()));
    connect(this, &QFileDialog::directoryEntered, this, &CKoVFileDialog::OnFolderChange);
    connect(this, &QFileDialog::currentChanged, this, &CKoVFileDialog::OnSelChange);
}

QString CKoVFileDialog::GetPathName() const
{
    return selectedFiles().value(0);
}

QStringList CKoVFileDialog::NameFilters(const QString& filter)
{
    QStringList parts = filter.split(u'|');
    while (!parts.isEmpty() && parts.last().isEmpty()) parts.removeLast();
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ');
        const QString& description = parts[i];
        // The dialog takes the patterns from the parenthesis that ends the text.
        filters << (description.endsWith(u'(' + patterns + u')')
                        ? description
                        : description + u" ("_s + patterns + u')');
    }
    return filters;
}

QString CKoVFileDialog::FolderSpeech(const QString& folder)
{
    const QString name = QFileInfo(folder).fileName();
    return u"フォルダ "_s + (name.isEmpty() ? folder : name);
}

void CKoVFileDialog::showEvent(QShowEvent* event)
{
    QFileDialog::showEvent(event);
    // Opening shows the first folder: said like every later change.
    if (!event->spontaneous()) OnFolderChange(directory().absolutePath());
}

void CKoVFileDialog::OnFolderChange(const QString& folder)
{
    if (CVoiceReader* voice = speakingVoice()) voice->ReadText(FolderSpeech(folder), 1, 0);
}

void CKoVFileDialog::OnSelChange(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    if (CVoiceReader* voice = speakingVoice(); voice && !name.isEmpty()) voice->ReadText(name, 1, 0);
}
