// The whole-file dialogs as a user goes through them on real ledger and CSV
// files: export, import, backup, range delete, start month, file information.

#include "LedgerAppFixture.h"
#include "ParadoxFiles.h"

#include "CMainFrame.h"
#include "KinzoCommands.h"
#include "kinzo/dialogs/CDateMoveDialog.h"
#include "kinzo/dialogs/DialogCommands.h"
#include "kinzo/dialogs/settings/CGeneralSettingsDialog.h"
#include "kinzo/dialogs/settings/CStartMonthDialog.h"
#include "kinzo/dialogs/transfer/CBackupDlg.h"
#include "kinzo/dialogs/transfer/CDataDeleteRangeDialog.h"
#include "kinzo/dialogs/transfer/CExportDialog.h"
#include "kinzo/dialogs/transfer/CFileDataInfo.h"
#include "kinzo/dialogs/transfer/CImportDialog.h"
#include "kinzo/dialogs/transfer/CImportFromVer1Dialog.h"
#include "kinzo/dialogs/transfer/CWorkProgress.h"
#include "kolib/CKoIntegerEdit.h"
#include "kolib/CKoCheckBox.h"
#include "kolib/CKoEdit.h"
#include "kolib/CKoVComboBox.h"
#include "kolib/CKoVDateTimeCtrl.h"

#include <QDir>
#include <QProgressDialog>
#include <QSignalSpy>
#include <QtTest>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

// Every row of a table as text, in key order, read straight from the file.
QStringList rowsOf(const QString& file, const QString& table)
{
    sqlite3* db = nullptr;
    QStringList rows;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        const QByteArray sql = (u"SELECT * FROM \""_s + table + u"\" ORDER BY 1"_s).toUtf8();
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) == SQLITE_OK) {
            while (sqlite3_step(stmt) == SQLITE_ROW) {
                QStringList fields;
                for (int i = 0; i < sqlite3_column_count(stmt); ++i)
                    fields << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)));
                rows << fields.join(u'|');
            }
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return rows;
}

template <class D>
void typePathAndConfirm(D& dialog, const QString& path)
{
    dialog.show();
    dialog.PathCombo()->setEditText(path);
    dialog.accept();
}

}  // namespace

class TestTransferDialogs : public QObject {
    Q_OBJECT
    LedgerAppFixture f;
    int m_food = 0;

    QStringList tables()
    {
        return {f.Doc().AccountTable().m_tableName, f.Doc().CaterTable().m_tableName,
                f.Doc().PaymentTable().m_tableName, f.Doc().LoanTable().m_tableName,
                f.Doc().KinzoTable().m_tableName};
    }

private Q_SLOTS:
    void initTestCase()
    {
        f.Start();
        RegisterDialogCommands();
    }

    void init()
    {
        QVERIFY(f.NewLedger());
        m_food = f.AddAccount(f.Root(2)->m_data.ID, u"食費"_s);
        f.AddEntry(QDate(2010, 4, 1), m_food, 1200, u"米"_s);
        f.AddEntry(QDate(2010, 4, 2), m_food, 30, u"\"引用\", 改行\n入り"_s);
        f.AddEntry(QDate(2011, 1, 9), f.Root(1)->m_data.ID, 250000, u"給与"_s);
    }

    void exportNewFileImportGivesTheSameTables()
    {
        const QString original = f.Doc().PathName();
        const QString folder = f.home.filePath(u"csv_out"_s);
        CExportDialog first(nullptr, f.Doc());
        typePathAndConfirm(first, folder);
        QCOMPARE(f.messages, QStringList{u"エクスポートが終了しました。"_s});
        QCOMPARE(first.result(), int(QDialog::Accepted));

        // Into the same folder again: asked once; Cancel keeps the dialog open.
        f.messages.clear();
        f.answers = {KoAnswer::Cancel};
        CExportDialog again(nullptr, f.Doc());
        QCOMPARE(again.PathCombo()->itemText(0), folder);
        typePathAndConfirm(again, folder);
        QCOMPARE(f.messages, QStringList{u"同じフォルダが既に存在します。上書きしますか？"_s});
        QVERIFY(again.isVisible());

        QStringList before;
        for (const QString& t : tables()) before << rowsOf(original, t);
        QVERIFY(f.NewLedger());
        CImportDialog import(nullptr, f.Doc());
        typePathAndConfirm(import, folder);
        QCOMPARE(f.messages,
                 (QStringList{u"現在のデータがすべて置き換えられますが、よろしいですか？"_s, u"インポートが終了しました。"_s}));
        QStringList after;
        for (const QString& t : tables()) after << rowsOf(f.Doc().PathName(), t);
        QCOMPARE(after, before);
        QCOMPARE(f.EntryCount(), 3);
    }

    void refusedImportSaysTheRecordAndReasonAndChangesNothing()
    {
        const QString folder = f.home.filePath(u"csv_bad"_s);
        QVERIFY(f.Doc().ExportAllCsv(folder));
        QFile entries(QDir(folder).filePath(f.Doc().KinzoTable().m_tableName + u".csv"_s));
        QVERIFY(entries.open(QIODevice::Append));
        entries.write("1,2\r\n");
        entries.close();
        f.messages.clear();
        CImportDialog import(nullptr, f.Doc());
        typePathAndConfirm(import, f.home.filePath(u"no such folder"_s));
        QCOMPARE(f.messages.last(), u"フォルダが見つかりません。"_s);
        f.messages.clear();
        typePathAndConfirm(import, folder);
        QCOMPARE(f.messages.size(), 3);
        QVERIFY2(f.messages[1].startsWith(f.Doc().KinzoTable().m_tableName + u"のインポートに失敗しました。\nCSVの 4 件目: 列が足りません"_s),
                 qPrintable(f.messages[1]));
        QCOMPARE(f.messages[2], u"データのインポートに失敗しました。"_s);
        QCOMPARE(f.EntryCount(), 3);
    }

    void backupRefusesTheOpenFileAndCopiesWhileEntriesAreAdded()
    {
        const QByteArray before = [&] {
            QFile file(f.Doc().PathName());
            file.open(QIODevice::ReadOnly);
            return file.readAll();
        }();
        CBackupDlg refused(nullptr, f.Doc());
        typePathAndConfirm(refused, f.Doc().PathName());
        QCOMPARE(f.messages, QStringList{u"現在開いているファイルを上書きすることはできません。"_s});
        QVERIFY(refused.isVisible());

        for (int i = 0; i < 6000; ++i) f.AddEntry(QDate(2012, 1, 1).addDays(i % 300), m_food, i, u"長めの摘要の文字列"_s);
        const QString target = f.home.filePath(u"copy.kzd"_s);
        int added = 0;
        QVERIFY(f.Doc().BackupTo(target, [&](qint64, qint64) {
            added += f.AddEntry(QDate(2013, 1, 1), m_food, 7) ? 1 : 0;
            return true;
        }));
        QVERIFY(added > 0);
        for (const QString& t : tables()) QCOMPARE(rowsOf(target, t), rowsOf(f.Doc().PathName(), t));

        // Over an existing file: asked, then replaced; an unwritable one is kept.
        f.messages.clear();
        CBackupDlg dialog(nullptr, f.Doc());
        typePathAndConfirm(dialog, target);
        QCOMPARE(f.messages, (QStringList{u"同じファイルが既に存在します。上書きしますか？。"_s, u"バックアップが終了しました。"_s}));
        QFile::setPermissions(target, QFile::ReadOwner);
        const QStringList kept = rowsOf(target, tables().last());
        f.AddEntry(QDate(2014, 1, 1), m_food, 1);
        f.messages.clear();
        CBackupDlg locked(nullptr, f.Doc());
        typePathAndConfirm(locked, target);
        QCOMPARE(f.messages.last(), u"データのバックアップに失敗しました。"_s);
        QCOMPARE(rowsOf(target, tables().last()), kept);
        QVERIFY(!before.isEmpty());
    }

    void rangeDeleteWithOnlyTheEndTickedRemovesUpToThatDay()
    {
        CMainFrame frame(f.App());
        QVERIFY(frame.Create());
        WhenModalOf<CDataDeleteRangeDialog>([](CDataDeleteRangeDialog* d) {
            d->EndBox()->setChecked(true);
            d->EndPicker()->setDate(QDate(2010, 4, 1));
            d->accept();
        });
        f.messages.clear();
        QVERIFY(frame.RunCommand(CmdRangeDelete));
        QCOMPARE(f.messages.size(), 1);
        QVERIFY(f.messages[0].startsWith(u" 100年 1月 1日から2010年 4月 1日の期間のデータを削除します。"_s));
        QCOMPARE(f.EntryCount(), 2);
        QCOMPARE(f.EntriesOf(QDate(2010, 4, 1), QDate(2010, 4, 1)).size(), 0);

        // Neither box ticked is refused.
        CDataDeleteRangeDialog none(nullptr, QDate(2010, 4, 1));
        none.show();
        f.messages.clear();
        none.accept();
        QCOMPARE(f.messages, QStringList{u"削除開始日付、削除終了日付のどちらかはチェックしてください。"_s});
        frame.close();
    }

    void startMonthTyped15BecomesTwelve()
    {
        CMainFrame frame(f.App());
        QVERIFY(frame.Create());
        WhenModalOf<CStartMonthDialog>([](CStartMonthDialog* d) {
            d->MonthCombo()->setEditText(u"15"_s);
            d->accept();
        });
        QVERIFY(frame.RunCommand(CmdStartMonth));
        QCOMPARE(f.App().m_settingInfo.m_startMonth, 12);
        QCOMPARE(f.App().m_iniFile.ReadStartMonth(), 12);
        frame.close();
        f.App().m_settingInfo.m_startMonth = 1;
    }

    void version1FileConvertsThroughTheDialog()
    {
        const QString source = f.home.filePath(u"old.db"_s);
        QVERIFY(WriteParadoxLedger(source, {{1, 2009, 4, 1, u"給与"_s, 300000, 0, QString()},
                                            {2, 2009, 4, 2, u"米"_s, 0, 1200.4, u"食費（ミクリ番号：12）"_s},
                                            {3, 2009, 4, 3, u"外食"_s, 0, 800, u"食費"_s}}));
        CImportFromVer1Dialog dialog(nullptr, f.App(), f.Doc().PathName());
        dialog.show();
        f.messages.clear();
        dialog.Convert();
        TypeText(dialog.SourceEdit(), source);
        dialog.Convert();
        TypeText(dialog.DestinationEdit(), source);
        dialog.Convert();
        dialog.DestinationEdit()->setText(f.Doc().PathName());
        dialog.Convert();
        dialog.DestinationEdit()->setText(f.home.filePath(u"converted.kzd"_s));
        dialog.Convert();
        QCOMPARE(f.messages, (QStringList{u"変換元データを指定してください。"_s, u"変換先データを指定してください。"_s,
                                          u"同じファイルに変換することはできません。"_s,
                                          u"現在開いているファイルを上書きすることはできません。"_s,
                                          u"変換が終了しました。\nデータ件数 = 3"_s}));
        QCOMPARE(rowsOf(f.home.filePath(u"converted.kzd"_s), f.Doc().KinzoTable().m_tableName).size(), 3);
        QVERIFY(dialog.isVisible());
    }

    void generalSettingsStoreAllFourAndApplyTheFontSize()
    {
        CMainFrame frame(f.App());
        QVERIFY(frame.Create());
        QSignalSpy hints(&f.Doc(), &CKinzoDoc::UpdateAllViews);
        WhenModalOf<CGeneralSettingsDialog>([](CGeneralSettingsDialog* d) {
            QCOMPARE(d->Combo(1049)->count(), 4);
            QCOMPARE(d->Combo(1052)->itemText(3), u"4 月"_s);
            d->Combo(1048)->setCurrentIndex(d->Combo(1048)->findData(22));
            d->Combo(1049)->setCurrentIndex(2);
            d->Combo(1052)->setCurrentIndex(3);
            d->DaysEdit()->setText(u"7"_s);
            d->accept();
        });
        QVERIFY(frame.RunCommand(CmdGeneralSettings));
        QCOMPARE(f.App().m_iniFile.ReadFontSize(), 22);
        QCOMPARE(f.App().m_iniFile.ReadAccountExpandLevel(), 2);
        QCOMPARE(f.App().m_iniFile.ReadStartMonth(), 4);
        QCOMPARE(f.App().m_iniFile.ReadSaveAnounceStartDays(), 7);
        QCOMPARE(f.App().m_settingInfo.m_fontSize, 22);
        frame.close();
        f.App().m_settingInfo.m_startMonth = 1;
        f.App().m_settingInfo.SetFontSize(9);
    }

    // Every dialog draws at both ends of the size list; KINZO_SCREENSHOT_DIR
    // keeps the pictures for a look.
    void everyDialogDrawsAtSizes9And22()
    {
        const QString folder = qEnvironmentVariable("KINZO_SCREENSHOT_DIR");
        for (int size : {9, 22}) {
            f.App().m_settingInfo.SetFontSize(size);
            std::vector<std::unique_ptr<QDialog>> dialogs;
            dialogs.emplace_back(new CExportDialog(nullptr, f.Doc()));
            dialogs.emplace_back(new CImportDialog(nullptr, f.Doc()));
            dialogs.emplace_back(new CBackupDlg(nullptr, f.Doc()));
            dialogs.emplace_back(new CImportFromVer1Dialog(nullptr, f.App(), f.Doc().PathName()));
            dialogs.emplace_back(new CDataDeleteRangeDialog(nullptr, QDate(2010, 4, 1)));
            dialogs.emplace_back(new CStartMonthDialog(nullptr, 4));
            dialogs.emplace_back(new CGeneralSettingsDialog(nullptr, f.App().m_settingInfo, f.App().m_iniFile));
            dialogs.emplace_back(new CFileDataInfo(nullptr, f.Doc()));
            dialogs.emplace_back(new CDateMoveDialog(nullptr, CDateMoveDialog::MonthMode, QDate(2010, 4, 1)));
            int n = 0;
            for (const auto& dialog : dialogs) {
                dialog->show();
                const QImage shot = dialog->grab().toImage();
                QVERIFY(!shot.isNull());
                if (!folder.isEmpty()) shot.save(QDir(folder).filePath(u"%1_%2.png"_s.arg(size).arg(++n)));
                dialog->hide();
            }
        }
        f.App().m_settingInfo.SetFontSize(9);
    }

    // What a user hears and sees while long work runs (at the screen's font
    // size), and Escape stopping it.
    void progressWindowSaysWhatItDoesAndEscapeStops()
    {
        f.App().m_settingInfo.SetFontSize(22);
        QWidget owner;
        owner.show();
        f.ClearHeard();
        CWorkProgress progress(&owner, u"インポート中"_s);
        const RowProgress step = progress.Callback();
        QVERIFY(step(4096, 0));
        QVERIFY(!owner.findChild<QProgressDialog*>());  // short work shows nothing
        QTest::qWait(350);
        QVERIFY(step(1234567, 0));
        auto* window = owner.findChild<QProgressDialog*>();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->font().pointSize(), 22);
        QCOMPARE(window->labelText(), u"インポート中\n1,234,567 件"_s);
        QVERIFY(step(FinishingWork, 0));
        QVERIFY(step(FinishingWork, 0));
        QCOMPARE(window->labelText(), u"インポート中\n索引と集計を作成しています"_s);
        QCOMPARE(f.Heard(), (QStringList{u"インポート中"_s, u"索引と集計を作成しています"_s}));
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(!step(FinishingWork, 0));
        QVERIFY(progress.Cancelled());
        f.App().m_settingInfo.SetFontSize(9);
    }

    void fileInformationOfAnEmptyLedgerLeavesTheDatesEmpty()
    {
        CFileDataInfo full(nullptr, f.Doc());
        full.show();
        QCOMPARE(full.Field(1082)->text(), u"2010年 4月 1日"_s);
        QCOMPARE(full.Field(1083)->text(), u"2011年 1月 9日"_s);
        QCOMPARE(full.Field(1084)->text(), u"3"_s);
        QVERIFY(f.NewLedger());
        CFileDataInfo empty(nullptr, f.Doc());
        empty.show();
        QCOMPARE(empty.windowTitle(), QFileInfo(f.Doc().PathName()).fileName() + u" のファイル情報"_s);
        QCOMPARE(empty.Field(1085)->text(), f.Doc().PathName());
        QVERIFY(empty.Field(1082)->text().isEmpty());
        QVERIFY(empty.Field(1083)->text().isEmpty());
        QCOMPARE(empty.Field(1084)->text(), u"0"_s);
    }
};

int main(int argc, char** argv)
{
    CKinzoApp app(argc, argv);
    TestTransferDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_transfer_dialogs.moc"
