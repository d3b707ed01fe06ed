#include "zibinit.h"

#include "zibicontheme.h"
#include "zibtranslations.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>

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
    // Before the command line is read and anything is shown.
    ZibTranslations::install();

    // QIcon needs the GUI application; a console tool only gets the names.
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        ZibIconTheme::addShippedIcons();
        ZibIconTheme::ensureUsableTheme();
    }
    return true;
}
