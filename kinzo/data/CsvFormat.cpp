#include "kinzo/data/CsvFormat.h"

using namespace Qt::StringLiterals;

QString QuoteCsv(const QString& text)
{
    QString escaped = text;
    return u"\""_s + escaped.replace(u"\""_s, u"\"\""_s) + u"\""_s;
}

bool CsvReader::ReadQuoted(CsvField& field, QString& error)
{
    const qsizetype start = ++m_pos;
    bool doubled = false;
    for (;; ++m_pos) {
        m_pos = m_text.indexOf(u'"', m_pos);
        if (m_pos < 0) {
            m_pos = m_text.size();
            error = u"CSVの引用符が閉じていません（%1 行目）。"_s.arg(m_count + 1);
            return false;
        }
        if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == u'"') {
            doubled = true;
            ++m_pos;
            continue;
        }
        break;
    }
    field.text.append(m_text.sliced(start, m_pos - start));
    if (doubled) field.text.replace(u"\"\""_s, u"\""_s);
    field.quoted = true;
    ++m_pos;
    return true;
}

bool CsvReader::Next(CsvRecord& record, QString& error)
{
    const qsizetype n = m_text.size();
    if (m_pos >= n) return false;
    qsizetype fields = 0;
    while (true) {
        if (record.size() <= fields) record.append(CsvField());
        CsvField& field = record[fields++];
        field.text.resize(0);
        field.quoted = false;
        if (m_text[m_pos] == u'"' && !ReadQuoted(field, error)) return false;
        const qsizetype start = m_pos;
        while (m_pos < n) {
            const QChar c = m_text[m_pos];
            if (c == u',' || c == u'\r' || c == u'\n') break;
            ++m_pos;
        }
        if (m_pos > start) field.text.append(m_text.sliced(start, m_pos - start));
        if (m_pos < n && m_text[m_pos] == u',') {
            ++m_pos;
            if (m_pos < n) continue;
            // A separator at the very end leaves one more, empty field.
            if (record.size() <= fields) record.append(CsvField());
            record[fields].text.resize(0);
            record[fields++].quoted = false;
        } else if (m_pos < n) {
            m_pos += (m_text[m_pos] == u'\r' && m_pos + 1 < n && m_text[m_pos + 1] == u'\n') ? 2 : 1;
        }
        record.resize(fields);
        ++m_count;
        return true;
    }
}

bool ParseCsv(QStringView text, QList<CsvRecord>& records, QString& error)
{
    records.clear();
    CsvReader reader(text);
    CsvRecord record;
    QString reason;
    while (reader.Next(record, reason)) records.append(record);
    if (reason.isEmpty()) return true;
    error = reason;
    return false;
}
