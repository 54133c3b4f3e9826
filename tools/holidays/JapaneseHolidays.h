#pragma once
// Japan's public holidays by the Act on National Holidays and its amendments,
// for the years 2000 to 2099: the national holidays themselves, substitute
// holidays (振替休日) and days between two holidays (国民の休日), with the
// one-off changes of 2019 to 2021. Equinox days follow the usual formula
// that the almanac has matched for these years.

#include <QDate>
#include <QList>
#include <QString>

struct JapaneseHoliday {
    QDate date;
    QString name;
};

// Every holiday of the year in date order. Empty outside 2000 to 2099.
QList<JapaneseHoliday> japaneseHolidays(int year);

// The lines of the generic calendar for years without a file of their own:
// the fixed dates and the n-th-weekday rules of the current law ("1/2w2=成人の日").
QStringList genericHolidayLines();
