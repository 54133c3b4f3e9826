#pragma once
// The one place where text meets code page 932. Files the programs share with
// the earlier Windows version (settings, CSV, holiday file, manual, old
// ledgers) are CP932; they are read whether they are CP932 or UTF-8, and are
// written as CP932 unless some character has no CP932 form, in which case the
// whole file is written as UTF-8 with a byte-order mark so that nothing is lost.
// All functions are reentrant and may be called from any thread.

#include <QByteArray>
#include <QString>

namespace platform::cp932 {

enum class FileEncoding { Cp932, Utf8WithBom };

// CP932 bytes to text. A byte sequence that is not valid CP932 becomes U+FFFD
// for its first byte and decoding goes on with the next one.
QString decode(const QByteArray& bytes);

// Text to CP932. Sets *ok to false (when given) if some character has no
// CP932 form that reads back as the same character; such characters become '?'.
QByteArray encode(const QString& text, bool* ok = nullptr);

// True when every character of the text survives a CP932 round trip.
bool representable(const QString& text);

// The bytes of a whole file as text: UTF-8 when they start with a UTF-8
// byte-order mark or are valid UTF-8, else CP932.
QString decodeFile(const QByteArray& bytes);

// The encoding a file holding this text is written in.
FileEncoding fileEncodingFor(const QString& text);

// Text in a given file encoding; UTF-8 output starts with the byte-order mark
// when withBom is set (the first chunk of a file), never otherwise.
QByteArray encodeAs(const QString& text, FileEncoding encoding, bool withBom);

// The bytes of a whole file holding this text (fileEncodingFor, with BOM).
QByteArray encodeFile(const QString& text);

}  // namespace platform::cp932
