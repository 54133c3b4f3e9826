#include "NamedEvent.h"

#include "RuntimeFolder.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <semaphore.h>

// The event is a POSIX named semaphore: count 0 is "not set", above 0 is "set".
// A waiter that takes the count puts it back, so the event stays set.

namespace platform {

namespace {

sem_t* semaphore(void* handle)
{
    return static_cast<sem_t*>(handle);
}

QByteArray semaphoreName(const QString& name)
{
    return '/' + sessionScopedName(name).toUtf8();
}

}  // namespace

NamedEvent::NamedEvent(const QString& name)
{
    sem_t* s = ::sem_open(semaphoreName(name).constData(), O_CREAT, 0600, 0);
    m_semaphore = s == SEM_FAILED ? nullptr : s;
}

NamedEvent::~NamedEvent()
{
    if (m_semaphore) ::sem_close(semaphore(m_semaphore));
}

bool NamedEvent::isValid() const
{
    return m_semaphore != nullptr;
}

bool NamedEvent::set()
{
    if (!m_semaphore) return false;
    return isSet() || ::sem_post(semaphore(m_semaphore)) == 0;
}

bool NamedEvent::reset()
{
    if (!m_semaphore) return false;
    while (::sem_trywait(semaphore(m_semaphore)) == 0) {
    }
    return errno == EAGAIN;
}

bool NamedEvent::isSet() const
{
    int value = 0;
    return m_semaphore && ::sem_getvalue(semaphore(m_semaphore), &value) == 0 && value > 0;
}

bool NamedEvent::wait(int timeoutMs)
{
    if (!m_semaphore) return false;
    timespec until{};
    ::clock_gettime(CLOCK_REALTIME, &until);
    until.tv_sec += timeoutMs / 1000;
    until.tv_nsec += long(timeoutMs % 1000) * 1000000L;
    if (until.tv_nsec >= 1000000000L) {
        until.tv_sec += 1;
        until.tv_nsec -= 1000000000L;
    }
    int r;
    while ((r = ::sem_timedwait(semaphore(m_semaphore), &until)) != 0 && errno == EINTR) {
    }
    if (r != 0) return false;
    ::sem_post(semaphore(m_semaphore));
    return true;
}

}  // namespace platform
