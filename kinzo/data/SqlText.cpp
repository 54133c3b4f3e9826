#include "kinzo/data/SqlText.h"

using namespace Qt::StringLiterals;

bool HasForbiddenChar(QStringView text)
{
    static const QString forbidden = u"!'\"\\#$%&~{}[]<>*=?！’”￥＃＄％＆｛｝「」＜＞＊＝？"_s;
    for (const QChar ch : text)
        if (forbidden.contains(ch)) return true;
    return false;
}

QString EscapeQuote(const QString& text)
{
    QString escaped = text;
    return escaped.replace(u'\'', u"''"_s);
}

QString EscapeLike(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size() + 8);
    for (const QChar ch : text) {
        switch (ch.unicode()) {
        case u'\'': escaped += u"''"_s; break;
        case u'%': escaped += u"[%]"_s; break;
        case u'_': escaped += u"[_]"_s; break;
        case u'[': escaped += u"[[]"_s; break;
        default: escaped += ch;
        }
    }
    return escaped;
}

QString DateToSql(const QDate& date)
{
    return date.isValid() ? date.toString(u"yyyy/MM/dd"_s) : QString();
}

QString DateToSql(const QDateTime& dateTime, bool withTime)
{
    if (!dateTime.isValid()) return QString();
    return dateTime.toString(withTime ? u"yyyy/MM/dd hh:mm:ss"_s : u"yyyy/MM/dd"_s);
}

QString MonthToSql(const QDate& date)
{
    return date.isValid() ? date.toString(u"yyyy/MM"_s) : QString();
}

QString DateLiteral(const QDate& date)
{
    return QStringLiteral("#") + DateToSql(date) + QStringLiteral("#");
}

QString MonthLiteral(const QDate& date)
{
    return QStringLiteral("#") + MonthToSql(date) + QStringLiteral("#");
}

QString DateLiteralOrNull(const QDate& date)
{
    return date.isValid() ? DateLiteral(date) : QStringLiteral("NULL");
}

QString MonthLiteralOrNull(const QDate& date)
{
    return date.isValid() ? MonthLiteral(date) : QStringLiteral("NULL");
}

QString TextLiteral(const QString& text)
{
    return u'\'' + EscapeQuote(text) + u'\'';
}

QString TextLiteralOrNull(const QString& text)
{
    return text.isEmpty() ? QStringLiteral("NULL") : TextLiteral(text);
}
