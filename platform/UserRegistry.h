#pragma once
// A per-user store of named values, where the Windows version kept values
// under a key of HKEY_CURRENT_USER. Values survive the program and are private
// to the user (the file lives in the user's configuration folder).

#include <QString>

namespace platform {

class UserRegistryKey {
public:
    // The key of one program: organisation and application name.
    UserRegistryKey(const QString& organisation, const QString& application);

    QString readString(const QString& name, const QString& defaultValue = QString()) const;
    int readInt(const QString& name, int defaultValue = 0) const;
    // Returns false when the value could not be stored.
    bool writeString(const QString& name, const QString& value);
    bool writeInt(const QString& name, int value);
    bool remove(const QString& name);

    // Where the values are kept (for inspection).
    QString storagePath() const;

private:
    QString m_organisation;
    QString m_application;
};

}  // namespace platform
