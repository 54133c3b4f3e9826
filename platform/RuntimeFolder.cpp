#include "RuntimeFolder.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {

QString runtimeFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    QDir().mkpath(folder);
    return folder;
}

QString fileSafeName(const QString& name)
{
    QString safe = name;
    for (QChar& c : safe)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'.' && c != u'-' && c != u'_')
            c = u'_';
    return safe;
}

}  // namespace platform
