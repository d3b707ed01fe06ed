#include "diagnostics.h"

#include "singleapplication.h"
#include "tray.h"

#include <QFile>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTimer>

#include <cstdio>
#include <ctime>

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
    if (!m_exitAfterFirstFrame && m_screenshotPath.isEmpty())
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
