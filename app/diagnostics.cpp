#include "diagnostics.h"

#include "singleapplication.h"
#include "tray.h"

#include <QFile>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <utility>

namespace {
double g_startMs = 0;
}

Diagnostics::Diagnostics(SingleApplication *app, QQmlApplicationEngine *engine)
    : QObject(app)
    , m_engine(engine)
    , m_logPath(qEnvironmentVariable("ZIB_NOTES_MESSAGE_LOG"))
    , m_pageLogPath(qEnvironmentVariable("ZIB_NOTES_PAGE_LOG"))
    , m_screenshotPath(qEnvironmentVariable("ZIB_NOTES_SCREENSHOT"))
    , m_exitAfterFirstFrame(qEnvironmentVariableIntValue("ZIB_NOTES_EXIT_AFTER_FIRST_FRAME") == 1)
    , m_exitDelayMs(qMax(0, qEnvironmentVariableIntValue("ZIB_NOTES_EXIT_DELAY_MS")))
    , m_scrollFrames(qEnvironmentVariableIntValue("ZIB_NOTES_SCROLL_FRAMES") == 1)
{
    if (!m_logPath.isEmpty())
        connect(app, &SingleApplication::messageReceived, this,
                [this](const QString &message) { appendLine(m_logPath, message); });
}

void Diagnostics::attachTray(Tray *tray)
{
    tray->setDiagnosticLog(qEnvironmentVariable("ZIB_NOTES_TRAY_LOG"));
    bool autoClick = false;
    const int autoClickMs = qEnvironmentVariableIntValue("ZIB_NOTES_TRAY_AUTOCLICK_MS", &autoClick);
    if (autoClick)
        tray->setAutoClick(autoClickMs);
}

void Diagnostics::markProcessStart()
{
    g_startMs = monotonicMs();
}

double Diagnostics::monotonicMs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}

qint64 Diagnostics::peakRssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

void Diagnostics::appendLine(const QString &path, const QString &line)
{
    QFile log(path);
    if (log.open(QIODevice::WriteOnly | QIODevice::Append))
        log.write(line.toUtf8() + '\n');
}

void Diagnostics::watchPages(QObject *window)
{
    QObject *stack = window ? window->findChild<QObject *>(QStringLiteral("zibPageStack")) : nullptr;
    if (!stack)
        return;
    m_pageDepth = stack->property("depth").toInt();
    connect(stack, SIGNAL(currentItemChanged()), this, SLOT(onCurrentPageChanged()));
}

void Diagnostics::onCurrentPageChanged()
{
    QObject *stack = sender();
    const int depth = stack->property("depth").toInt();
    const bool pushed = depth > m_pageDepth;
    m_pageDepth = depth;
    auto *page = stack->property("currentItem").value<QQuickItem *>();
    if (!pushed || !page)
        return;
    QQmlContext *context = qmlContext(page);
    const QString url = context ? context->baseUrl().toString() : QString();
    auto *note = page->property("noteData").value<QObject *>();
    const QString file = note ? note->property("file").toString() : QString();
    appendLine(m_pageLogPath, QStringLiteral("page ") + url + QLatin1Char(' ') + file);
}

void Diagnostics::watchWindow()
{
    const auto roots = m_engine->rootObjects();
    if (!m_pageLogPath.isEmpty())
        watchPages(roots.value(0));
    if (!m_exitAfterFirstFrame && m_screenshotPath.isEmpty() && !m_scrollFrames)
        return;
    auto *window = roots.isEmpty() ? nullptr : qobject_cast<QQuickWindow *>(roots.first());
    if (!window) {
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(2); });
        return;
    }
    connect(window, &QQuickWindow::frameSwapped, this, &Diagnostics::onFirstFrame, Qt::DirectConnection);
}

void Diagnostics::onFirstFrame()
{
    if (m_frameSeen)
        return;
    m_frameSeen = true;
    const double now = monotonicMs();
    if (m_exitAfterFirstFrame) {
        std::printf("first-frame ms=%.1f monotonic-ms=%.3f peak-rss-kb=%lld\n", now - g_startMs, now,
                    static_cast<long long>(peakRssKb()));
        std::fflush(stdout);
    }
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_scrollFrames) {
                startScrolling();
                return;
            }
            if (m_screenshotPath.isEmpty()) {
                QTimer::singleShot(m_exitDelayMs, qApp, &QCoreApplication::quit);
                return;
            }
            QTimer::singleShot(1000, this, [this] {
                auto *window = qobject_cast<QQuickWindow *>(m_engine->rootObjects().value(0));
                const bool saved = window && window->grabWindow().save(m_screenshotPath);
                QCoreApplication::exit(saved ? 0 : 3);
            });
        },
        Qt::QueuedConnection);
}

// The notes' list view, once the collection is read and it shows cards.
void Diagnostics::startScrolling()
{
    auto *window = qobject_cast<QQuickWindow *>(m_engine->rootObjects().value(0));
    QList<QQuickItem *> items;
    if (window)
        items << window->contentItem();
    while (!items.isEmpty() && !m_list) {
        QQuickItem *item = items.takeFirst();
        if (item->inherits("QQuickGridView") && item->property("count").toInt() > 0)
            m_list = item;
        items << item->childItems();
    }
    if (!m_list) {
        QTimer::singleShot(50, this, &Diagnostics::startScrolling);
        return;
    }
    // Each frame: the time from moving the view to the frame being on the
    // screen, which includes making the cards that came into view.
    m_scrollConnection = connect(
        window, &QQuickWindow::frameSwapped, this,
        [this] {
            if (!std::exchange(m_skipFrame, false))
                m_frameTimes << monotonicMs() - m_stepStart;
            QMetaObject::invokeMethod(this, &Diagnostics::scrollStep, Qt::QueuedConnection);
        },
        Qt::DirectConnection);
    // The first step follows a frame, as every later one does, and that
    // frame is not counted: it is the one asked for here.
    m_frameTimes.clear();
    m_skipFrame = true;
    m_stepStart = monotonicMs();
    window->update();
}

void Diagnostics::scrollStep()
{
    const double y = m_list->property("contentY").toDouble();
    const double end
        = m_list->property("contentHeight").toDouble() + m_list->property("originY").toDouble() - m_list->height();
    if (y >= end) {
        disconnect(m_scrollConnection);
        QStringList slow;
        for (int i = 0; i < m_frameTimes.size(); ++i) {
            if (m_frameTimes.at(i) > 16.0)
                slow << QStringLiteral("%1:%2").arg(i).arg(m_frameTimes.at(i), 0, 'f', 1);
        }
        std::fprintf(stderr, "slow frames %s\n", qPrintable(slow.join(QLatin1Char(' '))));
        QVector<double> sorted = m_frameTimes;
        std::sort(sorted.begin(), sorted.end());
        const int over = int(std::count_if(sorted.cbegin(), sorted.cend(), [](double t) { return t > 16.0; }));
        std::printf("scroll frames=%d worst-ms=%.1f median-ms=%.1f over-16ms=%d cards=%d\n", int(sorted.size()),
                    sorted.isEmpty() ? 0.0 : sorted.last(), sorted.isEmpty() ? 0.0 : sorted.at(sorted.size() / 2), over,
                    m_list->property("count").toInt());
        std::fflush(stdout);
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return;
    }
    m_stepStart = monotonicMs();
    m_list->setProperty("contentY", qMin(end, y + m_list->height() / 2));
    m_list->window()->update();
}
