#include "RuntimeFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <unistd.h>

namespace platform {

QString runtimeFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        // Never a folder other users share: their programs would see ours.
        folder = QDir::tempPath() + QStringLiteral("/kinzo-runtime-") + QString::number(::getuid());
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return folder;
    }
    QDir().mkpath(folder);
    return folder;
}

QString sessionScopedName(const QString& name)
{
    const QByteArray folder = QDir(runtimeFolder()).canonicalPath().toUtf8();
    const QByteArray tag = QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex().left(12);
    return fileSafeName(name) + u'.' + QString::number(::getuid()) + u'.' + QString::fromLatin1(tag);
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
