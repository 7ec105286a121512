#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

class QLocalSocket;

namespace sigmora::app {

// The channel between the running Sigmora and a second start: the running one listens on a
// socket beside its per-user lock; a second start hands it the diagram named on its command line
// (or, without one, only asks it to come forward) and ends. A request is the absolute path of
// the file in UTF-8, empty when there is none, ended by a zero byte: a path may hold line breaks
// and every other byte, and each reaches the running program.
class InstanceHandOff : public QObject {
    Q_OBJECT
public:
    explicit InstanceHandOff(QObject* parent = nullptr) : QObject(parent) {}

    // The socket of the user's runtime directory, or of a directory of the caller's choice.
    static QString socketIn(const QString& directory);

    // Listens for second starts; only the holder of the lock calls it, so a socket left by a
    // program that died is removed first. False when the socket cannot be made.
    bool listen(const QString& socket);

    // Hands file (empty: none) to the running program. Tries for at most timeoutMilliseconds
    // while the running program may still be starting; false when nobody took the request.
    static bool send(const QString& socket, const QString& file, int timeoutMilliseconds);

Q_SIGNALS:
    // A second start asked to open file (empty: only to come forward).
    void requested(const QString& file);

private:
    void accept();
    void readRequest(QLocalSocket* client);

    QLocalServer server_;
};

} // namespace sigmora::app
