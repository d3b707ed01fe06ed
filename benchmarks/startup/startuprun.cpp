#include "startuprun.h"

#include <QFile>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
double monotonicMs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}
} // namespace

StartupRun::Result StartupRun::run(const QString &program, const QProcessEnvironment &env, const QString &outputFile)
{
    Result result;
    const QByteArray path = QFile::encodeName(program);
    const QByteArray output = QFile::encodeName(outputFile);
    std::vector<QByteArray> envStrings;
    for (const QString &entry : env.toStringList())
        envStrings.push_back(entry.toLocal8Bit());
    std::vector<char *> envp;
    for (QByteArray &entry : envStrings)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    char *argv[] = { const_cast<char *>(path.constData()), nullptr };

    const double start = monotonicMs();
    const pid_t pid = ::fork();
    if (pid < 0) {
        result.error = QStringLiteral("fork failed");
        return result;
    }
    if (pid == 0) {
        const int fd = ::open(output.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd >= 0) {
            ::dup2(fd, STDOUT_FILENO);
            ::close(fd);
        }
        ::execve(path.constData(), argv, envp.data());
        ::_exit(127);
    }

    // A start that never draws is ended after a minute.
    int status = 0;
    rusage usage {};
    pid_t done = 0;
    for (int waited = 0; waited < 60000; waited += 10) {
        done = ::wait4(pid, &status, WNOHANG, &usage);
        if (done != 0)
            break;
        ::usleep(10000);
    }
    if (done == 0) {
        ::kill(pid, SIGKILL);
        ::wait4(pid, &status, 0, &usage);
        result.error = QStringLiteral("no first frame within a minute");
        return result;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        result.error = QStringLiteral("exit status %1").arg(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
        return result;
    }

    QFile file(outputFile);
    file.open(QIODevice::ReadOnly);
    const QString text = QString::fromUtf8(file.readAll());
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("monotonic-ms=([0-9.]+)")).match(text);
    if (!match.hasMatch()) {
        result.error = QStringLiteral("no first-frame line in: ") + text;
        return result;
    }
    result.firstFrameMs = match.captured(1).toDouble() - start;
    result.peakRssMiB = double(usage.ru_maxrss) / 1024.0;
    result.ok = true;
    return result;
}
