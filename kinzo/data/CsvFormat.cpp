#include "kinzo/data/CsvFormat.h"

using namespace Qt::StringLiterals;

QString QuoteCsv(const QString& text)
{
    QString escaped = text;
    return u"\""_s + escaped.replace(u"\""_s, u"\"\""_s) + u"\""_s;
}

bool ParseCsv(QStringView text, QList<CsvRecord>& records, QString& error)
{
    records.clear();
    CsvRecord record;
    CsvField field;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto endField = [&] {
        record.append(std::move(field));
        field = CsvField();
    };
    while (i < n) {
        const QChar c = text[i];
        if (c == u'"' && field.text.isEmpty() && !field.quoted) {
            field.quoted = true;
            const qsizetype start = ++i;
            while (true) {
                if (i >= n) {
                    error = u"CSVの引用符が閉じていません（%1 行目）。"_s.arg(records.size() + 1);
                    return false;
                }
                if (text[i] == u'"') {
                    if (i + 1 < n && text[i + 1] == u'"') { i += 2; continue; }
                    break;
                }
                ++i;
            }
            field.text = text.mid(start, i - start).toString().replace(u"\"\""_s, u"\""_s);
            ++i;
        } else if (c == u',') {
            endField();
            ++i;
        } else if (c == u'\r' || c == u'\n') {
            endField();
            records.append(std::move(record));
            record = CsvRecord();
            i += (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ? 2 : 1;
        } else {
            field.text += c;
            ++i;
        }
    }
    if (!field.text.isEmpty() || field.quoted || !record.isEmpty()) {
        endField();
        records.append(std::move(record));
    }
    return true;
}
