#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <utility>

// The bare list with <count> cards, scrolled as zib-notes scrolls its list
// under ZIB_NOTES_SCROLL_FRAMES=1: half a view a frame from the top to the
// end, each frame timed from moving the view to the frame on the screen.
// Prints the same "scroll frames=..." line and quits.
static double monotonicMs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_DisableHighDpiScaling, true);
    QGuiApplication app(argc, argv);
    QQmlApplicationEngine engine;
    engine.rootContext()->setContextProperty(QStringLiteral("itemCount"),
                                             argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000);
    engine.load(QUrl(QStringLiteral("qrc:/barelist.qml")));
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().value(0));
    auto *list = window ? window->findChild<QQuickItem *>(QStringLiteral("list")) : nullptr;
    if (!list)
        return 2;

    QVector<double> frames;
    double stepStart = 0;
    bool stepping = false;
    auto step = [&] {
        const double y = list->property("contentY").toDouble();
        const double end
            = list->property("contentHeight").toDouble() + list->property("originY").toDouble() - list->height();
        if (y >= end) {
            std::sort(frames.begin(), frames.end());
            const auto over = std::count_if(frames.cbegin(), frames.cend(), [](double t) { return t > 16.0; });
            std::printf("scroll frames=%d worst-ms=%.1f median-ms=%.1f over-16ms=%d cards=%d\n", int(frames.size()),
                        frames.isEmpty() ? 0.0 : frames.last(), frames.isEmpty() ? 0.0 : frames.at(frames.size() / 2),
                        int(over), list->property("count").toInt());
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
            return;
        }
        stepping = true;
        stepStart = monotonicMs();
        list->setProperty("contentY", qMin(end, y + list->height() / 2));
        window->update();
    };
    // The first frame starts the scroll, as in zib-notes; a frame that
    // follows no step (the window's own) is neither counted nor a step.
    bool started = false;
    QObject::connect(
        window, &QQuickWindow::frameSwapped, window,
        [&] {
            if (std::exchange(stepping, false))
                frames << monotonicMs() - stepStart;
            else if (std::exchange(started, true))
                return;
            QMetaObject::invokeMethod(qApp, step, Qt::QueuedConnection);
        },
        Qt::DirectConnection);
    return app.exec();
}
