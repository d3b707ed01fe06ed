#include "zibicontheme.h"
#include "zibinit.h"
#include "zibtranslations.h"

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
    void translatorsFollowTheLocale();
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

void TestZibInit::translatorsFollowTheLocale()
{
    const QString share = QStringLiteral(ZIB_BUILD_SHARE_DIR);
    QCoreApplication::setApplicationName(QStringLiteral("zib-notes"));
    auto deleteQuestion = [](int n) {
        return QCoreApplication::translate("MainPage", "Do you really want to delete %n note?", "", n);
    };

    // The program's, the notes module's and the components' catalogues.
    const QStringList loaded = ZibTranslations::install(QLocale(QLocale::German, QLocale::Germany), share);
    QCOMPARE(loaded.filter(QRegularExpression(QStringLiteral("/(zib-notes|notesbase|zibcomponents)_de\\.qm$"))).size(),
             3);
    QCOMPARE(deleteQuestion(1), QStringLiteral("Möchten Sie 1 Notiz wirklich löschen?"));
    QCOMPARE(deleteQuestion(3), QStringLiteral("Möchten Sie 3 Notizen wirklich löschen?"));
    QCOMPARE(QCoreApplication::translate("TaskPage", "Every week"), QStringLiteral("Jede Woche"));
    QCOMPARE(QCoreApplication::translate("ZibToolBar", "Search"), QStringLiteral("Suchen"));

    // Three Russian forms: 1, 2 to 4, 5 and more (and 11 to 14).
    ZibTranslations::install(QLocale(QLocale::Russian), share);
    QCOMPARE(deleteQuestion(21), QStringLiteral("Вы действительно хотите удалить 21 заметку?"));
    QCOMPARE(deleteQuestion(3), QStringLiteral("Вы действительно хотите удалить 3 заметки?"));
    QCOMPARE(deleteQuestion(12), QStringLiteral("Вы действительно хотите удалить 12 заметок?"));

    // A language without a catalogue, and "C", fall back to English with its
    // plural forms; reinstalling replaces the German translators.
    for (const QLocale &locale : { QLocale(QLocale::Japanese), QLocale::c() }) {
        ZibTranslations::install(locale, share);
        QCOMPARE(deleteQuestion(1), QStringLiteral("Do you really want to delete 1 note?"));
        QCOMPARE(deleteQuestion(3), QStringLiteral("Do you really want to delete 3 notes?"));
        QCOMPARE(QCoreApplication::translate("TaskPage", "Every week"), QStringLiteral("Every week"));
    }
    QVERIFY(ZibTranslations::install(QLocale(QLocale::German), QStringLiteral("/no/such/dir"))
                .filter(QStringLiteral("zib"))
                .isEmpty());
    QCOMPARE(QCoreApplication::translate("TaskPage", "Every week"), QStringLiteral("Every week"));
}

QTEST_MAIN(TestZibInit)
#include "tst_zibinit.moc"
