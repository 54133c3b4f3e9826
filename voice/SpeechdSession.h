#pragma once
// This process's one connection to speech-dispatcher, shared by every
// speech-dispatcher adapter so that stopping from any of them silences all our
// speech, as a Windows screen reader's stop does. libspeechd.so.2 is loaded at
// run time. One worker thread opens the connection (which may start the
// service) and then sends what the user-interface thread hands it, in order,
// so that speaking and stopping never wait for the service.
//
// Busy state comes from the service's begin, end and cancel notifications,
// which arrive on libspeechd's own thread; its handler only records state. No
// lock of ours is held while calling into libspeechd.

#include <QString>

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

#include <libspeechd.h>

namespace platform { class ClientLibrary; }

class SpeechdSession {
public:
    // The session of this process, made on first use; null when libspeechd
    // cannot be loaded or lacks an entry point.
    static std::shared_ptr<SpeechdSession> Acquire();
    ~SpeechdSession();
    SpeechdSession(const SpeechdSession&) = delete;
    SpeechdSession& operator=(const SpeechdSession&) = delete;

    // Speaks at message priority: promptly, without cancelling the screen
    // reader's own speech.
    void Say(const QString& text);
    // Cancels our speech and everything of ours queued; other clients' speech goes on.
    void Cancel();
    // Whether some text of ours waits to be sent, is queued or is being spoken.
    bool Busy();
    // Waits for the connection to be opened (or to fail); true when open.
    bool WaitUntilConnected(int timeoutMs);

private:
    struct Api {
        decltype(&spd_open2) open2 = nullptr;
        decltype(&spd_close) close = nullptr;
        decltype(&spd_say) say = nullptr;
        decltype(&spd_cancel) cancel = nullptr;
        decltype(&spd_set_notification_on) notificationOn = nullptr;
    };
    enum class State { Connecting, Ready, Failed };
    struct Command {
        bool cancel = false;
        QString text;
    };
    struct Pending {
        qint64 sentMs = 0;
        bool begun = false;
    };

    SpeechdSession(std::unique_ptr<platform::ClientLibrary> library, const Api& api);
    void Run();
    SPDConnection* Connect();
    void Send(SPDConnection* connection, const Command& command);
    void Record(size_t messageId, SPDNotificationType type);
    void DropStale(qint64 nowMs);
    static void OnNotification(size_t messageId, size_t clientId, SPDNotificationType type);

    std::unique_ptr<platform::ClientLibrary> m_library;
    Api m_api;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    State m_state = State::Connecting;
    bool m_quit = false;
    std::deque<Command> m_commands;         // handed over, not yet sent
    int m_sending = 0;                      // texts the worker is sending now
    std::map<size_t, Pending> m_pending;    // sent, not yet ended
    std::set<size_t> m_begunEarly;          // notified before spd_say returned the id
    std::set<size_t> m_endedEarly;
    std::thread m_worker;
};
