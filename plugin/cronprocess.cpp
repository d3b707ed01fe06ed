#include "cronprocess.h"

#include "crontablock.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <QVector>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

struct KilledGroup
{
    pid_t id;
    bool leaderReaped;
    QElapsedTimer since;
};

// Groups killed at a deadline. An entry is forgotten after a while, as the
// number may then belong to a new group of somebody else's.
QVector<KilledGroup> &killedGroups()
{
    static QVector<KilledGroup> groups;
    return groups;
}

// Leaders of forgotten groups that were still not reaped; their numbers
// stay ours until they are.
QVector<pid_t> &unreapedLeaders()
{
    static QVector<pid_t> leaders;
    return leaders;
}

// Crontab edits run on the main thread and on the reconciler's.
QMutex killedGroupsMutex;

const qint64 rememberGroupMs = 60000;
const int pipeChunk = 65536;

// Whether a member of the group is still running. Zombies do not count: they
// can write nothing, and where nobody reaps orphans they linger for good.
bool hasLiveMembers(pid_t group)
{
    if (::kill(-group, 0) != 0 && errno == ESRCH)
        return false;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool numeric = false;
        entry.toInt(&numeric);
        if (!numeric)
            continue;
        QFile stat(QStringLiteral("/proc/") + entry + QStringLiteral("/stat"));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid pgrp ...": the name may hold anything, even ")".
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 2 && fields.at(2).toInt() == group && fields.at(0) != "Z" && fields.at(0) != "X")
            return true;
    }
    return false;
}

// True once the child is reaped here or is no child of ours any more; in
// the latter case its end is unknown and the status tells of no exit.
bool reaped(pid_t child, int *status = nullptr)
{
    pid_t result;
    do
        result = ::waitpid(child, status, WNOHANG);
    while (result < 0 && errno == EINTR);
    if (result < 0 && errno == ECHILD && status)
        *status = -1;
    return result == child || (result < 0 && errno == ECHILD);
}

struct Descriptor
{
    int fd = -1;
    ~Descriptor() { close(); }
    void close()
    {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
};

bool makePipe(Descriptor *readEnd, Descriptor *writeEnd)
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return false;
    readEnd->fd = ends[0];
    writeEnd->fd = ends[1];
    return true;
}

// A write with SIGPIPE held back: a child that ends without reading all of
// its input must not end this process.
ssize_t writeWithoutSignal(int fd, const char *data, size_t size)
{
    sigset_t pipeSignal;
    sigset_t before;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &before);
    ssize_t written;
    do
        written = ::write(fd, data, size);
    while (written < 0 && errno == EINTR);
    const int error = errno;
    if (written < 0 && error == EPIPE && !sigismember(&before, SIGPIPE)) {
        const timespec none { 0, 0 };
        while (::sigtimedwait(&pipeSignal, nullptr, &none) < 0 && errno == EINTR) { }
    }
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    errno = error;
    return written;
}

// Appends what the pipe holds now; closes it at its end or on an error, and
// when it is empty for now if the rest no longer matters.
void readAvailable(Descriptor *pipe, QByteArray *into, bool closeWhenEmpty = false)
{
    char buffer[pipeChunk];
    const ssize_t got = ::read(pipe->fd, buffer, sizeof buffer);
    if (got > 0)
        into->append(buffer, int(got));
    else if (got == 0 || (errno != EINTR && (errno != EAGAIN || closeWhenEmpty)))
        pipe->close();
}

int pollTimeout(const QDeadlineTimer &deadline, bool exitIsPolled)
{
    // Without a descriptor for the child's end, look at it now and then.
    const qint64 left = deadline.remainingTime();
    const qint64 remaining = left < 0 ? 1000 : qMin<qint64>(left, 1000);
    return int(exitIsPolled ? remaining : qMin<qint64>(remaining, 5));
}

} // namespace

struct CronProcess::Pipes
{
    Descriptor input;
    Descriptor output;
    Descriptor error;
};

void CronProcess::setProcessEnvironment(const QProcessEnvironment &environment)
{
    m_environment = environment;
    m_hasEnvironment = true;
}

bool CronProcess::run(const QString &program, const QStringList &arguments, const QByteArray &input,
                      const QDeadlineTimer &deadline)
{
    m_pid = -1;
    m_exited = false;
    m_exitCode = -1;
    m_output.clear();
    m_error.clear();
    if (deadline.hasExpired())
        return false;

    Pipes pipes;
    Descriptor inRead, outWrite, errWrite;
    if (!makePipe(&inRead, &pipes.input) || !makePipe(&pipes.output, &outWrite) || !makePipe(&pipes.error, &errWrite))
        return false;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, inRead.fd, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, outWrite.fd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errWrite.fd, STDERR_FILENO);
    // A descriptor duplicated onto itself loses close-on-exec in the child
    // alone: the crontab child keeps the lock, nobody else gets it.
    const int lock = CrontabLock::heldDescriptor();
    if (lock > STDERR_FILENO)
        posix_spawn_file_actions_adddup2(&actions, lock, lock);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&attributes, 0);
    sigset_t signalSet;
    sigemptyset(&signalSet);
    posix_spawnattr_setsigmask(&attributes, &signalSet);
    for (const int signal : { SIGPIPE, SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGCHLD })
        sigaddset(&signalSet, signal);
    posix_spawnattr_setsigdefault(&attributes, &signalSet);

    QByteArrayList argumentBytes { QFile::encodeName(program) };
    for (const QString &argument : arguments)
        argumentBytes.append(argument.toLocal8Bit());
    QVector<char *> argv;
    for (QByteArray &argument : argumentBytes)
        argv.append(argument.data());
    argv.append(nullptr);
    QByteArrayList environmentBytes;
    QVector<char *> envp;
    if (m_hasEnvironment) {
        const QStringList entries = m_environment.toStringList();
        for (const QString &entry : entries)
            environmentBytes.append(entry.toLocal8Bit());
        for (QByteArray &entry : environmentBytes)
            envp.append(entry.data());
        envp.append(nullptr);
    }

    const int spawned = ::posix_spawnp(&m_pid, argv.first(), &actions, &attributes, argv.data(),
                                       m_hasEnvironment ? envp.data() : environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    inRead.close();
    outWrite.close();
    errWrite.close();
    if (spawned != 0) {
        m_pid = -1;
        return false;
    }
    for (const int fd : { pipes.input.fd, pipes.output.fd, pipes.error.fd })
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    if (input.isEmpty())
        pipes.input.close();

    int status = 0;
    if (!exchange(&pipes, input, deadline, &status)) {
        killGroup();
        return false;
    }
    m_exited = WIFEXITED(status);
    m_exitCode = m_exited ? WEXITSTATUS(status) : -1;
    return m_exited;
}

// Feeds the child its input and gathers its output until it ends. False at
// the deadline, with the child still running.
bool CronProcess::exchange(Pipes *pipes, const QByteArray &bytes, const QDeadlineTimer &deadline, int *status)
{
    const pid_t child = m_pid;
    Descriptor *input = &pipes->input;
    Descriptor *output = &pipes->output;
    Descriptor *error = &pipes->error;
#ifdef SYS_pidfd_open
    Descriptor ended { int(::syscall(SYS_pidfd_open, child, 0)) };
#else
    Descriptor ended;
#endif
    int written = 0;
    while (!reaped(child, status)) {
        if (deadline.hasExpired())
            return false;
        pollfd polled[4];
        nfds_t count = 0;
        for (const Descriptor *pipe : { input, output, error, &ended }) {
            if (pipe->fd >= 0)
                polled[count++] = { pipe->fd, short(pipe == input ? POLLOUT : POLLIN), 0 };
        }
        if (::poll(polled, count, pollTimeout(deadline, ended.fd >= 0)) <= 0)
            continue;
        for (nfds_t i = 0; i < count; ++i) {
            if (polled[i].revents == 0)
                continue;
            if (polled[i].fd == input->fd) {
                const ssize_t sent = writeWithoutSignal(input->fd, bytes.constData() + written,
                                                        size_t(qMin(bytes.size() - written, pipeChunk)));
                written += int(qMax<ssize_t>(0, sent));
                // A child that stopped reading gets no more.
                if (written == bytes.size() || (sent < 0 && errno != EAGAIN))
                    input->close();
            } else if (polled[i].fd == output->fd) {
                readAvailable(output, &m_output);
            } else if (polled[i].fd == error->fd) {
                readAvailable(error, &m_error);
            }
        }
    }
    // What the child wrote before its end is still in the pipes, whatever
    // the deadline says. Output that does not end (the child's children
    // writing on) fails the run rather than being taken cut short.
    const QDeadlineTimer drainLimit(1000);
    while (output->fd >= 0 && !drainLimit.hasExpired())
        readAvailable(output, &m_output, true);
    while (error->fd >= 0 && !drainLimit.hasExpired())
        readAvailable(error, &m_error, true);
    return output->fd < 0 && error->fd < 0;
}

void CronProcess::killGroup()
{
    ::kill(-m_pid, SIGKILL);
    ::kill(m_pid, SIGKILL);
    QElapsedTimer waited;
    waited.start();
    bool leaderReaped = false;
    while (!(leaderReaped = reaped(m_pid)) && !waited.hasExpired(1000))
        ::usleep(2000);
    {
        const QMutexLocker locker(&killedGroupsMutex);
        killedGroups().append({ m_pid, leaderReaped, QElapsedTimer() });
        killedGroups().last().since.start();
    }
    // Members other than the leader are reaped by whoever inherits them; give
    // that a moment, so that the next edit usually finds the group gone.
    waited.restart();
    while (hasLiveMembers(m_pid) && !waited.hasExpired(300))
        ::usleep(5000);
}

bool CronProcess::earlierGroupsGone()
{
    const QMutexLocker locker(&killedGroupsMutex);
    QVector<KilledGroup> &groups = killedGroups();
    for (int i = groups.size() - 1; i >= 0; --i) {
        // A leader stuck in the kernel at its kill is reaped here once it ends.
        KilledGroup &group = groups[i];
        if (!group.leaderReaped)
            group.leaderReaped = reaped(group.id);
        if (group.since.hasExpired(rememberGroupMs) || !hasLiveMembers(group.id)) {
            if (!group.leaderReaped)
                unreapedLeaders().append(group.id);
            groups.removeAt(i);
        }
    }
    QVector<pid_t> &leaders = unreapedLeaders();
    leaders.erase(std::remove_if(leaders.begin(), leaders.end(), [](pid_t leader) { return reaped(leader); }),
                  leaders.end());
    return groups.isEmpty();
}
