#include "safeinifile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

// Part of every copy's name: ".1.note.saving-AbC123". The leading dot keeps
// copies out of the search, of the picture listing and of removal patterns.
const QString CopyMarker = QStringLiteral(".saving-");
// A copy older than this belongs to a writer that is gone.
const int StaleCopySeconds = 60;

QString tr(const char *text)
{
    return QCoreApplication::translate("SafeIniFile", text);
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

mode_t newFileMode()
{
    // What QSettings itself would create: 0666 less the umask. Read without
    // changing the umask, which other threads may be relying on.
    static const mode_t mode = [] {
        mode_t mask = 022;
        QFile status(QStringLiteral("/proc/self/status"));
        if (status.open(QIODevice::ReadOnly)) {
            for (const QByteArray &line : status.readAll().split('\n')) {
                if (line.startsWith("Umask:"))
                    mask = mode_t(line.mid(6).trimmed().toUInt(nullptr, 8));
            }
        }
        return mode_t(0666 & ~mask);
    }();
    return mode;
}

// A read that a signal does not cut short.
ssize_t readSome(int fd, char *buffer, size_t size)
{
    ssize_t got;
    do
        got = ::read(fd, buffer, size);
    while (got < 0 && errno == EINTR);
    return got;
}

bool writeAll(int fd, const char *data, ssize_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// Why a write that QSettings believed done did not reach the disk whole:
// QSettings keeps the reason to itself, the file system still tells it.
int likelyWriteError(const QString &directory, qint64 bytes)
{
    struct statvfs vfs;
    if (::statvfs(QFile::encodeName(directory).constData(), &vfs) == 0) {
        if (vfs.f_flag & ST_RDONLY)
            return EROFS;
        if (quint64(vfs.f_bavail) * vfs.f_bsize < quint64(bytes) + 8192 || (vfs.f_files > 0 && vfs.f_favail == 0))
            return ENOSPC;
    }
    return EIO;
}

// Whether a file that QSettings wrote holds all of its keys: it writes one
// line a key and ends every line, so a write cut short by a full disk, at
// whatever byte, lacks the last newline or whole lines. Cheaper than
// parsing the file again, which costs as much as the write itself.
bool holdsKeyLines(const QString &path, int keys)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int lines = 0;
    bool lineStart = true;
    char last = '\n';
    char buffer[65536];
    for (;;) {
        const ssize_t got = readSome(fd, buffer, sizeof buffer);
        if (got < 0) {
            ::close(fd);
            return false;
        }
        if (got == 0)
            break;
        for (ssize_t i = 0; i < got; ++i) {
            const char c = buffer[i];
            if (lineStart && c != '\n' && c != '[')
                ++lines;
            lineStart = c == '\n';
        }
        last = buffer[got - 1];
    }
    ::close(fd);
    return last == '\n' && lines == keys;
}

} // namespace

SafeIniFile::SafeIniFile(const QString &path)
    : SafeIniFile(path, nullptr)
{ }

SafeIniFile::SafeIniFile(const QString &path, const QByteArray *content)
    : m_path(path)
{
    const QFileInfo info(path);
    const QString directory = info.absolutePath();
    QDir().mkpath(directory);
    QByteArray pattern = QFile::encodeName(directory + QStringLiteral("/.") + info.fileName() + CopyMarker)
        + QByteArrayLiteral("XXXXXX");
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        fail(tr("no file can be created"), errno);
        return;
    }
    m_copyPath = QFile::decodeName(pattern);
    const bool copied = content ? writeContent(fd, *content) : copyCurrentContent(fd);
    if (::close(fd) != 0 && copied) {
        fail(tr("the file could not be written"), errno);
        discardCopy();
        return;
    }
    if (!copied) {
        discardCopy();
        return;
    }
    if (content)
        m_contentWritten = true;
    else
        m_settings = std::make_unique<QSettings>(m_copyPath, QSettings::IniFormat);
}

SafeIniFile::~SafeIniFile()
{
    discardCopy();
}

bool SafeIniFile::copyCurrentContent(int targetFd)
{
    mode_t mode = newFileMode();
    // Non-blocking: a FIFO in place of the file must not hang the program.
    const int source = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (source < 0 && errno != ENOENT)
        return fail(tr("the file cannot be read"), errno);
    if (source >= 0) {
        struct stat st;
        if (::fstat(source, &st) == 0 && S_ISREG(st.st_mode)) {
            mode = st.st_mode & 07777;
            char buffer[65536];
            for (;;) {
                const ssize_t got = readSome(source, buffer, sizeof buffer);
                if (got < 0) {
                    const int error = errno;
                    ::close(source);
                    return fail(tr("the file cannot be read"), error);
                }
                if (got == 0)
                    break;
                if (!writeAll(targetFd, buffer, got)) {
                    const int error = errno;
                    ::close(source);
                    return fail(tr("the file could not be written"), error);
                }
            }
        }
        ::close(source);
    }
    // QSaveFile, through which QSettings writes, keeps the mode of the copy.
    ::fchmod(targetFd, mode);
    return true;
}

bool SafeIniFile::writeContent(int targetFd, const QByteArray &content)
{
    struct stat st;
    const bool exists = ::stat(QFile::encodeName(m_path).constData(), &st) == 0 && S_ISREG(st.st_mode);
    ::fchmod(targetFd, exists ? st.st_mode & 07777 : newFileMode());
    if (!writeAll(targetFd, content.constData(), content.size()))
        return fail(tr("the file could not be written"), errno);
    return true;
}

bool SafeIniFile::replace(const QString &path, const QByteArray &content, QString *error)
{
    SafeIniFile file(path, &content);
    const bool done = file.m_contentWritten && file.putCopyInPlace();
    *error = file.errorString();
    return done;
}

bool SafeIniFile::commit()
{
    if (!m_settings)
        return false;

    // A damaged old file reads with a format error, which stays set; the
    // clean file written over it is judged by reading it back.
    const QSettings::Status before = m_settings->status();
    m_settings->sync();
    const QSettings::Status after = m_settings->status();
    const bool written = after == QSettings::NoError || (after == before && before == QSettings::FormatError);
    const int keys = m_settings->allKeys().size();
    m_settings.reset();

    const QString directory = QFileInfo(m_path).absolutePath();
    const qint64 size = QFileInfo(m_copyPath).size();
    const bool whole = written && holdsKeyLines(m_copyPath, keys);
    if (!whole)
        return fail(tr("the file could not be written"), likelyWriteError(directory, size));
    return putCopyInPlace();
}

bool SafeIniFile::putCopyInPlace()
{
    // The content must be on the disk before the rename: a write can still
    // fail in the flush, which QSettings ignores. Only the data counts here,
    // the name comes with the directory below; a full fsync would commit the
    // file system's journal once more for the copy's own name.
    const QByteArray copy = QFile::encodeName(m_copyPath);
    const int fd = ::open(copy.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::fdatasync(fd) != 0) {
        const int error = errno;
        if (fd >= 0)
            ::close(fd);
        return fail(tr("the file could not be written"), error);
    }
    ::close(fd);

    // rename() replaces a link in place of the file, never its target.
    if (::rename(copy.constData(), QFile::encodeName(m_path).constData()) != 0)
        return fail(tr("the file could not be replaced"), errno);
    m_copyPath.clear();

    // The new name itself must survive a power cut.
    const QString directory = QFileInfo(m_path).absolutePath();
    const int dirFd = ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    m_error.clear();
    return true;
}

bool SafeIniFile::fail(const QString &what, int error)
{
    m_error = what + QStringLiteral(" (") + systemError(error) + QLatin1Char(')');
    discardCopy();
    return false;
}

void SafeIniFile::discardCopy()
{
    // Whatever the settings object still flushes lands in the copy.
    m_settings.reset();
    if (m_copyPath.isEmpty())
        return;
    QFile::remove(m_copyPath);
    QFile::remove(m_copyPath + QStringLiteral(".lock"));
    m_copyPath.clear();
}

bool SafeIniFile::isRegularFile(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

bool SafeIniFile::isStaleCopy(const QString &directory, const QString &name)
{
    if (!name.startsWith(QLatin1Char('.')) || !name.contains(CopyMarker))
        return false;
    struct stat st;
    const QByteArray path = QFile::encodeName(directory + QLatin1Char('/') + name);
    return ::lstat(path.constData(), &st) == 0 && !S_ISDIR(st.st_mode)
        && st.st_mtime < QDateTime::currentSecsSinceEpoch() - StaleCopySeconds;
}
