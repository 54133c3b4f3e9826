#include "CommandTable.h"

#include <map>

using namespace Qt::StringLiterals;

namespace {

const std::map<int, CommandText>& commandTexts()
{
    static const std::map<int, CommandText> table = [] {
        const QList<CommandText> rows{
            {CmdFileNew, u"新規作成(&N)...\tCtrl+N"_s, u"新規にファイルを作成します\n新規ファイル"_s},
            {CmdFileOpen, u"開く(&O)...\tCtrl+O"_s, u"既存のファイルを開きます\n開く"_s},
            {CmdFileSaveAsMenu, u"名前を付けて保存(&A)..."_s, u"開いているファイルを名前を付けて保存します\n名前を付けて保存"_s},
            {CmdFileDelete, u"削除(&D)..."_s, u"開いているファイルを削除します\nファイル削除"_s},
            {CmdBackup, u"バックアップ(&B)...\tF8"_s, u"開いているファイルをバックアップします\nファイルバックアップ"_s},
            {CmdConvertVersion1, u"バージョン１データをコンバージョン(&1)..."_s, QString()},
            {CmdImportCsv, u"CSVファイルインポート(&2)..."_s, u"CSVファイルからインポートします\nCSVファイルインポート"_s},
            {CmdImportAccountTable, u"科目設定インポート(&3)..."_s, QString()},
            {CmdExportCsv, u"エクスポート(&E)..."_s, u"CSVファイルをエクスポートします\nCSVファイルエクスポート"_s},
            {CmdPrintSetup, u"印刷設定(&S)..."_s, u"印刷の設定を行います\n印刷設定"_s},
            {CmdPrint, u"印刷(&P)...\tCtrl+P"_s, u"画面を印刷します\n画面印刷"_s},
            {CmdFileInfo, u"ファイル情報(&I)...\tCtrl+I"_s, u"ファイル情報を表示します\nファイル情報表示"_s},
            {CmdRecentFile1, u"最近使ったファイル"_s, u"指定のファイルを開く"_s},
            {CmdAppExit, u"アプリケーションの終了(&X)"_s, u"アプリケーションを終了します\n終了"_s},
            {CmdCopy, u"コピー(&C)\tCtrl+C"_s, u"選択範囲をコピーしてクリップボードに保存します\n保存"_s},
            {CmdCopyWithNames, u"項目付コピー(&F)"_s, u"選択範囲を項目を付けてコピーしてクリップボードに保存します\n項目付き表コピー"_s},
            {CmdCopyRecord, u"レコードコピー(&R)"_s, u"選択レコードをコピーしてクリップボードに保存します\nレコードコピー"_s},
            {CmdEntryNew, u"新規登録(&A)...\tF1"_s, u"新規にデータを登録します\n新規登録"_s},
            {CmdEntryChange, u"変更(&U)...\tF2"_s, u"選択したデータを変更します\nデータ変更"_s},
            {CmdEntryDelete, u"削除(&D)\tF3"_s, u"選択したデータを削除します\nデータ削除"_s},
            {CmdToday, u"今日へ(&T)\tCtrl+T"_s, u"今日へ移動します\n今日へ移動"_s},
            {CmdPrevious, u"前へ(&←)\tCtrl+←"_s, u"前へ移動します\n前へ移動"_s},
            {CmdNext, u"次へ(&→)\tCtrl+→"_s, u"次へ移動します\n次へ移動"_s},
            {CmdGoToDay, u"日指定(&H)..."_s, u"日指定で移動します\n日指定移動"_s},
            {CmdGoToMonth, u"月指定(&G)..."_s, u"月指定で移動します\n月指定移動"_s},
            {CmdGoToYear, u"年指定(&J)..."_s, u"年指定で移動します\n年指定移動"_s},
            {CmdPreviousDateWithData, u"前の入力済み日付へ(&P)"_s, u"前の入力済み日付へ移動します\n前の入力済み日付へ"_s},
            {CmdNextDateWithData, u"次の入力済み日付へ(&N)"_s, u"次の入力済み日付へ移動します\n次の入力済み日付へ"_s},
            {CmdSearch, u"検索(&F)...\tCtrl+F"_s, u"データを検索します\nデータ検索"_s},
            {CmdRangeDelete, u"データの一括削除(&G)..."_s, u"データを範囲指定して一括削除します\nデータ一括削除"_s},
            {CmdYearsView, u"年表示(&Y)"_s, u"全年を年単位で表示します\n年単位表示"_s},
            {CmdYearView, u"月表示(&M)"_s, u"１年間を月単位で表示します\n月単位表示"_s},
            {CmdMonthView, u"日表示(&D)"_s, u"１か月を日単位で表示します\n日単位表示"_s},
            {CmdListView, u"リスト表示(&L)"_s, u"1日のデータをリスト表示します\nリスト表示"_s},
            {CmdSelectAccount, u"指定科目表示(&A)..."_s, u"指定科目のみを表示します\n指定科目表示"_s},
            {CmdExpandSides, u"収支まで(&0)"_s, u"収支まで展開表示します\n収支まで"_s},
            {CmdExpandLevel1, u"第１階層まで(&1)"_s, u"第１階層まで展開表示します\n第１階層表示"_s},
            {CmdExpandLevel2, u"第２階層まで(&2)"_s, u"第２階層まで展開表示します\n第２階層表示"_s},
            {CmdExpandLevel3, u"第３階層まで(&3)"_s, u"第３階層まで展開表示します\n第３階層表示"_s},
            {CmdHideZeroAccounts, u"すべて０の科目を隠す(&Z)"_s, u"全くデータのない科目を隠す\nすべて０の科目を隠す"_s},
            {CmdMoveMode, u"横優先移動(&H)\tCtrl+Space"_s, u"スペースキーの移動を横方向優先にします\n横方向優先"_s},
            {CmdDefaultColumnWidths, u"列幅を既定値に戻す(&R)"_s, u"表の列幅を既定値に戻す\n列幅を既定値に"_s},
            {CmdTableCsv, u"表のCSVファイル出力(&T)..."_s, QString()},
            {CmdReadDataOnly, u"データ内容のみを読み上げる(&1)"_s, QString()},
            {CmdReadWithNames, u"全項目名付きで読み上げる(&2)"_s, QString()},
            {CmdZoomIn, u"拡大(&U)\tShift+Ctrl+↑"_s, u"画面を拡大します\n画面拡大"_s},
            {CmdZoomOut, u"縮小(&D)\tShift+Ctrl+↓"_s, u"画面を縮小します\n画面縮小"_s},
            {CmdZoomDefault, u"既定値(&F)"_s, u"画面倍率を既定値にします\n画面倍率既定値"_s},
            {CmdPaymentCheck, u"支払確認(&C)...\tF5"_s, QString()},
            {CmdLoanCheck, u"ローン残確認(&L)...\tF6"_s, QString()},
            {CmdPaymentSettings, u"支払設定(&P)..."_s, QString()},
            {CmdLoanSettings, u"ローン設定(&Q)..."_s, QString()},
            {CmdGeneralSettings, u"一般設定(&G)..."_s, u"一般の設定を行います\n一般設定"_s},
            {CmdColorSettings, u"文字色・背景色設定(&I)..."_s, u"文字色・背景色の設定を行います\n文字色・背景色設定"_s},
            {CmdCounterpartySettings, u"相手先設定(&A)..."_s, u"相手先の設定を行います\n相手先設定"_s},
            {CmdAccountSettings, u"科目設定(&K)..."_s, u"勘定科目の設定を行います\n勘定科目設定"_s},
            {CmdStartMonth, u"年度開始月設定(&N)..."_s, u"年度開始月を設定します\n年度開始月設定"_s},
            {CmdPasswordSetOrClear, u"パスワード設定(&W)..."_s, u"パスワードを設定します\nパスワード設定"_s},
            {CmdPasswordChange, u"パスワード変更(&H)..."_s, u"パスワードを変更します\nパスワード変更"_s},
            {CmdManual, u"ヘルプの表示(&V)...\tCtrl+H"_s, u"別画面でヘルプを表示します\nヘルプ表示"_s},
            {CmdAbout, u"バージョン情報 (&A)..."_s, u"プログラム情報、バージョン、著作権を表示します。\nバージョン情報"_s},
            {CmdCalculator, u"Sanbo起動(&S)\tF7"_s, u"Sanboを起動します\nSanbo起動"_s},
            // Toolbar-only commands of the standard toolbar.
            {CmdFileSave, u"上書き保存(&S)\tCtrl+S"_s, u"\n上書き保存"_s},
            {CmdCut, u"切り取り(&T)\tCtrl+X"_s, u"\n切り取り"_s},
            {CmdPaste, u"貼り付け(&P)\tCtrl+V"_s, u"\n貼り付け"_s},
        };
        std::map<int, CommandText> byId;
        for (const CommandText& row : rows) byId.emplace(row.id, row);
        return byId;
    }();
    return table;
}

MenuEntry cmd(int id) { return {MenuEntry::Command, id}; }
MenuEntry sep() { return {MenuEntry::Separator, 0}; }

}  // namespace

const CommandText& CommandTextOf(int id)
{
    static const CommandText unknown{0, QString(), QString()};
    const auto found = commandTexts().find(id);
    return found == commandTexts().end() ? unknown : found->second;
}

QString StatusPrompt(int id)
{
    return CommandTextOf(id).prompt.section(u'\n', 0, 0);
}

QString ToolTipOf(int id)
{
    return CommandTextOf(id).prompt.section(u'\n', 1, 1);
}

const QList<MenuLayout>& MainMenuLayout()
{
    static const QList<MenuLayout> menus{
        {u"ファイル(&F)"_s, false,
         {cmd(CmdFileNew), cmd(CmdFileOpen), cmd(CmdFileSaveAsMenu), cmd(CmdFileDelete), sep(), cmd(CmdBackup), sep(),
          cmd(CmdConvertVersion1), cmd(CmdImportCsv), cmd(CmdImportAccountTable), cmd(CmdExportCsv), sep(),
          cmd(CmdPrintSetup), cmd(CmdPrint), sep(), cmd(CmdFileInfo), sep(), {MenuEntry::RecentFiles, 0}, sep(),
          cmd(CmdAppExit)}},
        {u"編集(&E)"_s, true,
         {cmd(CmdCopy), cmd(CmdCopyWithNames), cmd(CmdCopyRecord), sep(), cmd(CmdTableCsv)}},
        {u"データ(&D)"_s, true,
         {cmd(CmdEntryNew), cmd(CmdEntryChange), cmd(CmdEntryDelete), sep(), cmd(CmdSearch), sep(),
          cmd(CmdRangeDelete)}},
        {u"表示(&V)"_s, true,
         {cmd(CmdYearsView), cmd(CmdYearView), cmd(CmdMonthView), cmd(CmdListView), sep(), cmd(CmdToday),
          cmd(CmdPrevious), cmd(CmdNext), sep(), cmd(CmdGoToDay), cmd(CmdGoToMonth), cmd(CmdGoToYear), sep(),
          cmd(CmdPreviousDateWithData), cmd(CmdNextDateWithData), sep(), cmd(CmdSelectAccount), sep(),
          cmd(CmdExpandSides), cmd(CmdExpandLevel1), cmd(CmdExpandLevel2), cmd(CmdExpandLevel3), sep(),
          cmd(CmdHideZeroAccounts)}},
        {u"ガイド(&G)"_s, true,
         {cmd(CmdZoomIn), cmd(CmdZoomOut), cmd(CmdZoomDefault), {MenuEntry::FontSizes, 0}, sep(),
          cmd(CmdReadDataOnly), cmd(CmdReadWithNames), sep(), cmd(CmdMoveMode), cmd(CmdDefaultColumnWidths)}},
        {u"オプション(&O)"_s, true,
         {cmd(CmdPaymentCheck), cmd(CmdLoanCheck), sep(), cmd(CmdPaymentSettings), cmd(CmdLoanSettings), sep(),
          cmd(CmdGeneralSettings), cmd(CmdColorSettings), cmd(CmdCounterpartySettings), cmd(CmdAccountSettings),
          cmd(CmdStartMonth), sep(), cmd(CmdPasswordSetOrClear), cmd(CmdPasswordChange), sep(), cmd(CmdCalculator)}},
        {u"ヘルプ(&H)"_s, false, {cmd(CmdManual), sep(), cmd(CmdAbout)}},
    };
    return menus;
}

bool AvailableWithoutFile(int id)
{
    static const QList<int> commands{CmdZoomIn,          CmdZoomOut,      CmdZoomDefault, CmdGeneralSettings,
                                     CmdColorSettings,   CmdStartMonth,   CmdPasswordSetOrClear,
                                     CmdManual,          CmdCalculator};
    return commands.contains(id) || (id >= CmdFontSizeFirst && id <= CmdFontSizeLast);
}

const QList<int>& ToolbarCommands()
{
    static const QList<int> commands{CmdFileNew, CmdFileOpen, CmdFileSave, 0, CmdCut, CmdCopy, CmdPaste, 0,
                                     CmdPrint, CmdAbout};
    return commands;
}

const QList<int>& ViewCommands()
{
    static const QList<int> commands{CmdYearsView, CmdYearView, CmdMonthView, CmdListView};
    return commands;
}

bool WritesDataFile(int id)
{
    static const QList<int> writing{CmdFileDelete,         CmdImportCsv,         CmdImportAccountTable,
                                    CmdEntryNew,           CmdEntryChange,       CmdEntryDelete,
                                    CmdRangeDelete,        CmdPaste,             CmdDefaultColumnWidths,
                                    CmdPaymentSettings,    CmdLoanSettings,      CmdCounterpartySettings,
                                    CmdAccountSettings};
    return writing.contains(id);
}
