#include "zibsettings.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

// Values kept through `settings` survive a new settings object (a restart)
// and stay inside the config directory whatever the group is called.
class TestZibSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void intsAndStringsPersist();
    void defaultsForMissingAndBadValues();
    void groupNames_data();
    void groupNames();
    void groupsAreSeparate();

private:
    QTemporaryDir m_config;
};

void TestZibSettings::initTestCase()
{
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    QCoreApplication::setApplicationName(QStringLiteral("tst_zibsettings"));
}

void TestZibSettings::intsAndStringsPersist()
{
    {
        ZibSettings settings;
        settings.setInt(QStringLiteral("view-mode"), 2, QStringLiteral("Notes"));
        settings.setString(QStringLiteral("last-search"), QStringLiteral("milk & eggs\n"), QStringLiteral("Notes"));
    }
    QVERIFY(QFileInfo::exists(m_config.path() + QStringLiteral("/zib/Notes.conf")));
    const ZibSettings restarted;
    QCOMPARE(restarted.getInt(QStringLiteral("view-mode"), 0, QStringLiteral("Notes")), 2);
    QCOMPARE(restarted.getString(QStringLiteral("last-search"), QString(), QStringLiteral("Notes")),
             QStringLiteral("milk & eggs\n"));
    const QSettings raw(QStringLiteral("zib"), QStringLiteral("Notes"));
    QCOMPARE(raw.value(QStringLiteral("view-mode")).toInt(), 2);
}

void TestZibSettings::defaultsForMissingAndBadValues()
{
    ZibSettings settings;
    QCOMPARE(settings.getInt(QStringLiteral("missing"), 7, QStringLiteral("Notes")), 7);
    QCOMPARE(settings.getString(QStringLiteral("missing"), QStringLiteral("d"), QStringLiteral("Notes")),
             QStringLiteral("d"));
    settings.setString(QStringLiteral("not-a-number"), QStringLiteral("abc"), QStringLiteral("Notes"));
    QCOMPARE(settings.getInt(QStringLiteral("not-a-number"), 5, QStringLiteral("Notes")), 5);
    settings.setInt(QString(), 3, QStringLiteral("Notes"));
    settings.setInt(QStringLiteral("  "), 3, QStringLiteral("Notes"));
    QCOMPARE(settings.getInt(QString(), -1, QStringLiteral("Notes")), -1);
}

void TestZibSettings::groupNames_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("file");

    QTest::newRow("plain") << "Notes"
                           << "Notes";
    QTest::newRow("empty uses application") << ""
                                            << "tst_zibsettings";
    QTest::newRow("spaces trimmed") << "  Notes "
                                    << "Notes";
    QTest::newRow("slash") << "../../evil"
                           << ".._.._evil";
    QTest::newRow("dot dot") << ".."
                             << "default";
    QTest::newRow("backslash") << "a\\b"
                               << "a_b";
}

void TestZibSettings::groupNames()
{
    QFETCH(QString, group);
    QFETCH(QString, file);
    QCOMPARE(ZibSettings::applicationFor(group), file);

    ZibSettings settings;
    settings.setInt(QStringLiteral("k"), 1, group);
    QCOMPARE(settings.getInt(QStringLiteral("k"), 0, group), 1);
    QVERIFY(QFileInfo::exists(m_config.path() + QStringLiteral("/zib/") + file + QStringLiteral(".conf")));
    QVERIFY(!QFileInfo::exists(m_config.path() + QStringLiteral("/evil.conf")));
}

void TestZibSettings::groupsAreSeparate()
{
    ZibSettings settings;
    settings.setInt(QStringLiteral("shared-key"), 1, QStringLiteral("One"));
    settings.setInt(QStringLiteral("shared-key"), 2, QStringLiteral("Two"));
    QCOMPARE(settings.getInt(QStringLiteral("shared-key"), 0, QStringLiteral("One")), 1);
    QCOMPARE(settings.getInt(QStringLiteral("shared-key"), 0, QStringLiteral("Two")), 2);
}

QTEST_GUILESS_MAIN(TestZibSettings)
#include "tst_zibsettings.moc"
