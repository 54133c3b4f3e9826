#include "WindowMark.h"

#include "RuntimeFolder.h"

#include <QDebug>
#include <QLocalServer>
#include <QLocalSocket>

namespace platform {

namespace {

const QByteArray activateRequest("activate\n");
const QByteArray visibleReply("visible\n");
const QByteArray hiddenReply("hidden\n");
const QByteArray startingReply("starting\n");

QString socketPath(const QString& markName)
{
    return localSocketPath(QStringLiteral("mark-") + markName);
}

}  // namespace

WindowMarkHolder::WindowMarkHolder(const QString& markName, Answer answer, QObject* parent)
    : QObject(parent), m_server(new QLocalServer(this)), m_answer(std::move(answer))
{
    const QString path = socketPath(markName);
    if (path.isEmpty()) {
        qWarning().noquote() << "window mark" << markName << "not set: no private folder for its socket";
        return;
    }
    // Only the holder of the program's single-instance mutex sets the mark,
    // so a socket left at this path belongs to a program that has ended.
    QLocalServer::removeServer(path);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(path))
        qWarning().noquote() << "window mark" << markName << "not set at" << path << ":" << m_server->errorString();
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
            if (!m_answer) socket->write(startingReply);
            else socket->write(m_answer() ? visibleReply : hiddenReply);
            socket->flush();
            socket->disconnectFromServer();
        });
    }
}

MarkedWindow activateMarkedWindow(const QString& markName, int timeoutMs)
{
    const QString path = socketPath(markName);
    if (path.isEmpty()) return MarkedWindow::None;
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(timeoutMs)) return MarkedWindow::None;
    socket.write(activateRequest);
    socket.waitForBytesWritten(timeoutMs);
    QByteArray reply;
    while (!reply.endsWith('\n') && socket.waitForReadyRead(timeoutMs)) reply += socket.readAll();
    if (reply == hiddenReply) return MarkedWindow::Hidden;
    if (reply == startingReply) return MarkedWindow::Starting;
    return MarkedWindow::Visible;
}

}  // namespace platform
