#include "crontablock.h"

#include "notesdirectory.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
// The descriptor of the lock this process holds: a lock is held by one
// thread at a time, as the kernel lock excludes this process's other
// descriptors too.
std::atomic<int> heldFd { -1 };
} // namespace

CrontabLock::CrontabLock(const QDeadlineTimer &deadline)
{
    const QString directory = notesDirectory();
    QDir().mkpath(directory);
    const QByteArray path = QFile::encodeName(directory + QStringLiteral("/.crontab.lock"));
    m_fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (m_fd < 0)
        return;
    while (!(m_locked = ::flock(m_fd, LOCK_EX | LOCK_NB) == 0)) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || deadline.hasExpired())
            break;
        QThread::msleep(5);
    }
    if (m_locked)
        heldFd = m_fd;
}

int CrontabLock::heldDescriptor()
{
    return heldFd;
}

CrontabLock::~CrontabLock()
{
    // Closing our descriptor releases the lock unless a child still holds it.
    if (m_locked)
        heldFd = -1;
    if (m_fd >= 0)
        ::close(m_fd);
}
