#include "notesfixture.h"
#include "xvfbrerun.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdio>

// zib-notes scrolls its list through every card, half a view per frame (a
// very fast fling), with 1,000, 10,000 and 100,000 notes; each frame is
// timed from moving the view to the frame on the screen. Frames need an X
// server: without DISPLAY this runs itself again under xvfb-run.

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
        QProcess notes;
        notes.setProcessEnvironment(env);
        notes.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        notes.start(QStringLiteral(ZIB_NOTES_PROGRAM), QStringList());
        if (!notes.waitForFinished(600000)) {
            notes.kill();
            notes.waitForFinished();
            std::fprintf(stderr, "zib-notes did not finish scrolling %d notes\n", count);
            return 2;
        }
        const QString out = QString::fromUtf8(notes.readAllStandardOutput());
        const QRegularExpressionMatch m
            = QRegularExpression(
                  QStringLiteral("frames=(\\d+) worst-ms=([0-9.]+) median-ms=([0-9.]+) over-16ms=(\\d+) cards=(\\d+)"))
                  .match(out);
        if (!m.hasMatch()) {
            std::fprintf(stderr, "no scroll figures from zib-notes: %s\n", qPrintable(out));
            return 2;
        }
        const bool met = m.captured(4).toInt() == 0;
        missed += met ? 0 : 1;
        std::printf("scrolling, %d notes: %s frames, worst %s ms, median %s ms, %s frames over 16 ms "
                    "(target none) %s\n",
                    count, qPrintable(m.captured(1)), qPrintable(m.captured(2)), qPrintable(m.captured(3)),
                    qPrintable(m.captured(4)), met ? "met" : "MISSED");
        std::fflush(stdout);
    }
    std::printf(missed ? "%d of 3 targets missed\n" : "all targets met\n", missed);
    return 0;
}
