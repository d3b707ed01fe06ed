#include "singleapplication.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QSysInfo>
#include <QThread>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// A start message is a few words; anything far larger is not ours.
constexpr quint32 maxMessageBytes = 64 * 1024;
constexpr char ackByte = 'A';

enum class LockResult { Taken, HeldElsewhere, Failed };

// The instance lock is a kernel lock on the file: it goes with its process,
// however that ends, so no lock is ever stale. The file records who holds it
// in QLockFile's layout, for people and tools; it is not flushed to the disk,
// which on a busy disk held the window back by up to a quarter of a second.
LockResult takeInstanceLock(const QString &path, int *fd)
{
    *fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (*fd < 0)
        return LockResult::Failed;
    if (::flock(*fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(*fd);
        *fd = -1;
        return held ? LockResult::HeldElsewhere : LockResult::Failed;
    }
    const QByteArray holder = QByteArray::number(QCoreApplication::applicationPid()) + '\n'
        + QCoreApplication::applicationName().toUtf8() + '\n' + QSysInfo::machineHostName().toUtf8() + '\n'
        + QSysInfo::machineUniqueId() + '\n' + QSysInfo::bootUniqueId() + '\n';
    // Only a record: the lock holds whether or not it could be written.
    const bool recorded
        = ::ftruncate(*fd, 0) == 0 && ::pwrite(*fd, holder.constData(), size_t(holder.size()), 0) == holder.size();
    Q_UNUSED(recorded)
    return LockResult::Taken;
}
} // namespace

SingleApplication::SingleApplication(int &argc, char **argv, bool guiEnabled)
    : QApplication(argc, argv, guiEnabled)
{ }

SingleApplication::~SingleApplication()
{
    if (m_server)
        m_server->close();
    delete m_server;
    // The file stays: removing it would let a later start lock a new file
    // while another one still waits on this one.
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

QString SingleApplication::runtimeDirectory()
{
    const QString name = QStringLiteral("zib-notes-%1").arg(::getuid());
    const auto usable = [](const QString &candidate) {
        const QByteArray path = QFile::encodeName(candidate);
        return (::mkdir(path.constData(), 0700) == 0 || errno == EEXIST) && isPrivateDirectory(path);
    };
    const QString shared = QStringLiteral("/tmp/") + name;
    if (usable(shared))
        return shared;
    // The home the system records, not $HOME: cron and env -i differ there.
    const passwd *entry = ::getpwuid(::getuid());
    if (!entry)
        return QString();
    const QString cache = QFile::decodeName(entry->pw_dir) + QStringLiteral("/.cache");
    QDir().mkpath(cache);
    const QString own = cache + QLatin1Char('/') + name;
    return usable(own) ? own : QString();
}

QString SingleApplication::instanceKey(const QString &appFilePath)
{
    QString path = QFileInfo(appFilePath).canonicalFilePath();
    if (path.isEmpty())
        path = appFilePath;
    const QByteArray id = QByteArray::number(::getuid()) + '\n' + path.toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(id, QCryptographicHash::Sha1).toHex().left(16));
}

QString SingleApplication::lockFilePath(const QString &appFilePath)
{
    return runtimeDirectory() + QLatin1Char('/') + instanceKey(appFilePath) + QLatin1String(".lock");
}

QString SingleApplication::serverPath(const QString &appFilePath)
{
    return runtimeDirectory() + QLatin1Char('/') + instanceKey(appFilePath) + QLatin1String(".socket");
}

// Checked, not assumed: in a shared /tmp anybody may have made the name
// first, as another user's directory, a link or a file.
bool SingleApplication::isPrivateDirectory(const QByteArray &path)
{
    struct stat st;
    if (::lstat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
        return false;
    if ((st.st_mode & 077) != 0 && ::chmod(path.constData(), 0700) != 0)
        return false;
    return true;
}

bool SingleApplication::isSameUser(QLocalSocket *socket)
{
    ucred credentials {};
    socklen_t size = sizeof credentials;
    return ::getsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0
        && size == sizeof credentials && credentials.uid == ::getuid();
}

bool SingleApplication::isNoteName(const QString &name)
{
    // Separators, a leading dot or dash, spaces or anything beyond ASCII
    // never name a note file.
    static const QRegularExpression plain(QStringLiteral("\\A[A-Za-z0-9_][A-Za-z0-9._-]{0,250}\\z"));
    return plain.match(name).hasMatch();
}

bool SingleApplication::isStartMessage(const QString &message)
{
    if (message == QLatin1String("raise") || message == QLatin1String("createNote"))
        return true;
    return (message.startsWith(QLatin1String("noteId ")) || message.startsWith(QLatin1String("showId ")))
        && isNoteName(message.mid(7));
}

bool SingleApplication::isRunning()
{
    if (m_role == Role::Undecided) {
        if (runtimeDirectory().isEmpty())
            m_role = Role::Alone;
        else
            becomeServer();
    }
    return m_role == Role::Client;
}

bool SingleApplication::becomeServer()
{
    const QString appPath = applicationFilePath();
    switch (takeInstanceLock(lockFilePath(appPath), &m_lockFd)) {
    case LockResult::Taken:
        break;
    case LockResult::HeldElsewhere:
        m_role = Role::Client;
        return false;
    case LockResult::Failed:
        m_role = Role::Alone;
        return false;
    }

    // We hold the lock, so a socket file still there was left by a crash.
    const QString path = serverPath(appPath);
    QLocalServer::removeServer(path);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(path)) {
        delete m_server;
        m_server = nullptr;
        m_role = Role::Alone;
        return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleApplication::onNewConnection);
    m_role = Role::Server;
    return true;
}

bool SingleApplication::sendMessage(const QString &message, int timeoutMs)
{
    if (!isRunning())
        return false;

    QDeadlineTimer deadline(qMax(0, timeoutMs));
    QLocalSocket socket;
    const QString path = serverPath(applicationFilePath());
    // The running instance may hold the lock a moment before it listens.
    for (;;) {
        socket.connectToServer(path);
        if (socket.waitForConnected(int(qMax<qint64>(0, deadline.remainingTime()))))
            break;
        if (deadline.hasExpired())
            return false;
        socket.abort();
        QThread::msleep(50);
    }

    // Only an instance of our own user gets what we have to say.
    if (!isSameUser(&socket))
        return false;

    QByteArray frame;
    QDataStream out(&frame, QIODevice::WriteOnly);
    out << message.toUtf8();
    socket.write(frame);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(int(qMax<qint64>(0, deadline.remainingTime()))))
            return false;
    }
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(int(qMax<qint64>(0, deadline.remainingTime()))))
            return false;
    }
    char ack = 0;
    return socket.getChar(&ack) && ack == ackByte;
}

void SingleApplication::onNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        if (!isSameUser(socket)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        m_pending.insert(socket, QByteArray());
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { onSocketReadyRead(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            m_pending.remove(socket);
            socket->deleteLater();
        });
        if (socket->bytesAvailable() > 0)
            onSocketReadyRead(socket);
    }
}

void SingleApplication::onSocketReadyRead(QLocalSocket *socket)
{
    auto it = m_pending.find(socket);
    if (it == m_pending.end())
        return;
    QByteArray &buffer = it.value();
    buffer += socket->readAll();

    // Frame: QDataStream QByteArray, a 32-bit big-endian length then the bytes.
    if (buffer.size() < 4)
        return;
    QDataStream in(buffer);
    quint32 length = 0;
    in >> length;
    if (length == 0xFFFFFFFFu)
        length = 0; // a null byte array
    if (length > maxMessageBytes) {
        m_pending.erase(it);
        socket->abort();
        return;
    }
    if (quint32(buffer.size()) < 4 + length)
        return;

    const QString message = QString::fromUtf8(buffer.constData() + 4, int(length));
    m_pending.erase(it);
    if (!isStartMessage(message)) {
        std::fprintf(stderr, "zib-notes: refused a start message that names no note file: %s\n",
                     message.toLocal8Bit().constData());
        socket->abort();
        return;
    }
    // Confirm before handling, so the sender is not kept waiting by whatever
    // the message starts here.
    socket->putChar(ackByte);
    socket->flush();
    socket->disconnectFromServer();
    emit messageReceived(message);
}
