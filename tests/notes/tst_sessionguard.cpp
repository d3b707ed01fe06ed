#include "sessionguard.h"

#include <QGuiApplication>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

// Quitting (the tray's "Close" calls quit()) reaches the note pages.
class TestSessionGuard : public QObject
{
    Q_OBJECT

private slots:
    void quitAsksPagesToSave()
    {
        QSignalSpy spy(SessionGuard::instance(), &SessionGuard::saveRequested);
        QVERIFY(spy.isValid());
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
        QCOMPARE(spy.count(), 1);
    }
};

QTEST_MAIN(TestSessionGuard)
#include "tst_sessionguard.moc"
