#ifndef ZIBICONPAINTER_H
#define ZIBICONPAINTER_H

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

// Draws what the theme cannot give: a few drawing-tool pictures and, for any
// other name, its initial in a rounded frame; also recolours and greys icons.
class ZibIconPainter
{
public:
    static QImage glyph(const QString &name, const QSize &size);
    // Every visible pixel gets color, keeping the pixel's own coverage.
    static QImage colorized(const QImage &image, const QColor &color);
    static QImage desaturated(const QImage &image);

    static const QColor &inkColor();
};

#endif // ZIBICONPAINTER_H
