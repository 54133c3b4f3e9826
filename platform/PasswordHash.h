#pragma once
// Password digests that are slow to guess: Argon2id through libsodium, with a
// new random salt each time, at libsodium's interactive limits (about a tenth
// of a second and 64 MiB per try). The stored text is libsodium's
// self-describing form ("$argon2id$v=19$m=65536,t=2,p=1$salt$hash"), so a
// later version can raise the limits and still read what is stored.

#include <QByteArray>
#include <QString>

namespace platform {

// The stored form of the password bytes; empty when the library could not be
// started or the memory could not be had.
QString passwordHash(const QByteArray& password);

// Whether the text is in the stored form above (not some other digest).
bool isPasswordHash(const QString& stored);

// Whether the password bytes match the stored form; false for any other text.
bool passwordHashMatches(const QString& stored, const QByteArray& password);

}  // namespace platform
