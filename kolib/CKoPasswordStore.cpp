#include "CKoPasswordStore.h"

#include "platform/Cp932Codec.h"
#include "platform/PasswordHash.h"
#include "platform/Sha1.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

const QString passwordOnName = u"PasswordON"_s;
const QString personKeyName = u"PersonKey"_s;

QByteArray passwordBytes(const QString& password)
{
    bool representable = true;
    const QByteArray bytes = platform::cp932::encode(password, &representable);
    return representable ? bytes : password.toUtf8();
}

bool isOlderDigest(const QString& stored)
{
    static const QRegularExpression form(u"^[0-9A-F]{40}$"_s);
    return form.match(stored).hasMatch();
}

}  // namespace

CKoPasswordStore::CKoPasswordStore() : m_key(u"Asagi"_s, u"KinzoVer2"_s)
{
}

QString CKoPasswordStore::OlderDigest(const QString& password)
{
    return platform::sha1Hex(passwordBytes(password));
}

bool CKoPasswordStore::WritePassword(const QString& password)
{
    const QString digest = platform::passwordHash(passwordBytes(password));
    return !digest.isEmpty() && m_key.writeString(personKeyName, digest);
}

bool CKoPasswordStore::ClearPassword()
{
    return m_key.writeString(personKeyName, QString());
}

QString CKoPasswordStore::ReadPasswordKey() const
{
    return m_key.readString(personKeyName).left(256);
}

bool CKoPasswordStore::WritePasswordOn(int on)
{
    return m_key.writeInt(passwordOnName, on);
}

int CKoPasswordStore::ReadPasswordOn() const
{
    return m_key.readInt(passwordOnName, 0);
}

bool CKoPasswordStore::IsPasswordSet() const
{
    return !ReadPasswordKey().isEmpty();
}

bool CKoPasswordStore::VerifyPassword(const QString& password)
{
    const QString stored = ReadPasswordKey();
    if (platform::isPasswordHash(stored)) return platform::passwordHashMatches(stored, passwordBytes(password));
    if (!isOlderDigest(stored) || OlderDigest(password) != stored) return false;
    // Still right if the new form cannot be stored: the older digest stays.
    WritePassword(password);
    return true;
}
