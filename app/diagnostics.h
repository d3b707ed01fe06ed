#ifndef DIAGNOSTICS_H
#define DIAGNOSTICS_H

#include <QObject>
#include <QVector>

class QQmlApplicationEngine;
class QQuickItem;
class SingleApplication;
class Tray;

// Hooks for tests and benchmarks, all off unless their variable is set:
//   ZIB_NOTES_MESSAGE_LOG=<file>         append every start message received
//                                        (one per line) to <file>
//   ZIB_NOTES_EXIT_AFTER_FIRST_FRAME=1   at the main window's first frame print
//                                        "first-frame ms=<since main> monotonic-ms=<clock>
//                                        peak-rss-kb=<VmHWM>" on stdout and quit
//   ZIB_NOTES_EXIT_DELAY_MS=<ms>         with the above, quit only <ms> after the first
//                                        frame (lets work deferred past it happen)
//   ZIB_NOTES_SCREENSHOT=<file.png>      a second after the first frame save the
//                                        window's picture to <file.png> and quit
//   ZIB_NOTES_TRAY_LOG=<file>            the tray appends "show <taskPath> <title>" for
//                                        each notification and "task <taskId>" when
//                                        it asks to open a note
//   ZIB_NOTES_TRAY_AUTOCLICK_MS=<ms>     the tray acts as if its balloon was clicked
//                                        <ms> after each notification
//   ZIB_NOTES_SCROLL_FRAMES=1            once the list shows notes, scroll it through all
//                                        cards, half a view per frame, print
//                                        "scroll frames=<n> worst-ms=<t> median-ms=<t>
//                                        over-16ms=<n> cards=<n>" on stdout and quit
//   ZIB_NOTES_PAGE_LOG=<file>            append "page <document url> <noteData.file>"
//                                        for every page pushed onto the main window
class Diagnostics : public QObject
{
    Q_OBJECT

public:
    Diagnostics(SingleApplication *app, QQmlApplicationEngine *engine);

    // The tray's hooks, once the tray exists.
    static void attachTray(Tray *tray);

    // Call first thing in main: the reference for the first-frame time.
    static void markProcessStart();
    // CLOCK_MONOTONIC in milliseconds, comparable across processes.
    static double monotonicMs();
    // Peak resident memory of this process in KiB (VmHWM), 0 if unknown.
    static qint64 peakRssKb();

    // Attach the first-frame hooks to the loaded main window.
    void watchWindow();

private slots:
    void onCurrentPageChanged();

private:
    static void appendLine(const QString &path, const QString &line);
    void watchPages(QObject *window);
    void onFirstFrame();
    void startScrolling();
    void scrollStep();

    QQmlApplicationEngine *m_engine;
    QString m_logPath;
    QString m_pageLogPath;
    int m_pageDepth = 0;
    QString m_screenshotPath;
    bool m_exitAfterFirstFrame = false;
    int m_exitDelayMs = 0;
    bool m_frameSeen = false;
    bool m_scrollFrames = false;
    QQuickItem *m_list = nullptr;
    double m_stepStart = 0;
    QVector<double> m_frameTimes;
    bool m_skipFrame = false;
    QMetaObject::Connection m_scrollConnection;
};

#endif // DIAGNOSTICS_H
