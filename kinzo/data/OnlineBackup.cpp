#include "kinzo/data/OnlineBackup.h"

#include "kinzo/data/DataFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int PagesPerStep = 32;

QString workPathOf(const QString& target)
{
    const QFileInfo file(target);
    return file.dir().filePath(u"."_s + file.fileName() + u".backup"_s);
}

void removeWork(const QString& work)
{
    QFile::remove(work);
    QFile::remove(work + u"-journal"_s);
}

// Copies every page into dest; Stopped when progress says so.
BackupOutcome copyPages(sqlite3* source, sqlite3* dest, const RowProgress& progress, QString& error)
{
    sqlite3_backup* backup = sqlite3_backup_init(dest, "main", source, "main");
    if (!backup) {
        error = QString::fromUtf8(sqlite3_errmsg(dest));
        return BackupOutcome::Failed;
    }
    int rc = SQLITE_OK;
    bool stopped = false;
    while (!stopped) {
        rc = sqlite3_backup_step(backup, PagesPerStep);
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
            QThread::msleep(10);  // another connection is writing; try again
            continue;
        }
        if (rc != SQLITE_OK) break;
        const int total = sqlite3_backup_pagecount(backup);
        stopped = progress && !progress(total - sqlite3_backup_remaining(backup), total);
    }
    sqlite3_backup_finish(backup);
    if (stopped) return BackupOutcome::Stopped;
    if (rc == SQLITE_DONE) return BackupOutcome::Done;
    error = QString::fromUtf8(sqlite3_errstr(rc));
    return BackupOutcome::Failed;
}

}  // namespace

BackupOutcome BackupDatabase(sqlite3* source, const QString& target, const RowProgress& progress, QString& error)
{
    const QString work = workPathOf(target);
    removeWork(work);
    sqlite3* dest = nullptr;
    const QByteArray name = QFile::encodeName(work);
    if (sqlite3_open_v2(name.constData(), &dest, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        error = QString::fromUtf8(sqlite3_errmsg(dest));
        sqlite3_close(dest);
        removeWork(work);
        return BackupOutcome::Failed;
    }
    BackupOutcome outcome = copyPages(source, dest, progress, error);
    if (sqlite3_close(dest) != SQLITE_OK && outcome == BackupOutcome::Done) {
        error = u"バックアップファイルを閉じられません"_s;
        outcome = BackupOutcome::Failed;
    }
    if (outcome == BackupOutcome::Done && !MoveFileOver(work, target, &error)) outcome = BackupOutcome::Failed;
    if (outcome != BackupOutcome::Done) removeWork(work);
    return outcome;
}
