#include "UserRegistry.h"

#include <QFile>
#include <QSettings>

namespace platform {

namespace {

// The password's digest lives here too: the file is the user's alone.
bool syncOk(QSettings& settings)
{
    settings.sync();
    if (settings.status() != QSettings::NoError) return false;
    QFile::setPermissions(settings.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

}  // namespace

UserRegistryKey::UserRegistryKey(const QString& organisation, const QString& application)
    : m_organisation(organisation), m_application(application)
{
}

QString UserRegistryKey::readString(const QString& name, const QString& defaultValue) const
{
    const QSettings settings(m_organisation, m_application);
    return settings.value(name, defaultValue).toString();
}

int UserRegistryKey::readInt(const QString& name, int defaultValue) const
{
    const QSettings settings(m_organisation, m_application);
    bool ok = false;
    const int value = settings.value(name).toInt(&ok);
    return ok ? value : defaultValue;
}

bool UserRegistryKey::writeString(const QString& name, const QString& value)
{
    QSettings settings(m_organisation, m_application);
    settings.setValue(name, value);
    return syncOk(settings);
}

bool UserRegistryKey::writeInt(const QString& name, int value)
{
    QSettings settings(m_organisation, m_application);
    settings.setValue(name, value);
    return syncOk(settings);
}

bool UserRegistryKey::remove(const QString& name)
{
    QSettings settings(m_organisation, m_application);
    settings.remove(name);
    return syncOk(settings);
}

QString UserRegistryKey::storagePath() const
{
    return QSettings(m_organisation, m_application).fileName();
}

}  // namespace platform
