#include "PasswordHash.h"

#include <sodium.h>

#include <array>
#include <cstring>

namespace platform {

namespace {

bool libraryReady()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

}  // namespace

QString passwordHash(const QByteArray& password)
{
    std::array<char, crypto_pwhash_STRBYTES> out{};
    if (!libraryReady()
        || crypto_pwhash_str(out.data(), password.constData(), static_cast<unsigned long long>(password.size()),
                             crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        return {};
    return QString::fromLatin1(out.data());
}

bool isPasswordHash(const QString& stored)
{
    return stored.startsWith(QLatin1String(crypto_pwhash_argon2id_STRPREFIX));
}

bool passwordHashMatches(const QString& stored, const QByteArray& password)
{
    const QByteArray text = stored.toLatin1();
    if (!libraryReady() || !isPasswordHash(stored) || text.size() >= qsizetype(crypto_pwhash_STRBYTES)) return false;
    std::array<char, crypto_pwhash_STRBYTES> str{};
    std::memcpy(str.data(), text.constData(), size_t(text.size()));
    return crypto_pwhash_str_verify(str.data(), password.constData(),
                                    static_cast<unsigned long long>(password.size())) == 0;
}

}  // namespace platform
