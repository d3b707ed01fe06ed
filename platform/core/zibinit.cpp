#include "zibinit.h"

#include "zibicontheme.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>

namespace {

// Icons shipped with the program: <prefix>/share/icons, both for bin/ in the
// build tree and for an installed /usr/bin.
void addShippedIconDirs()
{
    const QString dir = QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1String("/../share/icons"));
    if (!QFileInfo(dir).isDir())
        return;
    QStringList paths = QIcon::themeSearchPaths();
    if (paths.contains(dir))
        return;
    paths.prepend(dir);
    QIcon::setThemeSearchPaths(paths);
}

} // namespace

bool zibInit(const QString &version, const QString &name)
{
    static bool initialised = false;
    if (initialised || !QCoreApplication::instance())
        return false;
    initialised = true;

    QCoreApplication::setOrganizationName(QStringLiteral("zib"));
    if (!version.isEmpty())
        QCoreApplication::setApplicationVersion(version);
    if (!name.isEmpty())
        QGuiApplication::setApplicationDisplayName(name);

    // QIcon needs the GUI application; a console tool only gets the names.
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        addShippedIconDirs();
        ZibIconTheme::ensureUsableTheme();
    }
    return true;
}
