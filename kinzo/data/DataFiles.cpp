#include "kinzo/data/DataFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <filesystem>

using namespace Qt::StringLiterals;

QString TemplatePath(const QString& programFolder, kinzo_schema::FileKind kind)
{
    const QString name =
        kind == kinzo_schema::FileKind::Ledger ? u"_kinzoTemplate.kzd"_s : u"_kinzoTemplate_payment.kzd"_s;
    return QDir(programFolder).filePath(name);
}

QString BackupPathOf(const QString& path)
{
    const QFileInfo file(path);
    const QString suffix = file.suffix();
    const QString base = suffix.isEmpty() ? file.fileName() : file.fileName().chopped(suffix.size() + 1);
    const QString name = base + u"_Backup"_s + (suffix.isEmpty() ? QString() : u"."_s + suffix);
    return file.dir().filePath(name);
}

namespace {

// A file without owner write permission is protected, whoever runs the program.
bool isProtected(const QString& path, QString* error)
{
    const QFileInfo file(path);
    if (!file.exists() || (file.permissions() & QFile::WriteOwner)) return false;
    if (error) *error = u"書き込みが禁止されています: "_s + path;
    return true;
}

}  // namespace

bool CopyDataFile(const QString& source, const QString& target, QString* error)
{
    if (isProtected(target, error)) return false;
    QFile in(source);
    QSaveFile out(target);
    QString reason;
    if (!in.open(QIODevice::ReadOnly)) reason = in.errorString();
    else if (!out.open(QIODevice::WriteOnly)) reason = out.errorString();
    else {
        QByteArray chunk;
        while (reason.isEmpty() && !(chunk = in.read(1 << 20)).isEmpty())
            if (out.write(chunk) != chunk.size()) reason = out.errorString();
        if (reason.isEmpty() && in.error() != QFileDevice::NoError) reason = in.errorString();
        if (reason.isEmpty() && !out.commit()) reason = out.errorString();
    }
    if (!reason.isEmpty()) {
        out.cancelWriting();
        if (error) *error = reason;
        return false;
    }
    // A journal left by an interrupted session would be played back into the
    // new file at its next opening.
    for (const QString& extra : {u"-journal"_s, u"-wal"_s, u"-shm"_s}) QFile::remove(target + extra);
    return true;
}

bool IsSameFile(const QString& a, const QString& b)
{
    const QFileInfo fa(a), fb(b);
    return fa.exists() && fb.exists() && fa.canonicalFilePath() == fb.canonicalFilePath();
}

DataFileKind SniffDataFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return DataFileKind::Missing;
    const QByteArray head = file.read(32);
    if (head.startsWith("SQLite format 3")) return DataFileKind::SQLite;
    // Jet 3/4 and its successor ACE write their engine name at offset 4.
    const QByteArray engine = head.mid(4, 15);
    if (engine == "Standard Jet DB" || engine == "Standard ACE DB") return DataFileKind::Jet;
    return DataFileKind::Other;
}

bool MoveFileOver(const QString& from, const QString& to, QString* error)
{
    if (isProtected(to, error)) return false;
#ifdef Q_OS_WIN
    const std::filesystem::path a(from.toStdWString()), b(to.toStdWString());
#else
    const std::filesystem::path a(QFile::encodeName(from).toStdString()), b(QFile::encodeName(to).toStdString());
#endif
    std::error_code failure;
    std::filesystem::rename(a, b, failure);
    if (failure && error) *error = QString::fromStdString(failure.message());
    return !failure;
}

bool IsWritableDataFile(const QString& path)
{
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    return file.isWritable() && (file.permissions() & QFile::WriteOwner) && folder.isWritable() &&
           (folder.permissions() & QFile::WriteOwner);
}
