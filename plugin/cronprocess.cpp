#include "cronprocess.h"

#include "crontablock.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <QVector>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

struct KilledGroup
{
    pid_t id;
    QElapsedTimer since;
};

// Groups killed at a deadline. An entry is forgotten after a while, as the
// number may then belong to a new group of somebody else's.
QVector<KilledGroup> &killedGroups()
{
    static QVector<KilledGroup> groups;
    return groups;
}

// Crontab edits run on the main thread and on the reconciler's.
QMutex killedGroupsMutex;

const qint64 rememberGroupMs = 60000;

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

} // namespace

CronProcess::CronProcess(QObject *parent)
    : QProcess(parent)
{ }

CronProcess::~CronProcess()
{
    if (state() != NotRunning)
        killGroup();
}

void CronProcess::setupChildProcess()
{
    // Runs in the child between fork and exec: only calls that are safe there.
    ::setpgid(0, 0);
    const int lock = CrontabLock::heldDescriptor();
    if (lock >= 0)
        ::fcntl(lock, F_SETFD, 0);
}

bool CronProcess::run(const QString &program, const QStringList &arguments, const QByteArray &input,
                      const QDeadlineTimer &deadline)
{
    m_finished = false;
    start(program, arguments, QIODevice::ReadWrite);
    if (!waitForStarted(int(qMax<qint64>(0, deadline.remainingTime()))))
        return false;
    if (!input.isEmpty())
        write(input);
    // Large tables go through the pipe in pieces while the child reads them.
    while (bytesToWrite() > 0 && state() == Running && !deadline.hasExpired())
        waitForBytesWritten(int(qMax<qint64>(0, deadline.remainingTime())));
    closeWriteChannel();
    if (state() != NotRunning && !waitForFinished(int(qMax<qint64>(0, deadline.remainingTime())))) {
        killGroup();
        return false;
    }
    m_finished = true;
    return exitStatus() == NormalExit;
}

void CronProcess::killGroup()
{
    const pid_t group = pid_t(processId());
    if (group > 0) {
        ::kill(-group, SIGKILL);
        const QMutexLocker locker(&killedGroupsMutex);
        killedGroups().append({ group, QElapsedTimer() });
        killedGroups().last().since.start();
    }
    kill();
    waitForFinished(1000);
    // Members other than the leader are reaped by whoever inherits them; give
    // that a moment, so that the next edit usually finds the group gone.
    QElapsedTimer waited;
    waited.start();
    while (group > 0 && hasLiveMembers(group) && !waited.hasExpired(300))
        ::usleep(5000);
}

bool CronProcess::earlierGroupsGone()
{
    const QMutexLocker locker(&killedGroupsMutex);
    QVector<KilledGroup> &groups = killedGroups();
    for (int i = groups.size() - 1; i >= 0; --i) {
        if (groups.at(i).since.hasExpired(rememberGroupMs) || !hasLiveMembers(groups.at(i).id))
            groups.removeAt(i);
    }
    return groups.isEmpty();
}
