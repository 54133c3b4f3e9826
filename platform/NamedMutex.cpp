#include "NamedMutex.h"

#include "RuntimeFolder.h"

#include <QLockFile>

namespace platform {

NamedMutex::NamedMutex() = default;

NamedMutex::~NamedMutex()
{
    release();
}

NamedMutex::Result NamedMutex::create(const QString& name)
{
    release();
    auto lock = std::make_unique<QLockFile>(runtimeFolder() + u'/' + fileSafeName(name)
                                            + QStringLiteral(".lock"));
    // Only a dead holder makes a lock stale, never its age.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        m_lock = std::move(lock);
        return Result::Created;
    }
    return lock->error() == QLockFile::LockFailedError ? Result::AlreadyExists : Result::Failed;
}

bool NamedMutex::owned() const
{
    return m_lock && m_lock->isLocked();
}

void NamedMutex::release()
{
    if (m_lock) m_lock->unlock();
    m_lock.reset();
}

}  // namespace platform
