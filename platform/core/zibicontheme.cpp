#include "zibicontheme.h"

#include <QFileInfo>
#include <QIcon>
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

QString ZibIconTheme::ensureUsableTheme()
{
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
