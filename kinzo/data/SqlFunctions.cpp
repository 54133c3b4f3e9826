#include "kinzo/data/SqlFunctions.h"

#include "kinzo/data/DateValue.h"
#include "kinzo/data/JetLike.h"

#include <QDate>

#include <sqlite3.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

// The day held by an argument; false (with an error set on ctx) when it is
// not a date, true with an invalid date for NULL.
bool argumentDate(sqlite3_context* ctx, sqlite3_value* value, QDate& date)
{
    date = QDate();
    if (sqlite3_value_type(value) == SQLITE_NULL) return true;
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    int year = 0, month = 0, day = 0;
    if (!text || !ParseYmd(text, sqlite3_value_bytes(value), year, month, day)) {
        sqlite3_result_error(ctx, "date function: the value is not a date", -1);
        return false;
    }
    date = QDate(year, month, day);
    return true;
}

void resultDate(sqlite3_context* ctx, const QDate& date)
{
    if (!date.isValid() || date.year() < 1 || date.year() > 9999) {
        sqlite3_result_null(ctx);
        return;
    }
    char text[10];
    WriteYmd(text, date.year(), date.month(), date.day());
    sqlite3_result_text(ctx, text, 10, SQLITE_TRANSIENT);
}

template <int Part>
void datePart(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    QDate date;
    if (!argumentDate(ctx, argv[0], date)) return;
    if (!date.isValid()) return sqlite3_result_null(ctx);
    sqlite3_result_int(ctx, Part == 0 ? date.year() : Part == 1 ? date.month() : date.day());
}

void dateAdd(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    QDate date;
    if (!argumentDate(ctx, argv[2], date)) return;
    if (!date.isValid() || sqlite3_value_type(argv[1]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    const auto* raw = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    std::string interval = raw ? raw : "";
    for (char& c : interval) c = char(c >= 'A' && c <= 'Z' ? c + 32 : c);
    const int n = sqlite3_value_int(argv[1]);
    if (interval == "m") resultDate(ctx, date.addMonths(n));
    else if (interval == "yyyy") resultDate(ctx, date.addYears(n));
    else if (interval == "q") resultDate(ctx, date.addMonths(3 * n));
    else if (interval == "d" || interval == "y" || interval == "w") resultDate(ctx, date.addDays(n));
    else if (interval == "ww") resultDate(ctx, date.addDays(7 * qint64(n)));
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
