#include "app/SingleInstanceGuard.h"

#include "common/Prompter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace lexinum {

namespace {

constexpr char kComeForward[] = "premier-plan\n";
constexpr int kSocketTimeoutMs = 2000;
// How long a copy that holds the lock may take to start listening.
constexpr int kAnswerTimeoutMs = 500;
// A lock file younger than this may be one a copy starting now has not yet written.
constexpr int kLockWritingSeconds = 2;

// What stands at the lock path when it is not a regular file, for the message.
QString KindOf(const struct stat& st) {
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("un dossier qui n'est pas vide");
    if (S_ISFIFO(st.st_mode))
        return QStringLiteral("un tube");
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("un lien symbolique");
    if (S_ISSOCK(st.st_mode))
        return QStringLiteral("une prise de communication");
    return QStringLiteral("un périphérique");
}

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
    if (!LockPathUsable())
        return true;
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

bool SingleInstanceGuard::LockPathUsable() const {
    // Looked at before anything opens it: opening a pipe waits for a writer.
    const QByteArray path = QFile::encodeName(LockPath());
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0 || S_ISREG(st.st_mode))
        return true;
    // An empty folder in the lock's place holds nothing: it makes way.
    if (S_ISDIR(st.st_mode) && ::rmdir(path.constData()) == 0)
        return true;
    Prompter::Active().Tell(QStringLiteral("Le verrou qui empêche de lancer deux fois le jeu, %1, n'est pas un fichier "
                                           "ordinaire mais %2 : le jeu démarre sans cette protection. Supprimez-le "
                                           "pour la rétablir.")
                                .arg(LockPath(), KindOf(st))
                                .toStdString(),
                            "Lexinum", PromptIcon::Exclamation);
    return false;
}

bool SingleInstanceGuard::LockIsLeftOver() const {
    if (lock_->error() != QLockFile::LockFailedError)
        return false;
    // A lock whose owner has ended is already taken over by the lock itself.
    // What is left (a lock naming a program that runs, maybe a copy of the
    // game under another runtime folder, or a lock naming nobody, emptied or
    // cut short by a crash) is left over when it is not being written now and
    // no copy answers on the socket. A copy holding the lock keeps a system
    // lock on it too, so taking over never removes the lock of a copy that
    // runs but does not listen.
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
