#include "app/SingleInstanceGuard.h"

#include "common/Prompter.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>

namespace lexinum {

namespace {

constexpr char kComeForward[] = "premier-plan\n";
constexpr int kSocketTimeoutMs = 2000;
// How long a copy that holds the lock may take to start listening.
constexpr int kAnswerTimeoutMs = 500;
// A lock file younger than this may be one a copy starting now has not yet written.
constexpr int kLockWritingSeconds = 2;

} // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString& runtimeDir, QObject* parent)
    : QObject(parent), runtimeDir_(runtimeDir) {
    if (runtimeDir_.isEmpty())
        runtimeDir_ = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtimeDir_.isEmpty())
        runtimeDir_ = QDir::tempPath();
}

SingleInstanceGuard::~SingleInstanceGuard() {
    if (server_)
        server_->close();
    if (lock_)
        lock_->unlock();
}

QString SingleInstanceGuard::LockPath() const {
    return QDir(runtimeDir_).filePath(QString::fromLatin1(kName) + QStringLiteral(".lock"));
}

QString SingleInstanceGuard::SocketPath() const {
    return QDir(runtimeDir_).filePath(QString::fromLatin1(kName));
}

bool SingleInstanceGuard::Acquire() {
    QDir().mkpath(runtimeDir_);
    lock_ = std::make_unique<QLockFile>(LockPath());
    // A running game keeps its lock however old it is: only a lock left by a
    // copy that no longer runs is taken over.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0) && LockIsLeftOver() && lock_->removeStaleLockFile())
        lock_->tryLock(0);
    if (!lock_->isLocked()) {
        const bool otherCopy = lock_->error() == QLockFile::LockFailedError;
        lock_.reset();
        if (otherCopy)
            return false;
        // The lock cannot be made (no runtime folder, no rights): play without the guard.
        return true;
    }
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // We hold the lock, so a socket left there belongs to a copy that ended badly.
    QLocalServer::removeServer(SocketPath());
    if (server_->listen(SocketPath())) {
        connect(server_.get(), &QLocalServer::newConnection, this, [this] { ReadRequest(); });
    } else {
        server_.reset();
    }
    return true;
}

bool SingleInstanceGuard::LockIsLeftOver() const {
    if (lock_->error() != QLockFile::LockFailedError)
        return false;
    // A lock that names its owner is judged by the lock itself (a copy that
    // ended is already taken over). One that names nobody (empty or cut short
    // by a crash while it was written) is left over when it is not being
    // written now and no copy answers on the socket.
    qint64 pid = 0;
    QString host;
    QString application;
    if (lock_->getLockInfo(&pid, &host, &application))
        return false;
    const QFileInfo file(LockPath());
    if (file.lastModified().secsTo(QDateTime::currentDateTime()) < kLockWritingSeconds)
        return false;
    QLocalSocket socket;
    socket.connectToServer(SocketPath());
    return !socket.waitForConnected(kAnswerTimeoutMs);
}

void SingleInstanceGuard::ReadRequest() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        auto drain = [this, socket] {
            while (socket->canReadLine()) {
                if (socket->readLine() == kComeForward)
                    emit comeForwardRequested();
            }
        };
        connect(socket, &QLocalSocket::readyRead, this, drain);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // The request may already be waiting in the socket.
        drain();
    }
}

bool SingleInstanceGuard::RefuseAndCallFirst() {
    Prompter::Active().Tell(kRefusal, "Lexinum", PromptIcon::Stop);
    QLocalSocket socket;
    socket.connectToServer(SocketPath());
    if (!socket.waitForConnected(kSocketTimeoutMs))
        return false;
    socket.write(kComeForward);
    const bool sent = socket.waitForBytesWritten(kSocketTimeoutMs);
    socket.disconnectFromServer();
    return sent;
}

} // namespace lexinum
