#pragma once
// Messages that more than one dialog or view shows (the entry dialog, the
// day list, and the account and loan dialogs), kept here so that each text
// is written once.

#include "kinzo/data/DbStatus.h"

#include <QDate>
#include <QString>

namespace dialog_text {

// A day as the dialogs write it: "%4d年%2d月%2d日" (blank-padded).
inline QString DayText(const QDate& day)
{
    return QStringLiteral("%1年%2月%3日").arg(day.year(), 4).arg(day.month(), 2).arg(day.day(), 2);
}

inline QString NoAccountSelected() { return QStringLiteral("科目が選択されていません。"); }
inline QString SelectLeafAccount() { return QStringLiteral("最下位の科目まで選択してください。"); }
inline QString ForbiddenAccountName() { return QStringLiteral("科目名に許可されない文字が含まれています。"); }
inline QString DuplicateAccountName() { return QStringLiteral("この名称は同じ親科目内に既に登録されています。"); }
inline QString ParentHasEntries()
{
    return QStringLiteral("親科目はすでに出納データを持っています。\r\n"
                          "子科目を追加すると、これは子科目に移動されますがよろしいですか？");
}
inline QString AccountInsertFailed() { return QStringLiteral("科目レコード追加に失敗しました。"); }
inline QString MoveToChildFailed() { return QStringLiteral("子科目へのデータ移動に失敗しました。"); }
inline QString EntrySelectFailed() { return QStringLiteral("出納レコード抽出に失敗しました。"); }
inline QString EntryDeleteFailed() { return QStringLiteral("出納レコード削除に失敗しました。"); }
inline QString LoanUpdateFailed() { return QStringLiteral("分割支払いレコード更新に失敗しました。"); }

// A message for a database step that failed: what failed, then the status
// text and the engine's own text, so the failure is never silent.
inline QString DbFailure(const QString& what, DbStatus status, const QString& engineText)
{
    QString detail = GetErrorMessage(status);
    if (!engineText.isEmpty()) detail += (detail.isEmpty() ? QString() : QStringLiteral(": ")) + engineText;
    return detail.isEmpty() ? what : what + QStringLiteral("\n(") + detail + u')';
}

}  // namespace dialog_text
