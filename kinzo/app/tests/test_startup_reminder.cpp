#include "CHolidayFile.h"
#include "CStartupReminder.h"

#include "kinzo/data/CTableKinzo.h"
#include "kinzo/data/CTableLoan.h"
#include "kinzo/data/CTablePayment.h"
#include "kinzo/data/tests/LedgerFixture.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestStartupReminder : public QObject {
    Q_OBJECT

    std::unique_ptr<LedgerFixture> m_ledger;
    CTablePayment m_payments;
    CTableLoan m_loans;
    CTableKinzo m_entries;
    AccountItemList m_tree;
    CHolidayFile m_holidays;   // no file: no holidays
    _AccountItem m_rent, m_power, m_car;

    void addPayment(const _AccountItem& item, int day, int rule = 0, int announce = 1, int month = 0)
    {
        _PaymentData p;
        p.itemId = item.ID;
        p.payDay = day;
        p.announce = announce;
        p.start = QDate(2026, 1, 1);
        p.end = QDate(2026, 12, 31);
        p.months.fill(1);
        if (month) p.months[month - 1] = 0;
        p.holidayRule = rule;
        QCOMPARE(m_payments.AddPayment(p), DbStatus::Ok);
    }
    void addLoan(const _AccountItem& item, int day, qint64 remaining)
    {
        _LoanData loan;
        loan.itemId = item.ID;
        loan.total = remaining;
        loan.remaining = remaining;
        loan.monthly = 10000;
        loan.payDay = day;
        loan.startMonth = QDate(2026, 1, 1);
        loan.announce = 1;
        QCOMPARE(m_loans.AddLoan(loan), DbStatus::Ok);
    }
    void book(const _AccountItem& item, const QDate& date)
    {
        _KinzoEntry entry;
        entry.date = date;
        entry.itemId = item.ID;
        entry.amount = 0;
        QCOMPARE(m_entries.AddEntry(entry), DbStatus::Ok);
    }
    QString payments(const QDate& today, int lead)
    {
        CStartupReminder reminder(m_payments, m_loans, m_tree, m_holidays, lead, today);
        QString lines, failure;
        if (!reminder.PaymentLines(lines, failure)) return failure;
        return lines;
    }
    QString loans(const QDate& today, int lead)
    {
        CStartupReminder reminder(m_payments, m_loans, m_tree, m_holidays, lead, today);
        QString lines, failure;
        if (!reminder.LoanLines(lines, failure)) return failure;
        return lines;
    }

private Q_SLOTS:
    void init()
    {
        m_ledger = std::make_unique<LedgerFixture>();
        QVERIFY(m_ledger->Create());
        for (CTableBase* table : std::initializer_list<CTableBase*>{&m_payments, &m_loans, &m_entries})
            table->m_pConnection = &m_ledger->connection;
        m_rent = m_ledger->AddChild(m_ledger->expense, u"家賃"_s);
        m_power = m_ledger->AddChild(m_ledger->expense, u"電気代"_s);
        m_car = m_ledger->AddChild(m_ledger->expense, u"車のローン"_s);
        QCOMPARE(m_ledger->accounts.LoadTree(m_tree), DbStatus::Ok);
    }

    void paymentsAreAnnouncedWithinTheLeadTime()
    {
        addPayment(m_rent, 25);   // Friday 25 December 2026
        QCOMPARE(payments(QDate(2026, 12, 21), 3), QString());
        QCOMPARE(payments(QDate(2026, 12, 22), 3), u"家賃の支払い日は12月25日です。\r\n"_s);
        QCOMPARE(payments(QDate(2026, 12, 25), 3), u"家賃が未払いです。\r\n"_s);
        QCOMPARE(payments(QDate(2026, 12, 31), 3), u"家賃が未払いです。\r\n"_s);
        book(m_rent, QDate(2026, 12, 1));   // any entry of the month silences it
        QCOMPARE(payments(QDate(2026, 12, 25), 3), QString());
        QCOMPARE(payments(QDate(2027, 1, 25), 3), QString());   // outside the period
    }

    void dueDatesFollowTheHolidayRule()
    {
        addPayment(m_rent, 26, HolidayRuleBefore);   // Saturday 26 December 2026
        addPayment(m_power, 27, HolidayRuleAfter);   // Sunday 27 December 2026
        QCOMPARE(payments(QDate(2026, 12, 20), 10),
                 u"家賃の支払い日は12月25日です。\r\n電気代の支払い日は12月28日です。\r\n"_s);
        QCOMPARE(payments(QDate(2026, 12, 27), 10), u"家賃が未払いです。\r\n電気代の支払い日は12月28日です。\r\n"_s);
    }

    void bindingsOutsideTheirMonthOrSilencedGiveNoLine()
    {
        addPayment(m_rent, 31);                  // November has 30 days: due on Monday the 30th
        addPayment(m_power, 10, 0, 0);           // not announced
        addPayment(m_car, 10, 0, 1, 11);         // November not checked
        QCOMPARE(payments(QDate(2026, 11, 27), 30), u"家賃の支払い日は11月30日です。\r\n"_s);
        QCOMPARE(payments(QDate(2026, 11, 30), 30), u"家賃が未払いです。\r\n"_s);
        QCOMPARE(payments(QDate(2026, 12, 31), 30), u"家賃が未払いです。\r\n車のローンが未払いです。\r\n"_s);
    }

    void negativeLeadTimeAnnouncesAfterTheDueDate()
    {
        addPayment(m_rent, 10);
        QCOMPARE(payments(QDate(2026, 12, 11), -2), QString());
        QCOMPARE(payments(QDate(2026, 12, 12), -2), u"家賃が未払いです。\r\n"_s);
    }

    void loansAreNotMovedOffWeekends()
    {
        addLoan(m_car, 27, 500000);   // Sunday 27 December 2026
        addLoan(m_power, 5, 0);       // repaid: never announced
        QCOMPARE(loans(QDate(2026, 12, 22), 5), u"車のローンの支払い日は12月27日です。\r\n"_s);
        QCOMPARE(loans(QDate(2026, 12, 28), 5), u"車のローンが未払いです。\r\n"_s);
        book(m_car, QDate(2026, 12, 27));
        QCOMPARE(loans(QDate(2026, 12, 28), 5), QString());
    }

    void unreadableTablesGiveTheirMessages()
    {
        QVERIFY(m_ledger->connection.Close());
        QCOMPARE(payments(QDate(2026, 12, 22), 3), u"支払データ取得に失敗しました。"_s);
        QCOMPARE(loans(QDate(2026, 12, 22), 3), u"ローン残データ取得に失敗しました。"_s);
    }
};

QTEST_GUILESS_MAIN(TestStartupReminder)
#include "test_startup_reminder.moc"
