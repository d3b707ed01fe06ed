#include "zibiconlookup.h"
#include "zibiconpainter.h"
#include "zibicontheme.h"
#include "zibthemeimageprovider.h"

#include <QIcon>
#include <QtTest>

// "image://ThemeImageProvider/<name>": theme icon, alternative name, drawn
// glyph. The pages must never show an empty icon.
class TestZibThemeImageProvider : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pageIconsAreNeverEmpty_data();
    void pageIconsAreNeverEmpty();
    void resolvesExactNamesOnly_data();
    void resolvesExactNamesOnly();
    void unsafeNamesGetAGlyph_data();
    void unsafeNamesGetAGlyph();
    void sizes_data();
    void sizes();
    void colourAndGrey();
    void parseColor_data();
    void parseColor();

private:
    static int visiblePixels(const QImage &image);
    ZibThemeImageProvider m_provider;
};

int TestZibThemeImageProvider::visiblePixels(const QImage &image)
{
    int count = 0;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            count += qAlpha(argb.pixel(x, y)) > 32 ? 1 : 0;
    return count;
}

void TestZibThemeImageProvider::initTestCase()
{
    ZibIconTheme::ensureUsableTheme();
    ZibIconLookup::reset();
}

void TestZibThemeImageProvider::pageIconsAreNeverEmpty_data()
{
    QTest::addColumn<QString>("name");
    const char *names[] = { "pencil",
                            "user-trash-empty",
                            "fill",
                            "format-stroke-color",
                            "draw-brush",
                            "draw-freehand",
                            "eraser",
                            "transform-move",
                            "edit-add",
                            "leftjust",
                            "format-list-unordered",
                            "task-reminder",
                            "audit-all",
                            "zib-notes",
                            "view-grid",
                            "view-list-details",
                            "go-previous",
                            "dialog-ok",
                            "window-close",
                            "edit-find",
                            "edit-clear",
                            "no-such-icon-anywhere" };
    for (const char *name : names)
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestZibThemeImageProvider::pageIconsAreNeverEmpty()
{
    QFETCH(QString, name);
    QSize size;
    const QImage image = m_provider.requestImage(name, &size, QSize(32, 32));
    QCOMPARE(image.size(), QSize(32, 32));
    QCOMPARE(size, QSize(32, 32));
    QVERIFY2(visiblePixels(image) > 20, qPrintable(name));
}

void TestZibThemeImageProvider::resolvesExactNamesOnly_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    QTest::newRow("symbolic preferred") << "go-previous"
                                        << "go-previous-symbolic";
    QTest::newRow("alternative, not Qt's dash stripping") << "user-trash-empty"
                                                          << "user-trash-symbolic";
    QTest::newRow("alternative") << "edit-add"
                                 << "list-add-symbolic";
    QTest::newRow("second alternative") << "dialog-ok"
                                        << "object-select-symbolic";
    QTest::newRow("drawn tool") << "draw-brush"
                                << "";
    QTest::newRow("unknown") << "zz-unknown-icon"
                             << "";
}

void TestZibThemeImageProvider::resolvesExactNamesOnly()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    if (QIcon::themeName() != QLatin1String("Adwaita"))
        QSKIP("these names are those of the Adwaita theme");
    QCOMPARE(ZibIconLookup::resolve(name), expected);
}

void TestZibThemeImageProvider::unsafeNamesGetAGlyph_data()
{
    QTest::addColumn<QString>("id");
    QTest::newRow("empty") << "";
    QTest::newRow("parent path") << "../../../../usr/share/icons/Adwaita/48x48/places/user-trash";
    QTest::newRow("absolute") << "/etc/passwd";
    QTest::newRow("hidden") << ".hidden";
    QTest::newRow("encoded slash") << "a%2Fb";
    QTest::newRow("only query") << "?color=ff0000";
    QTest::newRow("long") << QString(5000, QLatin1Char('x'));
}

void TestZibThemeImageProvider::unsafeNamesGetAGlyph()
{
    QFETCH(QString, id);
    QSize size;
    const QImage image = m_provider.requestImage(id, &size, QSize(24, 24));
    QCOMPARE(image.size(), QSize(24, 24));
    QVERIFY(visiblePixels(image) > 0);
    const QString name = id.section(QLatin1Char('?'), 0, 0);
    QCOMPARE(ZibIconLookup::resolve(QUrl::fromPercentEncoding(name.toUtf8())), QString());
}

void TestZibThemeImageProvider::sizes_data()
{
    QTest::addColumn<QSize>("requested");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("none") << QSize() << QSize(48, 48);
    QTest::newRow("zero") << QSize(0, 0) << QSize(48, 48);
    QTest::newRow("width only") << QSize(20, 0) << QSize(20, 20);
    QTest::newRow("height only") << QSize(-1, 30) << QSize(30, 30);
    QTest::newRow("not square") << QSize(40, 20) << QSize(40, 20);
    QTest::newRow("huge is bounded") << QSize(100000, 100000) << QSize(1024, 1024);
}

void TestZibThemeImageProvider::sizes()
{
    QFETCH(QSize, requested);
    QFETCH(QSize, expected);
    QSize size;
    QCOMPARE(m_provider.requestImage(QStringLiteral("window-close"), &size, requested).size(), expected);
    QCOMPARE(size, expected);
    QCOMPARE(m_provider.requestImage(QStringLiteral("draw-brush"), &size, requested).size(), expected);
}

void TestZibThemeImageProvider::colourAndGrey()
{
    QSize size;
    const QImage red = m_provider.requestImage(QStringLiteral("edit-add?color=ff0000"), &size, QSize(32, 32))
                           .convertToFormat(QImage::Format_ARGB32);
    QVERIFY(visiblePixels(red) > 20);
    for (int y = 0; y < red.height(); ++y) {
        for (int x = 0; x < red.width(); ++x) {
            const QRgb pixel = red.pixel(x, y);
            if (qAlpha(pixel) == 255)
                QCOMPARE(pixel, qRgba(255, 0, 0, 255));
        }
    }

    const QImage tinted
        = m_provider.requestImage(QStringLiteral("leftjust?gray=1&color=%2300ff00"), &size, QSize(16, 16))
              .convertToFormat(QImage::Format_ARGB32);
    bool sawGreen = false;
    for (int y = 0; y < tinted.height(); ++y)
        for (int x = 0; x < tinted.width(); ++x)
            sawGreen = sawGreen || (qAlpha(tinted.pixel(x, y)) == 255 && qGreen(tinted.pixel(x, y)) == 255);
    QVERIFY(sawGreen);

    QImage colourful(8, 8, QImage::Format_ARGB32);
    colourful.fill(qRgba(200, 10, 10, 128));
    const QImage grey = ZibIconPainter::desaturated(colourful);
    const QRgb pixel = grey.pixel(3, 3);
    QCOMPARE(qRed(pixel), qGreen(pixel));
    QCOMPARE(qGreen(pixel), qBlue(pixel));
    QCOMPARE(qAlpha(pixel), 128);

    // A colour that cannot be read leaves the icon as it is.
    const QImage plain = m_provider.requestImage(QStringLiteral("edit-add"), &size, QSize(32, 32));
    QCOMPARE(m_provider.requestImage(QStringLiteral("edit-add?color=notacolour"), &size, QSize(32, 32)), plain);
}

void TestZibThemeImageProvider::parseColor_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("rrggbb") << "ff0000" << QColor(255, 0, 0);
    QTest::newRow("#rrggbb") << "#00ff00" << QColor(0, 255, 0);
    QTest::newRow("aarrggbb") << "800000ff" << QColor(0, 0, 255, 128);
    QTest::newRow("rgb") << "fff" << QColor(255, 255, 255);
    QTest::newRow("name") << "crimson" << QColor(220, 20, 60);
    QTest::newRow("empty") << "" << QColor();
    QTest::newRow("garbage") << "zz-top" << QColor();
}

void TestZibThemeImageProvider::parseColor()
{
    QFETCH(QString, text);
    QFETCH(QColor, expected);
    QCOMPARE(ZibThemeImageProvider::parseColor(text), expected);
}

QTEST_MAIN(TestZibThemeImageProvider)
#include "tst_zibthemeimageprovider.moc"
