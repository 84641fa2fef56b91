// Qtinstance: the local socket that keeps one window per program folder, in the abstract
// namespace, so that no file is left behind when a window ends without closing.
#include "ui/Qtinstance.h"

#include <QLocalSocket>
#include <QThread>

namespace {

// How long a later start keeps trying while the name's holder is starting or ending.
constexpr int Attempts = 50;
constexpr int AttemptPauseMs = 100;
constexpr int ConnectTimeoutMs = 1000;

} // namespace

TQtInstance::TQtInstance(const QString& name, QObject* parent) : QObject(parent)
{
    Server.setSocketOptions(QLocalServer::AbstractNamespaceOption);
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        if (Server.listen(name)) {
            Holder = true;
            connect(&Server, &QLocalServer::newConnection, this, [this] {
                while (QLocalSocket* socket = Server.nextPendingConnection())
                    socket->deleteLater();
                Raise();
            });
            return;
        }
        if (AskRunning(name))
            return;
        // The holder is ending, or the name is held by nothing that answers yet.
        QThread::msleep(AttemptPauseMs);
    }
    // Nothing answered for seconds, yet the name stays taken: no second window all the same,
    // as it would overwrite the other's settings.
}

bool TQtInstance::AskRunning(const QString& name)
{
    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(name);
    if (!socket.waitForConnected(ConnectTimeoutMs))
        return false;
    socket.disconnectFromServer();
    return true;
}

void TQtInstance::Raise()
{
    if (!Window)
        return;
    Window->setWindowState(Window->windowState() & ~Qt::WindowMinimized);
    Window->show();
    Window->raise();
    Window->activateWindow();
}
