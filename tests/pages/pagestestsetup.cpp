#include "pagestestsetup.h"

#include "pagestesthelper.h"
#include "pagesurlinterceptor.h"

#include <QCoreApplication>
#include <QDir>
#include <QQmlContext>
#include <QQmlEngine>

PagesTestSetup::PagesTestSetup(QObject *parent)
    : QObject(parent)
{ }

void PagesTestSetup::applicationAvailable()
{
    QCoreApplication::setApplicationName(QStringLiteral("zib-notes"));
    // "#" and "?" in the path: picture URLs must encode it.
    const QString data = m_dir.filePath(QStringLiteral("data #1?"));
    QDir().mkpath(data + QStringLiteral("/zib-notes"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(data));
    // Home on the same file system: deleted notes go to the trash in there.
    qputenv("HOME", QFile::encodeName(m_dir.path()));
    qputenv("FAKE_CRONTAB_FILE", QFile::encodeName(m_dir.filePath(QStringLiteral("crontab"))));
}

void PagesTestSetup::qmlEngineAvailable(QQmlEngine *engine)
{
    const QString sourceDir = qEnvironmentVariable("ZIB_PAGES_SOURCE_DIR");
    if (!sourceDir.isEmpty()) {
        static PagesUrlInterceptor interceptor(sourceDir);
        engine->setUrlInterceptor(&interceptor);
    }
    engine->rootContext()->setContextProperty(QStringLiteral("testHelper"), new PagesTestHelper(engine));
}
