#include "sessionenvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr qint64 maxFileBytes = 256 * 1024;

bool isSocket(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISSOCK(st.st_mode);
}

// ":1", ":1.0", "unix:1" are local; "host:10.0" is not.
bool localXSocketExists(const QString &display, bool *remote)
{
    static const QRegularExpression pattern(QStringLiteral("^(unix)?:(\\d+)(\\.\\d+)?$"));
    const QRegularExpressionMatch match = pattern.match(display);
    *remote = !match.hasMatch() && !display.startsWith(QLatin1Char(':')) && display.contains(QLatin1Char(':'));
    return match.hasMatch() && isSocket(QStringLiteral("/tmp/.X11-unix/X") + match.captured(2));
}
} // namespace

bool SessionEnvironment::preparePrivateDirectory(const QString &path)
{
    if (!QDir().mkpath(path))
        return false;
    const QByteArray dir = QFile::encodeName(path);
    struct stat st;
    if (::lstat(dir.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
        return false;
    return (st.st_mode & 077) == 0 || ::chmod(dir.constData(), 0700) == 0;
}

QString SessionEnvironment::directory(const QString &home)
{
    return (home.isEmpty() ? QDir::homePath() : home) + QLatin1String("/.local/state/zib-notes");
}

QString SessionEnvironment::filePath(const QString &home)
{
    return directory(home) + QLatin1String("/session-environment.json");
}

bool SessionEnvironment::isSessionVariable(const QString &name)
{
    static const QStringList names {
        QStringLiteral("DISPLAY"),
        QStringLiteral("WAYLAND_DISPLAY"),
        QStringLiteral("XAUTHORITY"),
        QStringLiteral("XDG_RUNTIME_DIR"),
        QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
        QStringLiteral("XDG_CURRENT_DESKTOP"),
        QStringLiteral("XDG_SESSION_TYPE"),
        QStringLiteral("XDG_SESSION_DESKTOP"),
        QStringLiteral("DESKTOP_SESSION"),
        QStringLiteral("XDG_DATA_DIRS"),
        QStringLiteral("XDG_CONFIG_DIRS"),
        QStringLiteral("XDG_DATA_HOME"),
        QStringLiteral("XDG_CONFIG_HOME"),
        QStringLiteral("XDG_CACHE_HOME"),
        QStringLiteral("XDG_STATE_HOME"),
        QStringLiteral("PATH"),
        QStringLiteral("LANG"),
        QStringLiteral("LANGUAGE"),
        QStringLiteral("TZ"),
        QStringLiteral("XMODIFIERS"),
        QStringLiteral("QML2_IMPORT_PATH"),
        QStringLiteral("KDE_FULL_SESSION"),
        QStringLiteral("KDE_SESSION_VERSION"),
    };
    if (names.contains(name))
        return true;
    if (name.startsWith(QLatin1String("LC_")) || name.startsWith(QLatin1String("QT_")))
        return true;
    // The program's diagnostic logs follow it into a session it is started in.
    return name.startsWith(QLatin1String("ZIB_NOTES_")) && name.endsWith(QLatin1String("_LOG"));
}

QProcessEnvironment SessionEnvironment::sessionPart(const QProcessEnvironment &env)
{
    QProcessEnvironment part;
    const QStringList keys = env.keys();
    for (const QString &key : keys) {
        if (isSessionVariable(key))
            part.insert(key, env.value(key));
    }
    return part;
}

bool SessionEnvironment::save(const QString &path, const QProcessEnvironment &env, qint64 pid)
{
    if (!preparePrivateDirectory(QFileInfo(path).absolutePath()))
        return false;
    QJsonObject variables;
    const QProcessEnvironment part = sessionPart(env);
    const QStringList keys = part.keys();
    for (const QString &key : keys)
        variables.insert(key, part.value(key));
    const QJsonObject root { { QStringLiteral("pid"), pid }, { QStringLiteral("environment"), variables } };

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || ::fchmod(file.handle(), 0600) != 0)
        return false;
    file.write(QJsonDocument(root).toJson());
    return file.commit();
}

bool SessionEnvironment::load(const QString &path, QProcessEnvironment *env, qint64 *pid)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    struct stat st;
    if (::fstat(file.handle(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::getuid() || (st.st_mode & 022) != 0
        || st.st_size > maxFileBytes)
        return false;
    const QJsonDocument doc = QJsonDocument::fromJson(file.read(maxFileBytes));
    if (!doc.isObject())
        return false;
    const QJsonObject variables = doc.object().value(QStringLiteral("environment")).toObject();
    QProcessEnvironment result;
    for (auto it = variables.begin(); it != variables.end(); ++it) {
        if (isSessionVariable(it.key()) && it.value().isString())
            result.insert(it.key(), it.value().toString());
    }
    if (result.isEmpty())
        return false;
    *env = result;
    if (pid)
        *pid = qint64(doc.object().value(QStringLiteral("pid")).toDouble());
    return true;
}

bool SessionEnvironment::recordIfGraphical(const QString &platformName)
{
    if (platformName == QLatin1String("offscreen") || platformName == QLatin1String("minimal"))
        return false;
    return save(filePath(), QProcessEnvironment::systemEnvironment(), QCoreApplication::applicationPid());
}

bool SessionEnvironment::isAlive(const QProcessEnvironment &env)
{
    const QString runtimeDir = env.value(QStringLiteral("XDG_RUNTIME_DIR"));
    if (!runtimeDir.isEmpty() && !QFileInfo(runtimeDir).isDir())
        return false;
    const QString authority = env.value(QStringLiteral("XAUTHORITY"));
    if (!authority.isEmpty() && !QFileInfo(authority).isFile())
        return false;

    const QString wayland = env.value(QStringLiteral("WAYLAND_DISPLAY"));
    if (!wayland.isEmpty() && !runtimeDir.isEmpty()
        && isSocket(QDir::isAbsolutePath(wayland) ? wayland : runtimeDir + QLatin1Char('/') + wayland))
        return true;
    bool remote = false;
    return localXSocketExists(env.value(QStringLiteral("DISPLAY")), &remote) || remote;
}

QProcessEnvironment SessionEnvironment::fromSessionManager()
{
    const QString runtimeDir = QStringLiteral("/run/user/%1").arg(::getuid());
    const QString systemctl = QStandardPaths::findExecutable(QStringLiteral("systemctl"));
    if (systemctl.isEmpty() || !isSocket(runtimeDir + QLatin1String("/bus")))
        return {};
    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
               QLatin1String("unix:path=") + runtimeDir + QLatin1String("/bus"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(systemctl, { QStringLiteral("--user"), QStringLiteral("show-environment") });
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    QProcessEnvironment result = sessionPart(parseShowEnvironment(process.readAllStandardOutput()));
    if (!result.contains(QStringLiteral("XDG_RUNTIME_DIR")))
        result.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
    return result;
}

QProcessEnvironment SessionEnvironment::parseShowEnvironment(const QByteArray &output)
{
    QProcessEnvironment env;
    const QList<QByteArray> lines = output.split('\n');
    for (const QByteArray &line : lines) {
        const int eq = line.indexOf('=');
        if (eq <= 0)
            continue;
        const QString key = QString::fromUtf8(line.left(eq));
        const QByteArray value = line.mid(eq + 1);
        // systemd writes values with special characters as $'...'; those
        // are not needed for reaching the session.
        static const QRegularExpression name(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
        if (value.startsWith("$'") || !name.match(key).hasMatch())
            continue;
        env.insert(key, QString::fromUtf8(value));
    }
    return env;
}
