#include "PrivateProfile.h"

#include "TextFile.h"

#include <QFile>

#include <optional>

namespace platform::profile {

namespace {

struct Line {
    QString text;
    bool isSection = false;
    QString name;           // section name, or key name of a key line
    bool isKey = false;
    QString value;
};

QString unquote(QString value)
{
    value = value.trimmed();
    if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"')
        value = value.mid(1, value.size() - 2);
    return value;
}

Line parseLine(const QString& text)
{
    Line line;
    line.text = text;
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(u'[')) {
        const qsizetype close = trimmed.indexOf(u']');
        line.isSection = true;
        line.name = trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed();
        return line;
    }
    const qsizetype eq = text.indexOf(u'=');
    if (eq < 0) return line;
    qsizetype start = 0;
    while (start < eq && text[start].isSpace()) ++start;
    line.name = text.mid(start, eq - start);
    line.isKey = !line.name.isEmpty();
    line.value = unquote(text.mid(eq + 1));
    return line;
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The file as lines, with the line-end style kept for writing back.
class Document {
public:
    explicit Document(const QString& path) : m_path(path)
    {
        QString text;
        if (!readTextFile(path, text)) {
            // A file that is there but cannot be read must not be overwritten.
            m_unreadable = QFile::exists(path);
            return;
        }
        m_crlf = text.isEmpty() || text.contains(u"\r\n");
        QStringList raw = text.split(u'\n');
        if (!raw.isEmpty() && raw.back().isEmpty()) raw.removeLast();
        for (QString& r : raw) {
            if (r.endsWith(u'\r')) r.chop(1);
            m_lines.push_back(parseLine(r));
        }
    }

    // Index of the section header, if present.
    std::optional<qsizetype> findSection(const QString& section) const
    {
        for (qsizetype i = 0; i < m_lines.size(); ++i)
            if (m_lines[i].isSection && sameName(m_lines[i].name, section)) return i;
        return std::nullopt;
    }

    // One past the last line of the section that starts at header.
    qsizetype sectionEnd(qsizetype header) const
    {
        qsizetype i = header + 1;
        while (i < m_lines.size() && !m_lines[i].isSection) ++i;
        return i;
    }

    std::optional<qsizetype> findKey(const QString& section, const QString& key) const
    {
        const auto header = findSection(section);
        if (!header) return std::nullopt;
        for (qsizetype i = *header + 1; i < sectionEnd(*header); ++i)
            if (m_lines[i].isKey && sameName(m_lines[i].name, key)) return i;
        return std::nullopt;
    }

    const Line& at(qsizetype i) const { return m_lines[i]; }

    void setKey(const QString& section, const QString& key, const QString& value)
    {
        const QString text = key + u'=' + value;
        if (const auto found = findKey(section, key)) {
            m_lines[*found] = parseLine(text);
            return;
        }
        if (const auto header = findSection(section)) {
            qsizetype at = sectionEnd(*header);
            while (at > *header + 1 && m_lines[at - 1].text.trimmed().isEmpty()) --at;
            m_lines.insert(at, parseLine(text));
            return;
        }
        if (!m_lines.isEmpty() && !m_lines.back().text.trimmed().isEmpty())
            m_lines.push_back(parseLine(QString()));
        m_lines.push_back(parseLine(u'[' + section + u']'));
        m_lines.push_back(parseLine(text));
    }

    bool removeLine(std::optional<qsizetype> index)
    {
        if (!index) return false;
        m_lines.remove(*index);
        return true;
    }

    bool removeSection(const QString& section)
    {
        const auto header = findSection(section);
        if (!header) return false;
        m_lines.remove(*header, sectionEnd(*header) - *header);
        return true;
    }

    QList<std::pair<QString, QString>> entries(const QString& section) const
    {
        QList<std::pair<QString, QString>> result;
        if (const auto header = findSection(section))
            for (qsizetype i = *header + 1; i < sectionEnd(*header); ++i)
                if (m_lines[i].isKey) result.push_back({m_lines[i].name, m_lines[i].value.left(readLimit)});
        return result;
    }

    bool save() const
    {
        if (m_unreadable) return false;
        QString text;
        const QString eol = m_crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
        for (const Line& line : m_lines) text += line.text + eol;
        return writeTextFile(m_path, text);
    }

private:
    QString m_path;
    QList<Line> m_lines;
    bool m_crlf = true;
    bool m_unreadable = false;
};

QString storedForm(QString value)
{
    value.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\r', u' ').replace(u'\n', u' ');
    const bool padded = !value.isEmpty() && (value.front().isSpace() || value.back().isSpace());
    const bool quoted = value.size() >= 2 && value.front() == u'"' && value.back() == u'"';
    return padded || quoted ? u'"' + value + u'"' : value;
}

}  // namespace

QString readString(const QString& path, const QString& section, const QString& key,
                   const QString& defaultValue)
{
    const Document doc(path);
    const auto found = doc.findKey(section, key);
    return (found ? doc.at(*found).value : defaultValue).left(readLimit);
}

bool writeString(const QString& path, const QString& section, const QString& key,
                 const QString& value)
{
    Document doc(path);
    doc.setKey(section, key, storedForm(value));
    return doc.save();
}

bool removeKey(const QString& path, const QString& section, const QString& key)
{
    Document doc(path);
    return !doc.removeLine(doc.findKey(section, key)) || doc.save();
}

bool removeSection(const QString& path, const QString& section)
{
    Document doc(path);
    return !doc.removeSection(section) || doc.save();
}

QStringList keys(const QString& path, const QString& section)
{
    QStringList names;
    for (const auto& entry : Document(path).entries(section)) names << entry.first;
    return names;
}

QList<std::pair<QString, QString>> readSection(const QString& path, const QString& section)
{
    return Document(path).entries(section);
}

bool replaceSection(const QString& path, const QString& section,
                    const QList<std::pair<QString, QString>>& entries)
{
    Document doc(path);
    doc.removeSection(section);
    for (const auto& [key, value] : entries) doc.setKey(section, key, storedForm(value));
    return doc.save();
}

}  // namespace platform::profile
