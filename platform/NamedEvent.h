#pragma once
// A manual-reset event other processes of the same user and session (the same
// runtime folder) can see by name: once
// set it stays set, and every wait returns at once, until someone resets it.
// Any thread may call any member; the object itself is not copied.

#include <QString>

namespace platform {

class NamedEvent {
public:
    // Opens the event of that name, creating it (not set) when none exists.
    explicit NamedEvent(const QString& name);
    ~NamedEvent();
    NamedEvent(const NamedEvent&) = delete;
    NamedEvent& operator=(const NamedEvent&) = delete;

    // False when the event could not be opened; every other call then fails.
    bool isValid() const;

    bool set();
    bool reset();
    bool isSet() const;

    // Waits up to timeoutMs for the event to be set. True when it is set; the
    // event stays set.
    bool wait(int timeoutMs);

private:
    void* m_semaphore;
};

}  // namespace platform
