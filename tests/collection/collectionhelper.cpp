// A second process on the same notes directory, for the tests that follow
// changes made by another process. Commands:
//   write <file> <date>     record a change in "notes.conf" through QSettings
//   replace <file> <date>   the same, written to a new file renamed over "notes.conf"
//   recreate <file> <date>  delete "notes.conf", then write it anew
//   add <count>             add count text notes through a notes model; prints their names
//   save <file> <title>     load, retitle and save a note through a notes model
//   trylock <msec>          prints "locked" or "busy": whether the notes.conf lock was free
// Dates are ISO 8601 with milliseconds.
#include "abstractnote.h"
#include "notesconflock.h"
#include "notesdirectory.h"
#include "notesmodel.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QSettings>
#include <QTextStream>

#include <cstdio>

namespace {

QString confPath()
{
    return notesDirectory() + QStringLiteral("/notes.conf");
}

void record(const QString &path, const QString &file, const QDateTime &date)
{
    QSettings conf(path, QSettings::IniFormat);
    conf.setValue(QStringLiteral("last-modified-file"), file);
    conf.setValue(QStringLiteral("last-modification-date"), date);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zib-notes"));
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return 2;
    const QString command = args.at(0);
    QTextStream out(stdout);

    if (command == QLatin1String("write") || command == QLatin1String("replace")
        || command == QLatin1String("recreate")) {
        if (args.size() < 3)
            return 2;
        const QDateTime date = QDateTime::fromString(args.at(2), Qt::ISODateWithMs);
        if (command == QLatin1String("write")) {
            record(confPath(), args.at(1), date);
        } else if (command == QLatin1String("replace")) {
            const QString copy = confPath() + QStringLiteral(".new");
            QFile::remove(copy);
            QFile::copy(confPath(), copy);
            record(copy, args.at(1), date);
            if (std::rename(QFile::encodeName(copy).constData(), QFile::encodeName(confPath()).constData()) != 0)
                return 1;
        } else {
            QFile::remove(confPath());
            record(confPath(), args.at(1), date);
        }
        return 0;
    }

    if (command == QLatin1String("add")) {
        NotesModel model;
        const int count = args.at(1).toInt();
        for (int i = 0; i < count; ++i) {
            AbstractNote *note = AbstractNote::createNote(AbstractNote::TextType);
            note->setTitle(QStringLiteral("helper %1").arg(i));
            model.addItem(note);
            out << note->file() << '\n';
        }
        return 0;
    }

    if (command == QLatin1String("trylock")) {
        const NotesConfLock lock(args.at(1).toInt());
        out << (lock.isLocked() ? "locked" : "busy") << '\n';
        return 0;
    }

    if (command == QLatin1String("save")) {
        if (args.size() < 3)
            return 2;
        NotesModel model;
        auto *note = model.getNoteData(args.at(1)).value<AbstractNote *>();
        if (!note)
            return 1;
        note->load();
        note->setTitle(args.at(2));
        note->save();
        out << note->modifyDate().toString(Qt::ISODateWithMs) << '\n';
        return 0;
    }
    return 2;
}
