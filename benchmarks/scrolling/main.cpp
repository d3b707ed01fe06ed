#include "notesfixture.h"
#include "xvfbrerun.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>

#include <algorithm>
#include <cstdio>

// zib-notes scrolls its list through every card, half a view per frame (a
// very fast fling), with 1,000, 10,000 and 100,000 notes; each frame is
// timed from moving the view to the frame on the screen. Right after each,
// a bare Qt Quick list of as many plain cards is scrolled the same way: how
// fast this machine scrolls such a list at that moment, which moves by more
// than a third from one minute to the next. Each pair runs three times,
// the two programs taking turns, and the middle of the three by late frames
// (then by worst frame) is the figure, as single late frames come and go
// with the machine's load for the bare list too; every run is printed.
// Frames need an X server: without DISPLAY this runs itself again under
// xvfb-run.

namespace {
struct Scroll
{
    QString frames, worst, median;
    int late = -1;
};

// Runs a program that prints a "scroll frames=..." line; late < 0 if none came.
Scroll scroll(const QString &program, const QStringList &args, const QProcessEnvironment &env)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, args);
    if (!process.waitForFinished(600000)) {
        process.kill();
        process.waitForFinished();
    }
    const QRegularExpressionMatch m
        = QRegularExpression(QStringLiteral("frames=(\\d+) worst-ms=([0-9.]+) median-ms=([0-9.]+) over-16ms=(\\d+)"))
              .match(QString::fromUtf8(process.readAllStandardOutput()));
    Scroll result;
    if (m.hasMatch())
        result = { m.captured(1), m.captured(2), m.captured(3), m.captured(4).toInt() };
    return result;
}

// The middle run by late frames, then by worst frame.
Scroll middle(QVector<Scroll> runs)
{
    std::sort(runs.begin(), runs.end(), [](const Scroll &a, const Scroll &b) {
        return a.late != b.late ? a.late < b.late : a.worst.toDouble() < b.worst.toDouble();
    });
    return runs.at(runs.size() / 2);
}

QString each(const QVector<Scroll> &runs)
{
    QStringList parts;
    for (const Scroll &run : runs)
        parts << QStringLiteral("%1 (worst %2 ms)").arg(run.late).arg(run.worst);
    return parts.join(QStringLiteral(", "));
}

const int Runs = 3;
} // namespace

int main(int argc, char *argv[])
{
    if (needsXvfb())
        return rerunUnderXvfb(argc, argv);
    QCoreApplication app(argc, argv);
    QTemporaryDir root;
    int missed = 0;
    for (int count : { 1000, 10000, 100000 }) {
        const QString dataHome = root.filePath(QStringLiteral("data-%1").arg(count));
        if (!NotesFixture::write(dataHome, count)) {
            std::fprintf(stderr, "cannot write the notes\n");
            return 2;
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), root.filePath(QStringLiteral("cache")));
        env.insert(QStringLiteral("ZIB_NOTES_SCROLL_FRAMES"), QStringLiteral("1"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.insert(QStringLiteral("QT_QUICK_BACKEND"), QStringLiteral("software"));
        QVector<Scroll> notesRuns, bareRuns;
        for (int run = 0; run < Runs; ++run) {
            notesRuns << scroll(QStringLiteral(ZIB_NOTES_PROGRAM), {}, env);
            bareRuns << scroll(QStringLiteral(ZIB_BARE_LIST), { QString::number(count) }, env);
            if (notesRuns.last().late < 0 || bareRuns.last().late < 0) {
                std::fprintf(stderr, "no scroll figures for %d notes\n", count);
                return 2;
            }
        }
        const Scroll notes = middle(notesRuns);
        const Scroll bare = middle(bareRuns);
        const bool met = notes.late == 0;
        missed += met ? 0 : 1;
        std::printf("scrolling, %d notes: %s frames, worst %s ms, median %s ms, %d frames over 16 ms "
                    "(target none) %s; bare list: worst %s ms, median %s ms, %d over 16 ms\n",
                    count, qPrintable(notes.frames), qPrintable(notes.worst), qPrintable(notes.median), notes.late,
                    met ? "met" : "MISSED", qPrintable(bare.worst), qPrintable(bare.median), bare.late);
        std::printf("scrolling runs, %d notes: frames over 16 ms in each: zib-notes %s; bare list %s\n", count,
                    qPrintable(each(notesRuns)), qPrintable(each(bareRuns)));
        std::fflush(stdout);
    }
    std::printf(missed ? "%d of 3 targets missed\n" : "all targets met\n", missed);
    return 0;
}
