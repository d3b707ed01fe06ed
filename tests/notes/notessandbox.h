#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMetaMethod>
#include <QObject>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

// Points the notes directory and the fake crontab into a temporary directory,
// and makes sure that no test can reach the real user's crontab.
class NotesSandbox
{
public:
    NotesSandbox()
    {
        QCoreApplication::setOrganizationName(QString());
        QCoreApplication::setApplicationName(QStringLiteral("zib-notes"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.path() + QStringLiteral("/data")));
        qputenv("PATH", QByteArray(ZIB_FAKES_DIR) + ':' + qgetenv("PATH"));
        qunsetenv("FAKE_CRONTAB_FAIL");
        reset();
    }

    bool isSafe() const
    {
        return m_dir.isValid()
            && QStandardPaths::findExecutable(QStringLiteral("crontab"))
            == QDir(QStringLiteral(ZIB_FAKES_DIR)).filePath(QStringLiteral("crontab"));
    }

    // A fresh, empty notes directory, no crontab and an empty call log.
    void reset()
    {
        QDir(notesDir()).removeRecursively();
        QDir().mkpath(notesDir());
        QFile::remove(crontabFile());
        QFile::remove(logFile());
        qputenv("FAKE_CRONTAB_FILE", QFile::encodeName(crontabFile()));
        qputenv("FAKE_CRONTAB_LOG", QFile::encodeName(logFile()));
        qunsetenv("FAKE_CRONTAB_FAIL");
    }

    QString path() const { return m_dir.path(); }
    QString notesDir() const { return m_dir.path() + QStringLiteral("/data/zib-notes"); }
    QString crontabFile() const { return m_dir.path() + QStringLiteral("/crontab"); }
    QString logFile() const { return m_dir.path() + QStringLiteral("/crontab.log"); }

    // "l" for every read, "w" for every write since the last reset.
    QString crontabCalls() const { return QString::fromLatin1(readBytes(logFile())).remove(QLatin1Char('\n')); }
    void clearLog() const { QFile::remove(logFile()); }

    QByteArray crontab() const { return readBytes(crontabFile()); }
    void setCrontab(const QByteArray &table) const { writeBytes(crontabFile(), table); }

    static QByteArray readBytes(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return QByteArray();
        return file.readAll();
    }

    // Every file written gets a modification time of its own: QSettings keeps
    // parsed files cached and rereads one only when its size or time changed,
    // which two quick writes of equal size would not show.
    static void writeBytes(const QString &path, const QByteArray &bytes)
    {
        static qint64 stamp = 0;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return;
        file.write(bytes);
        file.flush();
        file.setFileTime(QDateTime::fromSecsSinceEpoch(1000000000 + ++stamp), QFileDevice::FileModificationTime);
    }

private:
    QTemporaryDir m_dir;
};

// Appends its name to a shared list each time the signal it hangs on fires.
class SignalRelay : public QObject
{
    Q_OBJECT
public:
    SignalRelay(const QString &name, QStringList *names, QObject *parent)
        : QObject(parent)
        , m_name(name)
        , m_names(names)
    { }

public slots:
    void fire() { m_names->append(m_name); }

private:
    QString m_name;
    QStringList *m_names;
};

// Records the names of all signals of an object in the order they come.
class SignalRecorder : public QObject
{
    Q_OBJECT
public:
    explicit SignalRecorder(QObject *target)
    {
        const QMetaObject *meta = target->metaObject();
        const QMetaMethod fire
            = SignalRelay::staticMetaObject.method(SignalRelay::staticMetaObject.indexOfSlot("fire()"));
        for (int i = QObject::staticMetaObject.methodCount(); i < meta->methodCount(); ++i) {
            const QMetaMethod method = meta->method(i);
            if (method.methodType() == QMetaMethod::Signal)
                connect(target, method, new SignalRelay(QString::fromLatin1(method.name()), &names, this), fire);
        }
    }

    QStringList names;
};
