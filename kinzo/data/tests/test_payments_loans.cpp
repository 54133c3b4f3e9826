// Counterparties, recurring payments in both layouts, and loans.

#include "LedgerFixture.h"

#include "kinzo/data/CTableCater.h"
#include "kinzo/data/CTableKinzo.h"
#include "kinzo/data/CTableLoan.h"
#include "kinzo/data/LoanInstalments.h"
#include "kinzo/data/CTablePayment.h"

#include <QtTest>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

class TestPaymentsLoans : public QObject {
    Q_OBJECT

    LedgerFixture m_ledger;
    CTableKinzo m_entries;
    CTablePayment m_payments;
    CTableLoan m_loans;
    _AccountItem m_rent, m_car;

    void add(const QDate& date, const _AccountItem& item, qint64 amount)
    {
        _KinzoEntry entry{0, date, item.ID, amount, 0, 0, QString()};
        QCOMPARE(m_entries.AddEntry(entry), DbStatus::Ok);
    }

    _PaymentData payment(const QDate& start, const QDate& end)
    {
        _PaymentData p{0, m_rent.ID, 27, 1, start, end, 0, {}, 1};
        p.months.fill(1);
        return p;
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_ledger.Create());
        for (CTableBase* table : std::initializer_list<CTableBase*>{&m_entries, &m_payments, &m_loans})
            table->m_pConnection = &m_ledger.connection;
        m_rent = m_ledger.AddChild(m_ledger.expense, u"家賃"_s);
        m_car = m_ledger.AddChild(m_ledger.expense, u"車ローン"_s);
    }
    void cleanup() { m_ledger.connection.Close(); }

    void counterparties()
    {
        CTableCater caters;
        caters.m_pConnection = &m_ledger.connection;
        _CaterData apostrophe{0, u"O'Reilly"_s, 1};
        _CaterData first{0, u"Aマート"_s, 9};
        QCOMPARE(caters.AddCater(apostrophe), DbStatus::Ok);
        QCOMPARE(caters.AddCater(first), DbStatus::Ok);
        QList<_CaterData> found;
        QCOMPARE(caters.FindCaterByName(u"O'Reilly"_s, found), DbStatus::Ok);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].ID, apostrophe.ID);
        QCOMPARE(caters.GetAllCaters(found), DbStatus::Ok);
        QCOMPARE(found[0].name, u"Aマート"_s);  // by name, not by display order
        apostrophe.name = u"O'Reilly & Sons"_s;
        QCOMPARE(caters.UpdateCater(apostrophe), DbStatus::Ok);
        QCOMPARE(caters.FindCaterByName(u"O'Reilly & Sons"_s, found), DbStatus::Ok);
        QCOMPARE(found.size(), 1);
    }

    void paymentsRoundTripAndRanges()
    {
        _PaymentData whole = payment(QDate(2010, 1, 1), QDate(2010, 12, 31));
        whole.months = {1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0};
        whole.monthFlag = 1;
        QCOMPARE(m_payments.AddPayment(whole), DbStatus::Ok);
        _PaymentData read;
        QCOMPARE(m_payments.GetPayment(whole.ID, read), DbStatus::Ok);
        QCOMPARE(read.months, whole.months);
        QCOMPARE(read.start, QDate(2010, 1, 1));
        QCOMPARE(read.holidayRule, 1);
        read.payDay = 25;
        read.months[1] = 1;
        QCOMPARE(m_payments.UpdatePayment(read), DbStatus::Ok);
        QList<_PaymentData> list;
        QCOMPARE(m_payments.SelectPaymentsForItem(m_rent.ID, list), DbStatus::Ok);
        QCOMPARE(list.size(), 1);
        QCOMPARE(list[0].payDay, 25);
        QCOMPARE(list[0].months[1], 1);

        QCOMPARE(m_payments.DeletePaymentsInside(QDate(2010, 2, 1), QDate(2010, 12, 31)), DbStatus::Ok);
        QCOMPARE(m_payments.GetAllPayments(list), DbStatus::Ok);
        QCOMPARE(list.size(), 1);
        QCOMPARE(m_payments.DeletePaymentsInside(QDate(2010, 1, 1), QDate(2010, 12, 31)), DbStatus::Ok);
        QCOMPARE(m_payments.GetAllPayments(list), DbStatus::Ok);
        QCOMPARE(list.size(), 0);

        _PaymentData ended = payment(QDate(2010, 1, 1), QDate(2010, 12, 31));
        _PaymentData running = payment(QDate(2010, 1, 1), QDate(2011, 1, 31));
        QCOMPARE(m_payments.AddPayment(ended), DbStatus::Ok);
        QCOMPARE(m_payments.AddPayment(running), DbStatus::Ok);
        QCOMPARE(m_payments.DeletePaymentsOutside(QDate(2011, 1, 1), QDate(2011, 12, 31)), DbStatus::Ok);
        QCOMPARE(m_payments.GetAllPayments(list), DbStatus::Ok);
        QCOMPARE(list.size(), 1);
        QCOMPARE(list[0].ID, running.ID);

        add(QDate(2010, 4, 27), m_rent, 80000);
        add(QDate(2010, 5, 26), m_rent, 80000);
        add(QDate(2010, 6, 28), m_rent, 80000);
        QList<_ViewEntry> history;
        QCOMPARE(m_payments.GetPaymentHistory(m_rent.ID, QDate(2010, 5, 1), QDate(2010, 6, 30), history), DbStatus::Ok);
        QCOMPARE(history.size(), 2);
        QCOMPARE(history[0].date, QDate(2010, 6, 28));
    }

    void unsetDatesAreStoredAsUnset()
    {
        _PaymentData open = payment(QDate(), QDate());
        QCOMPARE(m_payments.AddPayment(open), DbStatus::Ok);
        _PaymentData read;
        QCOMPARE(m_payments.GetPayment(open.ID, read), DbStatus::Ok);
        QVERIFY(!read.start.isValid() && !read.end.isValid());
        read.end = QDate(2010, 3, 31);
        QCOMPARE(m_payments.UpdatePayment(read), DbStatus::Ok);
        read.end = QDate();
        QCOMPARE(m_payments.UpdatePayment(read), DbStatus::Ok);
        QCOMPARE(m_payments.GetPayment(open.ID, read), DbStatus::Ok);
        QVERIFY(!read.end.isValid());

        _LoanData loan{0, m_car.ID, 1000, 100, 0, 0, 0, 1, QDate(), QDate(), 0, 1000, QString()};
        QCOMPARE(m_loans.AddLoan(loan), DbStatus::Ok);
        _LoanData stored;
        QCOMPARE(m_loans.GetLoan(loan.ID, stored), DbStatus::Ok);
        QVERIFY(!stored.startMonth.isValid());
    }

    void instalmentsLeft()
    {
        _LoanData loan;
        loan.remaining = 100000;
        loan.monthly = 30000;
        QCOMPARE(RemainingInstalments(loan, QDate(2026, 5, 1)), 4);   // 30000 * 3 + 10000
        loan.monthly = 20000;
        loan.bonusMonth1 = 6;
        loan.bonusMonth2 = 12;
        loan.bonusAmount = 50000;
        // May 20000, June 50000, July 20000 leave 10000 for August.
        QCOMPARE(RemainingInstalments(loan, QDate(2026, 5, 1)), 4);
        loan.bonusAmount = 0;   // bonus months then take the monthly instalment
        QCOMPARE(RemainingInstalments(loan, QDate(2026, 5, 1)), 5);
        loan.remaining = 0;
        QCOMPARE(RemainingInstalments(loan, QDate(2026, 5, 1)), 0);
        // A plan that would never end gives no count, at once.
        loan.remaining = 100000;
        loan.monthly = 0;
        QCOMPARE(RemainingInstalments(loan, QDate(2026, 5, 1)), -1);
        loan.monthly = 1;
        loan.bonusAmount = -5;
        QCOMPARE(RemainingInstalments(loan, QDate(2026, 5, 1)), -1);
        // A large amount in small instalments: counted, not looped month by month.
        loan.bonusAmount = 0;
        loan.remaining = 2000000001;
        QCOMPARE(RemainingInstalments(loan, QDate(2026, 5, 1)), 2000000001);
        loan.monthly = 7;
        loan.bonusAmount = 100;
        loan.remaining = 1000;   // a year pays 7 * 10 + 200 = 270
        qint64 rest = 1000, months = 0;
        for (int m = 4; rest > 0; m = m % 12 + 1, ++months) rest -= (m == 6 || m == 12) ? 100 : 7;
        QCOMPARE(RemainingInstalments(loan, QDate(2026, 4, 1)), months);
        QCOMPARE(FirstUnpaidMonth(QDate(2026, 12, 20), true), QDate(2027, 1, 1));
        QCOMPARE(FirstUnpaidMonth(QDate(2026, 12, 20), false), QDate(2026, 12, 1));
    }

    void layoutZeroUpgrade()
    {
        const QString oldFile = m_ledger.dir.filePath(u"old.kzd"_s);
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(oldFile.toUtf8().constData(), &db), SQLITE_OK);
        QCOMPARE(sqlite3_exec(db,
                              "CREATE TABLE 定期支払 (ID INTEGER PRIMARY KEY AUTOINCREMENT, 勘定科目ID INTEGER,"
                              " 支払日 INTEGER, 自動アナウンス INTEGER);"
                              "INSERT INTO 定期支払 (勘定科目ID, 支払日, 自動アナウンス) VALUES (3, 27, 1), (4, 10, 0);",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close(db);
        CDBConnection connection;
        QCOMPARE(CTablePayment::ConvertLayout0(oldFile, m_ledger.path, connection, QDate(2012, 6, 1)), 1);
        CTablePayment converted;
        converted.m_pConnection = &connection;
        QList<_PaymentData> list;
        QCOMPARE(converted.GetAllPayments(list), DbStatus::Ok);
        QCOMPARE(list.size(), 2);
        QCOMPARE(list[0].payDay, 27);
        QCOMPARE(list[0].announce, 1);
        QCOMPARE(list[1].start, QDate(2012, 1, 1));
        QCOMPARE(list[1].end, QDate(2012, 12, 31));
        QCOMPARE(list[1].months, (std::array<int, 12>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
        QCOMPARE(CTablePayment::ConvertLayout0(m_ledger.dir.filePath(u"none.kzd"_s), m_ledger.path, connection), 0);
    }

    void loansAndRemaining()
    {
        _LoanData car{0, m_car.ID, 100000, 30000, 6, 12, 50000, 10, QDate(2010, 4, 10), QDate(2010, 9, 1), 1, 100000,
                      u"it's a loan"_s};
        QCOMPARE(m_loans.AddLoan(car), DbStatus::Ok);
        _LoanData read;
        QCOMPARE(m_loans.GetLoan(car.ID, read), DbStatus::Ok);
        QCOMPARE(read.startMonth, QDate(2010, 4, 1));
        QVERIFY(!read.endMonth.isValid());  // not written on insert
        QCOMPARE(read.bonusMonth2, 12);
        QCOMPARE(read.note, u"it's a loan"_s);

        qint64 paid = -1;
        QCOMPARE(m_loans.GetPaidSince(read, paid), DbStatus::Ok);
        QCOMPARE(paid, 0);
        add(QDate(2010, 3, 31), m_car, 99999);  // before the first month
        add(QDate(2010, 4, 1), m_car, 30000);
        add(QDate(2010, 5, 10), m_car, 30000);
        QCOMPARE(m_loans.RecomputeForItem(m_car.ID, QDate(2010, 5, 10)), DbStatus::Ok);
        QCOMPARE(m_loans.GetLoan(car.ID, read), DbStatus::Ok);
        QCOMPARE(read.remaining, 40000);
        QVERIFY(!read.endMonth.isValid());

        add(QDate(2010, 6, 10), m_car, 40000);
        QCOMPARE(m_loans.RecomputeRemaining(read, QDate(2010, 6, 12)), DbStatus::Ok);
        QCOMPARE(m_loans.GetLoan(car.ID, read), DbStatus::Ok);
        QCOMPARE(read.remaining, 0);
        QCOMPARE(read.endMonth, QDate(2010, 6, 1));
        QCOMPARE(m_loans.RecomputeRemaining(read, QDate(2010, 8, 1)), DbStatus::Ok);
        QCOMPARE(read.endMonth, QDate(2010, 6, 1));  // kept while repaid

        QList<_LoanData> list;
        QCOMPARE(m_loans.SelectLoans(CTableLoan::SelectRepaid, list), DbStatus::Ok);
        QCOMPARE(list.size(), 1);
        QCOMPARE(m_loans.SelectLoans(CTableLoan::SelectOwing, list), DbStatus::Ok);
        QCOMPARE(list.size(), 0);

        QCOMPARE(m_entries.DeleteRange(QDate(2010, 6, 10), QDate(2010, 6, 10)), DbStatus::Ok);
        QCOMPARE(m_loans.RecomputeForItem(m_car.ID, QDate(2010, 8, 1)), DbStatus::Ok);
        QCOMPARE(m_loans.GetLoan(car.ID, read), DbStatus::Ok);
        QCOMPARE(read.remaining, 40000);
        QVERIFY(!read.endMonth.isValid());  // money is owed again
        QCOMPARE(m_loans.SelectLoans(CTableLoan::SelectOwing, list), DbStatus::Ok);
        QCOMPARE(list.size(), 1);
        QCOMPARE(m_loans.SelectLoans(7, list), DbStatus::Ok);
        QCOMPARE(list.size(), 1);
        QList<_ViewEntry> history;
        QCOMPARE(m_loans.GetLoanHistory(m_car.ID, QDate(2010, 1, 1), QDate(2010, 12, 31), history), DbStatus::Ok);
        QCOMPARE(history.size(), 3);
    }

    void loanRanges()
    {
        _LoanData inside{0, m_car.ID, 1, 1, 0, 0, 0, 1, QDate(2010, 4, 1), QDate(), 0, 0, QString()};
        _LoanData open = inside;
        QCOMPARE(m_loans.AddLoan(inside), DbStatus::Ok);
        QCOMPARE(m_loans.AddLoan(open), DbStatus::Ok);
        inside.endMonth = QDate(2010, 9, 1);
        QCOMPARE(m_loans.UpdateLoan(inside), DbStatus::Ok);
        QCOMPARE(m_loans.DeleteLoansOutside(QDate(2011, 1, 1), QDate(2011, 12, 31)), DbStatus::Ok);
        QList<_LoanData> list;
        QCOMPARE(m_loans.SelectLoansForItem(m_car.ID, list), DbStatus::Ok);
        QCOMPARE(list.size(), 1);  // the one without a payoff month stays
        QCOMPARE(list[0].ID, open.ID);
        QCOMPARE(m_loans.AddLoan(inside), DbStatus::Ok);
        inside.endMonth = QDate(2010, 9, 30);
        QCOMPARE(m_loans.UpdateLoan(inside), DbStatus::Ok);
        QCOMPARE(m_loans.DeleteLoansInside(QDate(2010, 4, 15), QDate(2010, 9, 15)), DbStatus::Ok);
        QCOMPARE(m_loans.GetLoan(inside.ID, inside), DbStatus::NotFound);
    }
};

QTEST_GUILESS_MAIN(TestPaymentsLoans)
#include "test_payments_loans.moc"
