#include "TextNumber.h"

#include <limits>

namespace platform {

namespace {

qsizetype skipBlanks(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\r'
                               || text[i] == u'\n' || text[i] == u'\v' || text[i] == u'\f'))
        ++i;
    return i;
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}

}  // namespace

int atoiLike(QStringView text)
{
    qsizetype i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    qint64 value = 0;
    constexpr qint64 limit = qint64(std::numeric_limits<int>::max()) + 1;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > limit) value = limit;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max()) value = std::numeric_limits<int>::max();
    return int(value);
}

unsigned int hexLike(QStringView text)
{
    qsizetype i = skipBlanks(text);
    if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')
        && i + 2 < text.size() && hexDigit(text[i + 2]) >= 0)
        i += 2;
    unsigned int value = 0;
    for (int d; i < text.size() && (d = hexDigit(text[i])) >= 0; ++i)
        value = value * 16 + unsigned(d);
    return value;
}

}  // namespace platform
