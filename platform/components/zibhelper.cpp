#include "zibhelper.h"

#include "zibiconlookup.h"

#include "zibthemeimageprovider.h"

#include <QFileInfo>
#include <QIcon>
#include <QUrl>
#include <QWindow>

ZibHelper::ZibHelper(QObject *parent)
    : QObject(parent)
{ }

bool ZibHelper::fileExists(const QString &path) const
{
    if (path.trimmed().isEmpty())
        return false;
    QString localPath = path;
    if (path.startsWith(QLatin1String("file:")))
        localPath = QUrl(path).toLocalFile();
    if (localPath.isEmpty())
        return false;
    return QFileInfo(localPath).isFile();
}

bool ZibHelper::setWindowIcon(QObject *window, const QString &iconName) const
{
    auto *w = qobject_cast<QWindow *>(window);
    if (!w)
        return false;
    // Qt's own lookup gives the window manager every size the theme has.
    QIcon icon = QIcon::fromTheme(iconName);
    if (icon.isNull())
        icon = QIcon(QPixmap::fromImage(ZibThemeImageProvider::iconImage(iconName, QSize(64, 64))));
    w->setIcon(icon);
    return true;
}

void ZibHelper::prepareIcons() const
{
    ZibIconLookup::prepareInBackground();
}
