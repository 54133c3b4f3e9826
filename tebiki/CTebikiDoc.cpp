#include "CTebikiDoc.h"

#include "platform/TextFile.h"

using namespace Qt::StringLiterals;

namespace {

const QString contentsStart = u"目次ここから"_s;
const QString contentsEnd = u"目次ここまで"_s;
const QString lineEnd = u"\r\n"_s;

QStringList splitLines(const QString& text)
{
    QStringList lines = text.split(u'\n');
    for (QString& line : lines)
        if (line.endsWith(u'\r')) line.chop(1);
    return lines;
}

bool isFullWidthDigit(QChar c)
{
    return c >= u'０' && c <= u'９';
}

}  // namespace

bool CTebikiDoc::Load(const QString& path)
{
    QString text;
    if (!platform::readTextFile(path, text)) {
        Parse(QString());
        return false;
    }
    Parse(text);
    return true;
}

void CTebikiDoc::Parse(const QString& text)
{
    const QStringList lines = splitLines(text);
    ReadContents(lines);
    ReadPages(lines);
    BuildTree();
}

void CTebikiDoc::ReadContents(const QStringList& lines)
{
    m_contents.clear();
    bool inside = false;
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty()) continue;
        if (m_contents.isEmpty()) {
            m_contents << line;   // the title
            continue;
        }
        if (line.contains(contentsEnd)) inside = false;
        else if (inside) m_contents << line;
        if (line.contains(contentsStart)) inside = true;
    }
}

// Headings are matched untrimmed, so a body heading with trailing blanks
// starts no page of its own.
void CTebikiDoc::ReadPages(const QStringList& lines)
{
    m_pages.clear();
    if (m_contents.isEmpty()) return;
    QString outside, current;
    QStringList stored;
    bool inside = false, bodyStarted = false;
    qsizetype heading = 1;
    for (const QString& line : lines) {
        if (line.isEmpty()) continue;
        if (line.contains(contentsStart)) inside = true;
        else if (!inside) outside += line + lineEnd;
        if (line.contains(contentsEnd)) inside = false;
        if (!bodyStarted) {
            bodyStarted = line.contains(contentsEnd);
            continue;
        }
        if (heading < m_contents.size() && line == m_contents.at(heading)) {
            if (heading == 1) current.clear();   // what comes before the first heading
            if (heading < m_contents.size() - 1) ++heading;
            if (!current.isEmpty()) stored << std::exchange(current, QString());
        }
        current += line + lineEnd;
    }
    if (!current.isEmpty()) stored << current;
    m_pages = QStringList{outside} + stored;
}

void CTebikiDoc::BuildTree()
{
    m_parents.assign(size_t(m_contents.size()), -1);
    // The chain of open entries from the title down, with their levels.
    std::vector<std::pair<int, int>> open{{0, -1}};
    for (int i = 1; i < m_contents.size(); ++i) {
        const int level = HeadingLevel(m_contents.at(i));
        while (open.size() > 1 && open.back().second >= level) open.pop_back();
        m_parents[size_t(i)] = open.back().first;
        open.emplace_back(i, level);
    }
}

int CTebikiDoc::HeadingLevel(const QString& entry)
{
    if (entry.isEmpty() || !isFullWidthDigit(entry.front())) return 0;
    return int(entry.section(u'：', 0, 0).count(u'－')) + 1;
}

QString CTebikiDoc::WindowTitle() const
{
    if (m_contents.isEmpty()) return QString();
    QString title = m_contents.first();
    const qsizetype space = title.indexOf(QChar(0x3000));
    if (space > 0) title.truncate(space);
    return title + u"のヘルプ"_s;
}

// The tree holds the entries in file order, depth first, so reading order
// is index order.
int CTebikiDoc::PreviousItem(int index) const
{
    return index > 0 && index < m_contents.size() ? index - 1 : index;
}

int CTebikiDoc::NextItem(int index) const
{
    return index >= 0 && index + 1 < m_contents.size() ? index + 1 : index;
}
