// A second program over the notes collection, driven line by line on
// standard input, so that end-to-end tests can run several real processes on
// one notes directory:
//   add <title>            add a text note; prints "added <file>"
//   addmany <n> <prefix>   add n text notes; prints "added <file>" each, then "done"
//   show <file>            load a note as a view would; prints "title <file> <title>"
//   save <file> <title>    retitle a note and save it; prints "saved <file>"
//   remind <file> <type> <hh:mm>  give a note a reminder and save it; prints "saved <file>"
//   remove <file>          remove a note; prints "removed <file>"
//   list                   prints "list <file>=<title> ..." for every row, sorted by file
//   churn <n> <seed>       n random adds, ticks, retitles and removals of its own adds,
//                          at once with the others; prints "added"/"removed" lines, then "churned"
//   quit
// It prints "ready" once its model is built, "changed <file> <title>"
// whenever another process's change reloads one of its notes, and
// "ownsave <file>" when the model records one of its own saves.
#include "abstractnote.h"
#include "listnote.h"
#include "notesmodel.h"
#include "notewatcher.h"
#include "textnote.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QRandomGenerator>
#include <QSocketNotifier>
#include <QThread>

#include <cstdio>
#include <unistd.h>

namespace {

// Set while this process saves, to tell its own saves from others' changes.
bool savingOwnNote = false;

void say(const QString &line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

AbstractNote *noteOf(NotesModel &model, const QString &file)
{
    auto *note = model.getNoteData(file).value<AbstractNote *>();
    if (note && !note->loaded())
        note->load();
    return note;
}

// Refused while another program holds the collection for long: tried
// again, as the user would press OK again.
template<typename Edit> void retried(Edit edit)
{
    for (int attempt = 0; attempt < 50 && !edit(); ++attempt)
        QThread::msleep(20);
}

void addNote(NotesModel &model, const QString &title)
{
    auto *note = new TextNote;
    note->setTitle(title);
    note->setText(title + QStringLiteral(" text"));
    retried([&] { return model.addItem(note); });
    say(QStringLiteral("added ") + note->file());
}

// count random operations as fast as they go, following the others between
// them: add a text or a check-list note, tick an entry of any check-list,
// retitle any note, remove a note of its own.
void churn(NotesModel &model, int count, quint32 seed)
{
    QRandomGenerator random(seed);
    QStringList own;
    for (int i = 0; i < count; ++i) {
        QCoreApplication::processEvents();
        const int row = model.rowCount() > 0 ? random.bounded(model.rowCount()) : -1;
        AbstractNote *note
            = row < 0 ? nullptr : model.data(model.index(row), NotesModel::NoteRole).value<AbstractNote *>();
        if (note && !note->loaded())
            note->load();
        switch (random.bounded(own.size() < 3 ? 1 : 4)) {
        case 0: {
            AbstractNote *added
                = AbstractNote::createNote(random.bounded(2) ? AbstractNote::ListType : AbstractNote::TextType);
            added->setTitle(QStringLiteral("c%1").arg(i));
            if (auto *list = qobject_cast<ListNote *>(added)) {
                list->setTexts({ QStringLiteral("one"), QStringLiteral("two") });
                list->setChecked({ false, false });
            }
            retried([&] { return model.addItem(added); });
            own << added->file();
            say(QStringLiteral("added ") + added->file());
            break;
        }
        case 1:
            if (auto *list = qobject_cast<ListNote *>(note)) {
                QList<bool> checked = list->checked();
                if (!checked.isEmpty())
                    checked[0] = !checked[0];
                list->setChecked(checked);
                list->save();
            }
            break;
        case 2:
            if (note) {
                note->setTitle(QStringLiteral("r%1").arg(i));
                note->save();
            }
            break;
        default: {
            const QString file = own.takeAt(random.bounded(own.size()));
            retried([&] { return model.removeItems({ file }); });
            say(QStringLiteral("removed ") + file);
        }
        }
    }
    say(QStringLiteral("churned"));
}

void run(NotesModel &model, const QString &line)
{
    const QStringList words = line.split(QLatin1Char(' '));
    const QString command = words.value(0);
    if (command == QLatin1String("add")) {
        addNote(model, words.mid(1).join(QLatin1Char(' ')));
    } else if (command == QLatin1String("addmany")) {
        const int count = words.value(1).toInt();
        for (int i = 0; i < count; ++i)
            addNote(model, words.value(2) + QString::number(i));
        say(QStringLiteral("done"));
    } else if (command == QLatin1String("show")) {
        if (AbstractNote *note = noteOf(model, words.value(1)))
            say(QStringLiteral("title ") + note->file() + QLatin1Char(' ') + note->title());
    } else if (command == QLatin1String("save")) {
        if (AbstractNote *note = noteOf(model, words.value(1))) {
            note->setTitle(words.mid(2).join(QLatin1Char(' ')));
            savingOwnNote = true;
            note->save();
            savingOwnNote = false;
            say(QStringLiteral("saved ") + note->file());
        }
    } else if (command == QLatin1String("remind")) {
        if (AbstractNote *note = noteOf(model, words.value(1))) {
            const QTime time = QTime::fromString(words.value(3), QStringLiteral("hh:mm"));
            note->setNotifyType(static_cast<AbstractNote::NotifyType>(words.value(2).toInt()));
            note->setNotifyDate(QDateTime(QDate::currentDate().addDays(1), time));
            note->save();
            say(QStringLiteral("saved ") + note->file());
        }
    } else if (command == QLatin1String("remove")) {
        retried([&] { return model.removeItems({ words.value(1) }); });
        say(QStringLiteral("removed ") + words.value(1));
    } else if (command == QLatin1String("list")) {
        QStringList rows;
        for (int row = 0; row < model.rowCount(); ++row) {
            const QString file = model.data(model.index(row), NotesModel::FileNameRole).toString();
            AbstractNote *note = noteOf(model, file);
            rows << file + QLatin1Char('=') + (note ? note->title() : QString());
        }
        rows.sort();
        say(QStringLiteral("list ") + rows.join(QLatin1Char(' ')));
    } else if (command == QLatin1String("churn")) {
        churn(model, words.value(1).toInt(), words.value(2).toUInt());
    } else if (command == QLatin1String("quit")) {
        QCoreApplication::quit();
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The same data location as the program itself.
    QCoreApplication::setOrganizationName(QStringLiteral("zib"));
    QCoreApplication::setApplicationName(QStringLiteral("zib-notes"));

    NoteWatcher::instance()->start();
    NotesModel model;
    QObject::connect(&model, &QAbstractItemModel::dataChanged, [&model](const QModelIndex &topLeft) {
        auto *note = model.data(topLeft, NotesModel::NoteRole).value<AbstractNote *>();
        if (note && savingOwnNote)
            say(QStringLiteral("ownsave ") + note->file());
        else if (note)
            say(QStringLiteral("changed ") + note->file() + QLatin1Char(' ') + note->title());
    });

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray pending;
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[4096];
        const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (count <= 0) {
            input.setEnabled(false);
            QCoreApplication::quit();
            return;
        }
        pending.append(buffer, static_cast<int>(count));
        int end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QString line = QString::fromUtf8(pending.left(end)).trimmed();
            pending.remove(0, end + 1);
            run(model, line);
        }
    });
    say(QStringLiteral("ready"));
    return app.exec();
}
