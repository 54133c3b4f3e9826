#include "Cp932Codec.h"

#include <QStringDecoder>

#include <cerrno>
#include <iconv.h>

namespace platform::cp932 {

namespace {

const QByteArray utf8Bom("\xEF\xBB\xBF");

// Owns one conversion descriptor for the duration of a call.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() { if (valid()) iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as possible; returns false on an invalid or
    // unconvertible sequence and leaves the input pointer on it.
    bool run(char*& in, size_t& inLeft, QByteArray& out)
    {
        while (inLeft > 0) {
            char buffer[4096];
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            const size_t r = iconv(m_cd, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, qsizetype(outPtr - buffer));
            if (r == size_t(-1) && errno != E2BIG) return false;
        }
        return true;
    }

private:
    iconv_t m_cd;
};

QByteArray encodeRaw(const QString& text, bool* ok)
{
    QByteArray utf8 = text.toUtf8();
    QByteArray out;
    out.reserve(utf8.size());
    Converter cv("CP932", "UTF-8");
    bool clean = cv.valid();
    char* in = utf8.data();
    size_t left = size_t(utf8.size());
    while (cv.valid() && !cv.run(in, left, out)) {
        clean = false;
        out.append('?');
        // Skip the whole UTF-8 sequence of the character that failed.
        do { ++in; --left; } while (left > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80);
    }
    if (ok) *ok = clean;
    return out;
}

}  // namespace

QString decode(const QByteArray& bytes)
{
    QByteArray copy = bytes;
    QByteArray utf8;
    utf8.reserve(bytes.size() * 3 / 2);
    Converter cv("UTF-8", "CP932");
    char* in = copy.data();
    size_t left = size_t(copy.size());
    while (cv.valid() && !cv.run(in, left, utf8)) {
        utf8.append("\xEF\xBF\xBD");
        ++in;
        --left;
    }
    return QString::fromUtf8(utf8);
}

QByteArray encode(const QString& text, bool* ok)
{
    bool clean = false;
    QByteArray bytes = encodeRaw(text, &clean);
    // Some characters map one way only (U+301C to 0x8160 reads back as U+FF5E);
    // only an exact round trip counts as representable.
    if (clean && decode(bytes) != text) clean = false;
    if (ok) *ok = clean;
    return bytes;
}

bool representable(const QString& text)
{
    bool ok = false;
    encode(text, &ok);
    return ok;
}

QString decodeFile(const QByteArray& bytes)
{
    if (bytes.startsWith(utf8Bom)) return QString::fromUtf8(bytes.mid(utf8Bom.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    return decode(bytes);
}

FileEncoding fileEncodingFor(const QString& text)
{
    return representable(text) ? FileEncoding::Cp932 : FileEncoding::Utf8WithBom;
}

QByteArray encodeAs(const QString& text, FileEncoding encoding, bool withBom)
{
    if (encoding == FileEncoding::Cp932) return encode(text);
    return withBom ? utf8Bom + text.toUtf8() : text.toUtf8();
}

QByteArray encodeFile(const QString& text)
{
    bool ok = false;
    QByteArray bytes = encode(text, &ok);
    return ok ? bytes : utf8Bom + text.toUtf8();
}

}  // namespace platform::cp932
