#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QProcessEnvironment>
#include <QStringList>

#include <sys/types.h>

// A crontab child run to its end within a deadline. The child leads a process
// group of its own, so that a child past its deadline is ended together with
// everything it started: a "crontab -" left running could otherwise install
// an old table long after newer edits.
//
// The child is started with posix_spawn rather than QProcess: QProcess forks,
// and forking a process that holds a large collection stalls the window's
// thread (page tables copied, then copy-on-write faults) even when the edit
// runs on another thread. posix_spawn shares the memory until the exec.
class CronProcess
{
public:
    CronProcess() = default;
    CronProcess(const CronProcess &) = delete;
    CronProcess &operator=(const CronProcess &) = delete;

    // The child's environment; without one it gets this process's.
    void setProcessEnvironment(const QProcessEnvironment &environment);

    // Starts program (looked up on PATH when it has no slash), feeds it input
    // on standard input and waits for its end. False when it could not start,
    // was killed by a signal or ran past the deadline; a child past the
    // deadline is killed with its whole group.
    bool run(const QString &program, const QStringList &arguments, const QByteArray &input,
             const QDeadlineTimer &deadline);

    bool succeeded() const { return m_exited && m_exitCode == 0; }
    int exitCode() const { return m_exitCode; }
    const QByteArray &standardOutput() const { return m_output; }
    const QByteArray &standardError() const { return m_error; }

    // False while a group killed earlier in this process still has members
    // (stuck in the kernel, say): no table may be written until it is gone.
    static bool earlierGroupsGone();

private:
    struct Pipes;
    bool exchange(Pipes *pipes, const QByteArray &input, const QDeadlineTimer &deadline, int *status);
    void killGroup();

    QProcessEnvironment m_environment;
    bool m_hasEnvironment = false;
    pid_t m_pid = -1;
    bool m_exited = false;
    int m_exitCode = -1;
    QByteArray m_output;
    QByteArray m_error;
};
