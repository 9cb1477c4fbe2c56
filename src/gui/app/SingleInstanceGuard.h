#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

namespace lexinum {

// Keeps a second copy of the game from starting. The first copy holds a lock
// file "Tiv32AlreadyRunning" in the runtime folder and listens on a local
// socket of the same name; a second copy finds the lock taken, shows the
// refusal, asks the first copy to come forward and ends.
class SingleInstanceGuard : public QObject {
    Q_OBJECT

public:
    // The name of the lock and of the socket.
    static constexpr const char* kName = "Tiv32AlreadyRunning";
    // The refusal a second copy shows (caption "Lexinum", stop icon).
    static constexpr const char* kRefusal = "Il n'est pas possible de lancer plusieurs instances de ce jeu.";

    // A guard in `runtimeDir`, or in the user's runtime folder when empty.
    explicit SingleInstanceGuard(const QString& runtimeDir = {}, QObject* parent = nullptr);
    ~SingleInstanceGuard() override;

    // Takes the lock. True when no other copy runs (or when the lock cannot be
    // made at all, which must not keep the player from playing); then this copy
    // listens for the requests of later copies. A lock that no copy answers
    // for on the socket (left by a copy that is gone, emptied or cut short by
    // a crash, or naming a program that runs but is not a copy of the game
    // here) is taken over. Something else than a regular file at the lock path
    // (a pipe, a link, a folder that is not empty) is never opened: the player
    // is told, and the game starts without the guard; an empty folder there
    // is removed.
    bool Acquire();
    // For a second copy: shows the refusal, then asks the running copy to come
    // forward. Returns true when the running copy received the request.
    bool RefuseAndCallFirst();

    // The path of the lock file.
    QString LockPath() const;
    // The path of the local socket.
    QString SocketPath() const;

signals:
    // A later copy asked this one to come forward.
    void comeForwardRequested();

private:
    void ReadRequest();
    // False, after telling the player, when something else than a regular
    // file stands at the lock path (an empty folder is removed instead).
    bool LockPathUsable() const;
    // True when the lock just refused is left over from a copy that is gone.
    bool LockIsLeftOver() const;

    QString runtimeDir_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<QLocalServer> server_;
};

} // namespace lexinum
