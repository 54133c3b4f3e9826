#include "CHolidayFile.h"

#include "CDiagLog.h"

#include "platform/TextFile.h"
#include "platform/TextNumber.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// Sunday 1 .. Saturday 7, as the file counts weekdays.
int fileWeekday(const QDate& date)
{
    return date.dayOfWeek() % 7 + 1;
}

bool parseLine(const QString& line, _HolidayData& entry)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0) return false;
    const QString datePart = line.left(eq).trimmed();
    entry.name = line.mid(eq + 1).trimmed();
    if (datePart.isEmpty() || entry.name.isEmpty()) return false;
    const qsizetype slash = datePart.indexOf(u'/');
    if (slash < 0) return false;
    entry.month = platform::atoiLike(datePart.left(slash));
    const QString dayPart = datePart.mid(slash + 1);
    const qsizetype w = dayPart.indexOf(u'w', 0, Qt::CaseInsensitive);
    if (w >= 0) {
        entry.weekdayRule = 1;
        entry.week = platform::atoiLike(dayPart.left(w));
        entry.weekday = platform::atoiLike(dayPart.mid(w + 1));
    } else {
        entry.day = platform::atoiLike(dayPart);
    }
    return entry.month >= 1 && entry.month <= 12;
}

}  // namespace

void CHolidayFile::SetFolder(const QString& folder)
{
    m_folder = folder;
}

int CHolidayFile::Load(int year)
{
    m_entries.clear();
    const QDir folder(m_folder);
    m_fileName = year == 0 ? u"Holiday.txt"_s : u"Holiday_%1.txt"_s.arg(year);
    if (!QFileInfo::exists(folder.filePath(m_fileName))) m_fileName = u"Holiday.txt"_s;

    QString text;
    QFile probe(folder.filePath(m_fileName));
    if (!platform::readTextFile(probe.fileName(), text)) {
        if (m_log) {
            probe.open(QIODevice::ReadOnly);
            m_log->Error("CHolidayFile::Load", "祝祭日ファイルオープン失敗 %s",
                         qUtf8Printable(probe.errorString()));
        }
        return 0;
    }
    for (const QString& line : text.split(u'\n')) {
        _HolidayData entry;
        if (parseLine(line, entry)) m_entries.push_back(entry);
    }
    return 1;
}

int CHolidayFile::IsHoliday(const QDate& date, QString* name) const
{
    if (!date.isValid()) return 0;
    // The n-th occurrence of the weekday in its month.
    const int occurrence = (date.day() - 1) / 7 + 1;
    for (const _HolidayData& entry : m_entries) {
        if (entry.month != date.month()) continue;
        const bool match = entry.weekdayRule
                               ? entry.weekday == fileWeekday(date) && entry.week == occurrence
                               : entry.day == date.day();
        if (!match) continue;
        if (name) *name = entry.name;
        return 1;
    }
    return 0;
}

int AdjustForHoliday(const CHolidayFile& holidays, int year, int month, int day, int rule, QDate& due)
{
    const QDate first(year, month, 1);
    if (!first.isValid()) return 0;
    QDate date = first.addDays(std::clamp(day, 1, first.daysInMonth()) - 1);

    if (rule == HolidayRuleKeep) {
        // Holidays stay; a weekend moves on to the Monday.
        const int weekday = date.dayOfWeek();   // 6 Saturday, 7 Sunday
        if (weekday >= 6) date = date.addDays(8 - weekday);
    } else {
        // On to the nearest working day in the rule's direction, over weekends
        // and holidays alike (a Monday holiday before goes back to Friday). A
        // calendar file can only hold so many holidays in a row; the bound keeps
        // a file that makes every day a holiday from stopping the program.
        const int step = rule == HolidayRuleBefore ? -1 : 1;
        for (int n = 0; n < 366 && (date.dayOfWeek() >= 6 || holidays.IsHoliday(date)); ++n) date = date.addDays(step);
    }
    due = date;
    return 1;
}
