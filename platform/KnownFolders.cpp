#include "KnownFolders.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {

QString documentsFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    while (folder.size() > 1 && (folder.endsWith(u'/') || folder.endsWith(u'\\'))) folder.chop(1);
    return QDir::fromNativeSeparators(folder);
}

}  // namespace platform
