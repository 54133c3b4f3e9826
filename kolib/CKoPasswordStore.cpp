#include "CKoPasswordStore.h"

#include "platform/Cp932Codec.h"
#include "platform/Sha1.h"

using namespace Qt::StringLiterals;

namespace {

const QString passwordOnName = u"PasswordON"_s;
const QString personKeyName = u"PersonKey"_s;

}  // namespace

CKoPasswordStore::CKoPasswordStore() : m_key(u"Asagi"_s, u"KinzoVer2"_s)
{
}

QString CKoPasswordStore::Digest(const QString& password)
{
    bool representable = true;
    const QByteArray bytes = platform::cp932::encode(password, &representable);
    return platform::sha1Hex(representable ? bytes : password.toUtf8());
}

bool CKoPasswordStore::WritePassword(const QString& password)
{
    return m_key.writeString(personKeyName, Digest(password));
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

bool CKoPasswordStore::VerifyPassword(const QString& password) const
{
    return Digest(password) == ReadPasswordKey();
}
