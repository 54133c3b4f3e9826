#pragma once
// Watches the named event "Event_Notyfy_To_Kinzo", through which another
// program asks the cash book to read its account tree again. A worker thread
// waits on it ten milliseconds at a time; when it fires, the thread resets it
// and posts an event of type NotifyEventType to the receiver, whose own
// thread then does the work. Stop (or destruction) ends the thread and waits for it.

#include "platform/NamedEvent.h"

#include <QEvent>

#include <atomic>
#include <thread>

class CNotifyWatcher {
public:
    static constexpr QEvent::Type NotifyEventType = QEvent::Type(QEvent::User + 0x424);

    explicit CNotifyWatcher(QObject* receiver);
    ~CNotifyWatcher();

    // Opens the event and starts the thread; false when either fails.
    bool Start();
    void Stop();

private:
    void Run();

    QObject* m_receiver;   // outlives the thread: the owner stops it first
    platform::NamedEvent m_event;
    std::atomic<int> m_running{0};
    std::thread m_thread;
};
