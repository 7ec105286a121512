#include "app/startup/InstanceHandOff.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>

namespace sigmora::app {

namespace {
constexpr const char* kSocketName = "Sigmora 3.3.socket";
// A path may hold every byte but the zero byte: the zero byte ends a request.
constexpr char kEndOfRequest = '\0';
// A request is a path: anything longer is not one of ours.
constexpr qint64 kMaxRequestBytes = 64 * 1024;
constexpr int kRetryMilliseconds = 100;
} // namespace

QString InstanceHandOff::socketIn(const QString& directory)
{
    return QDir(directory).filePath(QString::fromUtf8(kSocketName));
}

bool InstanceHandOff::listen(const QString& socket)
{
    QLocalServer::removeServer(socket);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &InstanceHandOff::accept, Qt::UniqueConnection);
    return server_.listen(socket);
}

void InstanceHandOff::accept()
{
    while (QLocalSocket* client = server_.nextPendingConnection()) {
        connect(client, &QLocalSocket::readyRead, this, [this, client] { readRequest(client); });
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        readRequest(client);
    }
}

void InstanceHandOff::readRequest(QLocalSocket* client)
{
    const QByteArray waiting = client->peek(kMaxRequestBytes + 1);
    const qsizetype end = waiting.indexOf(kEndOfRequest);
    if (end < 0) {
        if (waiting.size() > kMaxRequestBytes)
            client->abort();
        return;
    }
    const QByteArray path = client->read(end + 1).chopped(1);
    client->disconnectFromServer();
    Q_EMIT requested(QString::fromUtf8(path));
}

bool InstanceHandOff::send(const QString& socket, const QString& file, int timeoutMilliseconds)
{
    const QDeadlineTimer deadline(timeoutMilliseconds);
    QLocalSocket client;
    for (;;) {
        client.connectToServer(socket);
        if (client.waitForConnected(int(deadline.remainingTime())))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(kRetryMilliseconds);
    }
    QByteArray request = file.toUtf8();
    request.append(kEndOfRequest);
    client.write(request);
    if (!client.waitForBytesWritten(int(deadline.remainingTime())))
        return false;
    // The running program closes its end once it has read the request.
    if (client.state() != QLocalSocket::UnconnectedState)
        client.waitForDisconnected(int(deadline.remainingTime()));
    return true;
}

} // namespace sigmora::app
