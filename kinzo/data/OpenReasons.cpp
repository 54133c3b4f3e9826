#include "kinzo/data/OpenReasons.h"

#include <QFileInfo>

#include <algorithm>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

const QString notALedger = u"このファイルはデータファイルではありません。"_s;

}  // namespace

QString ReasonForFileKind(const QString& path, DataFileKind kind)
{
    const QFileInfo file(path);
    if (file.isDir()) return u"フォルダが選ばれています。ファイルを選んでください。"_s;
    if (!file.exists()) return u"ファイルが見つかりません。"_s;
    if (kind == DataFileKind::Missing) return u"ファイルを読む権限がありません。"_s;
    if (file.size() == 0) return u"ファイルが空です。"_s;
    return notALedger;
}

QString ReasonForEngineCode(int resultCode)
{
    switch (resultCode & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return u"他のプログラムが使用中です。"_s;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return u"ファイルが壊れています。"_s;
    case SQLITE_PERM:
    case SQLITE_AUTH: return u"ファイルを読む権限がありません。"_s;
    case SQLITE_CANTOPEN: return u"ファイルを開けません。"_s;
    case SQLITE_NOMEM:
    case SQLITE_FULL: return u"メモリまたはディスクの空きが足りません。"_s;
    default: return u"ファイルを読み込めません。"_s;
    }
}

QString ReasonForMissingParts(const kinzo_schema::MissingParts& missing)
{
    // A database without any of our tables belongs to another program.
    const QList<kinzo_schema::Section> sections = kinzo_schema::Sections();
    const auto tables = std::count_if(sections.cbegin(), sections.cend(), [](const auto& s) { return !s.isView; });
    if (missing.tables.size() == tables) return notALedger;
    QStringList parts;
    if (!missing.tables.isEmpty()) parts << u"必要な表がありません（%1）。"_s.arg(missing.tables.join(u"、"_s));
    if (!missing.columns.isEmpty()) parts << u"必要な列がありません（%1）。"_s.arg(missing.columns.join(u"、"_s));
    return parts.join(u'\n');
}
