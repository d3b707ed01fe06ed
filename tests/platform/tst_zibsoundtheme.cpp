#include "zibsoundtheme.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// Sound lookup against fake themes in a temporary XDG_DATA_HOME; the system
// data directories are replaced by a second temporary tree.
class TestZibSoundTheme : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void lookup_data();
    void lookup();
    void currentThemeFromEnvironment();
    void inheritanceLoopEnds();
    void userDirWinsOverSystemDir();

private:
    void writeFile(const QString &path, const QByteArray &content = QByteArray("RIFF"));
    QString home() const { return m_home->path() + QStringLiteral("/sounds/"); }
    QString system() const { return m_system->path() + QStringLiteral("/sounds/"); }

    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<QTemporaryDir> m_system;
};

void TestZibSoundTheme::writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void TestZibSoundTheme::init()
{
    m_home.reset(new QTemporaryDir);
    m_system.reset(new QTemporaryDir);
    QVERIFY(m_home->isValid() && m_system->isValid());
    qputenv("XDG_DATA_HOME", m_home->path().toUtf8());
    qputenv("XDG_DATA_DIRS", m_system->path().toUtf8());
    qunsetenv("ZIB_SOUND_THEME");

    // "mytheme" inherits "base"; both list their directories; "base" has a 5.1 directory too.
    writeFile(home() + "mytheme/index.theme",
              "[Sound Theme]\nName=Mine\nInherits=base\nDirectories=stereo,5.1\n\n"
              "[stereo]\nOutputProfile=stereo\n\n[5.1]\nOutputProfile=5.1\n");
    writeFile(home() + "mytheme/stereo/bell.oga");
    writeFile(home() + "mytheme/stereo/bell.wav");
    writeFile(home() + "mytheme/5.1/bell.ogg");
    writeFile(home() + "mytheme/stereo/de/bell.wav");
    writeFile(home() + "mytheme/unlisted/secret.oga");
    writeFile(system() + "base/index.theme", "[Sound Theme]\nName=Base\nDirectories=stereo\n");
    writeFile(system() + "base/stereo/message.ogg");
    writeFile(system() + "base/stereo/message-new-email.wav");
    writeFile(system() + "freedesktop/index.theme", "[Sound Theme]\nName=Default\nDirectories=stereo\n");
    writeFile(system() + "freedesktop/stereo/complete.oga");
    writeFile(system() + "freedesktop/stereo/message.oga");
    writeFile(system() + "loose.wav");
}

void TestZibSoundTheme::lookup_data()
{
    QTest::addColumn<QString>("theme");
    QTest::addColumn<QString>("sound");
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected"); // {H}/, {S}/: the two temporary roots; "" = not found

    QTest::newRow(".oga before .wav") << "mytheme"
                                      << "bell"
                                      << "stereo"
                                      << ""
                                      << "{H}/mytheme/stereo/bell.oga";
    QTest::newRow("empty profile is stereo") << "mytheme"
                                             << "bell"
                                             << ""
                                             << ""
                                             << "{H}/mytheme/stereo/bell.oga";
    QTest::newRow("matching profile first") << "mytheme"
                                            << "bell"
                                            << "5.1"
                                            << ""
                                            << "{H}/mytheme/5.1/bell.ogg";
    QTest::newRow("locale directory first") << "mytheme"
                                            << "bell"
                                            << "stereo"
                                            << "de_DE.UTF-8"
                                            << "{H}/mytheme/stereo/de/bell.wav";
    QTest::newRow("unknown locale falls back") << "mytheme"
                                               << "bell"
                                               << "stereo"
                                               << "fr_FR"
                                               << "{H}/mytheme/stereo/bell.oga";
    QTest::newRow("inherited theme") << "mytheme"
                                     << "message"
                                     << "stereo"
                                     << ""
                                     << "{S}/base/stereo/message.ogg";
    QTest::newRow("freedesktop fallback") << "mytheme"
                                          << "complete"
                                          << "stereo"
                                          << ""
                                          << "{S}/freedesktop/stereo/complete.oga";
    QTest::newRow("unknown theme uses freedesktop") << "nosuch"
                                                    << "complete"
                                                    << "stereo"
                                                    << ""
                                                    << "{S}/freedesktop/stereo/complete.oga";
    QTest::newRow("empty theme is freedesktop") << ""
                                                << "message"
                                                << ""
                                                << ""
                                                << "{S}/freedesktop/stereo/message.oga";
    QTest::newRow("name shortened at dashes") << "mytheme"
                                              << "message-new-instant"
                                              << ""
                                              << ""
                                              << "{S}/base/stereo/message.ogg";
    QTest::newRow("longest name wins") << "mytheme"
                                       << "message-new-email"
                                       << ""
                                       << ""
                                       << "{S}/base/stereo/message-new-email.wav";
    QTest::newRow("loose file") << "mytheme"
                                << "loose"
                                << ""
                                << ""
                                << "{S}/loose.wav";
    QTest::newRow("unlisted directory ignored") << "mytheme"
                                                << "secret"
                                                << ""
                                                << ""
                                                << "";
    QTest::newRow("missing") << "mytheme"
                             << "nothing-here"
                             << ""
                             << ""
                             << "";
    QTest::newRow("empty name") << "mytheme"
                                << ""
                                << ""
                                << ""
                                << "";
    QTest::newRow("path in name") << "mytheme"
                                  << "../base/stereo/message"
                                  << ""
                                  << ""
                                  << "";
    QTest::newRow("path in theme") << "../sounds/base"
                                   << "bell"
                                   << ""
                                   << ""
                                   << "";
    QTest::newRow("dot name") << "mytheme"
                              << "."
                              << ""
                              << ""
                              << "";
}

void TestZibSoundTheme::lookup()
{
    QFETCH(QString, theme);
    QFETCH(QString, sound);
    QFETCH(QString, profile);
    QFETCH(QString, locale);
    QFETCH(QString, expected);

    expected.replace(QStringLiteral("{H}/"), home()).replace(QStringLiteral("{S}/"), system());
    const ZibSoundTheme soundTheme(theme, QString());
    QCOMPARE(QString::fromUtf8(soundTheme.getSoundFilePath(sound, profile, locale)), expected);
}

void TestZibSoundTheme::currentThemeFromEnvironment()
{
    QCOMPARE(QString::fromUtf8(
                 ZibSoundTheme::getSoundFilePathFromCurrentTheme(QStringLiteral("message"), QString(), QString())),
             system() + "freedesktop/stereo/message.oga");
    // The theme chosen in the desktop's settings, then the variable over it.
    const QString config = m_home->path() + "/config";
    qputenv("XDG_CONFIG_HOME", config.toUtf8());
    writeFile(config + "/gtk-3.0/settings.ini", "[Settings]\ngtk-sound-theme-name=mytheme\n");
    QCOMPARE(QString::fromUtf8(
                 ZibSoundTheme::getSoundFilePathFromCurrentTheme(QStringLiteral("message"), QString(), QString())),
             system() + "base/stereo/message.ogg");
    writeFile(config + "/gtk-3.0/settings.ini", "[Settings]\ngtk-sound-theme-name=none-such\n");
    qputenv("ZIB_SOUND_THEME", "mytheme");
    QCOMPARE(QString::fromUtf8(
                 ZibSoundTheme::getSoundFilePathFromCurrentTheme(QStringLiteral("message"), QString(), QString())),
             system() + "base/stereo/message.ogg");
    qunsetenv("XDG_CONFIG_HOME");
    QCOMPARE(ZibSoundTheme(QStringLiteral(" mytheme "), QString()).themeName(), QStringLiteral("mytheme"));
    QCOMPARE(ZibSoundTheme(QString(), QString()).themeName(), QStringLiteral("freedesktop"));
}

void TestZibSoundTheme::inheritanceLoopEnds()
{
    writeFile(home() + "a/index.theme", "[Sound Theme]\nInherits=b\nDirectories=stereo\n");
    writeFile(home() + "b/index.theme", "[Sound Theme]\nInherits=a,b\nDirectories=stereo\n");
    writeFile(home() + "b/stereo/tick.oga");
    QCOMPARE(QString::fromUtf8(ZibSoundTheme(QStringLiteral("a"), QString())
                                   .getSoundFilePath(QStringLiteral("tick"), QString(), QString())),
             home() + "b/stereo/tick.oga");
    QVERIFY(ZibSoundTheme(QStringLiteral("a"), QString())
                .getSoundFilePath(QStringLiteral("nowhere"), QString(), QString())
                .isEmpty());
}

void TestZibSoundTheme::userDirWinsOverSystemDir()
{
    writeFile(system() + "mytheme/index.theme", "[Sound Theme]\nDirectories=stereo\n");
    writeFile(system() + "mytheme/stereo/bell.oga");
    QCOMPARE(QString::fromUtf8(ZibSoundTheme(QStringLiteral("mytheme"), QString())
                                   .getSoundFilePath(QStringLiteral("bell"), QString(), QString())),
             home() + "mytheme/stereo/bell.oga");
    // A theme folder without index.theme is still searched in its stereo directory.
    writeFile(home() + "bare/stereo/ping.wav");
    QCOMPARE(QString::fromUtf8(ZibSoundTheme(QStringLiteral("bare"), QString())
                                   .getSoundFilePath(QStringLiteral("ping"), QString(), QString())),
             home() + "bare/stereo/ping.wav");
}

QTEST_GUILESS_MAIN(TestZibSoundTheme)
#include "tst_zibsoundtheme.moc"
