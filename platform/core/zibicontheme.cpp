#include "zibicontheme.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QStandardPaths>
#include <QStringList>

bool ZibIconTheme::isInstalled(const QString &themeName)
{
    if (themeName.isEmpty())
        return false;
    const QStringList paths = QIcon::themeSearchPaths();
    for (const QString &path : paths) {
        if (QFileInfo::exists(path + QLatin1Char('/') + themeName + QLatin1String("/index.theme")))
            return true;
    }
    return false;
}

void ZibIconTheme::addXdgSearchPaths()
{
    QStringList paths = QIcon::themeSearchPaths();
    const int before = paths.size();
    QStringList wanted { QDir::homePath() + QLatin1String("/.icons") };
    const QStringList dataDirs = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (const QString &dir : dataDirs)
        wanted << dir + QLatin1String("/icons");
    for (const QString &dir : qAsConst(wanted)) {
        const QString clean = QDir::cleanPath(dir);
        if (!paths.contains(clean) && QFileInfo(clean).isDir())
            paths << clean;
    }
    if (paths.size() != before)
        QIcon::setThemeSearchPaths(paths);
}

QString ZibIconTheme::ensureUsableTheme()
{
    addXdgSearchPaths();
    const QString current = QIcon::themeName();
    if (!current.isEmpty() && current != QLatin1String("hicolor") && isInstalled(current))
        return current;

    const QStringList candidates { QStringLiteral("Adwaita"), QStringLiteral("breeze"), QStringLiteral("oxygen"),
                                   QStringLiteral("Tango") };
    for (const QString &candidate : candidates) {
        if (isInstalled(candidate)) {
            QIcon::setThemeName(candidate);
            return candidate;
        }
    }
    return current;
}

bool ZibIconTheme::addSearchPath(const QString &dir)
{
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        return false;
    const QString clean = QDir::cleanPath(QFileInfo(dir).absoluteFilePath());
    QStringList paths = QIcon::themeSearchPaths();
    if (!paths.contains(clean)) {
        paths.prepend(clean);
        QIcon::setThemeSearchPaths(paths);
    }
    return true;
}

bool ZibIconTheme::addShippedIcons()
{
    if (!QCoreApplication::instance())
        return false;
    const QString share = QCoreApplication::applicationDirPath() + QLatin1String("/../share");
    // The window icon in the build tree; installed, it is in the shared theme.
    addSearchPath(share + QLatin1String("/icons"));
    return addSearchPath(share + QLatin1String("/zib-notes/icons"));
}
