#include "notelauncher.h"
#include "notifylog.h"
#include "sessionenvironment.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {
// Exit statuses besides 0 (shown) and 1 (bad arguments, no zib-notes).
constexpr int noSessionStatus = 2;
constexpr int startFailedStatus = 3;
constexpr int startTimeoutMs = 4000;

// The recorded session first: it is the one the program last ran in. Then
// what the user's service manager knows.
bool findSession(QProcessEnvironment *session, QString *source)
{
    QProcessEnvironment recorded;
    if (SessionEnvironment::load(SessionEnvironment::filePath(), &recorded) && SessionEnvironment::isAlive(recorded)) {
        *session = recorded;
        *source = QStringLiteral("recorded session");
        return true;
    }
    const QProcessEnvironment managed = SessionEnvironment::fromSessionManager();
    if (!managed.isEmpty() && SessionEnvironment::isAlive(managed)) {
        *session = managed;
        *source = QStringLiteral("session of the user's service manager");
        return true;
    }
    return false;
}

QString displayOf(const QProcessEnvironment &env)
{
    const QString wayland = env.value(QStringLiteral("WAYLAND_DISPLAY"));
    const QString x = env.value(QStringLiteral("DISPLAY"));
    return wayland.isEmpty() ? x : x.isEmpty() ? wayland : wayland + QLatin1Char('/') + x;
}

int deliver(const QString &program, const QString &file)
{
    const QProcessEnvironment own = QProcessEnvironment::systemEnvironment();
    const int handOver = NoteLauncher::handOver(program, file, own);
    if (handOver == NoteLauncher::handedOverStatus) {
        NotifyLog::info(QStringLiteral("%1: handed to the running zib-notes").arg(file));
        return 0;
    }
    if (handOver != NoteLauncher::noInstanceStatus) {
        NotifyLog::failure(QStringLiteral("%1: %2 could not be asked for a running instance (status %3)")
                               .arg(file, program)
                               .arg(handOver));
        return startFailedStatus;
    }

    QProcessEnvironment session;
    QString source;
    if (!findSession(&session, &source)) {
        NotifyLog::failure(QStringLiteral("%1: zib-notes is not running and there is no graphical session to start "
                                          "it in; the reminder is announced as missed at its next start")
                               .arg(file));
        return noSessionStatus;
    }
    const QProcessEnvironment env = NoteLauncher::startEnvironment(session, own);
    qint64 pid = 0;
    int status = 0;
    switch (NoteLauncher::start(program, file, env, SessionEnvironment::filePath(), startTimeoutMs, &pid, &status)) {
    case NoteLauncher::Start::Up:
        NotifyLog::info(QStringLiteral("%1: started zib-notes (pid %2) on display %3 of the %4")
                            .arg(file)
                            .arg(pid)
                            .arg(displayOf(env), source));
        return 0;
    case NoteLauncher::Start::HandedOver:
        NotifyLog::info(QStringLiteral("%1: handed to a zib-notes that started meanwhile").arg(file));
        return 0;
    case NoteLauncher::Start::Ended:
        NotifyLog::failure(QStringLiteral("%1: zib-notes started on display %2 of the %3 but ended at once (status %4)")
                               .arg(file, displayOf(env), source)
                               .arg(status));
        return startFailedStatus;
    case NoteLauncher::Start::NotStarted:
        break;
    }
    NotifyLog::failure(QStringLiteral("%1: %2 could not be started").arg(file, program));
    return startFailedStatus;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zib-notes-notify"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "Shows the reminder of a note through zib-notes."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("note"),
                                 QCoreApplication::translate("main", "File name of the note, such as 1a.note."));
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    if (args.size() != 1) {
        std::fprintf(stderr, "%s\n", qPrintable(QCoreApplication::translate("main", "Expected one note file name.")));
        return 1;
    }
    const QString file = args.first();
    if (!NoteLauncher::isValidNoteFile(file)) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(QCoreApplication::translate("main", "Not a note file name: %1").arg(file)));
        return 1;
    }
    const QString program = NoteLauncher::findProgram(QCoreApplication::applicationDirPath());
    if (program.isEmpty()) {
        NotifyLog::failure(QStringLiteral("%1: zib-notes was not found").arg(file));
        return 1;
    }
    return deliver(program, file);
}
