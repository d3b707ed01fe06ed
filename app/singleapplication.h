#ifndef SINGLEAPPLICATION_H
#define SINGLEAPPLICATION_H

#include <QApplication>
#include <QHash>

class QLocalServer;
class QLocalSocket;

// Application object that lets later starts of the same program by the same
// user hand a message to the instance already running.
//
// Identity: the user id and a hash of the canonical path of the executable.
// The lock file and the server socket live in "/tmp/zib-notes-<uid>/", a
// directory only the user may enter. "/tmp" is used on purpose instead of
// TMPDIR or XDG_RUNTIME_DIR: cron and bare environments (env -i) set neither,
// or set them differently, and two starts must always meet at the same path.
// When somebody else took that name first, the directory is
// "zib-notes-<uid>" in the cache folder of the home the system records for
// the user, equally independent of the environment.
//
// The instance that holds the lock file listens; every other start is a
// client. A lock left by a crashed instance is taken over once its process is
// gone, and a leftover socket file is removed before listening. Connections
// of other users are dropped, and only well-formed start messages with plain
// note file names are passed on.
class SingleApplication : public QApplication
{
    Q_OBJECT

public:
    SingleApplication(int &argc, char **argv, bool guiEnabled = true);
    ~SingleApplication() override;

    // True when another instance runs. The first call decides: without a
    // running instance this one takes the lock and starts listening.
    bool isRunning();

    // Hands message to the running instance; true once it confirmed receipt
    // within timeoutMs.
    bool sendMessage(const QString &message, int timeoutMs = 5000);

    // Directory, lock file and socket used for the executable at appFilePath.
    // The directory is made when missing; empty when no private one can be had.
    static QString runtimeDirectory();
    static QString lockFilePath(const QString &appFilePath);
    static QString serverPath(const QString &appFilePath);

    // A name that may travel in a start message: a bare file name of the notes
    // directory ("1a.note", or "1a" for short), nothing that leaves it.
    static bool isNoteName(const QString &name);
    // "raise", "createNote", or "noteId "/"showId " with a note name.
    static bool isStartMessage(const QString &message);

signals:
    void messageReceived(const QString &message);

private:
    static QString instanceKey(const QString &appFilePath);
    static bool isPrivateDirectory(const QByteArray &path);
    static bool isSameUser(QLocalSocket *socket);
    bool becomeServer();
    void onNewConnection();
    void onSocketReadyRead(QLocalSocket *socket);

    enum class Role { Undecided, Server, Client, Alone };
    Role m_role = Role::Undecided;
    int m_lockFd = -1;
    QLocalServer *m_server = nullptr;
    QHash<QLocalSocket *, QByteArray> m_pending;
};

#endif // SINGLEAPPLICATION_H
