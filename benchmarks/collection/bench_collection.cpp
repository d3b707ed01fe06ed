// Figures of the note collection beside the floor that the work it stands on
// costs by itself: building the model beside reading "notes.conf" with
// QSettings, a save reaction beside one QSettings write of "notes.conf", a
// search beside the same grep run directly, and the memory of a large model.
#include "abstractnote.h"
#include "median.h"
#include "notesdirectory.h"
#include "notesmodel.h"
#include "notesproxymodel.h"
#include "notewatcher.h"
#include "textnote.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <utime.h>

namespace {

QTextStream out(stdout);

QString confPath()
{
    return notesDirectory() + QStringLiteral("/notes.conf");
}

struct Comparison
{
    double figure;
    double floor;
    // The middle of the ratios of each pair, not the ratio of the middles:
    // the two of a pair run back to back, so a slower spell of the machine
    // moves both, and each median alone could come from a different spell.
    double ratio;
};

Comparison paired(const QVector<double> &subjectTimes, const QVector<double> &floorTimes)
{
    QVector<double> ratios;
    for (int i = 0; i < subjectTimes.size(); ++i)
        ratios << subjectTimes.at(i) / floorTimes.at(i);
    return { median(subjectTimes), median(floorTimes), median(ratios) };
}

double milliseconds(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return clock.nsecsElapsed() / 1e6;
}

// Runs both alternately so that neither profits from a warmer machine, and
// each goes first every other time: the first of a pair is the one that
// finds the note files dropped from the page cache in between, and always
// the same one going first made it pay every such wait.
// beforeEachPair, when given, runs unmeasured ahead of every pair.
Comparison compare(int runs, const std::function<void()> &subject, const std::function<void()> &floor,
                   const std::function<void()> &beforeEachPair = {})
{
    QVector<double> subjectTimes, floorTimes;
    for (int i = 0; i < runs; ++i) {
        if (beforeEachPair)
            beforeEachPair();
        if (i % 2 == 0) {
            subjectTimes << milliseconds(subject);
            floorTimes << milliseconds(floor);
        } else {
            floorTimes << milliseconds(floor);
            subjectTimes << milliseconds(subject);
        }
    }
    return paired(subjectTimes, floorTimes);
}

bool report(const QString &what, int notes, const Comparison &times, double target)
{
    const bool met = times.ratio <= target;
    out << QStringLiteral("%1, %2 notes: %3 ms; floor %4 ms; ratio %5 (target <= %6) %7")
               .arg(what)
               .arg(notes)
               .arg(times.figure, 0, 'f', 2)
               .arg(times.floor, 0, 'f', 2)
               .arg(times.ratio, 0, 'f', 2)
               .arg(target, 0, 'f', 1)
               .arg(met ? QStringLiteral("met") : QStringLiteral("MISSED"))
        << Qt::endl;
    return met;
}

// A collection of count text notes; ten of them carry "needle" in the title.
void populate(int count)
{
    const QString dir = notesDirectory();
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);

    QByteArray pattern;
    {
        TextNote note;
        note.setFile(QStringLiteral("pattern.note"));
        note.setTitle(QStringLiteral("TITLE"));
        note.setText(QStringLiteral("Some words of the note, then a second line\nwith more words."));
        note.save();
        QFile file(dir + QStringLiteral("/pattern.note"));
        file.open(QIODevice::ReadOnly);
        pattern = file.readAll();
        file.close();
        file.remove();
    }

    const QDateTime start = QDateTime::currentDateTime().addDays(-400);
    QSettings conf(confPath(), QSettings::IniFormat);
    for (int i = 1; i <= count; ++i) {
        const QString name = QString::number(i, 16) + QStringLiteral(".note");
        const QByteArray title = (i % (count / 10) == 0 ? "needle " : "title ") + QByteArray::number(i);
        QFile file(dir + QLatin1Char('/') + name);
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray(pattern).replace("TITLE", title));
        conf.setValue(QStringLiteral("Notes/%1/modification-date").arg(name), start.addSecs(i * 60));
        conf.setValue(QStringLiteral("Notes/%1/note-type").arg(name), 0);
    }
    conf.setValue(QStringLiteral("next-filename"), QString::number(count + 1, 16));
    conf.setValue(QStringLiteral("last-modified-file"), QStringLiteral("1.note"));
    conf.setValue(QStringLiteral("last-modification-date"), start);
}

// What building the model reads, with nothing else.
void readConf()
{
    QSettings conf(confPath(), QSettings::IniFormat);
    conf.beginGroup(QStringLiteral("Notes"));
    const QStringList groups = conf.childGroups();
    for (const QString &group : groups) {
        conf.beginGroup(group);
        conf.value(QStringLiteral("modification-date")).toDateTime();
        conf.value(QStringLiteral("note-type")).toInt();
        conf.endGroup();
    }
    conf.endGroup();
    conf.value(QStringLiteral("last-modified-file")).toString();
    conf.value(QStringLiteral("last-modification-date")).toDateTime();
    conf.value(QStringLiteral("next-filename")).toString();
}

bool benchmark(int count)
{
    populate(count);
    const int runs = count > 50000 ? 11 : count > 5000 ? 15 : 40;
    bool met = true;

    const auto build = compare(
        runs, [] { NotesModel model; }, readConf);
    met &= report(QStringLiteral("model build"), count, build, 1.1);

    NotesModel model;
    auto *note = model.getNoteData(QStringLiteral("1.note")).value<AbstractNote *>();
    note->load();
    const auto save = compare(
        runs, [note] { note->save(); },
        [] {
            QSettings conf(confPath(), QSettings::IniFormat);
            conf.setValue(QStringLiteral("last-modification-date"), QDateTime::currentDateTime());
        });
    met &= report(QStringLiteral("save reaction"), count, save, 1.1);
    {
        // The part of the figure that is the note writing its own file.
        TextNote alone;
        alone.setFile(QStringLiteral("alone.note"));
        QVector<double> times;
        for (int i = 0; i < runs; ++i)
            times << milliseconds([&alone] { alone.save(); });
        out << QStringLiteral("  of which the note file alone: %1 ms").arg(median(times), 0, 'f', 2) << Qt::endl;
        // The model's reaction by itself, beside the same floor.
        const auto reaction = compare(
            runs, [note] { emit note->saved(note->file(), QDateTime::currentDateTime()); },
            [] {
                QSettings conf(confPath(), QSettings::IniFormat);
                conf.setValue(QStringLiteral("last-modification-date"), QDateTime::currentDateTime());
            });
        out << QStringLiteral("  the model's reaction alone: %1 ms; floor %2 ms")
                   .arg(reaction.figure, 0, 'f', 2)
                   .arg(reaction.floor, 0, 'f', 2)
            << Qt::endl;
        QFile::remove(notesDirectory() + QStringLiteral("/alone.note"));
    }

    {
        // Following another process: one note's date moved in "notes.conf",
        // timed from the end of its write to the end of the model's
        // reaction, the way the watcher reports it.
        NoteWatcher *watcher = NoteWatcher::instance();
        watcher->start();
        const auto followed = [watcher](const std::function<void()> &change) {
            while (!watcher->watching())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            change();
            QElapsedTimer clock;
            clock.start();
            QEventLoop loop;
            // Connected after the model, so it runs once the model followed.
            QObject::connect(watcher, &NoteWatcher::collectionChanged, &loop, &QEventLoop::quit);
            QTimer::singleShot(30000, &loop, [] {
                out << "the watcher reported no change within 30 s" << Qt::endl;
                std::exit(2);
            });
            loop.exec();
            return clock.nsecsElapsed() / 1e6;
        };
        QVector<double> follow, floorTimes;
        for (int i = 0; i < runs; ++i) {
            follow << followed([i] {
                QSettings conf(confPath(), QSettings::IniFormat);
                conf.setValue(QStringLiteral("Notes/2.note/modification-date"),
                              QDateTime::currentDateTime().addSecs(i));
            });
            floorTimes << milliseconds(readConf);
        }
        met &= report(QStringLiteral("following a change elsewhere"), count, paired(follow, floorTimes), 1.1);
        const double idle = followed([] { ::utime(QFile::encodeName(confPath()).constData(), nullptr); });
        out << QStringLiteral("  with notes.conf touched, its content unchanged: %1 ms").arg(idle, 0, 'f', 3)
            << Qt::endl;
    }

    NotesProxyModel proxy;
    proxy.setSourceModel(&model);
    const QString command = NotesProxyModel::searchCommand(notesDirectory(), QStringLiteral("needle"));
    int hits = 0;
    const auto grepAlone = [&command] {
        QProcess grep;
        grep.start(QStringLiteral("bash"), { QStringLiteral("-c"), command }, QIODevice::ReadWrite);
        grep.closeWriteChannel();
        grep.waitForFinished(30000);
        grep.readAllStandardOutput();
    };
    // Both read every note file. This machine drops them from its page cache
    // within a minute, and a pair that met a cold cache moved the median of
    // either side by a sixth at 100,000 notes: every pair starts warm.
    const auto search = compare(
        runs,
        [&] {
            proxy.setFilter(QStringLiteral("needle"));
            hits = proxy.rowCount();
        },
        grepAlone, grepAlone);
    if (hits != 10)
        out << "search found " << hits << " notes instead of 10" << Qt::endl;
    met &= report(QStringLiteral("setFilter hitting 10"), count, search, 1.1) && hits == 10;
    return met;
}

long statusKiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// In a fresh process of its own, so that earlier work does not hide the peak.
int measureMemory(const QString &subject)
{
    const long peakBefore = statusKiB("VmHWM:");
    const long rssBefore = statusKiB("VmRSS:");
    if (subject == QLatin1String("settings")) {
        readConf();
    } else {
        auto *model = new NotesModel;
        if (subject != QLatin1String("model")) {
            auto *proxy = new NotesProxyModel;
            proxy->setSourceModel(model);
        }
        if (subject == QLatin1String("loaded")) {
            for (int row = 0; row < model->rowCount(); ++row)
                model->index(row).data(NotesModel::NoteRole).value<AbstractNote *>()->load();
        }
    }
    out << statusKiB("VmHWM:") - peakBefore << ' ' << statusKiB("VmRSS:") - rssBefore << Qt::endl;
    return 0;
}

bool memory(int count)
{
    populate(count);
    auto run = [](const QString &subject) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), { QStringLiteral("--memory"), subject });
        child.waitForFinished(120000);
        const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
        return qMakePair(figures.value(0).toLong() / 1024.0, figures.value(1).toLong() / 1024.0);
    };
    const auto model = run(QStringLiteral("model"));
    const auto settings = run(QStringLiteral("settings"));
    const auto proxy = run(QStringLiteral("proxy"));
    const auto loaded = run(QStringLiteral("loaded"));
    // About 1.5 KiB a note: 15 MiB for 10,000 notes.
    const double limit = 15.0 * count / 10000;
    const bool met = model.first < limit;
    out << QStringLiteral("model memory, %1 unloaded notes: peak +%2 MiB, resident +%3 MiB; "
                          "QSettings read alone: peak +%4 MiB; target < %5 MiB %6")
               .arg(count)
               .arg(model.first, 0, 'f', 2)
               .arg(model.second, 0, 'f', 2)
               .arg(settings.first, 0, 'f', 2)
               .arg(limit, 0, 'f', 0)
               .arg(met ? QStringLiteral("met") : QStringLiteral("MISSED"))
        << Qt::endl;
    out << QStringLiteral("  with the sorting proxy: peak +%1 MiB; with every note made and loaded: peak +%2 MiB "
                          "(%3 KiB a loaded note)")
               .arg(proxy.first, 0, 'f', 2)
               .arg(loaded.first, 0, 'f', 2)
               .arg((loaded.second - proxy.second) * 1024.0 / count, 0, 'f', 2)
        << Qt::endl;
    return met;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QString());
    QCoreApplication::setApplicationName(QStringLiteral("zib-notes"));
    if (app.arguments().value(1) == QLatin1String("--memory"))
        return measureMemory(app.arguments().value(2));

    // Never the user's notes or crontab.
    QTemporaryDir sandbox;
    qputenv("XDG_DATA_HOME", QFile::encodeName(sandbox.path()));
    qputenv("FAKE_CRONTAB_FILE", QFile::encodeName(sandbox.path() + QStringLiteral("/crontab")));
    qputenv("PATH", QByteArray(ZIB_FAKES_DIR) + ':' + qgetenv("PATH"));

    bool met = true;
    for (int count : { 1000, 10000, 100000 })
        met &= benchmark(count);
    met &= memory(10000);
    met &= memory(100000);
    out << (met ? "all targets met" : "some targets missed") << Qt::endl;
    return 0;
}
