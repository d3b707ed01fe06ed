#include "pagesurlinterceptor.h"

#include <QFileInfo>

PagesUrlInterceptor::PagesUrlInterceptor(const QString &sourceDir)
    : m_sourceDir(sourceDir)
{ }

QUrl PagesUrlInterceptor::intercept(const QUrl &path, DataType type)
{
    if (type != QmlFile || path.scheme() != QLatin1String("qrc"))
        return path;
    const QString file = path.path();
    if (!file.startsWith(QLatin1String("/qml/")))
        return path;
    const QString local = m_sourceDir + file.mid(4);
    return QFileInfo::exists(local) ? QUrl::fromLocalFile(local) : path;
}
