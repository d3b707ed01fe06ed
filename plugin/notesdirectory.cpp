#include "notesdirectory.h"

#include "notesconfkeys.h"

#include <QStandardPaths>

QString notesDirectory()
{
    // The launcher can show the same notes; it works on the notes program's directory.
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
        .replace(QStringLiteral("zib-launcher"), QStringLiteral("zib-notes"));
}

bool isPlainNoteFileName(const QString &file)
{
    // No separators, no leading dot or dash, nothing a shell would interpret:
    // the name ends up in a path and in a crontab command line. Checked by
    // hand, not with a regular expression: a collection of 100,000 notes
    // checks every name as it reads "notes.conf".
    if (file.isEmpty())
        return false;
    for (int i = 0; i < file.size(); ++i) {
        const ushort c = file.at(i).unicode();
        const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alnum && c != '_' && (i == 0 || (c != '.' && c != '-')))
            return false;
    }
    return true;
}

bool isNoteFileName(const QString &file)
{
    const QString &suffix = NotesConfKeys::NoteSuffix;
    return file.size() > suffix.size() && file.endsWith(suffix) && isPlainNoteFileName(file);
}
