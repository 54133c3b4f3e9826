#include "RuntimeFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

namespace {

// The longest path a local socket address holds, without its closing zero.
constexpr qsizetype MaxSocketPath = sizeof(sockaddr_un::sun_path) - 1;

// A folder of this user's alone, made when missing. A folder of that name
// that another user made, or that is a link, is never used: its owner could
// read or replace what we put there.
bool makePrivateFolder(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    ::mkdir(name.constData(), 0700);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
        return false;
    return (info.st_mode & 077) == 0 || ::chmod(name.constData(), 0700) == 0;
}

QString shortPrivateFolder()
{
    QString base = QDir::tempPath();
    if (QFile::encodeName(base).size() > 32) base = QStringLiteral("/tmp");
    const QString folder = base + QStringLiteral("/kinzo-") + QString::number(::getuid());
    return makePrivateFolder(folder) ? folder : QString();
}

}  // namespace

QString runtimeFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        // Never a folder other users share: their programs would see ours.
        folder = QDir::tempPath() + QStringLiteral("/kinzo-runtime-") + QString::number(::getuid());
        makePrivateFolder(folder);
        return folder;
    }
    QDir().mkpath(folder);
    return folder;
}

QString localSocketPath(const QString& name)
{
    const QString path = runtimeFolder() + u'/' + fileSafeName(name);
    if (QFile::encodeName(path).size() <= MaxSocketPath) return path;
    const QString folder = shortPrivateFolder();
    if (folder.isEmpty()) return QString();
    const QString canonical = QDir(runtimeFolder()).canonicalPath() + u'/' + fileSafeName(name);
    const QByteArray hash = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(24);
    return folder + QStringLiteral("/s-") + QString::fromLatin1(hash);
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
