#pragma once
// Messages that more than one data-file operation shows, kept in one place so
// that each text is written once.

#include <QString>

namespace doc_text {

inline QString ConnectFailed() { return QStringLiteral("データベースへの接続に失敗しました。"); }
inline QString FileCopyFailed() { return QStringLiteral("ファイルコピーに失敗しました。"); }
inline QString BackupFailed() { return QStringLiteral("ファイルバックアップに失敗しました。"); }
inline QString ReadOnlyRefused()
{
    return QStringLiteral("読み取り専用で開いたファイルは変更できません。");
}
inline QString AccountTableBroken()
{
    return QStringLiteral("科目テーブルが正しくありません。ファイルが壊れている可能性があります。");
}

}  // namespace doc_text
