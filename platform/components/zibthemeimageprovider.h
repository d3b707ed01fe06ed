#ifndef ZIBTHEMEIMAGEPROVIDER_H
#define ZIBTHEMEIMAGEPROVIDER_H

#include <QColor>
#include <QQuickImageProvider>

// "image://ThemeImageProvider/<icon-name>[?color=<rrggbb|aarrggbb|name>][&gray=1]":
// the theme icon, else an alternative name, else a drawn glyph; never empty.
class ZibThemeImageProvider : public QQuickImageProvider
{
public:
    ZibThemeImageProvider();

    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;

    // The picture for iconName at size (theme icon, alternative or glyph).
    static QImage iconImage(const QString &iconName, const QSize &size);

    // Size used when the requester gives none or only one side; bounded.
    static QSize effectiveSize(const QSize &requestedSize);

    // Reads "color" of a query: hex digits with or without "#", or a colour name.
    static QColor parseColor(const QString &text);
};

#endif // ZIBTHEMEIMAGEPROVIDER_H
