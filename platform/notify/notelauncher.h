#ifndef NOTELAUNCHER_H
#define NOTELAUNCHER_H

#include <QString>

// Hands a due reminder to the notes program: runs `zib-notes -t <file>`.
class NoteLauncher
{
public:
    // A note's bare file name such as "1a.note": no path, no option, no
    // white space or control characters.
    static bool isValidNoteFile(const QString &file);

    // zib-notes beside this program first, then on PATH; empty if missing.
    static QString findProgram(const QString &ownDir);

    // Starts program detached, so a first instance outlives the notifier; a
    // running instance takes the note over and the new process ends at once.
    static bool launch(const QString &program, const QString &file);
};

#endif // NOTELAUNCHER_H
