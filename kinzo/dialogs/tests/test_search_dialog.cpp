// "検索" on a real data file, typed and confirmed with Enter as a user does:
// every hit list is compared with what a plain reading of the stored entries
// says should match (words, targets, AND/OR, dates), and Enter on a hit
// changes it in the entry dialog with the list following and the keyboard
// back on the list.

#include "LedgerAppFixture.h"

#include "kinzo/data/AmountText.h"
#include "kinzo/dialogs/CKinzoDialog.h"
#include "kinzo/dialogs/search/CSearchDialog.h"
#include "kinzo/dialogs/search/CSearchGrid.h"
#include "kolib/CKoEdit.h"
#include "kolib/CKoIntegerEdit.h"
#include "kolib/CKoVComboBox.h"
#include "kolib/CKoVDateTimeCtrl.h"
#include "kolib/KoKeyboardKeeper.h"

#include <QCheckBox>
#include <QSet>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

struct Booked {
    int id = 0;
    QDate date;
    QStringList accountPath;   // the leaf and its ancestors, named as stored
    int side = 2;
    qint64 amount = 0;
    QString cater;
    QString note;
};

struct Query {
    QString text;
    bool targets[3] = {true, true, true};   // 科目名, 相手先, 備考
    bool anyWord = false;
    QDate start, end;
};

// What a person reading the ledger would call a hit.
bool Matches(const Booked& entry, const Query& query)
{
    QString text = query.text;
    const QStringList words = text.replace(QChar(0x3000), u' ').split(u' ', Qt::SkipEmptyParts);
    const auto wordHits = [&](const QString& word) {
        const auto has = [&](const QString& s) { return s.contains(word, Qt::CaseInsensitive); };
        return (query.targets[0] && std::any_of(entry.accountPath.begin(), entry.accountPath.end(), has))
               || (query.targets[1] && has(entry.cater)) || (query.targets[2] && has(entry.note));
    };
    const bool byWords = query.anyWord ? std::any_of(words.begin(), words.end(), wordHits)
                                       : std::all_of(words.begin(), words.end(), wordHits);
    return byWords && (!query.start.isValid() || entry.date >= query.start)
           && (!query.end.isValid() || entry.date <= query.end);
}

}  // namespace

class TestSearchDialog : public QObject {
    Q_OBJECT

    LedgerAppFixture f;
    QList<Booked> m_booked;

    int cater(const QString& name)
    {
        _CaterData c{0, name, 0};
        return f.Doc().CaterTable().AddCater(c) == DbStatus::Ok ? c.ID : 0;
    }
    void book(const QDate& date, int account, const QStringList& path, int side, qint64 amount,
              const QString& caterName, const QString& note)
    {
        const int id = f.AddEntry(date, account, amount, note, caterName.isEmpty() ? 0 : cater(caterName));
        QVERIFY(id > 0);
        m_booked.append({id, date, path, side, amount, caterName, note});
    }

    static void setQuery(CSearchDialog& d, const Query& q)
    {
        auto* text = d.findChild<CKoEdit*>(u"1003"_s);
        text->clear();
        TypeText(text, q.text);
        for (int i = 0; i < 3; ++i) d.findChild<QCheckBox*>(QString::number(1137 + i))->setChecked(q.targets[i]);
        d.findChild<CKoVComboBox*>(u"1162"_s)->setCurrentIndex(q.anyWord ? 1 : 0);
        d.findChild<QCheckBox*>(u"1189"_s)->setChecked(q.start.isValid());
        d.findChild<QCheckBox*>(u"1190"_s)->setChecked(q.end.isValid());
        if (q.start.isValid()) d.findChild<CKoVDateTimeCtrl*>(u"1026"_s)->setDate(q.start);
        if (q.end.isValid()) d.findChild<CKoVDateTimeCtrl*>(u"1164"_s)->setDate(q.end);
        text->setFocus();
    }

    // Enter in the word field, then the listed hits against the expected ones.
    void searchAndCheck(CSearchDialog& d, const Query& q)
    {
        setQuery(d, q);
        f.ClearHeard();
        f.messages.clear();
        QTest::keyClick(d.findChild<CKoEdit*>(u"1003"_s), Qt::Key_Return);
        QSet<int> expected;
        qint64 income = 0, expense = 0;
        for (const Booked& b : m_booked)
            if (Matches(b, q)) {
                expected.insert(b.id);
                (b.side == 1 ? income : expense) += b.amount;
            }
        CSearchGrid& grid = d.Grid();
        QSet<int> listed;
        for (int row = CSearchGrid::FirstHitRow; row < grid.TotalRow(); ++row) listed.insert(grid.EntryIdOfRow(row));
        QCOMPARE(f.messages, QStringList());
        QCOMPARE(listed, expected);
        QCOMPARE(d.HitCountText(), QString::number(expected.size()));
        QCOMPARE(f.Heard().value(0), u"検索結果は%1件です。"_s.arg(expected.size()));
        QCOMPARE(grid.GetCellText(grid.TotalRow(), CSearchGrid::ColNo), u"合計"_s);
        QCOMPARE(ParseAmount(grid.GetCellText(grid.TotalRow(), CSearchGrid::ColIncome)), income);
        QCOMPARE(ParseAmount(grid.GetCellText(grid.TotalRow(), CSearchGrid::ColExpense)), expense);
    }

private slots:
    void initTestCase()
    {
        f.Start();
        QVERIFY(f.NewLedger());
        const int income = f.Root(1)->m_data.ID, expense = f.Root(2)->m_data.ID;
        const int food = f.AddAccount(expense, u"食費"_s);
        const int eatOut = f.AddAccount(food, u"外食"_s);
        const int lunch = f.AddAccount(eatOut, u"ランチ"_s);
        const int groceries = f.AddAccount(food, u"食料品"_s);
        const int travel = f.AddAccount(expense, u"交通費"_s);
        const int pay = f.AddAccount(income, u"給与"_s);
        const QStringList lunchPath{u"支出"_s, u"食費"_s, u"外食"_s, u"ランチ"_s};
        book({2026, 4, 1}, lunch, lunchPath, 2, 900, u"50%オフ商店"_s, u"同僚と"_s);
        book({2026, 4, 5}, groceries, {u"支出"_s, u"食費"_s, u"食料品"_s}, 2, 3200, u"a_b商会"_s, u"特売 100%"_s);
        book({2026, 4, 30}, travel, {u"支出"_s, u"交通費"_s}, 2, 480, QString(), u"axb線"_s);
        book({2026, 4, 30}, pay, {u"収入"_s, u"給与"_s}, 1, 250000, u"O'Neil"_s, u"四月分"_s);
        book({2026, 5, 1}, travel, {u"支出"_s, u"交通費"_s}, 2, 1200, u"[特]市場"_s, QString());
        book({2026, 5, 2}, eatOut, {u"支出"_s, u"食費"_s, u"外食"_s}, 2, 1500, QString(), u"食費外の同僚"_s);
    }

    void wordsTargetsAndDates()
    {
        CSearchDialog d(nullptr, f.Doc());
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        Query q;
        const auto run = [&](const QString& text, auto&&... tweak) {
            q = Query{};
            q.text = text;
            (tweak(q), ...);
            searchAndCheck(d, q);
        };
        const auto onlyAccounts = [](Query& q) { q.targets[1] = q.targets[2] = false; };
        const auto anyWord = [](Query& q) { q.anyWord = true; };

        run(u"食費"_s);                          // the parent's name finds entries two levels down
        run(u"同僚　特売"_s);                    // full-width space: two words, AND
        run(u"同僚　特売"_s, anyWord);
        run(u"%"_s);                             // % _ ' [ are plain characters
        run(u"a_b"_s);
        run(u"O'Neil"_s);
        run(u"[特]"_s);
        run(u"費"_s, onlyAccounts, [](Query& q) { q.end = {2026, 4, 30}; });   // end alone, inclusive
        run(u"費"_s, [](Query& q) { q.start = {2026, 4, 5}; q.end = {2026, 5, 1}; });
        run(u"存在しない"_s);                    // no hits: 0 and a total line of zeros
        QCOMPARE(d.Grid().HitCount(), 0);
        // A word no account contains, with only 科目名 ticked, matches nothing.
        run(u"存在しない 交通"_s, onlyAccounts);
        run(u"存在しない 交通"_s, onlyAccounts, anyWord);
    }

    void refusedWithoutTextOrTarget()
    {
        CSearchDialog d(nullptr, f.Doc());
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        auto* text = d.findChild<CKoEdit*>(u"1003"_s);
        f.messages.clear();
        TypeText(text, u"　 "_s);
        QTest::keyClick(text, Qt::Key_Return);
        TypeText(text, u"食費"_s);
        for (int i = 0; i < 3; ++i) d.findChild<QCheckBox*>(QString::number(1137 + i))->setChecked(false);
        text->setFocus();
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(f.messages, (QStringList{u"検索文字列を指定してください。"_s, u"検索対象を１つ以上チェックしてください。"_s}));
        QCOMPARE(d.HitCountText(), u"0"_s);
    }

    // Enter on a hit: the entry dialog in change mode, and the list shows the
    // stored change with the cursor still on that entry.
    void enterOnHitChangesIt()
    {
        QWidget main;   // as the main window keeps the keyboard without a window manager
        KoKeepKeyboard(main);
        main.show();
        CSearchDialog d(&main, f.Doc());
        d.setWindowModality(Qt::ApplicationModal);
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        Query q;
        q.text = u"交通費"_s;
        searchAndCheck(d, q);
        CSearchGrid& grid = d.Grid();
        f.messages.clear();
        grid.setFocus();
        // The second hit's counterparty "[特]市場" came from elsewhere: a name
        // that could not be typed, yet its entry can be changed.
        QTest::keyClick(&grid, Qt::Key_Down);
        const int row = grid.GetCurrentCell().row, id = grid.EntryIdOfRow(row);
        QVERIFY(id > 0);
        WhenModalOf<CKinzoDialog>([](CKinzoDialog* entry) {
            QCOMPARE(entry->GetMode(), CKinzoDialog::ChangeMode);
            entry->findChild<CKoIntegerEdit*>(u"1011"_s)->setText(u"2000"_s);
            entry->Register();
            if (entry->isVisible()) entry->reject();   // refused: the checks below say why
        });
        QTest::keyClick(&grid, Qt::Key_Return);
        for (Booked& b : m_booked)
            if (b.id == id) b.amount = 2000;
        QCOMPARE(f.messages, QStringList{u"置き換えますがよろしいですか？ "_s});   // the entry dialog's own
        QCOMPARE(grid.EntryIdOfRow(grid.GetCurrentCell().row), id);
        QCOMPARE(grid.GetCellText(grid.GetCurrentCell().row, CSearchGrid::ColExpense), u"2,000"_s);
        QTRY_COMPARE(QApplication::focusWidget(), &grid);
        // Enter on a condition opens the current hit too; on a button it does not.
        bool opened = false;
        WhenModalOf<CKinzoDialog>([&opened](CKinzoDialog* entry) {
            opened = true;
            entry->reject();
        });
        auto* target = d.findChild<QCheckBox*>(u"1139"_s);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
        QVERIFY(opened);
        searchAndCheck(d, q);
    }
};

int main(int argc, char** argv)
{
    CKinzoApp app(argc, argv);
    TestSearchDialog test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_search_dialog.moc"
