#include "notefilereadahead.h"

#include "safeinifile.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Only a plain file is opened: opening a device can act on it. The kernel
// reads the file in behind the hint, so the files of a batch are read side
// by side instead of one after another.
void hint(const QString &path)
{
    if (!SafeIniFile::isRegularFile(path))
        return;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_WILLNEED);
    ::close(fd);
}

} // namespace

NoteFileReadAhead::NoteFileReadAhead()
{
    m_pool.setMaxThreadCount(1);
}

NoteFileReadAhead::~NoteFileReadAhead()
{
    m_pool.clear();
    m_pool.waitForDone();
}

void NoteFileReadAhead::readAhead(QStringList paths)
{
    m_pool.clear();
    m_pool.start(QRunnable::create([paths = std::move(paths)] {
        for (const QString &path : paths)
            hint(path);
    }));
}
