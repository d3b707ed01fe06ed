#include "notelauncher.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

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
        std::fprintf(stderr, "%s\n", qPrintable(QCoreApplication::translate("main", "zib-notes was not found.")));
        return 1;
    }
    if (!NoteLauncher::launch(program, file)) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(QCoreApplication::translate("main", "zib-notes could not be started.")));
        return 1;
    }
    return 0;
}
