// make_holiday_files <folder> <first year> <last year>
// Writes Holiday.txt (fixed dates and weekday rules, for any year) and one
// Holiday_<year>.txt per year with every holiday of that year as a fixed date.

#include "JapaneseHolidays.h"

#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

bool writeLines(const QString& path, const QString& heading, const QStringList& lines)
{
    return platform::writeTextFile(path, heading + u"\r\n"_s + lines.join(u"\r\n"_s) + u"\r\n"_s);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: make_holiday_files <folder> <first year> <last year>\n");
        return 2;
    }
    const QDir folder(args[1]);
    QDir().mkpath(folder.path());
    bool ok = writeLines(folder.filePath(u"Holiday.txt"_s), u"# 祝日（毎年同じ日付の祝日と、第何週の何曜日で決まる祝日）"_s,
                         genericHolidayLines());
    for (int year = args[2].toInt(); year <= args[3].toInt(); ++year) {
        QStringList lines;
        for (const JapaneseHoliday& h : japaneseHolidays(year))
            lines << u"%1/%2=%3"_s.arg(h.date.month()).arg(h.date.day()).arg(h.name);
        ok = writeLines(folder.filePath(u"Holiday_%1.txt"_s.arg(year)),
                        u"# %1年の祝日と休日"_s.arg(year), lines) && ok;
    }
    if (!ok) std::fprintf(stderr, "make_holiday_files: cannot write to %s\n", qPrintable(folder.path()));
    return ok ? 0 : 1;
}
