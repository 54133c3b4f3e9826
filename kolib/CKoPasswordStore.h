#pragma once
// The user's password protection, kept in the per-user store of the programs
// (organisation "Asagi", application "KinzoVer2"): the flag "PasswordON"
// (1 on, 0 off) and "PersonKey", the SHA-1 digest of the password as 40
// upper-case hexadecimal digits (empty when no password is set). The password
// itself is never stored; passwords are compared only as digests.
// Every call reads or writes the store at once; user-interface thread only.

#include "platform/UserRegistry.h"

#include <QString>

class CKoPasswordStore {
public:
    CKoPasswordStore();

    // The digest of a password: SHA-1 over its code page 932 bytes (no
    // terminating zero), as 40 upper-case hex digits. A text with characters
    // that code page 932 cannot hold is digested over its UTF-8 bytes
    // instead, so that two such passwords never share a digest.
    static QString Digest(const QString& password);

    // Stores the digest of the text as "PersonKey"; false when it could not be stored.
    bool WritePassword(const QString& password);
    // Empties "PersonKey" (no password set); false when it could not be stored.
    bool ClearPassword();
    // "PersonKey" (at most 256 characters), empty when missing.
    QString ReadPasswordKey() const;
    bool WritePasswordOn(int on);
    // "PasswordON": 1 on, 0 off (also when missing).
    int ReadPasswordOn() const;
    // Whether a digest is stored.
    bool IsPasswordSet() const;
    // Whether the text's digest equals the stored one.
    bool VerifyPassword(const QString& password) const;

private:
    platform::UserRegistryKey m_key;
};
