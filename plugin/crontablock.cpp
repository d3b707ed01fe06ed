#include "crontablock.h"

#include "notesdirectory.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

CrontabLock::CrontabLock(const QDeadlineTimer &deadline)
{
    const QString directory = notesDirectory();
    QDir().mkpath(directory);
    const QByteArray path = QFile::encodeName(directory + QStringLiteral("/.crontab.lock"));
    // No O_CLOEXEC: see the class comment.
    m_fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW, 0600);
    if (m_fd < 0)
        return;
    while (!(m_locked = ::flock(m_fd, LOCK_EX | LOCK_NB) == 0)) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || deadline.hasExpired())
            break;
        QThread::msleep(5);
    }
}

CrontabLock::~CrontabLock()
{
    // Closing our descriptor releases the lock unless a child still holds it.
    if (m_fd >= 0)
        ::close(m_fd);
}
