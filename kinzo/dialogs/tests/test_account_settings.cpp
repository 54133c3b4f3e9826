// "科目設定" and "相手先一覧" on real data files: each account operation is
// run through the dialog as a user runs it and its stored result is read
// back straight from the file; the grid's speech is heard through the
// transcript.

#include "LedgerAppFixture.h"

#include "kinzo/dialogs/accounts/CAccountGrid.h"
#include "kinzo/dialogs/accounts/CAcntAddDialog.h"
#include "kinzo/dialogs/accounts/CAcntMergeDialog.h"
#include "kinzo/dialogs/accounts/CAcntMoveDialog.h"
#include "kinzo/dialogs/accounts/CAcntSettingDialog.h"
#include "kinzo/dialogs/counterparties/CCaterAddDialog.h"
#include "kinzo/dialogs/counterparties/CCaterManageDialog.h"
#include "kolib/CKoCheckBox.h"
#include "kolib/CKoEdit.h"
#include "kolib/CKoVDateTimeCtrl.h"
#include "kolib/CKoVListCtrl.h"

#include <QAccessible>
#include <QAction>
#include <QtTest>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

// The rows of a query, read straight from the file, fields joined with "|".
QStringList fromFile(const QString& file, const QString& sql)
{
    sqlite3* db = nullptr;
    QStringList rows;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) == SQLITE_OK) {
            while (sqlite3_step(stmt) == SQLITE_ROW) {
                QStringList fields;
                for (int i = 0; i < sqlite3_column_count(stmt); ++i)
                    fields << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)));
                rows << fields.join(u'|');
            }
        } else {
            rows << u"error: "_s + QString::fromUtf8(sqlite3_errmsg(db));
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return rows;
}

}  // namespace

class TestAccountSettings : public QObject {
    Q_OBJECT

    LedgerAppFixture f;
    int m_income = 0, m_expense = 0;

    QStringList stored(const QString& sql) { return fromFile(f.Doc().PathName(), sql); }
    QString one(const QString& sql) { return stored(sql).value(0); }
    QString itemOf(const QString& name, const QString& columns)
    {
        return one(u"SELECT %1 FROM 勘定科目 WHERE 科目名称 = '%2'"_s.arg(columns, name));
    }
    // Count and sum of the entries booked to the item, from the file.
    QString entriesOf(int itemId)
    {
        return one(u"SELECT count(*) || '/' || coalesce(sum(金額), 0) FROM 出納簿 WHERE 勘定科目ID = %1"_s.arg(itemId));
    }
    int addLoan(int itemId)
    {
        _LoanData loan;
        loan.itemId = itemId;
        loan.total = 100000;
        loan.monthly = 10000;
        loan.startMonth = {2026, 1, 1};
        return f.Doc().LoanTable().AddLoan(loan) == DbStatus::Ok ? loan.ID : 0;
    }

    std::unique_ptr<CAcntSettingDialog> open()
    {
        auto d = std::make_unique<CAcntSettingDialog>(nullptr, f.Doc());
        d->show();
        [&] { QVERIFY(QTest::qWaitForWindowActive(d.get())); }();
        f.messages.clear();
        return d;
    }
    static void putCursorOn(CAcntSettingDialog& d, int id, int col = CAccountGrid::ColLevel1)
    {
        d.Grid().SetCurrentCell(d.Grid().RowOfNode(d.Tree().Find(id)), col);
    }
    // "追加" with the cursor on `on`: types the name and presses OK.
    void add(CAcntSettingDialog& d, int on, const QString& name, int* proposedParent = nullptr)
    {
        putCursorOn(d, on);
        WhenModalOf<CAcntAddDialog>([name, proposedParent](CAcntAddDialog* a) {
            if (proposedParent) *proposedParent = a->Chain().ItemData(a->Chain().DeepestLevel());
            TypeText(a->NameField(), name);
            a->OkButton()->click();
        });
        d.RunCommand(CAcntSettingDialog::CmdAdd);
    }
    int idOf(const QString& name) { return itemOf(name, u"ID"_s).toInt(); }

    void freshLedger()
    {
        QVERIFY(f.NewLedger());
        m_income = f.Root(1)->m_data.ID;
        m_expense = f.Root(2)->m_data.ID;
    }

private slots:
    void initTestCase() { f.Start(); }
    void init() { freshLedger(); }

    void addUnderEachLevel()
    {
        auto d = open();
        add(*d, m_expense, u"食費"_s);
        add(*d, idOf(u"食費"_s), u"外食"_s);
        add(*d, idOf(u"外食"_s), u"ランチ"_s);
        int proposed = 0;
        add(*d, idOf(u"ランチ"_s), u"ディナー"_s, &proposed);   // a level-3 current item proposes its parent
        QCOMPARE(proposed, idOf(u"外食"_s));
        const QString food = QString::number(idOf(u"食費"_s)), eatOut = QString::number(idOf(u"外食"_s));
        QCOMPARE(itemOf(u"食費"_s, u"レベル, 親科目ID, 仕分けID, 表示幅, 印刷幅"_s), u"1|%1|2|70|70"_s.arg(m_expense));
        QCOMPARE(itemOf(u"外食"_s, u"レベル, 親科目ID, 仕分けID"_s), u"2|%1|2"_s.arg(food));
        QCOMPARE(itemOf(u"ランチ"_s, u"レベル, 親科目ID"_s), u"3|"_s + eatOut);
        QCOMPARE(itemOf(u"ディナー"_s, u"レベル, 親科目ID"_s), u"3|"_s + eatOut);
        QCOMPARE(d->Grid().CurrentNode()->m_data.name, u"ディナー"_s);
        QCOMPARE(f.messages, QStringList());
        QVERIFY(d->Modified());
    }

    // The add dialog's checks in their order; each keeps the dialog open with
    // the focus on the field at fault, and says its message.
    void addRefusalsInOrder()
    {
        auto d = open();
        add(*d, m_expense, u"食費"_s);
        const int food = idOf(u"食費"_s);
        QVERIFY(f.AddEntry({2026, 4, 1}, food, 1200) > 0);
        QVERIFY(f.AddEntry({2026, 4, 2}, food, 800) > 0);
        putCursorOn(*d, food);
        f.ClearHeard();
        QString focusAfter[3];
        // The field that has the keyboard, named by itself or the picker it is part of.
        const auto focusName = [](CAcntAddDialog* a) {
            QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, 2000);
            QWidget* focus = QApplication::focusWidget();
            if (focus && a->EndPicker()->isAncestorOf(focus)) focus = a->EndPicker();
            return focus ? focus->objectName() : u"nothing"_s;
        };
        WhenModalOf<CAcntAddDialog>([&](CAcntAddDialog* a) {
            a->OkButton()->click();                       // no name
            focusAfter[0] = focusName(a);
            TypeText(a->NameField(), u"外＆食"_s);
            a->OkButton()->click();                       // forbidden character
            focusAfter[1] = focusName(a);
            a->NameField()->clear();
            TypeText(a->NameField(), u"外食"_s);
            a->StartBox()->setChecked(true);
            a->EndBox()->setChecked(true);
            a->StartPicker()->setDate({2026, 6, 1});
            a->EndPicker()->setDate({2026, 5, 1});
            a->OkButton()->click();                       // ends before it starts
            focusAfter[2] = focusName(a);
            a->StartBox()->setChecked(false);
            a->OkButton()->click();
        });
        d->RunCommand(CAcntSettingDialog::CmdAdd);
        const QStringList refusals{u"科目名を入力してください。"_s, u"科目名に許可されない文字が含まれています。"_s,
                                   u"有効終了日が有効開始日より前になっています。"_s};
        const QString question =
            u"親科目はすでに出納データを持っています。\r\n子科目を追加すると、これは子科目に移動されますがよろしいですか？"_s;
        QCOMPARE(f.messages, refusals + QStringList{question});
        QStringList heardRefusals = f.Heard();
        heardRefusals.removeIf([&](const QString& line) { return !refusals.contains(line); });
        QCOMPARE(heardRefusals, refusals);
        QCOMPARE(focusAfter[0], u"1003"_s);
        QCOMPARE(focusAfter[1], u"1003"_s);
        QCOMPARE(focusAfter[2], u"1086"_s);
        // The parent's entries moved to the new child; its end month stored.
        const int eatOut = idOf(u"外食"_s);
        QCOMPARE(entriesOf(eatOut), u"2/2000"_s);
        QCOMPARE(entriesOf(food), u"0/0"_s);
        QCOMPARE(itemOf(u"外食"_s, u"有効開始日使用, 有効終了日使用, 有効終了日"_s), u"0|1|2026-05-31"_s);

        // The same name under the same parent once more.
        f.messages.clear();
        add(*d, food, u"外食"_s);
        QCOMPARE(f.messages, QStringList{u"この名称は同じ親科目内に既に登録されています。"_s});
        QCOMPARE(one(u"SELECT count(*) FROM 勘定科目 WHERE 科目名称 = '外食'"_s), u"1"_s);
    }

    // A child's end of March 2011 under a parent without limits: the parent
    // takes that end, the child's own child takes the child's limits.
    void changeWidensUpAndPushesDown()
    {
        const int food = f.AddAccount(m_expense, u"食費"_s);
        const int eatOut = f.AddAccount(food, u"外食"_s);
        f.AddAccount(eatOut, u"ランチ"_s);
        auto d = open();
        putCursorOn(*d, eatOut);
        WhenModalOf<CAcntAddDialog>([](CAcntAddDialog* a) {
            a->EndBox()->setChecked(true);
            a->EndPicker()->setDate({2011, 3, 1});
            a->NoteField()->setText(u"閉店"_s);
            a->OkButton()->click();
        });
        d->RunCommand(CAcntSettingDialog::CmdChange);
        const QString columns = u"有効開始日使用, 有効終了日使用, 有効終了日"_s;
        QCOMPARE(itemOf(u"外食"_s, columns + u", 備考"_s), u"0|1|2011-03-31|閉店"_s);
        QCOMPARE(itemOf(u"ランチ"_s, columns), u"0|1|2011-03-31"_s);
        QCOMPARE(itemOf(u"食費"_s, columns), u"0|1|2011-03-31"_s);
        QCOMPARE(itemOf(u"支出"_s, u"有効終了日使用"_s), u"0"_s);   // the side item keeps no limits
        QCOMPARE(d->Grid().GetCellText(d->Grid().RowOfNode(d->Tree().Find(food)), CAccountGrid::ColEnd),
                 u"2011年 3月"_s);
        QCOMPARE(f.messages, QStringList());
    }

    void mergeMovesEntriesAndLoans()
    {
        const int food = f.AddAccount(m_expense, u"食費"_s);
        const int eatOut = f.AddAccount(food, u"外食"_s), groceries = f.AddAccount(food, u"食料品"_s);
        for (int day = 1; day <= 3; ++day) QVERIFY(f.AddEntry({2026, 4, day}, eatOut, 1000 * day) > 0);
        QVERIFY(f.AddEntry({2026, 4, 9}, groceries, 450) > 0);
        const int loan = addLoan(eatOut);
        auto d = open();
        putCursorOn(*d, eatOut);
        QVERIFY(d->IsCommandEnabled(CAcntSettingDialog::CmdMerge));
        WhenModalOf<CAcntMergeDialog>([&](CAcntMergeDialog* m) {
            m->OkButton()->click();                        // onto itself
            m->Chain().SelectAccount(food);
            m->OkButton()->click();                        // onto a parent
            m->Chain().SelectAccount(groceries);
            m->OkButton()->click();
        });
        d->RunCommand(CAcntSettingDialog::CmdMerge);
        QCOMPARE(f.messages, (QStringList{u"自分自身に統合することはできません。"_s, u"末端の科目まで指定してください。"_s}));
        QCOMPARE(entriesOf(groceries), u"4/6450"_s);
        QCOMPARE(one(u"SELECT count(*) FROM 勘定科目 WHERE ID = %1"_s.arg(eatOut)), u"0"_s);
        QCOMPARE(one(u"SELECT 勘定科目ID FROM 分割支払 WHERE ID = %1"_s.arg(loan)), QString::number(groceries));
        QCOMPARE(d->Grid().CurrentNode()->m_data.ID, groceries);
        putCursorOn(*d, food);
        QVERIFY(!d->IsCommandEnabled(CAcntSettingDialog::CmdMerge));   // has children
    }

    void moveChecksDepth()
    {
        const int food = f.AddAccount(m_expense, u"食費"_s);
        const int eatOut = f.AddAccount(food, u"外食"_s);
        f.AddAccount(eatOut, u"ランチ"_s);
        const int travel = f.AddAccount(m_expense, u"交通費"_s);
        QVERIFY(f.AddEntry({2026, 4, 1}, idOf(u"ランチ"_s), 900) > 0);
        auto d = open();
        putCursorOn(*d, food);
        WhenModalOf<CAcntMoveDialog>([&](CAcntMoveDialog* m) {
            m->OkButton()->click();                        // the parent it has
            m->Chain().SelectAccount(travel);
            m->OkButton()->click();                        // four levels
            m->Chain().SelectAccount(m_income);
            m->OkButton()->click();
        });
        d->RunCommand(CAcntSettingDialog::CmdMove);
        QCOMPARE(f.messages, (QStringList{u"親が変更されていません。"_s,
                                          u"移動先の階層数が３を超えるため、移動することはできません。"_s}));
        QCOMPARE(itemOf(u"食費"_s, u"レベル, 親科目ID, 仕分けID"_s), u"1|%1|1"_s.arg(m_income));
        QCOMPARE(itemOf(u"ランチ"_s, u"レベル, 仕分けID"_s), u"3|1"_s);
        QCOMPARE(entriesOf(idOf(u"ランチ"_s)), u"1/900"_s);
        // The moved subtree's codes continue the new parent's.
        const QString root = itemOf(u"収入"_s, u"階層番号"_s);
        const QString food2 = itemOf(u"食費"_s, u"階層番号"_s);
        QVERIFY(food2.startsWith(root) && food2 != root);
        QVERIFY(itemOf(u"ランチ"_s, u"階層番号"_s).startsWith(food2 + u"1."_s));

        // Below itself: refused before any depth check.
        f.messages.clear();
        putCursorOn(*d, travel);
        WhenModalOf<CAcntMoveDialog>([&](CAcntMoveDialog* m) {
            m->Chain().SelectAccount(food);
            m->OkButton()->click();
        });
        d->RunCommand(CAcntSettingDialog::CmdMove);
        QCOMPARE(itemOf(u"交通費"_s, u"レベル, 親科目ID"_s), u"2|"_s + QString::number(food));
        putCursorOn(*d, food);
        WhenModalOf<CAcntMoveDialog>([&](CAcntMoveDialog* m) {
            m->Chain().SelectAccount(travel);
            m->OkButton()->click();
            m->CancelButton()->click();
        });
        d->RunCommand(CAcntSettingDialog::CmdMove);
        QCOMPARE(f.messages, QStringList{u"自分自身の下位科目の下へ移動することはできません。"_s});
    }

    void deleteParentRemovesDescendants()
    {
        const int food = f.AddAccount(m_expense, u"食費"_s);
        const int eatOut = f.AddAccount(food, u"外食"_s), lunch = f.AddAccount(eatOut, u"ランチ"_s);
        const int groceries = f.AddAccount(food, u"食料品"_s), travel = f.AddAccount(m_expense, u"交通費"_s);
        for (int id : {lunch, groceries, travel}) QVERIFY(f.AddEntry({2026, 4, 1}, id, 100) > 0);
        addLoan(lunch);
        addLoan(travel);
        auto d = open();
        putCursorOn(*d, food);
        f.answers = {KoAnswer::Cancel};
        d->RunCommand(CAcntSettingDialog::CmdDelete);
        QCOMPARE(one(u"SELECT count(*) FROM 出納簿"_s), u"3"_s);
        d->RunCommand(CAcntSettingDialog::CmdDelete);
        const QString question =
            u"これは親階層の科目です。\n科目 食費 とそのすべての子科目のデータも削除されますが、よろしいですか？"_s;
        QCOMPARE(f.messages, (QStringList{question, question}));
        QCOMPARE(stored(u"SELECT 勘定科目ID FROM 出納簿"_s), QStringList{QString::number(travel)});
        QCOMPARE(stored(u"SELECT 勘定科目ID FROM 分割支払"_s), QStringList{QString::number(travel)});
        QCOMPARE(stored(u"SELECT 科目名称 FROM 勘定科目 WHERE レベル > 0"_s), QStringList{u"交通費"_s});
        QCOMPARE(d->Grid().CurrentNode()->m_data.ID, travel);

        f.messages.clear();
        d->RunCommand(CAcntSettingDialog::CmdDelete);
        QCOMPARE(f.messages, QStringList{u"科目 交通費 のデータもすべて削除されますが、よろしいですか？"_s});
        QCOMPARE(one(u"SELECT count(*) FROM 出納簿"_s) + one(u"SELECT count(*) FROM 分割支払"_s), u"00"_s);
        // Nothing below the side items: only 追加 is left.
        QVERIFY(d->IsCommandEnabled(CAcntSettingDialog::CmdAdd));
        for (int command : {CAcntSettingDialog::CmdChange, CAcntSettingDialog::CmdMove, CAcntSettingDialog::CmdDelete,
                            CAcntSettingDialog::CmdMerge})
            QVERIFY(!d->IsCommandEnabled(command));
    }

    void reorderRenumbersCodes()
    {
        for (const QString& name : {u"A"_s, u"B"_s, u"C"_s, u"D"_s}) f.AddAccount(m_expense, name);
        auto d = open();
        const auto order = [this] {
            return stored(u"SELECT 科目名称 FROM 勘定科目 WHERE 親科目ID = %1 ORDER BY 階層番号"_s.arg(m_expense)).join(u""_s);
        };
        const auto run = [&](const QString& name, int command) {
            putCursorOn(*d, idOf(name));
            d->RunCommand(command);
            return d->Grid().CurrentNode()->m_data.name == name ? order() : u"cursor left "_s + name;
        };
        QCOMPARE(run(u"A"_s, CAcntSettingDialog::CmdLast), u"BCDA"_s);
        QCOMPARE(run(u"C"_s, CAcntSettingDialog::CmdFirst), u"CBDA"_s);
        QCOMPARE(run(u"D"_s, CAcntSettingDialog::CmdUp), u"CDBA"_s);
        QCOMPARE(run(u"C"_s, CAcntSettingDialog::CmdDown), u"DCBA"_s);
        QCOMPARE(run(u"D"_s, CAcntSettingDialog::CmdUp), u"DCBA"_s);   // already first: nothing
        putCursorOn(*d, idOf(u"D"_s));
        QVERIFY(!d->IsCommandEnabled(CAcntSettingDialog::CmdFirst));
        QVERIFY(d->IsCommandEnabled(CAcntSettingDialog::CmdLast));
        // The codes are dense and unique after all the moves.
        QCOMPARE(stored(u"SELECT count(DISTINCT 階層番号) FROM 勘定科目 WHERE 親科目ID = %1"_s.arg(m_expense)),
                 QStringList{u"4"_s});
        QCOMPARE(f.messages, QStringList());
    }

    // Up and Down say only the part of the path that changed.
    void gridSpeaksTheChangedPart()
    {
        const int food = f.AddAccount(m_expense, u"食費"_s);
        const int eatOut = f.AddAccount(food, u"外食"_s);
        f.AddAccount(eatOut, u"ランチ"_s);
        const int groceries = f.AddAccount(food, u"食料品"_s);
        auto d = open();
        // For the reader's review an empty cell is named blank, with its
        // headers, and not with the item's words.
        putCursorOn(*d, groceries, CAccountGrid::ColLevel3);
        const CXCellID empty = d->Grid().GetCurrentCell();
        const QString name = QAccessible::queryAccessibleInterface(&d->Grid())->tableInterface()
                                 ->cellAt(empty.row, empty.col)->text(QAccessible::Name);
        QVERIFY2(name.endsWith(u"空白"_s) && !name.contains(u"リーフ"_s) && !name.contains(u"食費"_s), qPrintable(name));
        CAccountGrid& grid = d->Grid();
        putCursorOn(*d, food, CAccountGrid::ColLevel3);
        grid.setFocus();
        f.ClearHeard();
        for (int i = 0; i < 3; ++i) QTest::keyClick(&grid, Qt::Key_Down);
        QTest::keyClick(&grid, Qt::Key_Right);
        // In the side column a move still names the item.
        putCursorOn(*d, food, CAccountGrid::ColSide);
        QTest::keyClick(&grid, Qt::Key_Down);
        // After an edit the cursor's new place is said.
        d->RunCommand(CAcntSettingDialog::CmdLast);
        QCOMPARE(f.Heard(), (QStringList{u"外食 空白 親2階層"_s, u"ランチ リーフ"_s, u"食料品 空白 リーフ"_s,
                                         u"空白 リーフ"_s, u"支出 食費 親1階層"_s, u"外食 親2階層"_s,
                                         u"支出 食費 外食 親2階層"_s}));
    }

    void counterparties()
    {
        for (const QString& name : {u"あさぎ商店"_s, u"みどり銀行"_s}) {
            _CaterData c{0, name, 0};
            QCOMPARE(f.Doc().CaterTable().AddCater(c), DbStatus::Ok);
        }
        CCaterManageDialog d(nullptr, f.Doc());
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        const auto current = [&d] {
            const QTreeWidgetItem* item = d.List().FirstSelected();
            return item ? item->text(0) : QString();
        };
        const auto names = [this] { return stored(u"SELECT 取引先名称 FROM 取引先 ORDER BY ID"_s); };
        const auto nameDialog = [](QStringList typed) {
            WhenModalOf<CCaterAddDialog>([typed](CCaterAddDialog* a) {
                for (const QString& name : typed) {
                    a->NameField()->clear();
                    TypeText(a->NameField(), name);
                    a->OkButton()->click();
                }
                if (a->isVisible()) a->CancelButton()->click();
            });
        };
        f.messages.clear();
        nameDialog({u""_s, u"ａ＆ｂ"_s, u"O'Neil"_s, u"さくら不動産"_s});
        d.Add();
        QCOMPARE(names(), (QStringList{u"あさぎ商店"_s, u"みどり銀行"_s, u"さくら不動産"_s}));
        QCOMPARE(current(), u"さくら不動産"_s);
        nameDialog({u"みどり銀行"_s});
        d.Add();
        d.List().setCurrentItem(d.List().topLevelItem(0));
        nameDialog({u"あさぎ商店"_s});       // unchanged: closes quietly
        QTest::keyClick(&d.List(), Qt::Key_Return);
        nameDialog({u"みどり銀行"_s});
        d.Change();
        nameDialog({u"あさぎ青果"_s});
        d.Change();
        QCOMPARE(f.messages, (QStringList{u"相手先名称が入力されていません。"_s, u"相手先名称に許可されない文字が含まれています。"_s,
                                          u"相手先名称に許可されない文字が含まれています。"_s,
                                          u"この名称は既に登録されています"_s, u"この名称は既に登録されています"_s}));
        QCOMPARE(names(), (QStringList{u"あさぎ青果"_s, u"みどり銀行"_s, u"さくら不動産"_s}));
        QCOMPARE(current(), u"あさぎ青果"_s);
        f.messages.clear();
        f.answers = {KoAnswer::Cancel};
        d.Delete();
        d.Delete();
        QCOMPARE(f.messages, (QStringList(2, u"あさぎ青果 を削除してよろしいですか？"_s)));
        QCOMPARE(names(), (QStringList{u"みどり銀行"_s, u"さくら不動産"_s}));
    }
};

int main(int argc, char** argv)
{
    CKinzoApp app(argc, argv);
    TestAccountSettings test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_account_settings.moc"
