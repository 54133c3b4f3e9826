// The four ledger views in the program's main window, driven by keys as a
// user does: Escape from the day list up through the month, year and years
// views and Enter back down, hearing each view's words and then the cursor
// cell, the remembered account kept on the way; the period steps with the
// day cut to the month; fiscal years from April; the view commands of the
// menus acting on the table.

#include "kinzo/app/CKinzoApp.h"
#include "kinzo/app/CMainFrame.h"
#include "kinzo/app/KinzoCommands.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/CKinzoDialog.h"
#include "kinzo/dialogs/DialogCommands.h"
#include "kinzo/dialogs/accounts/CAccountSelectDialog.h"
#include "kinzo/dialogs/accounts/CAcntAddDialog.h"
#include "kinzo/dialogs/accounts/CAcntSettingDialog.h"
#include "kinzo/dialogs/accounts/CAccountGrid.h"
#include "kinzo/dialogs/list/CKinzoListDialog.h"
#include "kinzo/dialogs/list/CKinzoListGrid.h"
#include "kinzo/dialogs/settings/CStartMonthDialog.h"
#include "kinzo/dialogs/tests/LedgerAppFixture.h"
#include "kolib/CKoIntegerEdit.h"
#include "kolib/CKoVComboBox.h"
#include "kinzo/views/CLedgerGrid.h"
#include "kinzo/views/LedgerViews.h"
#include "kinzo/views/summary/CMonthView.h"
#include "kinzo/views/summary/CYearView.h"
#include "kinzo/views/summary/CYearsView.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString gap(QChar(0x3000));

QString joined(const QStringList& pieces)
{
    return pieces.join(gap);
}

}  // namespace

class TestLedgerViews : public QObject {
    Q_OBJECT

    LedgerAppFixture f;
    int m_salary = 0, m_food = 0, m_groceries = 0, m_eatOut = 0, m_fare = 0;

    CMainFrame& frame() { return *f.App().MainFrame(); }
    int activeForm() { return frame().ActiveView() ? frame().ActiveView()->ResourceId() : 0; }
    CSummaryView* summary() { return dynamic_cast<CSummaryView*>(frame().ActiveView()); }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        // The main window takes the keyboard back once a dialog has gone.
        QTRY_VERIFY(QApplication::focusWidget() && !QApplication::activeModalWidget());
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target, Qt::Key(key), modifiers);
    }
    // Until the open view has said all a load makes it say: its cell follows
    // its words a moment later.
    void waitForTheViewsCell()
    {
        QTRY_VERIFY(frame().ActiveView());
        const CLedgerGrid* grid = frame().ActiveView()->findChild<CLedgerGrid*>();
        QVERIFY(grid);
        QTRY_VERIFY(!grid->IsCellSpeechPending());
    }
    // What the user hears after a key that loads a view: its words, then the
    // cell, and nothing more.
    void expectHeard(int form, const QStringList& words)
    {
        QTRY_COMPARE(activeForm(), form);
        QTRY_VERIFY_WITH_TIMEOUT(f.Heard().size() >= words.size(), 3000);
        waitForTheViewsCell();
        if (f.Heard() != words) qInfo().noquote() << "HEARD" << f.HeardWithMarkers().join(u" / "_s);
        QCOMPARE(f.Heard(), words);
        f.ClearHeard();
    }

private Q_SLOTS:
    void initTestCase()
    {
        f.Start();
        RegisterLedgerViews();
        RegisterDialogCommands();
        f.App().m_splashMinimumMs = 0;
        QVERIFY(f.App().InitInstance({}));
        QVERIFY(QTest::qWaitForWindowExposed(&frame()));
        frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame()));
    }

    void init()
    {
        QVERIFY(f.NewLedger());
        m_salary = f.AddAccount(f.Root(1)->m_data.ID, u"給与"_s);
        m_food = f.AddAccount(f.Root(2)->m_data.ID, u"食費"_s);
        m_groceries = f.AddAccount(m_food, u"食料品"_s);
        m_eatOut = f.AddAccount(m_food, u"外食"_s);
        m_fare = f.AddAccount(f.Root(2)->m_data.ID, u"交通費"_s);
        QVERIFY(f.AddEntry(QDate(2010, 5, 31), m_groceries, 1000));
        QVERIFY(f.AddEntry(QDate(2010, 5, 2), m_eatOut, 2500));
        QVERIFY(f.AddEntry(QDate(2010, 4, 25), m_salary, 300000));
        QVERIFY(f.AddEntry(QDate(2008, 2, 29), m_salary, 7));
        f.App().m_settingInfo.m_startMonth = 1;
        f.App().m_settingInfo.m_accountExpandLevel = 1;
        f.App().m_settingInfo.m_hideZeroAccount = 0;
        f.App().m_rememberedAccount = -1;
        CSummaryView::SetSharedExpandLevel(-1);
        f.App().m_currentDate = QDate(2010, 5, 31);
        frame().RunCommand(CmdListView);
        QTRY_COMPARE(activeForm(), 101);
        QTRY_VERIFY(QApplication::focusWidget());
        waitForTheViewsCell();
        f.ClearHeard();
    }

    void escapeClimbsAndEnterComesBack()
    {
        press(Qt::Key_Escape);
        expectHeard(CMonthView::FormId,
                    {u"日表示 2010年 5月31日"_s, joined({u" 5月31日"_s, u"月"_s, u"収入"_s, u"給与"_s, u"0"_s})});
        press(Qt::Key_Right);
        press(Qt::Key_Right);
        QCOMPARE(f.Heard(), (QStringList{joined({u" 5月31日"_s, u"月"_s, u"合計"_s, u"0"_s}),
                                         joined({u" 5月31日"_s, u"月"_s, u"支出"_s, u"食費"_s, u"合計"_s, u"1,000"_s})}));
        f.ClearHeard();

        // The account under the cursor goes along to the coarser views.
        press(Qt::Key_Escape);
        expectHeard(CYearView::FormId,
                    {u"月表示 2010年"_s, joined({u"2010年 5月"_s, u"支出"_s, u"食費"_s, u"合計"_s, u"3,500"_s})});
        QCOMPARE(summary()->PeriodLabel()->text(), u"2010年"_s);
        press(Qt::Key_Escape);
        expectHeard(CYearsView::FormId,
                    {u"年表示"_s, joined({u"2010年"_s, u"支出"_s, u"食費"_s, u"合計"_s, u"3,500"_s})});
        QCOMPARE(f.App().m_rememberedAccount, m_food);
        // The coarsest view has nothing above it.
        press(Qt::Key_Escape);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QCOMPARE(activeForm(), CYearsView::FormId);

        press(Qt::Key_Enter);
        expectHeard(CYearView::FormId,
                    {u"月表示 2010年"_s, joined({u"2010年 5月"_s, u"支出"_s, u"食費"_s, u"合計"_s, u"3,500"_s})});
        press(Qt::Key_Up);   // along the months, off the first column: the deepest label
        QCOMPARE(f.Heard(), (QStringList{joined({u"2010年 4月"_s, u"合計"_s, u"0"_s})}));
        f.ClearHeard();
        press(Qt::Key_Down);
        f.ClearHeard();
        press(Qt::Key_Enter);
        expectHeard(CMonthView::FormId, {u"日表示 2010年 5月31日"_s,
                                         joined({u" 5月31日"_s, u"月"_s, u"支出"_s, u"食費"_s, u"合計"_s, u"1,000"_s})});
        press(Qt::Key_Enter);
        QTRY_COMPARE(activeForm(), 101);
        QTRY_VERIFY(f.Heard().value(0) == u"リスト表示 2010年 5月31日"_s);
    }

    void stepsCutTheDayToTheMonth()
    {
        frame().RunCommand(CmdMonthView);
        expectHeard(CMonthView::FormId,
                    {u"日表示 2010年 5月31日"_s, joined({u" 5月31日"_s, u"月"_s, u"収入"_s, u"給与"_s, u"0"_s})});
        press(Qt::Key_Left, Qt::ControlModifier);
        expectHeard(CMonthView::FormId,
                    {u"日表示 2010年 4月30日"_s, joined({u" 4月30日"_s, u"金"_s, u"収入"_s, u"給与"_s, u"0"_s})});
        QCOMPARE(f.App().m_currentDate, QDate(2010, 4, 30));
        QCOMPARE(summary()->PeriodLabel()->text(), u"2010年 4月"_s);
        // The button steps too: 30 April on gives 30 May.
        QPushButton* next = nullptr;
        for (auto* button : summary()->findChildren<QPushButton*>())
            if (button->text() == u"次へ(Ctrl+→)"_s) next = button;
        QVERIFY(next);
        next->click();
        expectHeard(CMonthView::FormId,
                    {u"日表示 2010年 5月30日"_s, joined({u" 5月30日"_s, u"日"_s, u"収入"_s, u"給与"_s, u"0"_s})});

        f.App().m_currentDate = QDate(2008, 2, 29);
        frame().RunCommand(CmdYearView);
        expectHeard(CYearView::FormId,
                    {u"月表示 2008年"_s, joined({u"2008年 2月"_s, u"収入"_s, u"給与"_s, u"7"_s})});
        press(Qt::Key_Right, Qt::ControlModifier);
        expectHeard(CYearView::FormId,
                    {u"月表示 2009年"_s, joined({u"2009年 2月"_s, u"収入"_s, u"給与"_s, u"0"_s})});
        QCOMPARE(summary()->ViewDate(), QDate(2009, 2, 28));
        QCOMPARE(f.App().m_currentDate, QDate(2009, 2, 28));
    }

    void fiscalYearsFromApril()
    {
        f.App().m_settingInfo.m_startMonth = 4;
        f.App().m_currentDate = QDate(2009, 2, 15);
        frame().RunCommand(CmdYearView);
        expectHeard(CYearView::FormId,
                    {u"月表示 2008年度"_s, joined({u"2009年 2月"_s, u"収入"_s, u"給与"_s, u"0"_s})});
        QCOMPARE(summary()->PeriodLabel()->text(), u"2008年度"_s);
        QCOMPARE(summary()->Grid().Periods().first().label, u"2008年 4月"_s);

        // Enter on a year line keeps the month and day in that fiscal year.
        f.App().m_currentDate = QDate(2011, 1, 20);
        frame().RunCommand(CmdYearsView);
        QTRY_COMPARE(activeForm(), CYearsView::FormId);
        waitForTheViewsCell();
        CSummaryGrid& years = summary()->Grid();
        QCOMPARE(years.Periods().first().label, u"2007年度"_s);
        years.SetCurrentCell(years.FirstPeriodPosition() + 2, years.FirstShownLine());
        f.ClearHeard();
        press(Qt::Key_Enter);
        QTRY_COMPARE(activeForm(), CYearView::FormId);
        QCOMPARE(f.App().m_currentDate, QDate(2010, 1, 20));
        QTRY_COMPARE(f.Heard().value(0), u"月表示 2009年度"_s);

        // Back to calendar years through the settings: the open view is read
        // out afresh, and the list behind it stays silent.
        waitForTheViewsCell();
        f.ClearHeard();
        WhenModalOf<CStartMonthDialog>([](CStartMonthDialog* d) {
            d->MonthCombo()->setCurrentIndex(0);
            d->accept();
        });
        QVERIFY(frame().RunCommand(CmdStartMonth));
        QTRY_COMPARE_WITH_TIMEOUT(f.Heard(), (QStringList{u"年度開始月の文字入力または選択　4月"_s, u"月表示 2010年"_s,
                                                          joined({u"2010年 1月"_s, u"収入"_s, u"給与"_s, u"0"_s})}),
                                  3000);
        QCOMPARE(summary()->Grid().Periods().first().label, u"2010年 1月"_s);
    }

    void theEntriesBehindAFigure()
    {
        frame().RunCommand(CmdMonthView);
        QTRY_COMPARE(activeForm(), CMonthView::FormId);
        frame().RunCommand(CmdExpandLevel2);
        CSummaryGrid& grid = summary()->Grid();
        const int day31 = grid.FirstPeriodPosition() + 30;
        const auto figure = [&grid](int account, int position) {
            const CXCellID cell = grid.CellOf(grid.LineOfAccount(account), position);
            return grid.GetCellText(cell.row, cell.col);
        };
        grid.SetCurrentCell(day31, grid.LineOfAccount(m_groceries));
        waitForTheViewsCell();
        f.ClearHeard();

        // The list of the figure's item and day: change its one entry there.
        WhenModalOf<CKinzoListDialog>([this](CKinzoListDialog* list) {
            QCOMPARE(f.Heard().value(0), u"科目名 食料品 期間 2010年 5月31日 件数は1件です。"_s);
            WhenModalOf<CKinzoDialog>([](CKinzoDialog* entry) {
                entry->findChild<CKoIntegerEdit*>(u"1011"_s)->setText(u"1500"_s);
                entry->Register();
            });
            QTest::keyClick(&list->Grid(), Qt::Key_Return);
            // Cancel of the delete question keeps it.
            f.answers = {KoAnswer::Cancel};
            QTest::keyClick(&list->Grid(), Qt::Key_D, Qt::ControlModifier);
            QCOMPARE(list->Grid().EntryCount(), 1);
            list->reject();
        });
        press(Qt::Key_Return, Qt::ControlModifier);
        QTRY_COMPARE(figure(m_groceries, day31), u"1,500"_s);
        QCOMPARE(figure(m_food, grid.TotalPosition()), u"4,000"_s);
        QCOMPARE(summary()->Grid().GetCurrentAccount(), m_groceries);

        // Delete it from the list: the figure and the totals drop.
        WhenModalOf<CKinzoListDialog>([](CKinzoListDialog* list) {
            QTest::keyClick(&list->Grid(), Qt::Key_D, Qt::ControlModifier);
            QCOMPARE(list->Grid().EntryCount(), 0);
            list->reject();
        });
        press(Qt::Key_Return, Qt::ControlModifier);
        QTRY_COMPARE(figure(m_groceries, day31), u"0"_s);
        QCOMPARE(figure(m_food, grid.TotalPosition()), u"2,500"_s);
        QCOMPARE(f.EntriesOf(QDate(2010, 5, 31), QDate(2010, 5, 31)).size(), 0);

        // A subtotal asks for the item first; Cancel there ends it.
        grid.SetCurrentCell(day31, grid.LineOfAccount(m_food));
        bool asked = false;
        WhenModalOf<CAccountSelectDialog>([&asked](CAccountSelectDialog* select) {
            asked = true;
            select->reject();
        });
        press(Qt::Key_Return, Qt::ControlModifier);
        QTRY_VERIFY(asked);
        QCOMPARE(activeForm(), CMonthView::FormId);
    }

    // An item added in "科目設定" is in the open month view once it closes.
    void accountSettingsReachTheOpenView()
    {
        frame().RunCommand(CmdMonthView);
        QTRY_COMPARE(activeForm(), CMonthView::FormId);
        frame().RunCommand(CmdExpandLevel2);
        WhenModalOf<CAcntSettingDialog>([this](CAcntSettingDialog* settings) {
            settings->Grid().SetCurrentCell(settings->Grid().RowOfNode(settings->Tree().Find(m_food)), 1);
            WhenModalOf<CAcntAddDialog>([](CAcntAddDialog* add) {
                TypeText(add->NameField(), u"菓子"_s);
                add->OkButton()->click();
            });
            settings->RunCommand(CAcntSettingDialog::CmdAdd);
            settings->RunCommand(CAcntSettingDialog::CmdClose);
        });
        frame().RunCommand(CmdAccountSettings);
        const AccountItemNode* added = nullptr;
        for (AccountItemNode* each : f.Doc().AccountItems().Flatten())
            if (each->m_data.name == u"菓子"_s) added = each;
        QVERIFY(added);
        QCOMPARE(added->m_parent->m_data.ID, m_food);
        CSummaryGrid& grid = summary()->Grid();
        QVERIFY(grid.LineOfAccount(added->m_data.ID) >= 0);
    }

    void viewCommandsActOnTheTable()
    {
        frame().RunCommand(CmdMonthView);
        QTRY_COMPARE(activeForm(), CMonthView::FormId);
        for (int id : {CmdExpandSides, CmdExpandLevel1, CmdExpandLevel2, CmdExpandLevel3, CmdHideZeroAccounts,
                       CmdMoveMode, CmdDefaultColumnWidths, CmdTableCsv, CmdReadDataOnly, CmdReadWithNames, CmdCopy,
                       CmdCopyWithNames, CmdCopyRecord, CmdYearView, CmdYearsView, CmdListView})
            QVERIFY2(frame().IsCommandEnabled(id), qPrintable(QString::number(id)));
        QVERIFY(frame().Action(CmdExpandLevel1)->isChecked());
        CSummaryGrid& grid = summary()->Grid();
        frame().RunCommand(CmdExpandLevel2);
        QVERIFY(frame().Action(CmdExpandLevel2)->isChecked());
        QVERIFY(grid.IsLineVisible(grid.LineOfAccount(m_eatOut)));
        // The level stays through a step and a switch of views.
        press(Qt::Key_Right, Qt::ControlModifier);
        QTRY_VERIFY(summary()->Grid().IsLineVisible(summary()->Grid().LineOfAccount(m_eatOut)));
        frame().RunCommand(CmdYearView);
        QTRY_COMPARE(activeForm(), CYearView::FormId);
        QVERIFY(summary()->Grid().IsLineVisible(summary()->Grid().LineOfAccount(m_eatOut)));
        QVERIFY(frame().Action(CmdExpandLevel2)->isChecked());

        // An item without amounts hides and comes back.
        CSummaryGrid& year = summary()->Grid();
        QVERIFY(year.IsLineVisible(year.LineOfAccount(m_fare)));
        frame().RunCommand(CmdHideZeroAccounts);
        QVERIFY(frame().Action(CmdHideZeroAccounts)->isChecked());
        QVERIFY(!year.IsLineVisible(year.LineOfAccount(m_fare)));
        QVERIFY(year.IsLineVisible(year.LineOfAccount(m_eatOut)));
        frame().RunCommand(CmdHideZeroAccounts);
        QCOMPARE(f.App().m_settingInfo.m_hideZeroAccount, 0);
        QVERIFY(year.IsLineVisible(year.LineOfAccount(m_fare)));
    }
};

int main(int argc, char** argv)
{
    CKinzoApp app(argc, argv);
    TestLedgerViews test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ledger_views.moc"
