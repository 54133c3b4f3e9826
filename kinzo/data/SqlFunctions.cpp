#include "kinzo/data/SqlFunctions.h"

#include "kinzo/data/DateValue.h"
#include "kinzo/data/JetLike.h"

#include <QDate>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace {

struct Ymd {
    int year = 0, month = 0, day = 0;
    bool isNull = true;
};

// The day held by an argument; false (with an error set on ctx) when it is
// not a date. Runs once per row: no allocation.
bool argumentDate(sqlite3_context* ctx, sqlite3_value* value, Ymd& date)
{
    date = Ymd();
    if (sqlite3_value_type(value) == SQLITE_NULL) return true;
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    if (!text || !ParseYmd(text, sqlite3_value_bytes(value), date.year, date.month, date.day)) {
        sqlite3_result_error(ctx, "date function: the value is not a date", -1);
        return false;
    }
    date.isNull = false;
    return true;
}

void resultDate(sqlite3_context* ctx, int year, int month, int day)
{
    if (year < 1 || year > 9999) return sqlite3_result_null(ctx);
    char text[10];
    WriteYmd(text, year, month, day);
    sqlite3_result_text(ctx, text, 10, SQLITE_TRANSIENT);
}

void resultDate(sqlite3_context* ctx, const QDate& date)
{
    if (!date.isValid()) return sqlite3_result_null(ctx);
    resultDate(ctx, date.year(), date.month(), date.day());
}

// Months added keep the day, or take the last day of a shorter month.
void resultMonthsAdded(sqlite3_context* ctx, const Ymd& date, qint64 months)
{
    const qint64 index = qint64(date.year) * 12 + (date.month - 1) + months;
    if (index < 12 || index >= 10000 * 12) return sqlite3_result_null(ctx);
    const int year = int(index / 12), month = int(index % 12) + 1;
    resultDate(ctx, year, month, std::min(date.day, DaysInMonth(year, month)));
}

template <int Part>
void datePart(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    Ymd date;
    if (!argumentDate(ctx, argv[0], date)) return;
    if (date.isNull) return sqlite3_result_null(ctx);
    sqlite3_result_int(ctx, Part == 0 ? date.year : Part == 1 ? date.month : date.day);
}

void dateAdd(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    Ymd date;
    if (!argumentDate(ctx, argv[2], date)) return;
    if (date.isNull || sqlite3_value_type(argv[1]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    const auto* raw = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    char interval[5] = {};
    for (int i = 0; raw && raw[i] && i < 4; ++i) interval[i] = char(raw[i] >= 'A' && raw[i] <= 'Z' ? raw[i] + 32 : raw[i]);
    const std::string_view unit(interval);
    const qint64 n = sqlite3_value_int64(argv[1]);
    const QDate day(date.year, date.month, date.day);
    if (unit == "m") resultMonthsAdded(ctx, date, n);
    else if (unit == "yyyy") resultMonthsAdded(ctx, date, 12 * n);
    else if (unit == "q") resultMonthsAdded(ctx, date, 3 * n);
    else if (unit == "d" || unit == "y" || unit == "w") resultDate(ctx, day.addDays(n));
    else if (unit == "ww") resultDate(ctx, day.addDays(7 * n));
    else sqlite3_result_error(ctx, "DateAdd: unknown interval", -1);
}

void appendNumber(std::string& out, int value, int width)
{
    char digits[12];
    const int length = std::snprintf(digits, sizeof digits, "%0*d", width, value);
    out.append(digits, size_t(length));
}

void format(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    const auto* valueText = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const int valueLength = sqlite3_value_bytes(argv[0]);
    int year = 0, month = 0, day = 0;
    if (!ParseYmd(valueText, valueLength, year, month, day)) {
        // Not a date: Jet gives the value's own text.
        sqlite3_result_text(ctx, valueText, valueLength, SQLITE_TRANSIENT);
        return;
    }
    const auto* pattern = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    const std::string_view fmt = pattern ? pattern : "";
    std::string out;
    for (size_t i = 0; i < fmt.size();) {
        const char c = char(fmt[i] | 0x20);
        size_t run = 1;
        while (i + run < fmt.size() && char(fmt[i + run] | 0x20) == c) ++run;
        if (c == 'y' && run >= 4) appendNumber(out, year, 4);
        else if (c == 'y' && run >= 2) appendNumber(out, year % 100, 2);
        else if (c == 'm') appendNumber(out, month, run >= 2 ? 2 : 1);
        else if (c == 'd') appendNumber(out, day, run >= 2 ? 2 : 1);
        else out.append(fmt.substr(i, run));
        i += run;
    }
    sqlite3_result_text(ctx, out.data(), int(out.size()), SQLITE_TRANSIENT);
}

void freePattern(void* pattern)
{
    delete static_cast<JetLikePattern*>(pattern);
}

// SQLite calls like(pattern, text[, escape]) for "text LIKE pattern".
void like(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const auto* compiled = static_cast<const JetLikePattern*>(sqlite3_get_auxdata(ctx, 0));
    std::unique_ptr<JetLikePattern> fresh;
    if (!compiled) {
        std::u32string pattern;
        DecodeFoldedUtf8(sqlite3_value_text(argv[0]), sqlite3_value_bytes(argv[0]), pattern);
        char32_t escape = 0;
        if (argc == 3) {
            std::u32string escapeText;
            DecodeFoldedUtf8(sqlite3_value_text(argv[2]), sqlite3_value_bytes(argv[2]), escapeText);
            if (escapeText.size() != 1)
                return sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            escape = escapeText[0];
        }
        fresh = std::make_unique<JetLikePattern>(pattern, escape);
        if (!fresh->IsValid()) return sqlite3_result_error(ctx, "LIKE: invalid pattern", -1);
        compiled = fresh.get();
    }
    thread_local std::u32string text;
    DecodeFoldedUtf8(sqlite3_value_text(argv[1]), sqlite3_value_bytes(argv[1]), text);
    sqlite3_result_int(ctx, compiled->Matches(text) ? 1 : 0);
    // The engine keeps the compiled pattern for the next rows of the statement.
    if (fresh) sqlite3_set_auxdata(ctx, 0, fresh.release(), freePattern);
}

}  // namespace

bool RegisterJetFunctions(sqlite3* db)
{
    struct Function {
        const char* name;
        int arguments;
        void (*call)(sqlite3_context*, int, sqlite3_value**);
    };
    static const Function functions[] = {
        {"Format", 2, format},      {"Year", 1, datePart<0>}, {"Month", 1, datePart<1>},
        {"Day", 1, datePart<2>},    {"DateAdd", 3, dateAdd},  {"like", 2, like},
        {"like", 3, like},
    };
    for (const Function& f : functions) {
        if (sqlite3_create_function(db, f.name, f.arguments, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                    f.call, nullptr, nullptr) != SQLITE_OK)
            return false;
    }
    return true;
}
