#include "notelauncher.h"

#include "sessionenvironment.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

namespace {
// Polls a child of ours without blocking; true once it ended.
bool hasEnded(pid_t pid, int *status)
{
    int raw = 0;
    if (::waitpid(pid, &raw, WNOHANG) != pid)
        return false;
    *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    return true;
}

bool hasRecorded(const QString &sessionFile, pid_t pid)
{
    QProcessEnvironment recorded;
    qint64 recordedPid = 0;
    return SessionEnvironment::load(sessionFile, &recorded, &recordedPid) && recordedPid == pid;
}
} // namespace

bool NoteLauncher::isValidNoteFile(const QString &file)
{
    if (file.size() <= 5 || file.size() > 255 || !file.endsWith(QLatin1String(".note")))
        return false;
    if (file.startsWith(QLatin1Char('-')) || file.startsWith(QLatin1Char('.')))
        return false;
    for (const QChar c : file) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.isSpace() || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

QString NoteLauncher::findProgram(const QString &ownDir)
{
    const QString name = QStringLiteral("zib-notes");
    const QFileInfo beside(QDir(ownDir).filePath(name));
    if (beside.isFile() && beside.isExecutable())
        return beside.absoluteFilePath();
    return QStandardPaths::findExecutable(name);
}

int NoteLauncher::handOver(const QString &program, const QString &file, const QProcessEnvironment &env)
{
    QProcessEnvironment headless = env;
    headless.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess process;
    process.setProcessEnvironment(headless);
    process.setWorkingDirectory(QDir::rootPath());
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, { QLatin1String("--") + QLatin1String(handOverOption), QStringLiteral("-t"), file });
    // The running instance has 5 s to take the message.
    if (!process.waitForFinished(15000)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

QProcessEnvironment NoteLauncher::startEnvironment(const QProcessEnvironment &session, const QProcessEnvironment &env)
{
    QProcessEnvironment result = SessionEnvironment::sessionPart(session);
    for (const char *name : { "HOME", "USER", "LOGNAME", "SHELL" }) {
        const QString key = QLatin1String(name);
        if (env.contains(key))
            result.insert(key, env.value(key));
    }
    if (!result.contains(QStringLiteral("PATH")))
        result.insert(QStringLiteral("PATH"), QStringLiteral("/usr/local/bin:/usr/bin:/bin"));
    return result;
}

NoteLauncher::Start NoteLauncher::start(const QString &program, const QString &file, const QProcessEnvironment &env,
                                        const QString &sessionFile, int timeoutMs, qint64 *pid, int *status)
{
    const QByteArray path = QFile::encodeName(program);
    const QByteArray option = QByteArrayLiteral("-t");
    const QByteArray note = QFile::encodeName(file);
    char *const argv[] = { const_cast<char *>(path.constData()), const_cast<char *>(option.constData()),
                           const_cast<char *>(note.constData()), nullptr };
    std::vector<QByteArray> entries;
    const QStringList keys = env.keys();
    for (const QString &key : keys)
        entries.push_back((key + QLatin1Char('=') + env.value(key)).toLocal8Bit());
    std::vector<char *> envp;
    for (QByteArray &entry : entries)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    // Its own session, "/" as working directory and no inherited output:
    // nothing of cron's job is held by a program that may run for days.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addchdir_np(&actions, "/");
    pid_t child = 0;
    const int error = ::posix_spawn(&child, path.constData(), &actions, &attr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (error != 0) {
        *status = -1;
        return Start::NotStarted;
    }
    *pid = child;

    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (hasEnded(child, status))
            return *status == handedOverStatus ? Start::HandedOver : Start::Ended;
        if (hasRecorded(sessionFile, child))
            break;
        QThread::msleep(50);
    }
    // Up on its display; a start that breaks right after (a crash while the
    // window loads) still shows here.
    QThread::msleep(500);
    if (hasEnded(child, status))
        return *status == handedOverStatus ? Start::HandedOver : Start::Ended;
    return Start::Up;
}
