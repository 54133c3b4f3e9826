#include "WindowMark.h"

#include "RuntimeFolder.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace platform {

namespace {

const QByteArray activateRequest("activate\n");
const QByteArray visibleReply("visible\n");
const QByteArray hiddenReply("hidden\n");

QString socketPath(const QString& markName)
{
    return runtimeFolder() + QStringLiteral("/mark-") + fileSafeName(markName);
}

}  // namespace

WindowMarkHolder::WindowMarkHolder(const QString& markName, Answer answer, QObject* parent)
    : QObject(parent), m_server(new QLocalServer(this)), m_answer(std::move(answer))
{
    const QString path = socketPath(markName);
    // Only the holder of the program's single-instance mutex sets the mark,
    // so a socket left at this path belongs to a program that has ended.
    QLocalServer::removeServer(path);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    m_server->listen(path);
    connect(m_server, &QLocalServer::newConnection, this, &WindowMarkHolder::answerOne);
}

WindowMarkHolder::~WindowMarkHolder() = default;

bool WindowMarkHolder::isListening() const
{
    return m_server->isListening();
}

void WindowMarkHolder::answerOne()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) return;
            if (socket->readLine() != activateRequest) return socket->disconnectFromServer();
            socket->write(m_answer && m_answer() ? visibleReply : hiddenReply);
            socket->flush();
            socket->disconnectFromServer();
        });
    }
}

MarkedWindow activateMarkedWindow(const QString& markName, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath(markName));
    if (!socket.waitForConnected(timeoutMs)) return MarkedWindow::None;
    socket.write(activateRequest);
    socket.waitForBytesWritten(timeoutMs);
    QByteArray reply;
    while (!reply.endsWith('\n') && socket.waitForReadyRead(timeoutMs)) reply += socket.readAll();
    if (reply == hiddenReply) return MarkedWindow::Hidden;
    return MarkedWindow::Visible;
}

}  // namespace platform
