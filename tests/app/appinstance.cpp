#include "appinstance.h"

#include "singleapplication.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {
QString buildDir()
{
    return qEnvironmentVariable("ZIB_BINARY_DIR");
}

bool copyExecutable(const QString &from, const QString &to)
{
    if (!QFile::copy(from, to))
        return false;
    return QFile::setPermissions(to, QFile::permissions(from));
}
} // namespace

AppInstance::AppInstance()
{
    if (!m_dir.isValid() || buildDir().isEmpty())
        return;
    const QString bin = m_dir.filePath(QStringLiteral("bin"));
    m_valid = QDir().mkpath(bin) && copyExecutable(buildDir() + QLatin1String("/bin/zib-notes"), program())
        && copyExecutable(buildDir() + QLatin1String("/bin/zib-notes-notify"), notifier())
        && QFile::link(buildDir() + QLatin1String("/qml"), m_dir.filePath(QStringLiteral("qml")))
        && QFile::link(buildDir() + QLatin1String("/lib"), m_dir.filePath(QStringLiteral("lib")));
}

AppInstance::~AppInstance()
{
    stopFirst();
}

QString AppInstance::program() const
{
    return m_dir.filePath(QStringLiteral("bin/zib-notes"));
}

QString AppInstance::notifier() const
{
    return m_dir.filePath(QStringLiteral("bin/zib-notes-notify"));
}

QString AppInstance::logPath() const
{
    return m_dir.filePath(QStringLiteral("messages.log"));
}

QString AppInstance::lockPath() const
{
    return SingleApplication::lockFilePath(program());
}

QString AppInstance::socketPath() const
{
    return SingleApplication::serverPath(program());
}

QStringList AppInstance::loggedMessages() const
{
    QFile log(logPath());
    if (!log.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

QProcessEnvironment AppInstance::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZIB_NOTES_MESSAGE_LOG"), logPath());
    return env;
}

bool AppInstance::startFirst(const QStringList &args)
{
    m_first.setProcessEnvironment(environment());
    m_first.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_first.start(program(), args);
    if (!m_first.waitForStarted())
        return false;
    return QTest::qWaitFor([this] { return QFile::exists(socketPath()) || m_first.state() != QProcess::Running; },
                           20000)
        && m_first.state() == QProcess::Running;
}

void AppInstance::stopFirst()
{
    if (m_first.state() != QProcess::NotRunning) {
        m_first.terminate();
        if (!m_first.waitForFinished(10000)) {
            m_first.kill();
            m_first.waitForFinished();
        }
    }
    QFile::remove(lockPath());
    QFile::remove(socketPath());
}

int AppInstance::run(const QStringList &args, QByteArray *out, QByteArray *err, const QProcessEnvironment &env)
{
    QProcess process;
    process.setProcessEnvironment(env.isEmpty() ? environment() : env);
    process.start(program(), args);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    if (out)
        *out = process.readAllStandardOutput();
    if (err)
        *err = process.readAllStandardError();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool AppInstance::waitForMessages(int count) const
{
    return QTest::qWaitFor([this, count] { return loggedMessages().size() >= count; }, 20000);
}
