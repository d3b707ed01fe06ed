#include "zibicontheme.h"
#include "zibinit.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QtTest>

class TestZibInit : public QObject
{
    Q_OBJECT

private slots:
    void setsUpOnce();
    void picksInstalledIconTheme();
    void keepsAUsableTheme();
    void shippedIconsAreFound();
};

void TestZibInit::setsUpOnce()
{
    QVERIFY(zibInit(QStringLiteral("1.2.3"), QStringLiteral("Notes")));
    QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("zib"));
    QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("1.2.3"));
    QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("Notes"));

    QVERIFY(!zibInit(QStringLiteral("9.9"), QStringLiteral("Other")));
    QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("1.2.3"));
    QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("Notes"));
}

void TestZibInit::picksInstalledIconTheme()
{
    if (!ZibIconTheme::isInstalled(QStringLiteral("Adwaita")))
        QSKIP("Adwaita icon theme not installed");
    QIcon::setThemeName(QStringLiteral("hicolor"));
    QCOMPARE(ZibIconTheme::ensureUsableTheme(), QStringLiteral("Adwaita"));
    QCOMPARE(QIcon::themeName(), QStringLiteral("Adwaita"));
    QVERIFY(!QIcon::fromTheme(QStringLiteral("list-add-symbolic")).isNull());

    QIcon::setThemeName(QStringLiteral("no-such-theme"));
    QCOMPARE(ZibIconTheme::ensureUsableTheme(), QStringLiteral("Adwaita"));
}

void TestZibInit::keepsAUsableTheme()
{
    QVERIFY(!ZibIconTheme::isInstalled(QString()));
    QVERIFY(!ZibIconTheme::isInstalled(QStringLiteral("no-such-theme")));
    if (!ZibIconTheme::isInstalled(QStringLiteral("hicolor")) || !ZibIconTheme::isInstalled(QStringLiteral("Adwaita")))
        QSKIP("icon themes not installed");
    QIcon::setThemeName(QStringLiteral("Adwaita"));
    QCOMPARE(ZibIconTheme::ensureUsableTheme(), QStringLiteral("Adwaita"));
}

void TestZibInit::shippedIconsAreFound()
{
    QVERIFY(!ZibIconTheme::addSearchPath(QString()));
    QVERIFY(!ZibIconTheme::addSearchPath(QStringLiteral("/no/such/icon/dir")));
    QVERIFY(ZibIconTheme::addSearchPath(QStringLiteral(ZIB_BUILD_ICON_DIR)));
    QVERIFY(ZibIconTheme::addSearchPath(QStringLiteral(ZIB_BUILD_ICON_DIR "/")));
    QCOMPARE(QIcon::themeSearchPaths().count(QDir::cleanPath(QStringLiteral(ZIB_BUILD_ICON_DIR))), 1);
    QVERIFY(ZibIconTheme::addSearchPath(QStringLiteral(ZIB_BUILD_PRIVATE_ICON_DIR)));
    ZibIconTheme::ensureUsableTheme();
    // The program window's and the tray's icons, as main() and the tray ask for them.
    QVERIFY(!QIcon::fromTheme(QStringLiteral("zib-notes")).isNull());
    QVERIFY(!QIcon::fromTheme(QStringLiteral("audit-all")).pixmap(22, 22).isNull());
}

QTEST_MAIN(TestZibInit)
#include "tst_zibinit.moc"
