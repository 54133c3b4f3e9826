// Builds a household ledger (100,000 entries over ten years by default) with
// a recurring payment on every expense leaf and a loan on every third, then
// times, month by month over the ten years: the payment check list's rows,
// the loan check list's rows and the start-up reminder's lines, each against
// bare SQLite statements that read the same entries (the newest entry of each
// account in the month). Also times the instalment count of a loan whose
// remainder takes two thousand million instalments. Prints medians, worst
// cases and the ratios to bare SQLite.

#include "HouseholdLedger.h"

#include "CHolidayFile.h"
#include "CStartupReminder.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/DateValue.h"
#include "kinzo/data/LoanInstalments.h"
#include "kinzo/dialogs/loans/LoanCheckRows.h"
#include "kinzo/dialogs/loans/LoanListMode.h"
#include "kinzo/dialogs/payments/PaymentCheckRows.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

class QuietHost : public CKinzoDocHost {
public:
    void Notice(const QString& text) override { std::printf("  message: %s\n", qPrintable(text)); }
    void Log(const QString&) override {}
    QString ProgramFolder() const override { return QStringLiteral(KINZO_PROGRAM_DIR); }
    void WriteDBFileName(const QString&) override {}
    bool MainWindowReady() const override { return false; }
};

struct Figures {
    double median = 0, worst = 0;
};

Figures measure(const std::function<void(const QDate&)>& run)
{
    std::vector<double> ms;
    for (QDate month = bench::firstDay; month <= bench::lastDay; month = month.addMonths(1)) {
        QElapsedTimer clock;
        clock.start();
        run(month);
        ms.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

void print(const char* what, const Figures& figures, const Figures& bare)
{
    std::printf("%-36s median %7.3f ms  worst %7.3f ms  (bare SQLite %7.3f ms, ratio %5.1f)\n", what, figures.median,
                figures.worst, bare.median, bare.median > 0 ? figures.median / bare.median : 0.0);
}

// The newest entry of each bound account in the month, prepared once.
Figures bareNewest(sqlite3* db, const QList<int>& accounts)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "SELECT MAX(日付) FROM 出納簿 WHERE 勘定科目ID = ? AND 日付 BETWEEN ? AND ?", -1, &stmt, nullptr);
    qint64 found = 0;
    const Figures figures = measure([&](const QDate& month) {
        const QByteArray first = FormatDateValue(month).toLatin1();
        const QByteArray last = FormatDateValue(month.addDays(month.daysInMonth() - 1)).toLatin1();
        for (int id : accounts) {
            sqlite3_bind_int(stmt, 1, id);
            sqlite3_bind_text(stmt, 2, first.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(stmt, 3, last.constData(), -1, SQLITE_TRANSIENT);
            while (sqlite3_step(stmt) == SQLITE_ROW) found += sqlite3_column_type(stmt, 0) != SQLITE_NULL;
            sqlite3_reset(stmt);
        }
    });
    sqlite3_finalize(stmt);
    return found >= 0 ? figures : Figures{};
}

bool bindPaymentsAndLoans(CKinzoDoc& doc, const QList<int>& leaves, QList<int>& loanAccounts)
{
    for (int i = 0; i < leaves.size(); ++i) {
        _PaymentData payment;
        payment.itemId = leaves[i];
        payment.payDay = 1 + (i * 7) % 31;
        payment.announce = 1;
        payment.start = bench::firstDay;
        payment.end = bench::lastDay;
        payment.months.fill(1);
        payment.holidayRule = i % 3;
        if (doc.PaymentTable().AddPayment(payment) != DbStatus::Ok) return false;
        if (i % 3 != 0) continue;
        _LoanData loan;
        loan.itemId = leaves[i];
        loan.total = 50000000;
        loan.monthly = 30000;
        loan.bonusMonth1 = 6;
        loan.bonusMonth2 = 12;
        loan.bonusAmount = 150000;
        loan.payDay = 27;
        loan.startMonth = bench::firstDay;
        loan.announce = 1;
        if (doc.LoanTable().AddLoan(loan) != DbStatus::Ok || doc.LoanTable().RecomputeRemaining(loan) != DbStatus::Ok)
            return false;
        loanAccounts << leaves[i];
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int entries = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir dir;
    const QString path = dir.filePath(u"家計簿.kzd"_s);
    QuietHost host;
    CDBConnection connection;
    CKinzoDoc doc(connection, host);
    if (!doc.OnNewDocument(path)) return 1;
    doc.AccountTable().DeleteAll();   // the household tree brings its own roots
    const bench::Ledger ledger = bench::buildTree(doc.AccountTable());
    bench::fillEntries(connection.Handle(), ledger, entries);
    doc.ReloadAccountItems();
    QList<int> loanAccounts;
    if (!bindPaymentsAndLoans(doc, ledger.expenseLeaves, loanAccounts)) return 1;
    std::printf("%d entries over %s to %s; %lld recurring payments, %lld loans; 120 months each\n", entries,
                qPrintable(bench::firstDay.toString(Qt::ISODate)), qPrintable(bench::lastDay.toString(Qt::ISODate)),
                qlonglong(ledger.expenseLeaves.size()), qlonglong(loanAccounts.size()));

    CHolidayFile holidays;
    holidays.SetFolder(QStringLiteral(KINZO_PROGRAM_DIR));
    QString failure;
    qint64 rows = 0;
    const Figures payments = measure([&](const QDate& month) {
        holidays.Load(month.year());
        QList<_PaymentCheckRow> found;
        if (FillPaymentCheckRows(doc, month, PaymentCheckAll, holidays, found, failure)) rows += found.size();
    });
    const Figures paymentsBare = bareNewest(connection.Handle(), ledger.expenseLeaves);
    print("payment check list, one month", payments, paymentsBare);

    const Figures loans = measure([&](const QDate& month) {
        QList<_LoanCheckRow> found;
        if (FillLoanCheckRows(doc, LoanListAll, month, found, failure)) rows += found.size();
    });
    print("loan check list, one month", loans, bareNewest(connection.Handle(), loanAccounts));

    const Figures reminder = measure([&](const QDate& month) {
        holidays.Load(month.year());
        CStartupReminder remind(doc.PaymentTable(), doc.LoanTable(), doc.AccountItems(), holidays, 31, month);
        QString lines;
        remind.PaymentLines(lines, failure);
        remind.LoanLines(lines, failure);
        rows += lines.size() > 0;
    });
    QList<int> both = ledger.expenseLeaves;
    both << loanAccounts;
    print("start-up reminder, both messages", reminder, bareNewest(connection.Handle(), both));

    _LoanData endless;
    endless.total = endless.remaining = 2000000000;
    endless.monthly = 1;
    QElapsedTimer clock;
    clock.start();
    const qint64 count = RemainingInstalments(endless, QDate(2026, 5, 1));
    std::printf("%-36s %lld instalments in %.3f ms\n", "instalments of 2,000,000,000 at 1", qlonglong(count),
                clock.nsecsElapsed() / 1e6);
    std::printf("(rows read: %lld)\n", qlonglong(rows));
    return 0;
}
