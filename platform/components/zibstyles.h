#ifndef ZIBSTYLES_H
#define ZIBSTYLES_H

#include <QPalette>
#include <QVariantMap>

// The `styles` object of the QML scope: the colours and the label sizes.
// colors.white and colors.black are the page surface and its ink: white and
// black in the light scheme, a dark surface with light ink in the dark one.
// Every text colour keeps at least 4.5:1 against the surfaces it is drawn on.
class ZibStyles
{
public:
    static QVariantMap create(qreal dpiRatio, bool dark = false);

    // The desktop's preference as its palette tells it: a dark window
    // colour means a dark scheme. ZIB_COLOR_SCHEME=dark or light overrides.
    static bool prefersDark(const QPalette &palette);

    // The program's own scale for a screen of logicalDpi: 1 at 96 dpi and
    // below, and 1 whenever Qt already scales the window (qtScales).
    static qreal dpiRatio(qreal logicalDpi, bool qtScales);

    // WCAG 2 contrast ratio of two opaque colours (1 to 21).
    static qreal contrast(const QColor &a, const QColor &b);
};

#endif // ZIBSTYLES_H
