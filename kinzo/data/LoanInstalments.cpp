#include "kinzo/data/LoanInstalments.h"

#include <array>

namespace {

std::array<qint64, 12> MonthlyPayments(const _LoanData& loan)
{
    std::array<qint64, 12> pay{};
    for (int month = 1; month <= 12; ++month) pay[month - 1] = InstalmentOfMonth(loan, month);
    return pay;
}

}  // namespace

qint64 InstalmentOfMonth(const _LoanData& loan, int month)
{
    const bool bonus = loan.bonusAmount != 0 && (month == loan.bonusMonth1 || month == loan.bonusMonth2);
    return bonus ? loan.bonusAmount : loan.monthly;
}

qint64 RemainingInstalments(const _LoanData& loan, const QDate& firstMonth)
{
    if (loan.remaining <= 0) return 0;
    if (loan.monthly < 1 || loan.bonusAmount < 0 || !firstMonth.isValid()) return -1;
    const std::array<qint64, 12> pay = MonthlyPayments(loan);
    qint64 year = 0;
    for (qint64 p : pay) year += p;
    // Whole years are counted at once so that a large remainder paid in small
    // instalments takes no time; the last two years go month by month.
    qint64 rest = loan.remaining;
    qint64 count = 0;
    const qint64 wholeYears = rest / year - 1;
    if (wholeYears > 0) {
        rest -= wholeYears * year;
        count = wholeYears * 12;
    }
    for (int month = firstMonth.month() - 1; rest > 0; month = (month + 1) % 12) {
        rest -= pay[month];
        ++count;
    }
    return count;
}

QDate FirstUnpaidMonth(const QDate& today, bool paidThisMonth)
{
    const QDate first(today.year(), today.month(), 1);
    return paidThisMonth ? first.addMonths(1) : first;
}
