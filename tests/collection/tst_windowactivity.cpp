#include "windowactivity.h"

#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <QtTest>

// The background reads of every note pause while a window draws, resume when
// it rests, and are never held back for good by a window that never rests.
class TestWindowActivity : public QObject
{
    Q_OBJECT

private slots:
    void pausesOnlyWhileFramesCome();

private:
    // How long a worker's pause lasts while frames come for framesMs (-1:
    // throughout).
    qint64 pauseWithFramesFor(int framesMs);

    QWindow window;
};

qint64 TestWindowActivity::pauseWithFramesFor(int framesMs)
{
    const auto frame = [this] {
        QEvent request(QEvent::UpdateRequest);
        QCoreApplication::sendEvent(&window, &request);
    };
    QTimer frames;
    frames.setInterval(10);
    connect(&frames, &QTimer::timeout, this, frame);
    if (framesMs != 0) {
        frame();
        frames.start();
        if (framesMs > 0)
            QTimer::singleShot(framesMs, &frames, &QTimer::stop);
    }
    qint64 paused = -1;
    QThread *worker = QThread::create([&paused] {
        QElapsedTimer clock;
        clock.start();
        WindowActivity::pauseWhileDrawing();
        paused = clock.elapsed();
    });
    worker->start();
    const bool done = QTest::qWaitFor([worker] { return worker->isFinished(); }, 10000);
    if (!done)
        worker->wait();
    delete worker;
    return paused;
}

void TestWindowActivity::pausesOnlyWhileFramesCome()
{
    window.create();
    WindowActivity::follow();

    QVERIFY(pauseWithFramesFor(0) < 90);
    const qint64 afterScroll = pauseWithFramesFor(200);
    QVERIFY2(afterScroll >= 180, qPrintable(QString::number(afterScroll)));
    const qint64 endless = pauseWithFramesFor(-1);
    QVERIFY2(endless >= 450 && endless < 5000, qPrintable(QString::number(endless)));
}

QTEST_MAIN(TestWindowActivity)
#include "tst_windowactivity.moc"
