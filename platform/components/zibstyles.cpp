#include "zibstyles.h"

#include <QColor>
#include <QtMath>

QVariantMap ZibStyles::create(qreal dpiRatio)
{
    const QVariantMap colors {
        { QStringLiteral("white"), QColor(QStringLiteral("#ffffff")) },
        { QStringLiteral("black"), QColor(QStringLiteral("#000000")) },
        { QStringLiteral("crimson"), QColor(QStringLiteral("#dc143c")) },
        { QStringLiteral("gray"), QColor(QStringLiteral("#808080")) },
        { QStringLiteral("lightGray"), QColor(QStringLiteral("#d3d3d3")) },
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
        { QStringLiteral("highlightColor"), QColor(QStringLiteral("#1976d2")) },
        { QStringLiteral("highlightColor2"), QColor(QStringLiteral("#ff8f00")) },
        { QStringLiteral("backgroundColor"), QColor(QStringLiteral("#eceff1")) },
        { QStringLiteral("textColor"), QColor(QStringLiteral("#263238")) },
        { QStringLiteral("disabledTextColor"), QColor(QStringLiteral("#90a4ae")) },
        { QStringLiteral("separatorColor"), QColor(QStringLiteral("#cfd8dc")) },
        { QStringLiteral("pressedColor"), QColor(QStringLiteral("#33000000")) },
    };
}
