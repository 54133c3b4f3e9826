#include "kinzo/data/CJetTranslator.h"

#include "kinzo/data/DateValue.h"

#include <QDir>
#include <QList>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

const QString viewName = u"View_出納簿"_s;
const QString entryTable = u"出納簿"_s;

struct Token {
    enum Type { Space, Word, Name, String, Date, Number, Symbol } type;
    QStringView view;  // Name: the name itself; Date: inside the '#' signs; others: as written
    QString owned;     // replaces view when set
    QStringView text() const { return owned.isNull() ? view : QStringView(owned); }
};

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'@' || c == u'$' || (c.unicode() >= 0x80 && !c.isSpace());
}

// The end of a quoted run starting at i (the index of the closing quote), where
// a doubled quote stands for itself; -1 when it is not closed.
qsizetype closingQuote(QStringView s, qsizetype i, QChar quote)
{
    for (qsizetype j = i + 1; j < s.size(); ++j) {
        if (s[j] != quote) continue;
        if (j + 1 < s.size() && s[j + 1] == quote) { ++j; continue; }
        return j;
    }
    return -1;
}

bool tokenize(QStringView s, QList<Token>& tokens, QString& error)
{
    qsizetype i = 0;
    while (i < s.size()) {
        const QChar c = s[i];
        qsizetype j = i + 1;
        if (c.isSpace()) {
            while (j < s.size() && s[j].isSpace()) ++j;
            tokens.append({Token::Space, u" ", {}});
        } else if (c == u'\'' || c == u'"') {
            j = closingQuote(s, i, c);
            if (j < 0) { error = u"引用符が閉じていません: "_s + s.mid(i).toString(); return false; }
            ++j;
            Token token{Token::String, s.mid(i, j - i), {}};
            if (c == u'"') {  // Jet's double-quoted string
                QString inner = s.mid(i + 1, j - i - 2).toString();
                token.owned = u"'"_s + inner.replace(u"\"\""_s, u"\""_s).replace(u"'"_s, u"''"_s) + u"'"_s;
            }
            tokens.append(token);
        } else if (c == u'#' || c == u'[') {
            const QChar close = c == u'#' ? u'#' : u']';
            j = s.indexOf(close, i + 1);
            if (j < 0) { error = u"閉じていない %1: "_s.arg(c) + s.mid(i).toString(); return false; }
            tokens.append({c == u'#' ? Token::Date : Token::Name, s.mid(i + 1, j - i - 1), {}});
            ++j;
        } else if (c.isDigit() && c.unicode() < 0x80) {
            while (j < s.size() && ((s[j].isDigit() && s[j].unicode() < 0x80) || s[j] == u'.')) ++j;
            if (j < s.size() && isWordChar(s[j])) {  // a name such as 1月
                while (j < s.size() && isWordChar(s[j])) ++j;
                tokens.append({Token::Name, s.mid(i, j - i), {}});
            } else {
                tokens.append({Token::Number, s.mid(i, j - i), {}});
            }
        } else if (isWordChar(c)) {
            while (j < s.size() && isWordChar(s[j])) ++j;
            tokens.append({Token::Word, s.mid(i, j - i), {}});
        } else {
            if (j < s.size()) {
                const QStringView pair = s.mid(i, 2);
                if (pair == u"<>" || pair == u"<=" || pair == u">=" || pair == u"!=" || pair == u"||") ++j;
            }
            tokens.append({Token::Symbol, s.mid(i, j - i), {}});
        }
        i = j;
    }
    while (!tokens.isEmpty() && (tokens.last().type == Token::Space || tokens.last().text() == u";"))
        tokens.removeLast();
    return true;
}

bool isName(const Token& t, const QString& name)
{
    return (t.type == Token::Word || t.type == Token::Name) && t.text().compare(name, Qt::CaseInsensitive) == 0;
}

bool isKeyword(const Token& t, QLatin1StringView word)
{
    return t.type == Token::Word && t.text().compare(word, Qt::CaseInsensitive) == 0;
}

// In statements on the stored query, 出納簿.ID and 出納簿.備考 are the
// query's own column names and 出納簿.<other> is the plain column.
void qualifyViewColumns(QList<Token>& tokens)
{
    if (std::none_of(tokens.cbegin(), tokens.cend(), [](const Token& t) { return isName(t, viewName); })) return;
    for (qsizetype i = 0; i + 2 < tokens.size(); ++i) {
        if (!isName(tokens[i], entryTable) || tokens[i + 1].text() != u".") continue;
        const Token& column = tokens[i + 2];
        if (column.type != Token::Word && column.type != Token::Name) continue;
        const bool keepsQualifier = isName(column, u"ID"_s) || isName(column, u"備考"_s);
        Token qualified{Token::Name, {}, keepsQualifier ? entryTable + u"."_s + column.text().toString() : column.text().toString()};
        tokens[i] = qualified;
        tokens.remove(i + 1, 2);
    }
}

// Removes "TOP n" after the first SELECT (and DISTINCT); returns n or empty.
QString takeTop(QList<Token>& tokens)
{
    auto next = [&](qsizetype i) {
        while (i < tokens.size() && tokens[i].type == Token::Space) ++i;
        return i;
    };
    qsizetype i = next(0);
    if (i >= tokens.size() || !isKeyword(tokens[i], "SELECT"_L1)) return QString();
    i = next(i + 1);
    if (i < tokens.size() && (isKeyword(tokens[i], "DISTINCT"_L1) || isKeyword(tokens[i], "ALL"_L1))) i = next(i + 1);
    if (i >= tokens.size() || !isKeyword(tokens[i], "TOP"_L1)) return QString();
    const qsizetype n = next(i + 1);
    if (n >= tokens.size() || tokens[n].type != Token::Number) return QString();
    const QString limit = tokens[n].text().toString();
    tokens.remove(i, next(n + 1) - i);
    return limit;
}

QString quoteName(QStringView name)
{
    QString quoted = name.toString();
    return u"\""_s + quoted.replace(u"\""_s, u"\"\""_s) + u"\""_s;
}

// Date literals become numbered parameters, so that statements differing only
// in their days share one prepared statement.
bool writeSql(const QList<Token>& tokens, QString& sql, QStringList& parameters, QString& error)
{
    for (const Token& t : tokens) {
        switch (t.type) {
        case Token::Word:
            if (isKeyword(t, "TRUE"_L1)) sql += u"1"_s;
            else if (isKeyword(t, "FALSE"_L1)) sql += u"0"_s;
            else if (isKeyword(t, "@@IDENTITY"_L1)) sql += u"last_insert_rowid()"_s;
            else sql += t.text();
            break;
        case Token::Name: sql += quoteName(t.text()); break;
        case Token::Date: {
            const QString value = CJetTranslator::DateLiteralValue(t.text());
            if (value.isEmpty()) { error = u"日付の値が正しくありません: #%1#"_s.arg(t.text()); return false; }
            parameters.append(value);
            sql += u"?"_s + QString::number(parameters.size());
            break;
        }
        default: sql += t.text();
        }
    }
    return true;
}

QString unbracket(const QString& name)
{
    return name.startsWith(u'[') && name.endsWith(u']') ? name.mid(1, name.size() - 2) : name;
}

bool matchOperation(const QString& jet, JetStatement& out)
{
    if (!jet.contains(u"[Text;"_s, Qt::CaseInsensitive) && !jet.contains(u"[;DATABASE="_s, Qt::CaseInsensitive))
        return false;
    // A path may itself hold "]" (and "[", quotes, blanks): it runs to the
    // last "]." that leaves a complete statement after it.
    static const QString object = u"(\\[[^\\]]+\\]|[^\\s\\[\\];]+)"_s;
    static const QString textSource = u"\\[Text;(?:[^\\]=]*;)?database=(.*)\\]\\."_s + object;
    static const QRegularExpression exportCsv(
        u"^\\s*SELECT\\s+\\*\\s+INTO\\s+"_s + textSource + u"\\s+FROM\\s+"_s + object + u"\\s*;?\\s*$"_s,
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression importCsv(
        u"^\\s*INSERT\\s+INTO\\s+"_s + object + u"\\s+SELECT\\s+\\*\\s+FROM\\s+"_s + textSource + u"\\s*;?\\s*$"_s,
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression copyTable(
        u"^\\s*SELECT\\s+\\*\\s+INTO\\s+\\[;DATABASE=(.*)\\]\\.\\[([^\\]]+)\\]\\s+FROM\\s+"
        "\\[;DATABASE=(.*)\\]\\.\\[([^\\]]+)\\]\\s*;?\\s*$"_s,
        QRegularExpression::CaseInsensitiveOption);
    if (const auto m = exportCsv.match(jet); m.hasMatch()) {
        out.kind = JetStatement::Kind::ExportCsv;
        out.csvPath = QDir(m.captured(1)).filePath(unbracket(m.captured(2)));
        out.table = unbracket(m.captured(3));
        return true;
    }
    if (const auto m = importCsv.match(jet); m.hasMatch()) {
        out.kind = JetStatement::Kind::ImportCsv;
        out.table = unbracket(m.captured(1));
        out.csvPath = QDir(m.captured(2)).filePath(unbracket(m.captured(3)));
        return true;
    }
    if (const auto m = copyTable.match(jet); m.hasMatch()) {
        out.kind = JetStatement::Kind::CopyTable;
        out.targetFile = m.captured(1);
        out.table = m.captured(2);
        out.sourceFile = m.captured(3);
        out.sourceTable = m.captured(4);
        return true;
    }
    return false;
}

}  // namespace

QString CJetTranslator::DateLiteralValue(QStringView inside)
{
    const QStringView trimmed = inside.trimmed();
    const qsizetype blank = trimmed.indexOf(u' ');
    const QStringView datePart = blank < 0 ? trimmed : trimmed.left(blank);
    const QStringView timePart = blank < 0 ? QStringView() : trimmed.mid(blank + 1).trimmed();
    const QList<QStringView> parts = datePart.split(datePart.contains(u'-') ? u'-' : u'/');
    if (parts.size() != 2 && parts.size() != 3) return QString();
    bool ok[3] = {true, true, true};
    const int year = parts[0].toInt(&ok[0]);
    const int month = parts[1].toInt(&ok[1]);
    const int day = parts.size() == 3 ? parts[2].toInt(&ok[2]) : 1;
    const QDate date(year, month, day);
    if (!ok[0] || !ok[1] || !ok[2] || parts[0].size() != 4 || !date.isValid()) return QString();
    QString value = FormatDateValue(date);
    if (!timePart.isEmpty()) {
        const QTime time = QTime::fromString(timePart.toString(), timePart.count(u':') == 2 ? u"H:m:s"_s : u"H:m"_s);
        if (!time.isValid()) return QString();
        // Midnight is the day itself, so that it compares equal to the plain date.
        if (time != QTime(0, 0)) value += time.toString(u" HH:mm:ss"_s);
    }
    return value;
}

bool CJetTranslator::Translate(const QString& jet, JetStatement& out, QString& error)
{
    out = JetStatement();
    if (matchOperation(jet, out)) return true;
    QList<Token> tokens;
    if (!tokenize(jet, tokens, error)) return false;
    qualifyViewColumns(tokens);
    const QString limit = takeTop(tokens);
    QString sql;
    sql.reserve(jet.size() + 16);
    if (!writeSql(tokens, sql, out.parameters, error)) return false;
    if (!limit.isEmpty()) sql += u" LIMIT "_s + limit;
    out.sql = sql;
    return true;
}
