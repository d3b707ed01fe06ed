#include "windowactivity.h"

#include <QDeadlineTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QThread>
#include <QWindow>

namespace {

// Frames less far apart than this are one scroll or animation.
constexpr qint64 QuietMs = 100;
constexpr qint64 LongestPauseMs = 500;

qint64 monotonicMs()
{
    return QDeadlineTimer::current().deadline();
}

} // namespace

std::atomic<qint64> WindowActivity::lastFrameMs { 0 };

void WindowActivity::follow()
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    static WindowActivity *const filter = new WindowActivity(QCoreApplication::instance());
    // A filter installed again is not installed twice.
    for (QWindow *window : QGuiApplication::topLevelWindows())
        window->installEventFilter(filter);
}

void WindowActivity::pauseWhileDrawing()
{
    const qint64 start = monotonicMs();
    for (;;) {
        const qint64 now = monotonicMs();
        if (now - lastFrameMs.load(std::memory_order_relaxed) > QuietMs || now - start > LongestPauseMs
            || QThread::currentThread()->isInterruptionRequested())
            return;
        QThread::msleep(QuietMs / 4);
    }
}

bool WindowActivity::eventFilter(QObject *watched, QEvent *event)
{
    // Every frame of a window starts with this event.
    if (event->type() == QEvent::UpdateRequest)
        lastFrameMs.store(monotonicMs(), std::memory_order_relaxed);
    return QObject::eventFilter(watched, event);
}
