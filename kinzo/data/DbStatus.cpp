#include "kinzo/data/DbStatus.h"

using namespace Qt::StringLiterals;

QString GetErrorMessage(int code)
{
    switch (static_cast<DbStatus>(code)) {
    case DbStatus::Ok: return u"正常終了"_s;
    case DbStatus::Error: return u"データベースエラー"_s;
    case DbStatus::NotConnected: return u"データベースに接続されていません。"_s;
    case DbStatus::NoRecordset: return u"レコードセット取得に失敗しました。"_s;
    case DbStatus::SelectFailed: return u"レコード検索失敗"_s;
    case DbStatus::FetchFailed: return u"次レコード取得失敗"_s;
    case DbStatus::InsertFailed: return u"レコード追加失敗"_s;
    case DbStatus::UpdateFailed: return u"レコード更新失敗"_s;
    case DbStatus::NotFound: return u"該当レコードなし"_s;
    case DbStatus::EndOfRecords: return u"レコード終了"_s;
    case DbStatus::NoRecords: return u"登録レコードなし"_s;
    case DbStatus::CsvFailed: return u"テーブルエクスポート失敗"_s;
    case DbStatus::CsvDeleteFailed: return u"CSVファイル削除失敗"_s;
    default: return QString();
    }
}
