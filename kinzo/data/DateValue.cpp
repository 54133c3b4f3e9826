#include "kinzo/data/DateValue.h"

#include <QByteArray>

namespace {

// Reads 1 to maxDigits decimal digits at text[pos], advancing pos.
bool readNumber(const char* text, int length, int& pos, int maxDigits, int& value)
{
    value = 0;
    int digits = 0;
    while (pos < length && digits < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + (text[pos] - '0');
        ++pos;
        ++digits;
    }
    return digits > 0;
}

}  // namespace

int DaysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0)) return 29;
    return days[month - 1];
}

bool ParseYmd(const char* text, int length, int& year, int& month, int& day)
{
    int pos = 0;
    while (pos < length && text[pos] == ' ') ++pos;
    if (!readNumber(text, length, pos, 4, year) || pos >= length) return false;
    const char separator = text[pos];
    if (separator != '-' && separator != '/') return false;
    ++pos;
    if (!readNumber(text, length, pos, 2, month) || pos >= length || text[pos] != separator) return false;
    ++pos;
    if (!readNumber(text, length, pos, 2, day)) return false;
    if (pos < length && text[pos] != ' ' && text[pos] != 'T') return false;
    return year >= 1 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

void WriteYmd(char* out, int year, int month, int day)
{
    const int parts[] = {year / 1000 % 10, year / 100 % 10, year / 10 % 10, year % 10};
    for (int i = 0; i < 4; ++i) out[i] = char('0' + parts[i]);
    out[4] = '-';
    out[5] = char('0' + month / 10);
    out[6] = char('0' + month % 10);
    out[7] = '-';
    out[8] = char('0' + day / 10);
    out[9] = char('0' + day % 10);
}

QString FormatDateValue(const QDate& date)
{
    if (!date.isValid() || date.year() < 1 || date.year() > 9999) return QString();
    char text[10];
    WriteYmd(text, date.year(), date.month(), date.day());
    return QString::fromLatin1(text, 10);
}

bool ParseDateBytes(const char* text, int length, int& year, int& month, int& day)
{
    return ParseYmd(text, length, year, month, day) && !(year == 1899 && month == 12 && day == 31);
}

QDate ParseDateValue(QStringView text)
{
    int year = 0, month = 0, day = 0;
    bool parsed = false;
    // Called for every date of a CSV import: short texts skip the conversion.
    if (char ascii[40]; text.size() <= qsizetype(sizeof ascii)) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = text[i].unicode();
            ascii[i] = c < 0x80 ? char(c) : '?';
        }
        parsed = ParseDateBytes(ascii, int(text.size()), year, month, day);
    } else {
        const QByteArray utf8 = text.toUtf8();
        parsed = ParseDateBytes(utf8.constData(), int(utf8.size()), year, month, day);
    }
    return parsed ? QDate(year, month, day) : QDate();
}
