#include "SpeechdSession.h"

#include "platform/ClientLibrary.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdlib>

namespace {

// Texts handed over faster than they can be sent: the oldest are dropped.
constexpr size_t maxCommands = 64;
// A message the service never began, or never ended, stops counting as busy
// after these times, so that a wait without limit cannot hang on a lost service.
constexpr qint64 neverBegunMs = 10'000;
constexpr qint64 neverEndedMs = 600'000;
constexpr size_t maxEarlyEvents = 1024;

std::mutex sessionMutex;
std::weak_ptr<SpeechdSession> sharedSession;
SpeechdSession* notifiedSession = nullptr;   // guarded by sessionMutex

qint64 nowMs()
{
    static QElapsedTimer clock;
    static std::once_flag started;
    std::call_once(started, [] { clock.start(); });
    return clock.elapsed();
}

}  // namespace

std::shared_ptr<SpeechdSession> SpeechdSession::Acquire()
{
    std::lock_guard lock(sessionMutex);
    if (auto existing = sharedSession.lock()) return existing;
    auto library = std::make_unique<platform::ClientLibrary>(QStringLiteral("libspeechd.so.2"));
    if (!library->load()) return nullptr;
    Api api;
    api.open2 = library->bind<decltype(api.open2)>("spd_open2");
    api.close = library->bind<decltype(api.close)>("spd_close");
    api.say = library->bind<decltype(api.say)>("spd_say");
    api.cancel = library->bind<decltype(api.cancel)>("spd_cancel");
    api.notificationOn = library->bind<decltype(api.notificationOn)>("spd_set_notification_on");
    if (!api.open2 || !api.close || !api.say || !api.cancel || !api.notificationOn) return nullptr;
    std::shared_ptr<SpeechdSession> session(new SpeechdSession(std::move(library), api));
    sharedSession = session;
    return session;
}

SpeechdSession::SpeechdSession(std::unique_ptr<platform::ClientLibrary> library, const Api& api)
    : m_library(std::move(library)), m_api(api)
{
    m_worker = std::thread([this] { Run(); });
}

SpeechdSession::~SpeechdSession()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
        m_commands.clear();
    }
    m_wake.notify_all();
    m_worker.join();
}

void SpeechdSession::Run()
{
    SPDConnection* connection = Connect();
    std::unique_lock lock(m_mutex);
    m_state = connection ? State::Ready : State::Failed;
    if (!connection) m_commands.clear();
    m_wake.notify_all();
    while (connection) {
        m_wake.wait(lock, [this] { return m_quit || !m_commands.empty(); });
        if (m_quit) break;
        const Command command = std::move(m_commands.front());
        m_commands.pop_front();
        if (!command.cancel) ++m_sending;
        lock.unlock();
        Send(connection, command);
        lock.lock();
    }
    lock.unlock();
    if (!connection) return;
    {
        std::lock_guard global(sessionMutex);
        notifiedSession = nullptr;
    }
    m_api.close(connection);
}

SPDConnection* SpeechdSession::Connect()
{
    const QByteArray client = QCoreApplication::instance()
                                  ? QCoreApplication::applicationName().toUtf8()
                                  : QByteArray("Voice");
    char* error = nullptr;
    SPDConnection* connection =
        m_api.open2(client.constData(), "main", nullptr, SPD_MODE_THREADED, nullptr, 1, &error);
    std::free(error);
    if (!connection) return nullptr;
    {
        std::lock_guard global(sessionMutex);
        notifiedSession = this;
    }
    connection->callback_begin = OnNotification;
    connection->callback_end = OnNotification;
    connection->callback_cancel = OnNotification;
    m_api.notificationOn(connection, SPD_BEGIN);
    m_api.notificationOn(connection, SPD_END);
    m_api.notificationOn(connection, SPD_CANCEL);
    return connection;
}

void SpeechdSession::Send(SPDConnection* connection, const Command& command)
{
    if (command.cancel) {
        m_api.cancel(connection);
        return;
    }
    const QByteArray utf8 = command.text.toUtf8();
    const int id = m_api.say(connection, SPD_MESSAGE, utf8.constData());
    std::lock_guard lock(m_mutex);
    --m_sending;
    if (id < 0) return;
    const size_t key = size_t(id);
    if (m_endedEarly.erase(key)) {
        m_begunEarly.erase(key);
        return;
    }
    m_pending[key] = Pending{nowMs(), m_begunEarly.erase(key) > 0};
}

void SpeechdSession::Say(const QString& text)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_state == State::Failed) return;
        if (m_commands.size() >= maxCommands) m_commands.pop_front();
        m_commands.push_back({false, text});
    }
    m_wake.notify_one();
}

void SpeechdSession::Cancel()
{
    {
        std::lock_guard lock(m_mutex);
        m_commands.clear();
        // Nothing of ours reached the service, or all of it has ended: nothing to ask it.
        if (m_pending.empty() && m_sending == 0) return;
        m_pending.clear();
        m_commands.push_back({true, QString()});
    }
    m_wake.notify_one();
}

bool SpeechdSession::Busy()
{
    std::lock_guard lock(m_mutex);
    DropStale(nowMs());
    return !m_pending.empty() || m_sending > 0
           || std::any_of(m_commands.begin(), m_commands.end(), [](const Command& c) { return !c.cancel; });
}

bool SpeechdSession::WaitUntilConnected(int timeoutMs)
{
    std::unique_lock lock(m_mutex);
    m_wake.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return m_state != State::Connecting; });
    return m_state == State::Ready;
}

void SpeechdSession::DropStale(qint64 now)
{
    for (auto it = m_pending.begin(); it != m_pending.end();) {
        const qint64 age = now - it->second.sentMs;
        const bool stale = it->second.begun ? age > neverEndedMs : age > neverBegunMs;
        it = stale ? m_pending.erase(it) : std::next(it);
    }
}

void SpeechdSession::Record(size_t messageId, SPDNotificationType type)
{
    std::lock_guard lock(m_mutex);
    if (m_begunEarly.size() > maxEarlyEvents) m_begunEarly.clear();
    if (m_endedEarly.size() > maxEarlyEvents) m_endedEarly.clear();
    const auto pending = m_pending.find(messageId);
    if (type == SPD_EVENT_BEGIN) {
        if (pending != m_pending.end()) pending->second.begun = true;
        else m_begunEarly.insert(messageId);
        return;
    }
    if (pending != m_pending.end()) m_pending.erase(pending);
    else m_endedEarly.insert(messageId);
}

void SpeechdSession::OnNotification(size_t messageId, size_t, SPDNotificationType type)
{
    std::lock_guard lock(sessionMutex);
    if (notifiedSession) notifiedSession->Record(messageId, type);
}
