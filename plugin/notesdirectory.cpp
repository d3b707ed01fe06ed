#include "notesdirectory.h"

#include <QRegularExpression>
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
    // the name ends up in a path and in a crontab command line.
    static const QRegularExpression plain(QStringLiteral("\\A[A-Za-z0-9_][A-Za-z0-9._-]*\\z"));
    return plain.match(file).hasMatch();
}
