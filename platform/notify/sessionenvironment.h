#ifndef SESSIONENVIRONMENT_H
#define SESSIONENVIRONMENT_H

#include <QProcessEnvironment>
#include <QString>

// The environment of the user's graphical session, kept where a program
// started by cron (with only HOME, LOGNAME, SHELL and a short PATH) can find
// it: "$HOME/.local/state/zib-notes/session-environment.json", a private file
// in a private directory. zib-notes records it when it becomes the first
// instance on a real display; zib-notes-notify reads it to start zib-notes in
// that session instead of in cron's bare world.
class SessionEnvironment
{
public:
    // The directory and file under home (the user's home when empty).
    static QString directory(const QString &home = QString());
    static QString filePath(const QString &home = QString());

    // Creates path as a private directory (0700); refuses a link or a
    // directory of someone else.
    static bool preparePrivateDirectory(const QString &path);

    // Whether a variable belongs to the session and is worth passing on:
    // display, authority, runtime and bus, desktop, XDG dirs, PATH, locale, Qt.
    static bool isSessionVariable(const QString &name);
    static QProcessEnvironment sessionPart(const QProcessEnvironment &env);

    // Writes the session part of env with the recording process's pid,
    // atomically, mode 0600 in a directory of mode 0700.
    static bool save(const QString &path, const QProcessEnvironment &env, qint64 pid);
    // Reads a file written by save; refuses a file that is not the user's own
    // or that others may write.
    static bool load(const QString &path, QProcessEnvironment *env, qint64 *pid = nullptr);

    // Called by the first instance: records this process's session unless the
    // platform has no real display (offscreen, minimal).
    static bool recordIfGraphical(const QString &platformName);

    // True while the session of env still exists: its runtime directory and X
    // authority file are there, and its Wayland socket or its local X socket
    // (/tmp/.X11-unix/X<n>) is. A display on another host cannot be checked
    // from here and counts as there.
    static bool isAlive(const QProcessEnvironment &env);

    // What the user's systemd manager holds as session environment
    // (`systemctl --user show-environment`), empty when there is none.
    static QProcessEnvironment fromSessionManager();
    // Parses that command's output; values it had to quote are left out.
    static QProcessEnvironment parseShowEnvironment(const QByteArray &output);
};

#endif // SESSIONENVIRONMENT_H
