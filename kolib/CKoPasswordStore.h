#pragma once
// The user's password protection, kept in the per-user store of the programs
// (organisation "Asagi", application "KinzoVer2"): the flag "PasswordON"
// (1 on, 0 off) and "PersonKey", a salted Argon2id digest of the password
// (platform/PasswordHash.h; empty when no password is set). Earlier versions
// stored the unsalted SHA-1 digest as 40 upper-case hexadecimal digits, which
// is guessed in moments: such a digest is accepted once more and replaced by
// the new form on the first right password. The password itself is never
// stored. Every call reads or writes the store at once; user-interface thread
// only.

#include "platform/UserRegistry.h"

#include <QString>

class CKoPasswordStore {
public:
    CKoPasswordStore();

    // The digest of earlier versions: SHA-1 over the password's code page 932
    // bytes (no terminating zero), as 40 upper-case hex digits. A text with
    // characters that code page 932 cannot hold is digested over its UTF-8
    // bytes instead, so that two such passwords never share a digest; the
    // new digest is taken over the same bytes.
    static QString OlderDigest(const QString& password);

    // Stores a new digest of the text as "PersonKey"; false when it could not be stored.
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
    // Whether the text is the stored password. A right password checked
    // against an older digest stores the new form; a wrong one writes nothing.
    bool VerifyPassword(const QString& password);

private:
    platform::UserRegistryKey m_key;
};
