#include "zibstyles.h"

#include <QColor>
#include <QtMath>

namespace {
struct Scheme
{
    const char *surface;
    const char *ink;
    const char *background;
    const char *text;
    const char *disabledText;
    const char *separator;
    const char *pressed;
    const char *highlight;
    const char *onHighlight;
};

// Light: #546e7a reaches 5.4:1 on the surface, 4.7:1 on the background;
// the highlight 5.8:1 on white. Dark: the same roles mirrored.
constexpr Scheme light { "#ffffff", "#000000",   "#eceff1", "#263238", "#546e7a",
                         "#cfd8dc", "#33000000", "#1565c0", "#ffffff" };
constexpr Scheme dark { "#263238", "#ffffff",   "#1c2428", "#eceff1", "#a7b6bd",
                        "#37474f", "#33ffffff", "#64b5f6", "#10171b" };

qreal linear(qreal c)
{
    return c <= 0.03928 ? c / 12.92 : qPow((c + 0.055) / 1.055, 2.4);
}

qreal luminance(const QColor &c)
{
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}
} // namespace

qreal ZibStyles::contrast(const QColor &a, const QColor &b)
{
    const qreal la = luminance(a);
    const qreal lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

qreal ZibStyles::dpiRatio(qreal logicalDpi, bool qtScales)
{
    if (qtScales || !(logicalDpi > 0))
        return 1.0;
    return qMax<qreal>(1.0, logicalDpi / 96.0);
}

bool ZibStyles::prefersDark(const QPalette &palette)
{
    const QByteArray forced = qgetenv("ZIB_COLOR_SCHEME");
    if (forced == "dark")
        return true;
    if (forced == "light")
        return false;
    return palette.color(QPalette::Window).lightness() < 128;
}

QVariantMap ZibStyles::create(qreal dpiRatio, bool darkScheme)
{
    const Scheme &s = darkScheme ? dark : light;
    auto color = [](const char *name) {
        return QColor(QLatin1String(name));
    };
    const QVariantMap colors {
        { QStringLiteral("white"), color(s.surface) },
        { QStringLiteral("black"), color(s.ink) },
        { QStringLiteral("crimson"), QColor(QStringLiteral("#dc143c")) },
        { QStringLiteral("gray"), QColor(QStringLiteral("#808080")) },
        { QStringLiteral("lightGray"), QColor(darkScheme ? QStringLiteral("#546e7a") : QStringLiteral("#d3d3d3")) },
        { QStringLiteral("darkGray"), QColor(QStringLiteral("#505a5f")) },
        { QStringLiteral("red"), QColor(QStringLiteral("#e53935")) },
        { QStringLiteral("green"), QColor(QStringLiteral("#43a047")) },
        { QStringLiteral("blue"), QColor(QStringLiteral("#1e88e5")) },
        { QStringLiteral("yellow"), QColor(QStringLiteral("#fdd835")) },
        { QStringLiteral("orange"), QColor(QStringLiteral("#fb8c00")) },
        { QStringLiteral("transparent"), QColor(Qt::transparent) },
    };
    auto px = [dpiRatio](int size) {
        return qRound(size * dpiRatio);
    };
    const QVariantMap label {
        { QStringLiteral("smallest"), px(11) }, { QStringLiteral("small"), px(13) },
        { QStringLiteral("normal"), px(15) },   { QStringLiteral("large"), px(19) },
        { QStringLiteral("largest"), px(24) },
    };
    return {
        { QStringLiteral("colors"), colors },
        { QStringLiteral("label"), label },
        { QStringLiteral("dark"), darkScheme },
        { QStringLiteral("highlightColor"), color(s.highlight) },
        { QStringLiteral("onHighlightColor"), color(s.onHighlight) },
        { QStringLiteral("highlightColor2"), QColor(QStringLiteral("#ff8f00")) },
        { QStringLiteral("backgroundColor"), color(s.background) },
        { QStringLiteral("textColor"), color(s.text) },
        { QStringLiteral("disabledTextColor"), color(s.disabledText) },
        { QStringLiteral("separatorColor"), color(s.separator) },
        { QStringLiteral("pressedColor"), color(s.pressed) },
    };
}
