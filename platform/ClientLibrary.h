#pragma once
// A library of another vendor, loaded at run time by name and bound entry
// point by entry point, as LoadLibrary and GetProcAddress do.
//
// Names are given as the Windows version knows them ("PCTKUSR.dll"); here
// "X.dll" is looked for as "libX.so" and "X.so", any other name as it is
// ("libspeechd.so.2"). Folders searched, in order: those listed in the
// environment variable VOICE_CLIENT_LIBRARY_PATH (separated by ':'), the
// running program's folder, then the system's own library search.

#include <QString>

#include <memory>

class QLibrary;

namespace platform {

class ClientLibrary {
public:
    explicit ClientLibrary(const QString& name);
    ~ClientLibrary();
    ClientLibrary(const ClientLibrary&) = delete;
    ClientLibrary& operator=(const ClientLibrary&) = delete;

    // Loads the library; false when no candidate could be loaded.
    bool load();
    bool isLoaded() const;
    // The file that was loaded; empty when none.
    QString loadedPath() const;

    // The address of an entry point, or null when it is missing or nothing is loaded.
    void* entryPoint(const char* name) const;

    template <class Function>
    Function bind(const char* name) const
    {
        return reinterpret_cast<Function>(entryPoint(name));
    }

private:
    QString m_name;
    std::unique_ptr<QLibrary> m_library;
};

}  // namespace platform
