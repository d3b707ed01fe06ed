#include "zibstyles.h"

#include <QColor>
#include <QPalette>
#include <QtTest>

// Every text colour of both schemes against the surfaces it is drawn on.
class TestZibStyles : public QObject
{
    Q_OBJECT

private slots:
    void textContrastIsAtLeastAA_data();
    void textContrastIsAtLeastAA();
    void followsThePalette();
    void oneScale();
};

void TestZibStyles::textContrastIsAtLeastAA_data()
{
    QTest::addColumn<bool>("dark");
    QTest::newRow("light") << false;
    QTest::newRow("dark") << true;
}

void TestZibStyles::textContrastIsAtLeastAA()
{
    QFETCH(bool, dark);
    const QVariantMap styles = ZibStyles::create(1.0, dark);
    const QVariantMap colors = styles.value(QStringLiteral("colors")).toMap();
    auto c = [&styles](const char *key) {
        return styles.value(QLatin1String(key)).value<QColor>();
    };
    const QColor surface = colors.value(QStringLiteral("white")).value<QColor>();
    const QColor background = c("backgroundColor");
    // The search band and the tumbler's band: the highlight at 12 % on the surface.
    QColor band = c("highlightColor");
    band.setRgbF(0.12 * band.redF() + 0.88 * surface.redF(), 0.12 * band.greenF() + 0.88 * surface.greenF(),
                 0.12 * band.blueF() + 0.88 * surface.blueF());
    const struct
    {
        const char *what;
        QColor text;
        QColor back;
    } pairs[] = {
        { "text on surface", c("textColor"), surface },
        { "text on background", c("textColor"), background },
        { "dates and hints on surface", c("disabledTextColor"), surface },
        { "placeholder on background", c("disabledTextColor"), background },
        { "highlight on surface", c("highlightColor"), surface },
        { "highlight on its band", c("highlightColor"), band },
        { "text on highlight", c("onHighlightColor"), c("highlightColor") },
        { "card date, default note", QColor(QStringLiteral("#444444")), QColor(QStringLiteral("#ffffcc")) },
    };
    for (const auto &pair : pairs) {
        const qreal ratio = ZibStyles::contrast(pair.text, pair.back);
        qInfo("%s: %s on %s %.2f:1", pair.what, qPrintable(pair.text.name()), qPrintable(pair.back.name()), ratio);
        QVERIFY2(ratio >= 4.5, pair.what);
    }
    QCOMPARE(qRound(ZibStyles::contrast(Qt::black, Qt::white)), 21);
}

void TestZibStyles::followsThePalette()
{
    QPalette darkPalette;
    darkPalette.setColor(QPalette::Window, QColor(QStringLiteral("#2b2b2b")));
    QPalette lightPalette;
    lightPalette.setColor(QPalette::Window, QColor(QStringLiteral("#efefef")));
    QVERIFY(ZibStyles::prefersDark(darkPalette));
    QVERIFY(!ZibStyles::prefersDark(lightPalette));
    qputenv("ZIB_COLOR_SCHEME", "light");
    QVERIFY(!ZibStyles::prefersDark(darkPalette));
    qputenv("ZIB_COLOR_SCHEME", "dark");
    QVERIFY(ZibStyles::prefersDark(lightPalette));
    qunsetenv("ZIB_COLOR_SCHEME");
    // The surface and its ink swap; an accent stays an accent.
    QCOMPARE(ZibStyles::create(1, true)
                     .value(QStringLiteral("colors"))
                     .toMap()
                     .value(QStringLiteral("white"))
                     .value<QColor>()
                     .lightness()
                 < 128,
             true);
    QCOMPARE(ZibStyles::create(1, false)
                 .value(QStringLiteral("colors"))
                 .toMap()
                 .value(QStringLiteral("white"))
                 .value<QColor>(),
             QColor(Qt::white));
}

void TestZibStyles::oneScale()
{
    QCOMPARE(ZibStyles::dpiRatio(96, false), 1.0);
    QCOMPARE(ZibStyles::dpiRatio(192, false), 2.0);
    QCOMPARE(ZibStyles::dpiRatio(72, false), 1.0);
    QCOMPARE(ZibStyles::dpiRatio(0, false), 1.0);
    // QT_SCALE_FACTOR=2 on a 192 dpi screen: Qt's 2, not 2 x 2.
    QCOMPARE(ZibStyles::dpiRatio(192, true), 1.0);
}

QTEST_APPLESS_MAIN(TestZibStyles)
#include "tst_zibstyles.moc"
