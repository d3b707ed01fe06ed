#ifndef ZIBSTYLES_H
#define ZIBSTYLES_H

#include <QVariantMap>

// The `styles` object of the QML scope: the palette and the label sizes.
class ZibStyles
{
public:
    static QVariantMap create(qreal dpiRatio);
};

#endif // ZIBSTYLES_H
