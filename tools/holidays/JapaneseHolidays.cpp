#include "JapaneseHolidays.h"

#include <map>

using namespace Qt::StringLiterals;

namespace {

using Calendar = std::map<QDate, QString>;

// The n-th Monday of the month.
QDate nthMonday(int year, int month, int n)
{
    const QDate first(year, month, 1);
    const int toMonday = (8 - first.dayOfWeek()) % 7;
    return first.addDays(toMonday + 7 * (n - 1));
}

int vernalEquinoxDay(int year)
{
    return int(20.8431 + 0.242194 * (year - 1980)) - (year - 1980) / 4;
}

int autumnalEquinoxDay(int year)
{
    return int(23.2488 + 0.242194 * (year - 1980)) - (year - 1980) / 4;
}

Calendar nationalHolidays(int y)
{
    Calendar c;
    auto add = [&c, y](int m, int d, const QString& name) { c[QDate(y, m, d)] = name; };
    add(1, 1, u"元日"_s);
    c[nthMonday(y, 1, 2)] = u"成人の日"_s;
    add(2, 11, u"建国記念の日"_s);
    if (y >= 2020) add(2, 23, u"天皇誕生日"_s);
    add(3, vernalEquinoxDay(y), u"春分の日"_s);
    add(4, 29, y >= 2007 ? u"昭和の日"_s : u"みどりの日"_s);
    add(5, 3, u"憲法記念日"_s);
    if (y >= 2007) add(5, 4, u"みどりの日"_s);
    add(5, 5, u"こどもの日"_s);
    if (y == 2020) add(7, 23, u"海の日"_s);
    else if (y == 2021) add(7, 22, u"海の日"_s);
    else if (y >= 2003) c[nthMonday(y, 7, 3)] = u"海の日"_s;
    else add(7, 20, u"海の日"_s);
    if (y == 2020) add(8, 10, u"山の日"_s);
    else if (y == 2021) add(8, 8, u"山の日"_s);
    else if (y >= 2016) add(8, 11, u"山の日"_s);
    if (y >= 2003) c[nthMonday(y, 9, 3)] = u"敬老の日"_s;
    else add(9, 15, u"敬老の日"_s);
    add(9, autumnalEquinoxDay(y), u"秋分の日"_s);
    if (y == 2020) add(7, 24, u"スポーツの日"_s);
    else if (y == 2021) add(7, 23, u"スポーツの日"_s);
    else c[nthMonday(y, 10, 2)] = y >= 2020 ? u"スポーツの日"_s : u"体育の日"_s;
    add(11, 3, u"文化の日"_s);
    add(11, 23, u"勤労感謝の日"_s);
    if (y <= 2018) add(12, 23, u"天皇誕生日"_s);
    if (y == 2019) {
        add(5, 1, u"即位の日"_s);
        add(10, 22, u"即位礼正殿の儀"_s);
    }
    return c;
}

// A weekday that is not a holiday but lies between two national holidays.
void addDaysBetweenHolidays(const Calendar& national, Calendar& all)
{
    for (const auto& [date, name] : national) {
        const QDate between = date.addDays(1);
        if (national.count(between) || between.dayOfWeek() == 7) continue;
        if (national.count(between.addDays(1)) && between.year() == date.year())
            all[between] = u"国民の休日"_s;
    }
}

// A national holiday on a Sunday gives the next day that is no national
// holiday (until 2006: the Monday) as a holiday.
void addSubstituteHolidays(int year, const Calendar& national, Calendar& all)
{
    for (const auto& [date, name] : national) {
        if (date.dayOfWeek() != 7) continue;
        QDate substitute = date.addDays(1);
        if (year >= 2007)
            while (national.count(substitute)) substitute = substitute.addDays(1);
        else if (national.count(substitute))
            continue;
        if (substitute.year() == year) all[substitute] = u"振替休日"_s;
    }
}

}  // namespace

QList<JapaneseHoliday> japaneseHolidays(int year)
{
    if (year < 2000 || year > 2099) return {};
    const Calendar national = nationalHolidays(year);
    Calendar all = national;
    addDaysBetweenHolidays(national, all);
    addSubstituteHolidays(year, national, all);
    QList<JapaneseHoliday> result;
    for (const auto& [date, name] : all) result.push_back({date, name});
    return result;
}

QStringList genericHolidayLines()
{
    return {u"1/1=元日"_s,        u"1/2w2=成人の日"_s, u"2/11=建国記念の日"_s, u"2/23=天皇誕生日"_s,
            u"4/29=昭和の日"_s,   u"5/3=憲法記念日"_s, u"5/4=みどりの日"_s,    u"5/5=こどもの日"_s,
            u"7/3w2=海の日"_s,    u"8/11=山の日"_s,    u"9/3w2=敬老の日"_s,    u"10/2w2=スポーツの日"_s,
            u"11/3=文化の日"_s,   u"11/23=勤労感謝の日"_s};
}
