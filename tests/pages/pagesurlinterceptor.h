#pragma once

#include <QQmlAbstractUrlInterceptor>
#include <QString>

// Development aid: with ZIB_PAGES_SOURCE_DIR set, the plugin's page resources
// (qrc:/qml/...) are read from that directory instead, so edited pages can be
// tried without relinking the plugin. Unused in the normal test run.
class PagesUrlInterceptor : public QQmlAbstractUrlInterceptor
{
public:
    explicit PagesUrlInterceptor(const QString &sourceDir);
    QUrl intercept(const QUrl &path, DataType type) override;

private:
    QString m_sourceDir;
};
