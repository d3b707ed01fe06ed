#include "zibthemeimageprovider.h"

#include "zibiconlookup.h"
#include "zibiconpainter.h"

#include <QImageReader>
#include <QPainter>
#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>

namespace {
const int defaultSide = 48;
const int maximumSide = 1024;
} // namespace

ZibThemeImageProvider::ZibThemeImageProvider()
    : QQuickImageProvider(QQuickImageProvider::Image)
{ }

QSize ZibThemeImageProvider::effectiveSize(const QSize &requestedSize)
{
    int w = requestedSize.width();
    int h = requestedSize.height();
    if (w <= 0 && h <= 0)
        w = h = defaultSide;
    else if (w <= 0)
        w = h;
    else if (h <= 0)
        h = w;
    return QSize(qBound(1, w, maximumSide), qBound(1, h, maximumSide));
}

QColor ZibThemeImageProvider::parseColor(const QString &text)
{
    QString value = text.trimmed();
    static const QRegularExpression hex(QStringLiteral("^#?([0-9a-fA-F]{3}|[0-9a-fA-F]{6}|[0-9a-fA-F]{8})$"));
    if (hex.match(value).hasMatch() && !value.startsWith(QLatin1Char('#')))
        value.prepend(QLatin1Char('#'));
    return QColor(value);
}

QImage ZibThemeImageProvider::iconImage(const QString &iconName, const QSize &size)
{
    const QString file = ZibIconLookup::filePath(ZibIconLookup::resolve(iconName), qMax(size.width(), size.height()));
    if (!file.isEmpty()) {
        // QImageReader (not QIcon/QPixmap) so that this also runs on the image loader's threads.
        QImageReader reader(file);
        const QSize natural = reader.size();
        if (natural.isValid() && !natural.isEmpty())
            reader.setScaledSize(natural.scaled(size, Qt::KeepAspectRatio));
        QImage image = reader.read();
        if (!image.isNull()) {
            if (image.width() > size.width() || image.height() > size.height()
                || (image.width() < size.width() && image.height() < size.height()))
                image = image.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
            if (image.size() != size) {
                // Keep the requested size so that layouts do not jump; centre the picture.
                QImage framed(size, QImage::Format_ARGB32_Premultiplied);
                framed.fill(Qt::transparent);
                QPainter painter(&framed);
                painter.drawImage((size.width() - image.width()) / 2, (size.height() - image.height()) / 2, image);
                painter.end();
                image = framed;
            }
            return image;
        }
    }
    return ZibIconPainter::glyph(iconName, size);
}

QImage ZibThemeImageProvider::requestImage(const QString &id, QSize *size, const QSize &requestedSize)
{
    const int queryStart = id.indexOf(QLatin1Char('?'));
    const QString name = QUrl::fromPercentEncoding(id.left(queryStart < 0 ? id.size() : queryStart).toUtf8());
    const QUrlQuery query(queryStart < 0 ? QString() : id.mid(queryStart + 1));

    const QSize target = effectiveSize(requestedSize);
    QImage image = iconImage(name, target);
    if (query.hasQueryItem(QStringLiteral("gray"))
        && query.queryItemValue(QStringLiteral("gray")) != QLatin1String("0"))
        image = ZibIconPainter::desaturated(image);
    const QColor color = parseColor(query.queryItemValue(QStringLiteral("color"), QUrl::FullyDecoded));
    if (color.isValid())
        image = ZibIconPainter::colorized(image, color);

    if (size)
        *size = image.size();
    return image;
}
