#pragma once
// The holiday calendar: the holidays of one year, read from a text file in the
// program folder ("Holiday_<year>.txt", else "Holiday.txt"). Each line is
//   month/day=name        a fixed date, e.g. 1/1=元日
//   month/nwd=name        the n-th weekday d (1 Sunday .. 7 Saturday) of the
//                         month, e.g. 1/2w2=成人の日 (the second Monday)
// Lines without a date or a name, or with a month outside 1..12, are skipped.

#include <QDate>
#include <QList>
#include <QString>

class CDiagLog;

struct _HolidayData {
    int weekdayRule = 0;   // 1: week and weekday name the day
    int month = 0;
    int day = 0;
    int week = 0;
    int weekday = 0;       // 1 Sunday .. 7 Saturday
    QString name;
};

class CHolidayFile {
public:
    void SetFolder(const QString& folder);
    // Failures to open the file are written to this log when given.
    void SetLog(CDiagLog* log) { m_log = log; }

    // Reads the file for the year (0: "Holiday.txt"). Returns 1 when a file
    // was read, 0 when none could be opened (the list is then empty).
    int Load(int year);

    // 1 when the date is a holiday of the loaded file; its name goes to *name.
    int IsHoliday(const QDate& date, QString* name = nullptr) const;

    QString FileName() const { return m_fileName; }

    QString m_folder;
    QString m_fileName;
    QList<_HolidayData> m_entries;

private:
    CDiagLog* m_log = nullptr;
};

// How a due date that falls on a holiday moves (holiday rule of a recurring payment).
enum HolidayRule { HolidayRuleBefore = 0, HolidayRuleAfter = 1, HolidayRuleKeep = 2 };

// The due date of day `day` in the month after the holiday rule: rule 0 steps
// back and rule 1 forward, a day at a time, until the date is neither a
// Saturday, a Sunday nor a holiday of the file; rule 2 keeps a holiday and
// moves a weekend to the Monday after. A day past the end of the month is
// taken as its last day. Returns 0 (and leaves *due alone) for an invalid month.
int AdjustForHoliday(const CHolidayFile& holidays, int year, int month, int day, int rule, QDate& due);
