#pragma once
// A mutex other processes of the same user can see by name, held until it is
// released or the holding process ends (a lock file in the runtime folder).

#include <QString>

#include <memory>

class QLockFile;

namespace platform {

class NamedMutex {
public:
    NamedMutex();
    ~NamedMutex();
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    enum class Result { Created, AlreadyExists, Failed };

    // Creates the mutex owned by this process. AlreadyExists when a live
    // process holds it; this object then owns nothing. A mutex left by a
    // process that ended is taken over.
    Result create(const QString& name);

    bool owned() const;
    void release();

private:
    std::unique_ptr<QLockFile> m_lock;
};

}  // namespace platform
