// Adds, saves and deletes text notes through a notes model without end,
// until it is killed. Before each step it prints what it is about to do,
// after it what is done, one line each, unbuffered:
//   adding <title>          added <file> <title>
//   saving <file> <title>   saved <file> <title>
//   deleting <file>         deleted <file>
// Titles are unique: "t", the process id, "-" and a running number. Every
// third added note has a daily reminder.
#include "notesmodel.h"
#include "textnote.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QRandomGenerator>

#include <cstdio>
#include <unistd.h>

namespace {

void say(const QString &line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    if (::write(STDOUT_FILENO, bytes.constData(), size_t(bytes.size())) < 0)
        ::_exit(1);
}

QString fileAt(const NotesModel &model, int row)
{
    return model.index(row).data(NotesModel::FileNameRole).toString();
}

} // namespace

int main(int argc, char **argv)
{
    // A group of its own, so that the test can kill it together with a child
    // it was forking at that moment (which would otherwise wait for it
    // forever and hold the test's output open).
    ::setpgid(0, 0);
    QCoreApplication::setOrganizationName(QString());
    QCoreApplication::setApplicationName(QStringLiteral("zib-notes"));
    QCoreApplication app(argc, argv);
    QRandomGenerator random(quint32(::getpid()));
    NotesModel model;
    const QString prefix = QStringLiteral("t") + QString::number(::getpid()) + QLatin1Char('-');
    for (int step = 0;; ++step) {
        const QString title = prefix + QString::number(step);
        const int rows = model.rowCount();
        const int choice = rows < 3 ? 0 : rows > 8 ? 2 : int(random.bounded(3));
        if (choice == 0) {
            say(QStringLiteral("adding ") + title);
            auto *note = static_cast<TextNote *>(AbstractNote::createNote(AbstractNote::TextType));
            note->setTitle(title);
            note->setText(QString(int(random.bounded(4000)), QLatin1Char('x')));
            // Every third note with a reminder: a line in the (fake) crontab.
            if (step % 3 == 0) {
                note->setNotifyType(AbstractNote::RepeatEveryDay);
                note->setNotifyDate(QDateTime::currentDateTime().addDays(1));
            }
            if (!model.addItem(note))
                return 2;
            say(QStringLiteral("added ") + note->file() + QLatin1Char(' ') + title);
            continue;
        }
        const QString file = fileAt(model, int(random.bounded(rows)));
        if (choice == 1) {
            auto *note = model.getNoteData(file).value<AbstractNote *>();
            note->load();
            note->setTitle(title);
            say(QStringLiteral("saving ") + file + QLatin1Char(' ') + title);
            if (!note->save())
                return 2;
            say(QStringLiteral("saved ") + file + QLatin1Char(' ') + title);
        } else {
            say(QStringLiteral("deleting ") + file);
            if (!model.removeItems({ file }))
                return 2;
            say(QStringLiteral("deleted ") + file);
        }
    }
}
