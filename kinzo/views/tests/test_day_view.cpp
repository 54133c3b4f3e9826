// The one-day list on real data files: loading with carry-over, totals and
// running balance, what it says, delete with its loan update, the updates
// from the entry dialog, day steps, keys and commands, copies, CSV output,
// column widths, and pictures at two font sizes.

#include "kinzo/dialogs/tests/LedgerAppFixture.h"

#include "KinzoCommands.h"
#include "kinzo/dialogs/CKinzoDialog.h"
#include "kinzo/dialogs/EntryHint.h"
#include "kinzo/views/CDayView.h"
#include "kinzo/views/LedgerViews.h"
#include "CViewRegistry.h"
#include "kolib/CKoVComboBox.h"
#include "kolib/CKoIntegerEdit.h"
#include "kolib/KoCommandEvent.h"
#include "platform/Cp932Codec.h"

#include <QFileDialog>
#include <QLabel>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Catches the commands a view posts to the main window.
class CommandCatcher : public QObject {
public:
    QList<unsigned> commands;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == KoCommandEvent::Type()) {
            commands << static_cast<KoCommandEvent*>(event)->CommandId();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

class TestDayView : public QObject {
    Q_OBJECT

    LedgerAppFixture f;
    int m_salary = 0, m_food = 0, m_eatOut = 0;
    const QDate m_day{2010, 5, 2};

    std::unique_ptr<CDayView> open(const QDate& day)
    {
        f.App().m_currentDate = day;
        auto view = std::make_unique<CDayView>(f.Doc());
        connect(&f.Doc(), &CKinzoDoc::UpdateAllViews, view.get(),
                [v = view.get()](UpdateHint hint, const QVariant& object) { v->OnUpdate(nullptr, int(hint), object); });
        view->resize(900, 400);
        view->show();
        view->OnInitialUpdate();
        return view;
    }
    static QString cell(CDayView& v, int row, int col) { return v.Grid().GetCellText(row, col); }
    static QStringList line(CDayView& v, int row)
    {
        QStringList texts;
        for (int col = 0; col < CListGrid::ColumnCount; ++col) texts << cell(v, row, col);
        return texts;
    }

private Q_SLOTS:
    void initTestCase()
    {
        f.Start();
        RegisterLedgerViews();
    }

    void init()
    {
        QVERIFY(f.NewLedger());
        m_salary = f.AddAccount(f.Root(1)->m_data.ID, u"給与"_s);
        m_food = f.AddAccount(f.Root(2)->m_data.ID, u"食費"_s);
        m_eatOut = f.AddAccount(m_food, u"外食"_s);
        f.AddEntry(QDate(2010, 5, 1), m_salary, 10000);
        f.messages.clear();
        f.ClearHeard();
    }

    void theRegistryMakesTheDayList()
    {
        QVERIFY(HasKinzoView(101));
        f.App().m_currentDate = m_day;
        std::unique_ptr<CKinzoViewBase> view(CreateKinzoView(101, f.Doc(), nullptr));
        QVERIFY(dynamic_cast<CDayView*>(view.get()));
    }

    void aDayWithoutEntriesShowsTheCarryOverAsBalance()
    {
        auto v = open(QDate(2010, 5, 10));
        QCOMPARE(v->Grid().GetRowCount(), 3);
        QCOMPARE(line(*v, 0), (QStringList{u"No"_s, u"第１階層科目"_s, u"第２階層科目"_s, u"第３階層科目"_s,
                                           u"収入"_s, u"支出"_s, u"相手先"_s, u"備考"_s, u"残高"_s}));
        QCOMPARE(cell(*v, 1, 0), u"繰越"_s);
        QCOMPARE(cell(*v, 1, 8), u"10,000"_s);
        QCOMPARE(line(*v, 2), (QStringList{u"合計"_s, {}, {}, {}, u"0"_s, u"0"_s, {}, {}, u"10,000"_s}));
        QCOMPARE(v->Grid().GetCurrentCell(), CXCellID(1, 1));
        QCOMPARE(v->DateLabel()->text(), u"2010年 5月10日"_s);
        QCOMPARE(v->DateLabel()->accessibleName(), u"リスト表示の日付"_s);
        QCOMPARE(f.Heard().value(0), u"リスト表示 2010年 5月10日"_s);
        // The main window puts the focus on the view it shows: after the
        // pause the cell is heard once, with its headers.
        v->activateWindow();
        v->setFocus();
        QTRY_VERIFY(v->Grid().hasFocus());
        QTRY_VERIFY(!v->Grid().IsCellSpeechPending());
        QCOMPARE(f.Heard(), (QStringList{u"リスト表示 2010年 5月10日"_s, u"繰越 第１階層科目  空白"_s}));
    }

    void entriesShowWithRunningBalanceAndTheCursorOnTheLast()
    {
        CTableCater& caters = f.Doc().CaterTable();
        _CaterData shop{0, u"山田商店"_s, 0};
        QCOMPARE(caters.AddCater(shop), DbStatus::Ok);
        const int pay = f.AddEntry(m_day, m_salary, 200000, u"五月分"_s);
        const int lunch = f.AddEntry(m_day, m_eatOut, 1200, u"昼食"_s, shop.ID);
        f.AddEntry(m_day.addDays(1), m_eatOut, 999);
        auto v = open(m_day);
        QCOMPARE(v->Grid().GetRowCount(), 5);
        QCOMPARE(line(*v, 2), (QStringList{u"1"_s, u"給与"_s, {}, {}, u"200,000"_s, u"0"_s, {}, u"五月分"_s,
                                           u"210,000"_s}));
        QCOMPARE(line(*v, 3), (QStringList{u"2"_s, u"食費"_s, u"外食"_s, {}, u"0"_s, u"1,200"_s, u"山田商店"_s,
                                           u"昼食"_s, u"208,800"_s}));
        QCOMPARE(line(*v, 4), (QStringList{u"合計"_s, {}, {}, {}, u"200,000"_s, u"1,200"_s, {}, {}, u"208,800"_s}));
        QCOMPARE(v->Grid().EntryIdOfRow(2), pay);
        QCOMPARE(v->Grid().EntryIdOfRow(3), lunch);
        QCOMPARE(v->Grid().EntryIdOfRow(4), 0);
        QCOMPARE(v->Grid().GetCurrentCell(), CXCellID(3, 1));
        QTRY_VERIFY(!f.Heard().filter(QRegularExpression(u"^2 第１階層科目 食費"_s)).isEmpty());

        QCOMPARE(v->IsCommandEnabled(CmdEntryChange), std::optional<bool>(true));
        QCOMPARE(v->IsCommandEnabled(CmdSelectAccount), std::optional<bool>(true));
        QCOMPARE(v->IsCommandEnabled(12345), std::nullopt);
        v->Grid().SetCurrentCell(1, 1);
        QCOMPARE(v->IsCommandEnabled(CmdEntryChange), std::optional<bool>(false));
        QCOMPARE(v->IsCommandEnabled(CmdEntryDelete), std::optional<bool>(false));
    }

    void deleteAsksThenUpdatesTotalsAndTheLoan()
    {
        _LoanData loan;
        loan.itemId = m_eatOut;
        loan.total = 5000;
        loan.monthly = 1200;
        loan.startMonth = QDate(2010, 1, 1);
        loan.remaining = 5000;
        QCOMPARE(f.Doc().LoanTable().AddLoan(loan), DbStatus::Ok);
        const int lunch = f.AddEntry(m_day, m_eatOut, 1200);
        f.Doc().LoanTable().RecomputeForItem(m_eatOut);
        auto v = open(m_day);
        QCOMPARE(v->Grid().GetCurrentCell().row, 2);

        f.answers = {KoAnswer::Cancel};
        QTest::keyClick(&v->Grid(), Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(f.messages, QStringList{u"「No 1 食費 外食 」のデータを削除してよろしいですか？"_s});
        QCOMPARE(v->Grid().GetRowCount(), 4);
        _KinzoEntry stored;
        QCOMPARE(f.Doc().KinzoTable().GetEntry(lunch, stored), DbStatus::Ok);

        f.ClearHeard();
        QVERIFY(v->OnCommand(CmdEntryDelete));
        QCOMPARE(f.Doc().KinzoTable().GetEntry(lunch, stored), DbStatus::NotFound);
        QCOMPARE(f.Heard().last(), u"データを削除しました。"_s);
        QCOMPARE(v->Grid().GetRowCount(), 3);
        QCOMPARE(line(*v, 2), (QStringList{u"合計"_s, {}, {}, {}, u"0"_s, u"0"_s, {}, {}, u"10,000"_s}));
        QCOMPARE(f.Doc().LoanTable().GetLoan(loan.ID, loan), DbStatus::Ok);
        QCOMPARE(loan.remaining, 5000);

        // Nothing happens on a line that is no entry.
        f.messages.clear();
        v->OnCommand(CmdEntryDelete);
        QVERIFY(f.messages.isEmpty());
    }

    void linesFollowEntriesSavedElsewhere()
    {
        const int first = f.AddEntry(m_day, m_eatOut, 500);
        const int second = f.AddEntry(m_day, m_eatOut, 700);
        auto v = open(m_day);

        // A new entry from the entry dialog appears above the totals.
        CKinzoDialog dialog(v.get(), f.Doc(), m_day, m_salary);
        dialog.show();
        dialog.findChild<CKoIntegerEdit*>(u"1011"_s)->setText(u"3000"_s);
        dialog.Register();
        QCOMPARE(v->Grid().GetRowCount(), 6);
        QCOMPARE(line(*v, 4), (QStringList{u"3"_s, u"給与"_s, {}, {}, u"3,000"_s, u"0"_s, {}, {}, u"11,800"_s}));
        QCOMPARE(cell(*v, 5, 8), u"11,800"_s);

        // Moved to another day: the line goes and the balances close up.
        _KinzoEntry moved;
        f.Doc().KinzoTable().GetEntry(first, moved);
        moved.date = m_day.addDays(5);
        f.Doc().KinzoTable().UpdateEntry(moved);
        f.Doc().NotifyViews(UpdateHint::EntryChanged, EntryHintObject(moved));
        QCOMPARE(v->Grid().GetRowCount(), 5);
        QCOMPARE(v->Grid().RowOfEntry(first), -1);
        QCOMPARE(cell(*v, 2, 0), u"1"_s);
        QCOMPARE(line(*v, 4), (QStringList{u"合計"_s, {}, {}, {}, u"3,000"_s, u"700"_s, {}, {}, u"12,300"_s}));

        // Moved back: appended as the last entry line.
        moved.date = m_day;
        moved.amount = 100;
        f.Doc().KinzoTable().UpdateEntry(moved);
        f.Doc().NotifyViews(UpdateHint::EntryChanged, EntryHintObject(moved));
        QCOMPARE(v->Grid().RowOfEntry(first), 4);
        QCOMPARE(cell(*v, 5, 8), u"12,200"_s);

        f.Doc().KinzoTable().DeleteById(second);
        f.Doc().NotifyViews(UpdateHint::EntryDeleted, second);
        QCOMPARE(v->Grid().RowOfEntry(second), -1);
        QCOMPARE(line(*v, 4), (QStringList{u"合計"_s, {}, {}, {}, u"3,000"_s, u"100"_s, {}, {}, u"12,900"_s}));

        // An entry of another day leaves the list alone.
        _KinzoEntry other{0, m_day.addDays(1), m_eatOut, 50, 0, 0, {}};
        f.Doc().KinzoTable().AddEntry(other);
        f.Doc().NotifyViews(UpdateHint::EntryAdded, EntryHintObject(other));
        QCOMPARE(v->Grid().GetRowCount(), 5);
    }

    void daysStepByKeyAndToTheNearestDayWithEntries()
    {
        f.AddEntry(QDate(2010, 5, 20), m_eatOut, 800);
        auto v = open(QDate(2010, 5, 1));
        QTest::keyClick(&v->Grid(), Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(v->Date(), QDate(2010, 5, 2));
        QCOMPARE(f.App().m_currentDate, QDate(2010, 5, 2));
        QTest::keyClick(&v->Grid(), Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(v->Date(), QDate(2010, 5, 1));

        f.ClearHeard();
        v->OnCommand(CmdPreviousDateWithData);
        QCOMPARE(f.messages, QStringList{u"これより前のデータはありません。"_s});
        QCOMPARE(v->Date(), QDate(2010, 5, 1));
        for (QPushButton* button : v->findChildren<QPushButton*>())
            if (button->text() == u"次へ(Ctrl+→)"_s) button->click();
        QCOMPARE(v->Date(), QDate(2010, 5, 20));
        QCOMPARE(cell(*v, 2, 5), u"800"_s);
        f.messages.clear();
        v->OnCommand(CmdNextDateWithData);
        QCOMPARE(f.messages, QStringList{u"これより後のデータはありません。"_s});
    }

    void keysOpenTheDialogsAndLeaveForTheMonthView()
    {
        const int lunch = f.AddEntry(m_day, m_eatOut, 1200);
        auto v = open(m_day);
        QString title;
        int amountShown = 0;
        WhenModal([&](QWidget* modal) {
            title = modal->windowTitle();
            amountShown = modal->findChild<CKoIntegerEdit*>(u"1011"_s)->text().toInt();
            static_cast<QDialog*>(modal)->reject();
        });
        QTest::keyClick(&v->Grid(), Qt::Key_Return);
        QCOMPARE(title, u"変更"_s);
        QCOMPARE(amountShown, 1200);

        v->Grid().SetCurrentCell(1, 1);
        title.clear();
        WhenModal([&](QWidget* modal) {
            title = modal->windowTitle();
            static_cast<QDialog*>(modal)->reject();
        });
        QTest::keyClick(&v->Grid(), Qt::Key_Return);
        QCOMPARE(title, u"新規登録"_s);

        CommandCatcher catcher;
        v->installEventFilter(&catcher);
        QTest::keyClick(&v->Grid(), Qt::Key_Escape);
        QTRY_COMPARE(catcher.commands, QList<unsigned>{CmdMonthView});

        v->Grid().SetCurrentCell(2, 2);
        QTest::keyClick(&v->Grid(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(v->Grid().LastCopy(), u"外食"_s);
        v->OnCommand(CmdCopyWithNames);
        QCOMPARE(v->Grid().LastCopy(), u"第２階層科目:外食"_s);
        v->OnCommand(CmdCopyRecord);
        QVERIFY(v->Grid().LastCopy().startsWith(u"No:1\r\n第１階層科目:食費\r\n"_s));

        f.ClearHeard();
        const int mode = f.App().m_settingInfo.m_gridMoveMode;
        QTest::keyClick(&v->Grid(), Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(f.App().m_settingInfo.m_gridMoveMode, 1 - mode);
        QCOMPARE(f.Heard().value(0), mode ? u"横優先移動"_s : u"縦優先移動"_s);
        v->OnCommand(CmdReadDataOnly);
        QCOMPARE(v->Grid().GetReadHeaders(), 0);
        v->OnCommand(CmdReadWithNames);
        QCOMPARE(v->Grid().GetReadHeaders(), 1);
        QCOMPARE(v->Grid().RowOfEntry(lunch), 2);
    }

    void theTableIsSavedAsCsvUnderTheProposedName()
    {
        f.AddEntry(m_day, m_eatOut, 1200, u"昼食"_s);
        auto v = open(m_day);
        QCOMPARE(v->CsvFileName(), f.Doc().Title() + u"_リスト表示_2010年 5月 2日.csv"_s);
        const QString path = f.home.filePath(u"day.csv"_s);
        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            // Typed as the user would; the folder list loads in the background.
            auto* name = dialog->findChild<QLineEdit*>(u"fileNameEdit"_s);
            QVERIFY(name);
            name->setText(path);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        v->OnCommand(CmdTableCsv);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = platform::cp932::decodeFile(file.readAll()).split(u"\r\n"_s, Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[2], u"\"1\",\"食費\",\"外食\",\"\",\"0\",\"1,200\",\"\",\"昼食\",\"8,800\""_s);
    }

    void widthsAreKeptInTheSettings()
    {
        {
            auto v = open(m_day);
            v->Grid().SetColumnWidth(CListGrid::ColNote, 150);
            v->Grid().OnColumnResized(CListGrid::ColNote);
        }
        QList<int> widths;
        f.App().m_iniFile.ReadListFormat(ListFormatGrid::List, 0, widths);
        QCOMPARE(widths.value(CListGrid::ColNote), 150);
        auto v = open(m_day);
        QCOMPARE(v->Grid().GetColumnWidth(CListGrid::ColNote), 150);
        v->OnCommand(CmdDefaultColumnWidths);
        QCOMPARE(v->Grid().GetColumnWidth(CListGrid::ColNote), 100);
    }

    void picturesAtTwoFontSizes()
    {
        f.AddEntry(m_day, m_salary, 200000, u"五月分"_s);
        f.AddEntry(m_day, m_eatOut, 1200, u"昼食"_s);
        f.AddEntry(m_day, m_food, 3480, u"スーパー"_s);
        const int size = f.App().m_settingInfo.m_fontSize;
        for (const int points : {9, 18}) {
            f.App().m_settingInfo.SetFontSize(points);
            auto v = open(m_day);
            v->resize(int(760 * points / 9.0), int(260 * points / 9.0));
            v->Grid().setFocus();
            QApplication::processEvents();
            QVERIFY(v->grab().save(QDir(QCoreApplication::applicationDirPath())
                                       .filePath(u"day_view_%1pt.png"_s.arg(points))));

            CKinzoDialog dialog(v.get(), f.Doc(), m_day, m_eatOut);
            dialog.show();
            dialog.findChild<CKoIntegerEdit*>(u"1011"_s)->setText(u"1200"_s);
            QApplication::processEvents();
            QVERIFY(dialog.grab().save(QDir(QCoreApplication::applicationDirPath())
                                           .filePath(u"entry_dialog_%1pt.png"_s.arg(points))));
        }
        f.App().m_settingInfo.SetFontSize(size);
    }
};

int main(int argc, char** argv)
{
    CKinzoApp app(argc, argv);
    TestDayView test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_day_view.moc"
