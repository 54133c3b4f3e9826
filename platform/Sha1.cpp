#include "Sha1.h"

#include <QCryptographicHash>

namespace platform {

QString sha1Hex(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex())
        .toUpper();
}

}  // namespace platform
