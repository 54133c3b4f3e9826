// Recurring payments on real data files: the check list by month (validity
// of the accounts, due dates through the shipped holiday calendar, the paid
// row's newest entry, the modes), the entry dialog opened from it by keys,
// the start-up reminder giving the same dates, and the settings list with
// both register dialogs and their validation order.

#include "LedgerAppFixture.h"

#include "CStartupReminder.h"
#include "kinzo/dialogs/CKinzoDialog.h"
#include "kinzo/dialogs/payments/CPaymentCheckDialog.h"
#include "kolib/CKoIntegerEdit.h"
#include "kolib/CKoVListCtrl.h"

#include <QDateEdit>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestPaymentDialogs : public QObject {
    Q_OBJECT

    LedgerAppFixture f;
    int m_rent = 0, m_water = 0, m_club = 0;

    int addPayment(int itemId, int day, int rule, int announce = 1)
    {
        _PaymentData p;
        p.itemId = itemId;
        p.payDay = day;
        p.announce = announce;
        p.start = QDate(2026, 1, 1);
        p.end = QDate(2026, 12, 31);
        p.months.fill(1);
        p.holidayRule = rule;
        return f.Doc().PaymentTable().AddPayment(p) == DbStatus::Ok ? p.ID : 0;
    }
    static QStringList rowsOf(const CPaymentCheckDialog& d)
    {
        QStringList rows;
        for (const _PaymentCheckRow& row : d.Rows()) rows << row.name + u' ' + row.dateText + u' ' + row.stateText;
        return rows;
    }

private Q_SLOTS:
    void initTestCase() { f.Start(); }

    void init()
    {
        QVERIFY(f.NewLedger());
        const int house = f.AddAccount(f.Root(2)->m_data.ID, u"住居"_s);
        m_rent = f.AddAccount(house, u"家賃"_s);
        m_water = f.AddAccount(house, u"水道"_s);
        // A club left at the end of January.
        m_club = f.AddAccount(f.Root(2)->m_data.ID, u"会費"_s, QDate(2026, 1, 31));
        f.messages.clear();
    }

    // January 2026: Sunday the 11th lies before the Monday holiday of the
    // 12th, and the 31st is a Saturday; 11 February is a holiday (Wednesday).
    void checkListMovesDueDatesAndFollowsValidityAndEntries()
    {
        addPayment(m_rent, 11, HolidayRuleBefore);
        addPayment(m_water, 11, HolidayRuleAfter);
        addPayment(m_club, 31, HolidayRuleKeep);
        CPaymentCheckDialog d(nullptr, f.Doc(), QDate(2026, 1, 20), PaymentCheckAll);
        f.ClearHeard();
        d.show();
        QCOMPARE(rowsOf(d), QStringList({u"家賃 1月9日 未払い"_s, u"水道 1月13日 未払い"_s, u"会費 2月2日 未払い"_s}));
        QCOMPARE(f.Heard(), QStringList{u"リスト件数は3件です。"_s});

        // Two water entries: the later one shows; the club has left by February.
        f.AddEntry(QDate(2026, 2, 3), m_water, 3000);
        f.AddEntry(QDate(2026, 2, 16), m_water, 3100);
        d.findChild<QDateEdit*>(u"1026"_s)->setDate(QDate(2026, 2, 1));
        QCOMPARE(rowsOf(d), QStringList({u"家賃 2月10日 未払い"_s, u"水道 2月16日 支払済み"_s}));
        QCOMPARE(d.Rows().at(1).entryId, f.EntriesOf(QDate(2026, 2, 16), QDate(2026, 2, 16)).first().ID);

        d.SetMode(PaymentCheckPaid);
        QCOMPARE(rowsOf(d), QStringList{u"水道 2月16日 支払済み"_s});
        QCOMPARE(f.App().m_iniFile.ReadPaymentDisp(), 2);
        f.ClearHeard();
        d.findChild<QDateEdit*>(u"1026"_s)->setDate(QDate(2026, 1, 1));
        QCOMPARE(rowsOf(d), QStringList());
        QCOMPARE(f.Heard(), QStringList{u"リスト件数は0件です。"_s});
        d.findChild<QDateEdit*>(u"1026"_s)->setDate(QDate(2026, 2, 1));
        d.SetMode(PaymentCheckOpen);
        QCOMPARE(rowsOf(d), QStringList{u"家賃 2月10日 未払い"_s});
        QVERIFY(d.findChild<QAction*>(u"32989"_s)->isChecked());
        d.SetMode(PaymentCheckAll);
    }

    void dayPastTheMonthEndAndGoldenWeekAreCrossed()
    {
        addPayment(m_rent, 31, HolidayRuleBefore);
        addPayment(m_water, 3, HolidayRuleAfter);
        CPaymentCheckDialog d(nullptr, f.Doc(), QDate(2026, 2, 1), PaymentCheckAll);
        d.show();
        // Saturday 28 February, the month's last day, moves to Friday the 27th.
        QCOMPARE(rowsOf(d).first(), u"家賃 2月27日 未払い"_s);
        d.findChild<QDateEdit*>(u"1026"_s)->setDate(QDate(2026, 5, 1));
        QCOMPARE(rowsOf(d).last(), u"水道 5月7日 未払い"_s);
    }

    // The reminder at start-up names the same days as the list.
    void startupReminderGivesTheCheckListsDates()
    {
        addPayment(m_rent, 11, HolidayRuleBefore);
        addPayment(m_water, 3, HolidayRuleAfter);
        CHolidayFile holidays;
        holidays.SetFolder(f.App().m_programFolder);
        QCOMPARE(holidays.Load(2026), 1);
        for (const QDate& month : {QDate(2026, 1, 1), QDate(2026, 5, 1)}) {
            CStartupReminder reminder(f.Doc().PaymentTable(), f.Doc().LoanTable(), f.Doc().AccountItems(), holidays,
                                      31, month);
            QString lines, failure;
            QVERIFY(reminder.PaymentLines(lines, failure));
            CPaymentCheckDialog d(nullptr, f.Doc(), month, PaymentCheckOpen);
            d.show();
            QString expected;
            for (const _PaymentCheckRow& row : d.Rows())
                expected += u"%1の支払い日は%2です。\r\n"_s.arg(row.name, row.dateText);
            QCOMPARE(lines, expected);
            // Sunday 3 May is followed by three holidays.
            if (month.month() == 5) QCOMPARE(d.Rows().last().dateText, u"5月7日"_s);
            QCOMPARE(d.Rows().size(), 2);
        }
    }

    // What a user does: F5 brings the list, Enter on an open payment opens
    // the entry dialog with the account, the due date and the amount paid
    // last time; registering it turns the row paid.
    void enterOnAnOpenPaymentBooksItAndTheRowTurnsPaid()
    {
        addPayment(m_rent, 11, HolidayRuleBefore);
        addPayment(m_water, 11, HolidayRuleAfter);
        f.AddEntry(QDate(2025, 12, 12), m_water, 2980);
        CPaymentCheckDialog d(nullptr, f.Doc(), QDate(2026, 1, 5), PaymentCheckAll);
        f.ClearHeard();
        d.show();
        QCOMPARE(f.Heard(), QStringList{u"リスト件数は2件です。"_s});
        auto* list = d.findChild<CKoVListCtrl*>(u"1000"_s);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(f.Heard().last(), u"科目名 水道 支払日 1月13日 状態 未払い"_s);

        QDate shownDate;
        QString shownAmount;
        int shownAccount = 0;
        WhenModalOf<CKinzoDialog>([&](CKinzoDialog* entry) {
            shownDate = entry->findChild<QDateEdit*>(u"1026"_s)->date();
            shownAmount = entry->findChild<CKoIntegerEdit*>(u"1011"_s)->text();
            shownAccount = entry->Chain().SelectedAccountId();
            QTest::keyClick(entry, Qt::Key_E, Qt::AltModifier);   // 登録(&E)
            QTest::keyClick(entry, Qt::Key_C, Qt::AltModifier);   // 閉じる(&C)
        });
        f.ClearHeard();
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(shownDate, QDate(2026, 1, 13));
        QCOMPARE(shownAmount, u"2980"_s);
        QCOMPARE(shownAccount, m_water);
        const QList<_ViewEntry> booked = f.EntriesOf(QDate(2026, 1, 13), QDate(2026, 1, 13));
        QCOMPARE(booked.size(), 1);
        QCOMPARE(booked.first().amount, 2980);
        const QStringList heard = f.Heard();
        QVERIFY2(heard.contains(u"新規登録しました。"_s), qPrintable(heard.join(u'|')));
        QCOMPARE(heard.mid(heard.size() - 2),
                 QStringList({u"リスト件数は2件です。"_s, u"科目名 水道 支払日 1月13日 状態 支払済み"_s}));

        // Enter on the paid row shows that entry in change mode.
        int changedId = 0;
        WhenModalOf<CKinzoDialog>([&](CKinzoDialog* entry) {
            changedId = entry->GetMode() == CKinzoDialog::ChangeMode ? entry->Entry().ID : -1;
            entry->reject();
        });
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(changedId, booked.first().ID);
    }
};

int main(int argc, char** argv)
{
    CKinzoApp app(argc, argv);
    TestPaymentDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_payment_dialogs.moc"
