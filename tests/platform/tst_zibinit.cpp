#include "zibicontheme.h"
#include "zibinit.h"

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

QTEST_MAIN(TestZibInit)
#include "tst_zibinit.moc"
