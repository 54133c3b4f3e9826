#pragma once
// The mark a running program puts on its main window so that a second start
// can find it and bring it forward. Here the mark is a local socket named
// after it: the marked program listens, and a second start asks it to come
// forward and learns whether its window was visible.

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;

namespace platform {

// Held by the marked program. The answer callback runs on the thread that
// owns this object, inside its event loop: it brings the window forward when
// the window is visible and returns whether it was. A holder without an
// answer has no window yet and says that it is starting.
class WindowMarkHolder : public QObject {
    Q_OBJECT
public:
    using Answer = std::function<bool()>;

    WindowMarkHolder(const QString& markName, Answer answer = {}, QObject* parent = nullptr);
    ~WindowMarkHolder() override;

    void setAnswer(Answer answer) { m_answer = std::move(answer); }

    // False when the mark could not be set up; the reason went to the log.
    bool isListening() const;

private:
    void answerOne();

    QLocalServer* m_server;
    Answer m_answer;
};

enum class MarkedWindow {
    None,      // no program carries the mark
    Starting,  // a program carries it but has no window to show yet
    Visible,   // it did, its window was visible and has been brought forward
    Hidden,    // it did, but its window is not visible
};

// Looks for the program that carries the mark and asks it to come forward.
// A marked program that does not answer within timeoutMs counts as Visible:
// it is busy, not gone.
MarkedWindow activateMarkedWindow(const QString& markName, int timeoutMs = 3000);

}  // namespace platform
