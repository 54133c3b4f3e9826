#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// The SHA-1 digest of the bytes as 40 upper-case hexadecimal digits.
QString sha1Hex(const QByteArray& bytes);

}  // namespace platform
