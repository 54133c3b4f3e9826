#include "CDiagLog.h"
#include "CHolidayFile.h"
#include "PaymentDueDate.h"

#include "platform/Cp932Codec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// The national holidays and other days off as the government published them.
const QMap<int, QStringList> publishedHolidays{
    {2000, {u"1/1"_s, u"1/10"_s, u"2/11"_s, u"3/20"_s, u"4/29"_s, u"5/3"_s, u"5/4"_s, u"5/5"_s,
            u"7/20"_s, u"9/15"_s, u"9/23"_s, u"10/9"_s, u"11/3"_s, u"11/23"_s, u"12/23"_s}},
    {2019, {u"1/1"_s, u"1/14"_s, u"2/11"_s, u"3/21"_s, u"4/29"_s, u"4/30"_s, u"5/1"_s, u"5/2"_s,
            u"5/3"_s, u"5/4"_s, u"5/5"_s, u"5/6"_s, u"7/15"_s, u"8/11"_s, u"8/12"_s, u"9/16"_s,
            u"9/23"_s, u"10/14"_s, u"10/22"_s, u"11/3"_s, u"11/4"_s, u"11/23"_s}},
    {2020, {u"1/1"_s, u"1/13"_s, u"2/11"_s, u"2/23"_s, u"2/24"_s, u"3/20"_s, u"4/29"_s, u"5/3"_s,
            u"5/4"_s, u"5/5"_s, u"5/6"_s, u"7/23"_s, u"7/24"_s, u"8/10"_s, u"9/21"_s, u"9/22"_s,
            u"11/3"_s, u"11/23"_s}},
    {2021, {u"1/1"_s, u"1/11"_s, u"2/11"_s, u"2/23"_s, u"3/20"_s, u"4/29"_s, u"5/3"_s, u"5/4"_s,
            u"5/5"_s, u"7/22"_s, u"7/23"_s, u"8/8"_s, u"8/9"_s, u"9/20"_s, u"9/23"_s, u"11/3"_s,
            u"11/23"_s}},
    {2024, {u"1/1"_s, u"1/8"_s, u"2/11"_s, u"2/12"_s, u"2/23"_s, u"3/20"_s, u"4/29"_s, u"5/3"_s,
            u"5/4"_s, u"5/5"_s, u"5/6"_s, u"7/15"_s, u"8/11"_s, u"8/12"_s, u"9/16"_s, u"9/22"_s,
            u"9/23"_s, u"10/14"_s, u"11/3"_s, u"11/4"_s, u"11/23"_s}},
    {2025, {u"1/1"_s, u"1/13"_s, u"2/11"_s, u"2/23"_s, u"2/24"_s, u"3/20"_s, u"4/29"_s, u"5/3"_s,
            u"5/4"_s, u"5/5"_s, u"5/6"_s, u"7/21"_s, u"8/11"_s, u"9/15"_s, u"9/23"_s, u"10/13"_s,
            u"11/3"_s, u"11/23"_s, u"11/24"_s}},
    {2026, {u"1/1"_s, u"1/12"_s, u"2/11"_s, u"2/23"_s, u"3/20"_s, u"4/29"_s, u"5/3"_s, u"5/4"_s,
            u"5/5"_s, u"5/6"_s, u"7/20"_s, u"8/11"_s, u"9/21"_s, u"9/22"_s, u"9/23"_s, u"10/12"_s,
            u"11/3"_s, u"11/23"_s}},
};

QStringList holidaysOfYear(const CHolidayFile& file, int year)
{
    QStringList found;
    for (QDate d(year, 1, 1); d.year() == year; d = d.addDays(1))
        if (file.IsHoliday(d)) found << u"%1/%2"_s.arg(d.month()).arg(d.day());
    return found;
}

}  // namespace

class TestHolidays : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    CHolidayFile m_file;

    void writeCalendar(const QString& name, const QString& text)
    {
        QFile file(m_dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(platform::cp932::encode(text));
    }
    QDate adjust(int y, int m, int d, int rule)
    {
        QDate due;
        AdjustForHoliday(m_file, y, m, d, rule, due);
        return due;
    }

private Q_SLOTS:
    void shippedYearFilesMatchThePublishedCalendar()
    {
        CHolidayFile shipped;
        shipped.SetFolder(QStringLiteral(PROGRAM_FOLDER));
        for (auto it = publishedHolidays.begin(); it != publishedHolidays.end(); ++it) {
            QCOMPARE(shipped.Load(it.key()), 1);
            QCOMPARE(shipped.FileName(), u"Holiday_%1.txt"_s.arg(it.key()));
            QCOMPARE(holidaysOfYear(shipped, it.key()), it.value());
        }
        QString name;
        QCOMPARE(shipped.Load(2026), 1);
        QVERIFY(shipped.IsHoliday(QDate(2026, 9, 22), &name));
        QCOMPARE(name, u"国民の休日"_s);
        QVERIFY(shipped.IsHoliday(QDate(2026, 5, 6), &name));
        QCOMPARE(name, u"振替休日"_s);
    }

    void genericFileFollowsTheWeekdayRules()
    {
        CHolidayFile generic;
        generic.SetFolder(QStringLiteral(PROGRAM_FOLDER));
        QCOMPARE(generic.Load(0), 1);
        QCOMPARE(generic.FileName(), u"Holiday.txt"_s);
        QString name;
        QVERIFY(generic.IsHoliday(QDate(2024, 1, 8), &name));     // second Monday
        QCOMPARE(name, u"成人の日"_s);
        QVERIFY(generic.IsHoliday(QDate(2026, 9, 21), &name));    // third Monday, fourth calendar row
        QCOMPARE(name, u"敬老の日"_s);
        QVERIFY(!generic.IsHoliday(QDate(2026, 9, 14)));
        QVERIFY(generic.IsHoliday(QDate(2025, 7, 21)));
        QVERIFY(generic.IsHoliday(QDate(2030, 10, 14)));

        // Every rule of the generic file holds in the year files of the current law.
        CHolidayFile yearly;
        yearly.SetFolder(QStringLiteral(PROGRAM_FOLDER));
        for (int year = 2022; year <= 2050; ++year) {
            QCOMPARE(yearly.Load(year), 1);
            QCOMPARE(yearly.FileName(), u"Holiday_%1.txt"_s.arg(year));
            for (const QString& day : holidaysOfYear(generic, year))
                QVERIFY2(holidaysOfYear(yearly, year).contains(day), qPrintable(u"%1/"_s.arg(year) + day));
            const qsizetype count = holidaysOfYear(yearly, year).size();
            QVERIFY(count >= 16 && count <= 22);
        }
    }

    void yearWithoutItsOwnFileReadsTheGenericOne()
    {
        writeCalendar(u"Holiday_2011.txt"_s, u"1/1=元日\r\n"_s);
        writeCalendar(u"Holiday.txt"_s, u"2/11=建国記念の日\r\n"_s);
        m_file.SetFolder(m_dir.path());
        QCOMPARE(m_file.Load(2011), 1);
        QCOMPARE(m_file.FileName(), u"Holiday_2011.txt"_s);
        QCOMPARE(m_file.Load(2012), 1);
        QCOMPARE(m_file.FileName(), u"Holiday.txt"_s);
        QCOMPARE(m_file.m_entries.size(), 1);
    }

    void missingFileFailsAndIsLogged()
    {
        QTemporaryDir empty;
        QFile param(empty.filePath(u"param.ini"_s));
        QVERIFY(param.open(QIODevice::WriteOnly));
        param.write("[Flags]\r\nError=1\r\n");
        param.close();
        CDiagLog log;
        QCOMPARE(log.Init(u"KinzoVer2"_s, u"KIN"_s, empty.filePath(u"log"_s), param.fileName(), 0), 1);
        CHolidayFile file;
        file.SetFolder(empty.path());
        file.SetLog(&log);
        QCOMPARE(file.Load(2026), 0);
        QVERIFY(file.m_entries.isEmpty());
        QFile written(log.LogFilePath());
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(written.readAll()).contains(u"[CHolidayFile::Load] 祝祭日ファイルオープン失敗"_s));
    }

    void junkLinesAreSkipped()
    {
        QByteArray junk = platform::cp932::encode(u"元日\r\n=名前だけ\r\n1/1=\r\n13/1=無効\r\n/5=月なし\r\n"_s
                                                  u"1/2w2=成人の日\r\n\r\n5/3 = 憲法記念日 \r\n"_s);
        junk += QByteArray("\x00\xff\x81=\x01\r\n", 7) + QByteArray(50000, '/') + "\r\n";
        QFile file(m_dir.filePath(u"Holiday_1999.txt"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(junk);
        file.close();
        m_file.SetFolder(m_dir.path());
        QCOMPARE(m_file.Load(1999), 1);
        QCOMPARE(m_file.m_entries.size(), 2);
        QString name;
        QVERIFY(m_file.IsHoliday(QDate(1999, 5, 3), &name));
        QCOMPARE(name, u"憲法記念日"_s);
    }

    void dueDatesMoveAroundWeekendsAndHolidays()
    {
        // 2026: 5/3 Sun, 5/4 Mon, 5/5 Tue, 5/6 Wed holidays; 9/21 Mon to 9/23 Wed holidays.
        writeCalendar(u"Holiday_2026.txt"_s, u"5/3=憲法記念日\r\n5/4=みどりの日\r\n5/5=こどもの日\r\n"
                                              u"5/6=振替休日\r\n9/21=敬老の日\r\n9/22=国民の休日\r\n9/23=秋分の日\r\n"
                                              u"11/23=勤労感謝の日\r\n"_s);
        m_file.SetFolder(m_dir.path());
        QCOMPARE(m_file.Load(2026), 1);
        // Weekends: Saturday 7 Nov and Sunday 8 Nov 2026.
        QCOMPARE(adjust(2026, 11, 7, HolidayRuleBefore), QDate(2026, 11, 6));
        QCOMPARE(adjust(2026, 11, 8, HolidayRuleBefore), QDate(2026, 11, 6));
        QCOMPARE(adjust(2026, 11, 7, HolidayRuleAfter), QDate(2026, 11, 9));
        QCOMPARE(adjust(2026, 11, 8, HolidayRuleKeep), QDate(2026, 11, 9));
        // A run of holidays: back over them and the weekend before, or forward over three.
        QCOMPARE(adjust(2026, 9, 22, HolidayRuleBefore), QDate(2026, 9, 18));
        QCOMPARE(adjust(2026, 9, 21, HolidayRuleAfter), QDate(2026, 9, 24));
        QCOMPARE(adjust(2026, 9, 22, HolidayRuleKeep), QDate(2026, 9, 22));
        // A Monday holiday with rule 0 goes back over the weekend to the Friday;
        // Tuesday 5 May 2026 goes back over the holidays and the weekend to Friday 1 May.
        QCOMPARE(adjust(2026, 11, 23, HolidayRuleBefore), QDate(2026, 11, 20));
        QCOMPARE(adjust(2026, 5, 5, HolidayRuleBefore), QDate(2026, 5, 1));
        // A Sunday before a run of holidays: to the Monday, then on past the holidays.
        QCOMPARE(adjust(2026, 5, 3, HolidayRuleAfter), QDate(2026, 5, 7));
        QCOMPARE(adjust(2026, 5, 3, HolidayRuleBefore), QDate(2026, 5, 1));
        // An ordinary day stays.
        QCOMPARE(adjust(2026, 5, 12, HolidayRuleBefore), QDate(2026, 5, 12));
    }

    void paymentDueDatesThroughTheShippedCalendar()
    {
        CHolidayFile shipped;
        shipped.SetFolder(QStringLiteral(PROGRAM_FOLDER));
        QCOMPARE(shipped.Load(2026), 1);
        _PaymentData payment;
        const auto due = [&](int month, int day, int rule, int layout = 1) {
            payment.payDay = day;
            payment.holidayRule = rule;
            return PaymentDueDate(payment, layout, 2026, month, shipped);
        };
        // Sunday 11 January before the Monday holiday of the 12th.
        QCOMPARE(due(1, 11, HolidayRuleBefore), QDate(2026, 1, 9));
        QCOMPARE(due(1, 11, HolidayRuleAfter), QDate(2026, 1, 13));
        QCOMPARE(due(1, 11, HolidayRuleKeep), QDate(2026, 1, 12));
        // Golden Week, Monday 4 to Wednesday 6 May, crossed to Thursday.
        QCOMPARE(due(5, 4, HolidayRuleAfter), QDate(2026, 5, 7));
        // The 31st in February is its last day, Saturday the 28th.
        QCOMPARE(due(2, 31, HolidayRuleBefore), QDate(2026, 2, 27));
        QCOMPARE(due(2, 31, HolidayRuleAfter), QDate(2026, 3, 2));
        // The older layout has no rule of its own: back to the working day before.
        QCOMPARE(due(1, 11, HolidayRuleAfter, 0), QDate(2026, 1, 9));
        QCOMPARE(due(4, 0, HolidayRuleAfter), QDate());
    }

    void dayPastTheMonthEndAndEndlessHolidays()
    {
        m_file.SetFolder(m_dir.path());
        writeCalendar(u"Holiday_2027.txt"_s, QString());
        QCOMPARE(m_file.Load(2027), 1);
        QCOMPARE(adjust(2027, 2, 31, HolidayRuleAfter), QDate(2027, 3, 1));   // 28 Feb is a Sunday
        QCOMPARE(adjust(2027, 4, 31, HolidayRuleBefore), QDate(2027, 4, 30));
        QDate untouched(2000, 1, 1);
        QCOMPARE(AdjustForHoliday(m_file, 2027, 13, 1, 0, untouched), 0);
        QCOMPARE(untouched, QDate(2000, 1, 1));

        QString everyDay;
        for (int m = 1; m <= 12; ++m)
            for (int w = 1; w <= 5; ++w)
                for (int d = 1; d <= 7; ++d) everyDay += u"%1/%2w%3=休み\r\n"_s.arg(m).arg(w).arg(d);
        writeCalendar(u"Holiday_2028.txt"_s, everyDay);
        QCOMPARE(m_file.Load(2028), 1);
        QVERIFY(adjust(2028, 6, 14, HolidayRuleAfter).isValid());
    }
};

QTEST_GUILESS_MAIN(TestHolidays)
#include "test_holidays.moc"
