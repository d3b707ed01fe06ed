#include "notelauncher.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

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

bool NoteLauncher::launch(const QString &program, const QString &file)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments({ QStringLiteral("-t"), file });
    // Whatever cron left as working directory or output must not be held
    // open by a program that may run for days.
    process.setWorkingDirectory(QDir::rootPath());
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}
