// Edits one note's reminder through the note classes, for the test against
// the system's own crontab program:
//   crontabagent add             add a text note reminding every day at 07:30; prints its file name
//   crontabagent change <file>   move its reminder to 08:45 and save
//   crontabagent off <file>      switch its reminder off and save
//   crontabagent on <file>       remind every week at 09:15 and save
//   crontabagent remove <file>   remove the note from the collection
#include "abstractnote.h"
#include "notesmodel.h"
#include "textnote.h"

#include <QCoreApplication>
#include <QDateTime>

#include <cstdio>

namespace {

QDateTime tomorrowAt(int hour, int minute)
{
    return QDateTime(QDate::currentDate().addDays(1), QTime(hour, minute));
}

AbstractNote *noteOf(NotesModel &model, const QString &file)
{
    auto *note = model.getNoteData(file).value<AbstractNote *>();
    if (note)
        note->load();
    return note;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("zib"));
    QCoreApplication::setApplicationName(QStringLiteral("zib-notes"));
    const QStringList args = app.arguments();
    const QString command = args.value(1);
    const QString file = args.value(2);

    NotesModel model;
    if (command == QLatin1String("add")) {
        auto *note = new TextNote;
        note->setTitle(QStringLiteral("Call the plumber"));
        note->setNotifyType(AbstractNote::RepeatEveryDay);
        note->setNotifyDate(tomorrowAt(7, 30));
        model.addItem(note);
        std::printf("%s\n", qPrintable(note->file()));
        return 0;
    }
    if (command == QLatin1String("remove")) {
        model.removeItems({ file });
        return 0;
    }
    AbstractNote *note = noteOf(model, file);
    if (!note)
        return 2;
    if (command == QLatin1String("change")) {
        note->setNotifyDate(tomorrowAt(8, 45));
    } else if (command == QLatin1String("off")) {
        note->setNotifyType(AbstractNote::RepeatNever);
    } else if (command == QLatin1String("on")) {
        note->setNotifyType(AbstractNote::RepeatEveryWeek);
        note->setNotifyDate(tomorrowAt(9, 15));
    } else {
        return 2;
    }
    note->save();
    return 0;
}
