// The entry list, the account selection and the date dialog on real data
// files, driven by keys as a user does: what is heard on opening, add,
// change and delete with their questions and sums, open periods, the
// selection's checks and dates, and "日指定" moving the day list.

#include "LedgerAppFixture.h"

#include "CMainFrame.h"
#include "KinzoCommands.h"
#include "kinzo/data/AmountText.h"
#include "kinzo/dialogs/CDateMoveDialog.h"
#include "kinzo/dialogs/CKinzoDialog.h"
#include "kinzo/dialogs/DialogCommands.h"
#include "kinzo/dialogs/accounts/CAccountSelectDialog.h"
#include "kinzo/dialogs/list/CKinzoListDialog.h"
#include "kinzo/dialogs/list/CKinzoListGrid.h"
#include "kinzo/views/CDayView.h"
#include "kinzo/views/LedgerViews.h"
#include "kolib/CKoIntegerEdit.h"
#include "kolib/CKoVComboBox.h"
#include "kolib/CKoVDateTimeCtrl.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QtTest>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
}

// A key to the list's grid, which has the focus whenever the list is active.
void pressOn(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(widget, Qt::Key(key), modifiers);
}

}  // namespace

class TestEntryList : public QObject {
    Q_OBJECT

    LedgerAppFixture f;
    int m_food = 0, m_eatOut = 0, m_groceries = 0;
    struct Stored {
        QDate date;
        qint64 amount;
    };
    QList<Stored> m_stored;   // what init put on 外食

    std::unique_ptr<CKinzoListDialog> open(int account, const QDate& start, const QDate& end)
    {
        auto d = std::make_unique<CKinzoListDialog>(nullptr, f.Doc(), account, start, end);
        d->show();
        d->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(d.get())); }();
        return d;
    }
    static QString label(QWidget& d, const char* id) { return d.findChild<QLabel*>(QLatin1String(id))->text(); }
    // The amounts the grid lists, summed from its text.
    static qint64 gridSum(CKinzoListGrid& grid)
    {
        qint64 sum = 0;
        for (int row = CKinzoListGrid::FirstEntryRow; row < grid.GetRowCount(); ++row)
            sum += ParseAmount(grid.GetCellText(row, CKinzoListGrid::ColAmount));
        return sum;
    }
    qint64 storedSum(const QDate& start, const QDate& end) const
    {
        qint64 sum = 0;
        for (const Stored& s : m_stored)
            if ((!start.isValid() || s.date >= start) && (!end.isValid() || s.date <= end)) sum += s.amount;
        return sum;
    }
    int storedCount(const QDate& start, const QDate& end) const
    {
        return int(std::count_if(m_stored.begin(), m_stored.end(), [&](const Stored& s) {
            return (!start.isValid() || s.date >= start) && (!end.isValid() || s.date <= end);
        }));
    }
    QStringList gridDates(CKinzoListGrid& grid)
    {
        QStringList dates;
        for (int row = CKinzoListGrid::FirstEntryRow; row < grid.GetRowCount(); ++row)
            dates << grid.GetCellText(row, CKinzoListGrid::ColDate);
        return dates;
    }

private Q_SLOTS:
    void initTestCase()
    {
        f.Start();
        RegisterLedgerViews();
        RegisterDialogCommands();
    }

    void init()
    {
        QVERIFY(f.NewLedger());
        m_food = f.AddAccount(f.Root(2)->m_data.ID, u"食費"_s);
        m_eatOut = f.AddAccount(m_food, u"外食"_s);
        m_groceries = f.AddAccount(m_food, u"食材"_s);
        m_stored = {{QDate(2010, 4, 30), 500}, {QDate(2010, 5, 1), 1200}, {QDate(2010, 5, 10), 3400},
                    {QDate(2010, 6, 2), 800}};
        for (const Stored& s : m_stored) QVERIFY(f.AddEntry(s.date, m_eatOut, s.amount, u"昼"_s));
        f.AddEntry(QDate(2010, 5, 3), m_groceries, 999);   // another account: never listed
        f.messages.clear();
        f.ClearHeard();
    }

    void openingSaysAccountPeriodAndCount()
    {
        const QDate start(2010, 5, 1), end(2010, 5, 31);
        auto d = open(m_eatOut, start, end);
        QCOMPARE(d->windowTitle(), u"出納データ一覧"_s);
        QCOMPARE(label(*d, "1190"), u"外食"_s);
        QCOMPARE(label(*d, "1128"), u"2010年 5月 1日 - 2010年 5月31日"_s);
        CKinzoListGrid& grid = d->Grid();
        QCOMPARE(grid.GetFixedColumnCount(), 1);
        QStringList headers;
        for (int col = 0; col < CKinzoListGrid::ColumnCount; ++col) headers << grid.GetCellText(0, col);
        QCOMPARE(headers, (QStringList{u"No"_s, u"日付"_s, u"金額"_s, u"相手先"_s, u"備考"_s}));
        QCOMPARE(gridDates(grid), (QStringList{u"2010年 5月 1日"_s, u"2010年 5月10日"_s}));
        QCOMPARE(grid.GetCellText(2, CKinzoListGrid::ColAmount), u"3,400"_s);
        QCOMPARE(grid.GetCellText(2, CKinzoListGrid::ColNote), u"昼"_s);
        QCOMPARE(gridSum(grid), storedSum(start, end));
        // One announcement, not cut off by the grid taking the focus.
        QTRY_COMPARE(QApplication::focusWidget(), &grid);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(f.Heard(), QStringList{u"科目名 外食 期間 2010年 5月 1日 - 2010年 5月31日 件数は2件です。"_s});
        press(Qt::Key_Down);
        QCOMPARE(grid.GetCurrentCell().row, 2);
        QVERIFY(f.Heard().size() == 2);

        press(Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(f.Heard().last(), u"縦優先移動"_s);
        press(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(grid.LastCopy(), u"2010年 5月10日"_s);
        QStringList items;
        for (QAction* action : d->ActionMenu()->actions())
            if (!action->isSeparator()) items << action->text();
        QCOMPARE(items, (QStringList{u"追加(&A)...\tCtrl+A"_s, u"更新(&U)...\tCtrl+U"_s, u"削除(&D)...\tCtrl+D"_s,
                                     u"横優先移動(&H)\tCtrl+Space"_s}));
        d->ActionMenu()->actions().last()->trigger();
        QCOMPARE(f.Heard().last(), u"横優先移動"_s);
        Q_EMIT d->ActionMenu()->hovered(d->ActionMenu()->actions().first());
        QCOMPARE(f.Heard().last(), u"追加 Ctrl+A"_s);
        press(Qt::Key_Escape);
        QVERIFY(!d->isVisible());
    }

    void addChangeAndDeleteByKeys()
    {
        const QDate start(2010, 5, 1);
        auto d = open(m_eatOut, start, QDate());
        CKinzoListGrid& grid = d->Grid();
        QCOMPARE(label(*d, "1128"), u"2010年 5月 1日 以降"_s);
        QCOMPARE(grid.EntryCount(), storedCount(start, QDate()));
        QTRY_VERIFY(f.Heard().value(0).endsWith(u" 件数は3件です。"_s));
        QSignalSpy hints(&f.Doc(), &CKinzoDoc::UpdateAllViews);

        // Ctrl+A: today's entry on this account, seen at once in the list.
        WhenModalOf<CKinzoDialog>([](CKinzoDialog* entry) {
            entry->findChild<CKoIntegerEdit*>(u"1011"_s)->setText(u"700"_s);
            entry->Register();
            entry->OkButton()->click();
        });
        pressOn(&grid, Qt::Key_A, Qt::ControlModifier);
        m_stored.append({QDate::currentDate(), 700});
        QCOMPARE(grid.EntryCount(), 4);
        QCOMPARE(gridSum(grid), storedSum(start, QDate()));
        QCOMPARE(f.EntriesOf(QDate::currentDate(), QDate::currentDate()).value(0).itemId, m_eatOut);

        // Enter on the first line: change its amount.
        grid.SetCurrentCell(1, CKinzoListGrid::ColAmount);
        WhenModalOf<CKinzoDialog>([](CKinzoDialog* entry) {
            QCOMPARE(entry->GetMode(), CKinzoDialog::ChangeMode);
            entry->findChild<CKoIntegerEdit*>(u"1011"_s)->setText(u"1500"_s);
            entry->Register();
        });
        f.ClearHeard();
        pressOn(&grid, Qt::Key_Return);
        m_stored[1].amount = 1500;
        QCOMPARE(grid.GetCellText(1, CKinzoListGrid::ColAmount), u"1,500"_s);
        QVERIFY(f.Heard().contains(u"データを更新しました。"_s));
        QCOMPARE(gridSum(grid), storedSum(start, QDate()));

        // Ctrl+D on the second line: Cancel keeps it, OK deletes it.
        grid.SetCurrentCell(2, CKinzoListGrid::ColDate);
        const int id = grid.EntryIdOfRow(2);
        QCOMPARE(f.messages, QStringList{u"置き換えますがよろしいですか？ "_s});   // the entry dialog's own
        f.messages.clear();
        f.answers = {KoAnswer::Cancel};
        pressOn(&grid, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(f.messages, QStringList{u"「No 2 2010年 5月10日」のデータを削除してよろしいですか？"_s});
        QCOMPARE(grid.EntryCount(), 4);
        QCOMPARE(f.EntriesOf(QDate(2010, 5, 10), QDate(2010, 5, 10)).size(), 1);
        f.ClearHeard();
        hints.clear();
        pressOn(&grid, Qt::Key_D, Qt::ControlModifier);
        m_stored.removeAt(2);
        QCOMPARE(f.Heard(), (QStringList{u"「No 2 2010年 5月10日」のデータを削除してよろしいですか？"_s,
                                         u"データを削除しました。"_s}));
        QCOMPARE(grid.EntryCount(), 3);
        QCOMPARE(grid.GetCellText(2, CKinzoListGrid::ColNo), u"2"_s);
        QCOMPARE(gridSum(grid), storedSum(start, QDate()));
        QVERIFY(f.EntriesOf(QDate(2010, 5, 10), QDate(2010, 5, 10)).isEmpty());
        QCOMPARE(hints.size(), 1);
        QCOMPARE(hints[0][0].value<UpdateHint>(), UpdateHint::EntryDeleted);
        QCOMPARE(hints[0][1].toInt(), id);
        QCOMPARE(f.EntryCount(), qint64(m_stored.size() + 1));
    }

    void aDeleteThatFailsMidwayLeavesEverythingStored()
    {
        auto d = open(m_eatOut, QDate(2010, 5, 1), QDate(2010, 5, 31));
        d->Grid().SetCurrentCell(1, 1);
        // The loan table cannot be read: the entry is already deleted inside
        // the transaction when the loan step fails, and comes back.
        sqlite3* db = f.Doc().Connection().Handle();
        QCOMPARE(sqlite3_exec(db, "ALTER TABLE 分割支払 RENAME TO 分割支払_away", nullptr, nullptr, nullptr), SQLITE_OK);
        pressOn(&d->Grid(), Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(sqlite3_exec(db, "ALTER TABLE 分割支払_away RENAME TO 分割支払", nullptr, nullptr, nullptr), SQLITE_OK);
        QCOMPARE(f.messages.value(1), u"分割支払いレコード更新に失敗しました。"_s);
        QCOMPARE(d->Grid().EntryCount(), 2);
        QCOMPARE(f.EntryCount(), qint64(m_stored.size() + 1));
        QCOMPARE(f.EntriesOf(QDate(2010, 5, 1), QDate(2010, 5, 1)).size(), 1);

        // The day list deletes the same way.
        f.App().m_currentDate = QDate(2010, 5, 1);
        CDayView day(f.Doc());
        day.OnInitialUpdate();
        day.Grid().SetCurrentCell(CListGrid::FirstEntryRow, 1);
        f.messages.clear();
        QCOMPARE(sqlite3_exec(db, "ALTER TABLE 分割支払 RENAME TO 分割支払_away", nullptr, nullptr, nullptr), SQLITE_OK);
        QVERIFY(day.OnCommand(CmdEntryDelete));
        QCOMPARE(sqlite3_exec(db, "ALTER TABLE 分割支払_away RENAME TO 分割支払", nullptr, nullptr, nullptr), SQLITE_OK);
        QCOMPARE(f.messages.value(1), u"分割支払いレコード更新に失敗しました。"_s);
        QCOMPARE(day.Grid().EntryCount(), 1);
        QCOMPARE(f.EntriesOf(QDate(2010, 5, 1), QDate(2010, 5, 1)).size(), 1);

        // Another program removed the entry meanwhile: the select says so.
        QCOMPARE(f.Doc().KinzoTable().DeleteById(d->Grid().EntryIdOfRow(1)), DbStatus::Ok);
        f.messages.clear();
        pressOn(&d->Grid(), Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(f.messages.value(1), u"出納レコード抽出に失敗しました。"_s);
        QCOMPARE(d->Grid().EntryCount(), 2);
    }

    void openEndsListFromOrUpToTheirDay()
    {
        {
            const QDate end(2010, 5, 10);
            auto d = open(m_eatOut, QDate(), end);
            QCOMPARE(label(*d, "1128"), u"2010年 5月10日 以前"_s);
            QCOMPARE(gridDates(d->Grid()), (QStringList{u"2010年 4月30日"_s, u"2010年 5月 1日"_s, u"2010年 5月10日"_s}));
            QCOMPARE(gridSum(d->Grid()), storedSum(QDate(), end));
            QCOMPARE(f.messages, QStringList());
        }
        {
            const QDate start(2010, 5, 10);
            auto d = open(m_eatOut, start, QDate());
            QCOMPARE(gridDates(d->Grid()), (QStringList{u"2010年 5月10日"_s, u"2010年 6月 2日"_s}));
            QCOMPARE(gridSum(d->Grid()), storedSum(start, QDate()));
            QCOMPARE(f.messages, QStringList());
        }
        auto d = open(m_eatOut, QDate(2010, 5, 1), QDate(2010, 5, 1));
        QCOMPARE(label(*d, "1128"), u"2010年 5月 1日"_s);

        // The whole ledger's entry and day-total queries take the same open
        // periods: every entry of every account from or up to the day.
        CViewKinzo& view = f.Doc().KinzoView();
        const QDate day(2010, 5, 3);
        for (const auto& [first, last] : {std::pair{QDate(), day}, std::pair{day, QDate()}}) {
            QList<_ViewEntry> entries;
            QCOMPARE(view.SelectRange(first, last, entries), DbStatus::Ok);
            // 食材's one entry is on the day itself, inside both.
            QCOMPARE(entries.size(), storedCount(first, last) + 1);
            ValueMapList totals;
            QCOMPARE(view.DayTotals(first, last, totals), DbStatus::Ok);
            qint64 sum = 0;
            for (const ValueMap& row : totals) sum += row.value(u"合計"_s).toLongLong();
            QCOMPARE(sum, storedSum(first, last) + 999);
        }
    }

    void anAccountWithoutEntriesSaysZero()
    {
        const int drinks = f.AddAccount(m_food, u"飲料"_s);
        auto d = open(drinks, QDate(2010, 1, 1), QDate(2010, 12, 31));
        QCOMPARE(d->Grid().EntryCount(), 0);
        QTRY_COMPARE(f.Heard().value(0),
                     u"科目名 飲料 期間 2010年 1月 1日 - 2010年12月31日 件数は0件です。"_s);
        pressOn(&d->Grid(), Qt::Key_D, Qt::ControlModifier);
        pressOn(&d->Grid(), Qt::Key_Return);
        QVERIFY(f.messages.isEmpty());
    }

    void theSelectionWantsALeafAndReturnsTickedDates()
    {
        CAccountSelectDialog d(nullptr, f.Doc(), 0, QDate(2010, 5, 1), QDate());
        d.show();
        QCOMPARE(d.windowTitle(), u"科目選択"_s);
        auto* startBox = d.findChild<QCheckBox*>(u"1189"_s);
        auto* endBox = d.findChild<QCheckBox*>(u"1190"_s);
        QVERIFY(startBox->isChecked());
        QVERIFY(!endBox->isChecked());
        QVERIFY(!d.findChild<CKoVDateTimeCtrl*>(u"1164"_s)->isEnabled());
        d.Chain().SelectSide(2);
        d.accept();
        d.Chain().SelectAccount(m_food);
        d.accept();
        QCOMPARE(f.messages, (QStringList{u"科目が選択されていません。"_s, u"最下位の科目まで選択してください。"_s}));
        QVERIFY(d.isVisible());
        d.Chain().SelectAccount(m_groceries);
        endBox->setChecked(true);
        d.findChild<CKoVDateTimeCtrl*>(u"1164"_s)->setDate(QDate(2010, 6, 30));
        startBox->setChecked(false);
        d.accept();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.AccountId(), m_groceries);
        QCOMPARE(d.StartDate(), QDate());
        QCOMPARE(d.EndDate(), QDate(2010, 6, 30));
    }

    void theDayListsChoiceOpensTheListForTheMonth()
    {
        f.App().m_currentDate = QDate(2010, 5, 20);
        CDayView view(f.Doc());
        view.show();
        view.OnInitialUpdate();
        QVERIFY(view.IsCommandEnabled(CmdSelectAccount).value_or(false));
        QString period;
        int listed = -1;
        WhenModalOf<CAccountSelectDialog>([&](CAccountSelectDialog* select) {
            QVERIFY(select->findChild<QCheckBox*>(u"1189"_s)->isChecked());
            QCOMPARE(select->findChild<CKoVDateTimeCtrl*>(u"1164"_s)->date(), QDate(2010, 5, 31));
            select->Chain().SelectAccount(m_eatOut);
            WhenModalOf<CKinzoListDialog>([&](CKinzoListDialog* list) {
                period = list->findChild<QLabel*>(u"1128"_s)->text();
                listed = list->Grid().EntryCount();
                list->reject();
            });
            select->accept();
        });
        view.OnCommand(CmdSelectAccount);
        QCOMPARE(period, u"2010年 5月 1日 - 2010年 5月31日"_s);
        QCOMPARE(listed, storedCount(QDate(2010, 5, 1), QDate(2010, 5, 31)));
    }

    void goToDaySwitchesTheDayListToTheTypedDate()
    {
        CMainFrame frame(f.App());
        QVERIFY(frame.Create());
        frame.show();
        QVERIFY(frame.IsCommandEnabled(CmdGoToDay));
        f.App().m_currentDate = QDate(2010, 5, 20);
        WhenModalOf<CDateMoveDialog>([](CDateMoveDialog* d) {
            QCOMPARE(d->windowTitle(), u"日付"_s);
            QCOMPARE(QApplication::focusWidget(), d->Picker());
            QTest::keyClicks(d->Picker(), u"2011"_s);
            press(Qt::Key_Right);
            QTest::keyClicks(d->Picker(), u"3"_s);
            press(Qt::Key_Right);
            QTest::keyClicks(d->Picker(), u"15"_s);
            press(Qt::Key_Tab);
            press(Qt::Key_Return);
        });
        f.ClearHeard();
        QVERIFY(frame.RunCommand(CmdGoToDay));
        QCOMPARE(f.App().m_currentDate, QDate(2011, 3, 15));
        QCOMPARE(frame.ActiveFormId(), CDayView::FormId);
        auto* day = dynamic_cast<CDayView*>(frame.ActiveView());
        QVERIFY(day);
        QCOMPARE(day->DateLabel()->text(), u"2011年 3月15日"_s);
        QVERIFY(f.Heard().contains(u"リスト表示 2011年 3月15日"_s));

        // 月指定 shows the month of days from the typed month.
        WhenModalOf<CDateMoveDialog>([](CDateMoveDialog* d) {
            QCOMPARE(d->Picker()->DisplayMode(), int(CDateMoveDialog::MonthMode));
            QTest::keyClicks(d->Picker(), u"2012"_s);
            QTest::keyClick(d->Picker(), Qt::Key_Right);
            QTest::keyClicks(d->Picker(), u"2"_s);
            d->accept();
        });
        QVERIFY(frame.RunCommand(CmdGoToMonth));
        QCOMPARE(f.App().m_currentDate, QDate(2012, 2, 15));
        QCOMPARE(frame.ActiveFormId(), 138);

        // 年指定 from the month of days: the year of months, the 29th of a
        // leap February cut to the 28th of the typed year.
        f.App().m_currentDate = QDate(2012, 2, 29);
        WhenModalOf<CDateMoveDialog>([](CDateMoveDialog* d) {
            QCOMPARE(d->Picker()->DisplayMode(), int(CDateMoveDialog::YearMode));
            QTest::keyClicks(d->Picker(), u"2013"_s);
            press(Qt::Key_Tab);
            press(Qt::Key_Return);
        });
        QVERIFY(frame.RunCommand(CmdGoToYear));
        QCOMPARE(f.App().m_currentDate, QDate(2013, 2, 28));
        QCOMPARE(frame.ActiveFormId(), 139);

        // Month mode keeps the day where the month has it.
        CDateMoveDialog month(nullptr, CDateMoveDialog::MonthMode, QDate(2010, 3, 31));
        month.show();
        month.Picker()->setDate(QDate(2010, 2, 28));
        month.accept();
        QCOMPARE(month.Date(), QDate(2010, 2, 28));
        frame.close();
    }
};

int main(int argc, char** argv)
{
    CKinzoApp app(argc, argv);
    TestEntryList test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_entry_list.moc"
