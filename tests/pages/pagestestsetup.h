#pragma once

#include <QObject>
#include <QTemporaryDir>

class QQmlEngine;

// Gives every test run a notes directory and a crontab of its own and
// publishes the file helper to the test documents as `testHelper`.
class PagesTestSetup : public QObject
{
    Q_OBJECT
public:
    explicit PagesTestSetup(QObject *parent = nullptr);

public slots:
    void applicationAvailable();
    void qmlEngineAvailable(QQmlEngine *engine);

private:
    QTemporaryDir m_dir;
};
