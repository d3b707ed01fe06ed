#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStringList>

// A crontab child run to its end within a deadline. The child leads a process
// group of its own, so that a child past its deadline is ended together with
// everything it started: a "crontab -" left running could otherwise install
// an old table long after newer edits.
class CronProcess : public QProcess
{
    Q_OBJECT

public:
    explicit CronProcess(QObject *parent = nullptr);
    ~CronProcess() override;

    // Starts program, feeds it input on standard input and waits for its end.
    // False when it could not start, crashed or ran past the deadline; a child
    // past the deadline is killed with its whole group.
    bool run(const QString &program, const QStringList &arguments, const QByteArray &input,
             const QDeadlineTimer &deadline);

    bool succeeded() const { return m_finished && exitStatus() == NormalExit && exitCode() == 0; }

    // False while a group killed earlier in this process still has members
    // (stuck in the kernel, say): no table may be written until it is gone.
    static bool earlierGroupsGone();

protected:
    void setupChildProcess() override;

private:
    void killGroup();

    bool m_finished = false;
};
