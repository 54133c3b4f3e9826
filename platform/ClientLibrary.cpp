#include "ClientLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace platform {

namespace {

QStringList fileCandidates(const QString& name)
{
#ifdef Q_OS_WIN
    return {name};
#else
    if (name.endsWith(QStringLiteral(".dll"), Qt::CaseInsensitive)) {
        const QString base = name.chopped(4);
        return {QStringLiteral("lib") + base + QStringLiteral(".so"), base + QStringLiteral(".so")};
    }
    return {name};
#endif
}

QStringList searchFolders()
{
    QStringList folders = qEnvironmentVariable("VOICE_CLIENT_LIBRARY_PATH").split(u':', Qt::SkipEmptyParts);
    if (QCoreApplication::instance()) folders << QCoreApplication::applicationDirPath();
    return folders;
}

}  // namespace

ClientLibrary::ClientLibrary(const QString& name) : m_name(name) {}

ClientLibrary::~ClientLibrary()
{
    if (m_library) m_library->unload();
}

bool ClientLibrary::load()
{
    if (isLoaded()) return true;
    QStringList paths;
    for (const QString& folder : searchFolders())
        for (const QString& file : fileCandidates(m_name)) {
            const QString path = QDir(folder).filePath(file);
            if (QFile::exists(path)) paths << path;
        }
    paths << fileCandidates(m_name);   // the system's search
    for (const QString& path : paths) {
        auto library = std::make_unique<QLibrary>(path);
        if (library->load()) {
            m_library = std::move(library);
            return true;
        }
    }
    return false;
}

bool ClientLibrary::isLoaded() const
{
    return m_library && m_library->isLoaded();
}

QString ClientLibrary::loadedPath() const
{
    return isLoaded() ? m_library->fileName() : QString();
}

void* ClientLibrary::entryPoint(const char* name) const
{
    return isLoaded() ? reinterpret_cast<void*>(m_library->resolve(name)) : nullptr;
}

}  // namespace platform
