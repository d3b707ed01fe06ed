// Edits reminders through the note classes and checks the crontab, for the
// tests with several processes at once, with the fake and the real crontab:
//   cronstress setup <count>                      add count notes without reminders
//   cronstress edit <first> <last> <rounds> <seed>  give random notes of first..last random reminders
//   cronstress check <user table file>            prints "user-lines=same|changed missing=N stray=N ours=N"
//   cronstress reconcile                          prints "ok" or "failed"
//   cronstress timed-edit <file>                  one reminder edit; prints "ms=N"
// Note numbers are decimal; the notes are named by the collection.
#include "abstractnote.h"
#include "cronreconciler.h"
#include "crontab.h"
#include "notesmodel.h"
#include "notewatcher.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QSettings>

#include <cstdio>

namespace {

QList<QByteArray> tableLines(QByteArray table)
{
    if (table.isEmpty())
        return {};
    if (table.endsWith('\n'))
        table.chop(1);
    return table.split('\n');
}

QList<QByteArray> userLines(const QByteArray &table)
{
    QList<QByteArray> lines;
    for (const QByteArray &line : tableLines(table)) {
        if (reminderLineFile(line).isEmpty())
            lines << line;
    }
    return lines;
}

QString noteName(int number)
{
    return QString::number(number, 16) + QStringLiteral(".note");
}

int check(const QString &userTableFile)
{
    QProcess crontab;
    crontab.start(QStringLiteral("crontab"), { QStringLiteral("-l") });
    if (!crontab.waitForFinished(10000))
        return 1;
    const QByteArray table = crontab.readAllStandardOutput();
    QFile expected(userTableFile);
    if (!expected.open(QIODevice::ReadOnly))
        return 1;
    const bool same = userLines(table) == tableLines(expected.readAll());

    QSettings conf(NoteWatcher::confPath(), QSettings::IniFormat);
    conf.beginGroup(QStringLiteral("Notes"));
    const QStringList files = conf.childGroups();
    const QDateTime now = QDateTime::currentDateTime();
    QHash<QString, QByteArray> wanted;
    for (const QString &file : files) {
        const CronReconciler::Reminder reminder = CronReconciler::readReminder(file);
        if (reminder.type != 0 && !(reminder.type == AbstractNote::RepeatOnce && reminder.date < now))
            wanted.insert(file, cronLine(reminder.type, reminder.date, file).toLatin1());
    }
    int stray = 0, ours = 0;
    QSet<QString> found;
    for (const QByteArray &line : tableLines(table)) {
        const QString file = reminderLineFile(line);
        if (file.isEmpty())
            continue;
        ++ours;
        if (wanted.value(file) == line && !found.contains(file))
            found.insert(file);
        else
            ++stray;
    }
    std::printf("user-lines=%s missing=%d stray=%d ours=%d\n", same ? "same" : "changed",
                int(wanted.size() - found.size()), stray, ours);
    return 0;
}

void remindAtRandom(AbstractNote *note, QRandomGenerator &random)
{
    const int type = random.bounded(6);
    const QDateTime date(QDate::currentDate().addDays(1 + random.bounded(300)),
                         QTime(random.bounded(24), random.bounded(60)));
    note->setNotifyType(AbstractNote::NotifyType(type));
    note->setNotifyDate(date);
    note->save();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("zib"));
    QCoreApplication::setApplicationName(QStringLiteral("zib-notes"));
    const QStringList args = app.arguments().mid(1);
    const QString command = args.value(0);

    if (command == QLatin1String("check"))
        return check(args.value(1));
    if (command == QLatin1String("reconcile")) {
        QElapsedTimer timer;
        timer.start();
        const bool ok = CronReconciler(nullptr).reconcile();
        std::fprintf(stderr, "reconciled in %lld ms\n", timer.elapsed());
        std::printf("%s\n", ok ? "ok" : "failed");
        return 0;
    }

    NotesModel model;
    if (command == QLatin1String("setup")) {
        for (int i = 0; i < args.value(1).toInt(); ++i)
            model.addItem(AbstractNote::createNote(AbstractNote::TextType));
        return 0;
    }
    if (command == QLatin1String("edit")) {
        const int first = args.value(1).toInt();
        const int last = args.value(2).toInt();
        QRandomGenerator random(args.value(4).toUInt());
        for (int round = 0; round < args.value(3).toInt(); ++round) {
            auto *note = model.getNoteData(noteName(first + random.bounded(last - first + 1))).value<AbstractNote *>();
            if (!note)
                return 1;
            note->load();
            remindAtRandom(note, random);
        }
        return 0;
    }
    if (command == QLatin1String("timed-edit")) {
        auto *note = model.getNoteData(args.value(1)).value<AbstractNote *>();
        if (!note)
            return 1;
        note->load();
        QRandomGenerator random(1);
        QElapsedTimer timer;
        timer.start();
        note->setNotifyType(AbstractNote::RepeatEveryDay);
        note->setNotifyDate(QDateTime::currentDateTime().addSecs(3600 + random.bounded(3600)));
        note->save();
        std::printf("ms=%lld\n", timer.elapsed());
        return 0;
    }
    return 2;
}
