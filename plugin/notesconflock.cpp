#include "notesconflock.h"

#include "notesdirectory.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Whether this process holds the lock already: an operation run from within
// another (a signal handler that edits the collection) must not wait for
// itself.
int heldDepth = 0;

} // namespace

NotesConfLock::NotesConfLock(int waitMsec)
{
    if (heldDepth > 0) {
        nested = locked = true;
        ++heldDepth;
        return;
    }
    const QString directory = notesDirectory();
    QDir().mkpath(directory);
    fd = ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    const QDeadlineTimer deadline(waitMsec);
    while (!(locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0)) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || deadline.hasExpired())
            break;
        QThread::msleep(5);
    }
    if (locked)
        ++heldDepth;
}

NotesConfLock::~NotesConfLock()
{
    if (locked)
        --heldDepth;
    // Closing the descriptor releases the lock.
    if (!nested && fd >= 0)
        ::close(fd);
}
