#include "app/startup/InstanceHandOff.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>

namespace sigmora::app {

namespace {
constexpr const char* kSocketName = "Sigmora 3.3.socket";
constexpr char kEndOfRequest = '\n';
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
    if (!client->canReadLine()) {
        if (client->bytesAvailable() > kMaxRequestBytes)
            client->abort();
        return;
    }
    QByteArray line = client->readLine(kMaxRequestBytes);
    if (line.endsWith(kEndOfRequest))
        line.chop(1);
    client->disconnectFromServer();
    Q_EMIT requested(QString::fromUtf8(line));
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
    client.write(file.toUtf8() + kEndOfRequest);
    if (!client.waitForBytesWritten(int(deadline.remainingTime())))
        return false;
    // The running program closes its end once it has read the request.
    if (client.state() != QLocalSocket::UnconnectedState)
        client.waitForDisconnected(int(deadline.remainingTime()));
    return true;
}

} // namespace sigmora::app
