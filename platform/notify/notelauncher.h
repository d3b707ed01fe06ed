#ifndef NOTELAUNCHER_H
#define NOTELAUNCHER_H

#include <QProcessEnvironment>
#include <QString>

// Hands a due reminder to the notes program, `zib-notes -t <file>`: to the
// running instance when there is one, else to a new instance started in the
// user's graphical session.
class NoteLauncher
{
public:
    // zib-notes' hidden option that only hands the request to a running
    // instance, and its exit status when none runs (255 when one took it).
    static constexpr const char *handOverOption = "hand-over";
    static constexpr int noInstanceStatus = 3;
    static constexpr int handedOverStatus = 255;

    // A note's bare file name such as "1a.note": no path, no option, no
    // white space or control characters.
    static bool isValidNoteFile(const QString &file);

    // zib-notes beside this program first, then on PATH; empty if missing.
    static QString findProgram(const QString &ownDir);

    // Runs `program --hand-over -t file` without a display. Returns its exit
    // status: handedOverStatus, noInstanceStatus, or anything else on failure
    // (-1 when it could not run or hung).
    static int handOver(const QString &program, const QString &file, const QProcessEnvironment &env);

    // What a program started from env's process gets in the session: the
    // session's variables, with HOME, USER, LOGNAME and SHELL kept from env.
    static QProcessEnvironment startEnvironment(const QProcessEnvironment &session, const QProcessEnvironment &env);

    enum class Start { Up, HandedOver, Ended, NotStarted };
    // Starts `program -t file` with env in a session of its own that outlives
    // this process, and waits until it is up: it recorded sessionFile with
    // its pid, or still runs after timeoutMs (a program told to stay
    // offscreen records nothing), and in both cases a moment later.
    // HandedOver when it found an instance after all; Ended with *status
    // when it ended otherwise.
    static Start start(const QString &program, const QString &file, const QProcessEnvironment &env,
                       const QString &sessionFile, int timeoutMs, qint64 *pid, int *status);
};

#endif // NOTELAUNCHER_H
