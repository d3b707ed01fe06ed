#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QTimer>
#include <QUrl>

#include <cstdio>
#include <ctime>

// Prints the same line as zib-notes with ZIB_NOTES_EXIT_AFTER_FIRST_FRAME=1
// at its first frame and quits (ZIB_NOTES_EXIT_DELAY_MS later, as zib-notes).
static double monotonicMs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}

int main(int argc, char *argv[])
{
    const double start = monotonicMs();
    QCoreApplication::setAttribute(Qt::AA_DisableHighDpiScaling, true);
    QGuiApplication app(argc, argv);
    QQmlApplicationEngine engine;
    engine.load(QUrl(QStringLiteral("qrc:/barewindow.qml")));
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().value(0));
    if (!window)
        return 2;
    bool seen = false;
    QObject::connect(
        window, &QQuickWindow::frameSwapped, window,
        [&seen, start] {
            if (seen)
                return;
            seen = true;
            const double now = monotonicMs();
            std::printf("first-frame ms=%.1f monotonic-ms=%.3f\n", now - start, now);
            std::fflush(stdout);
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    QTimer::singleShot(qMax(0, qEnvironmentVariableIntValue("ZIB_NOTES_EXIT_DELAY_MS")), qApp,
                                       &QCoreApplication::quit);
                },
                Qt::QueuedConnection);
        },
        Qt::DirectConnection);
    return app.exec();
}
