#include "zibiconpainter.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace {

void drawFreehand(QPainter &p, qreal s)
{
    QPainterPath path;
    path.moveTo(0.12 * s, 0.70 * s);
    path.cubicTo(0.30 * s, 0.30 * s, 0.45 * s, 0.95 * s, 0.60 * s, 0.55 * s);
    path.cubicTo(0.70 * s, 0.30 * s, 0.80 * s, 0.35 * s, 0.88 * s, 0.25 * s);
    p.setPen(QPen(ZibIconPainter::inkColor(), 0.09 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

void drawBrush(QPainter &p, qreal s)
{
    p.setPen(QPen(ZibIconPainter::inkColor(), 0.10 * s, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0.85 * s, 0.15 * s), QPointF(0.50 * s, 0.50 * s));
    p.setPen(Qt::NoPen);
    p.setBrush(ZibIconPainter::inkColor());
    QPainterPath tip;
    tip.moveTo(0.50 * s, 0.42 * s);
    tip.cubicTo(0.62 * s, 0.55 * s, 0.45 * s, 0.80 * s, 0.15 * s, 0.85 * s);
    tip.cubicTo(0.25 * s, 0.65 * s, 0.30 * s, 0.45 * s, 0.50 * s, 0.42 * s);
    p.drawPath(tip);
}

void drawEraser(QPainter &p, qreal s)
{
    p.translate(0.5 * s, 0.5 * s);
    p.rotate(-40);
    const QRectF body(-0.38 * s, -0.18 * s, 0.76 * s, 0.36 * s);
    p.setPen(QPen(ZibIconPainter::inkColor(), 0.07 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(body, 0.05 * s, 0.05 * s);
    p.setBrush(ZibIconPainter::inkColor());
    p.drawRoundedRect(QRectF(body.left(), body.top(), body.width() * 0.4, body.height()), 0.05 * s, 0.05 * s);
}

void drawBucket(QPainter &p, qreal s)
{
    p.setPen(QPen(ZibIconPainter::inkColor(), 0.07 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.save();
    p.translate(0.45 * s, 0.52 * s);
    p.rotate(-35);
    p.drawRoundedRect(QRectF(-0.25 * s, -0.22 * s, 0.5 * s, 0.5 * s), 0.06 * s, 0.06 * s);
    p.drawArc(QRectF(-0.17 * s, -0.42 * s, 0.34 * s, 0.4 * s), 0, 180 * 16);
    p.restore();
    p.setPen(Qt::NoPen);
    p.setBrush(ZibIconPainter::inkColor());
    p.drawEllipse(QRectF(0.74 * s, 0.58 * s, 0.14 * s, 0.2 * s));
}

void drawStrokeColor(QPainter &p, qreal s)
{
    QPainterPath letter;
    letter.moveTo(0.22 * s, 0.68 * s);
    letter.lineTo(0.5 * s, 0.1 * s);
    letter.lineTo(0.78 * s, 0.68 * s);
    letter.moveTo(0.33 * s, 0.46 * s);
    letter.lineTo(0.67 * s, 0.46 * s);
    p.setPen(QPen(ZibIconPainter::inkColor(), 0.09 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(letter);
    p.setPen(Qt::NoPen);
    p.setBrush(ZibIconPainter::inkColor());
    p.drawRoundedRect(QRectF(0.12 * s, 0.78 * s, 0.76 * s, 0.12 * s), 0.03 * s, 0.03 * s);
}

void drawInitial(QPainter &p, qreal s, const QString &name)
{
    p.setPen(QPen(ZibIconPainter::inkColor(), 0.06 * s));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(0.1 * s, 0.1 * s, 0.8 * s, 0.8 * s), 0.18 * s, 0.18 * s);
    QString letter = name.trimmed().left(1).toUpper();
    if (letter.isEmpty() || !letter.at(0).isLetterOrNumber())
        letter = QStringLiteral("?");
    QFont font;
    font.setPixelSize(qMax(1, qRound(0.5 * s)));
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(0, 0, s, s), Qt::AlignCenter, letter);
}

} // namespace

const QColor &ZibIconPainter::inkColor()
{
    static const QColor ink(QStringLiteral("#2e3436"));
    return ink;
}

QImage ZibIconPainter::glyph(const QString &name, const QSize &size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = qMin(size.width(), size.height());
    p.translate((size.width() - s) / 2.0, (size.height() - s) / 2.0);
    if (name == QLatin1String("draw-freehand"))
        drawFreehand(p, s);
    else if (name == QLatin1String("draw-brush"))
        drawBrush(p, s);
    else if (name == QLatin1String("eraser") || name == QLatin1String("draw-eraser"))
        drawEraser(p, s);
    else if (name == QLatin1String("fill") || name == QLatin1String("color-fill"))
        drawBucket(p, s);
    else if (name == QLatin1String("format-stroke-color") || name == QLatin1String("format-text-color"))
        drawStrokeColor(p, s);
    else
        drawInitial(p, s, name);
    return image;
}

QImage ZibIconPainter::colorized(const QImage &image, const QColor &color)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&result);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(result.rect(), color);
    return result;
}

QImage ZibIconPainter::desaturated(const QImage &image)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const int gray = qGray(line[x]);
            line[x] = qRgba(gray, gray, gray, qAlpha(line[x]));
        }
    }
    return result;
}
