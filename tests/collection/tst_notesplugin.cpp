#include "collectionsandbox.h"

#include <QPluginLoader>
#include <QPointer>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QtTest>

// Loads the built module the way an application does, through an import.
class TestNotesPlugin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pluginMetadata();
    void registersPointerTypesAndPages();
    void watcherOutlivesEveryEngine();
    void factoryBelongsToItsEngine();
    void noteIsUncreatable();

private:
    QQmlEngine *newEngine() const;
    QObject *create(QQmlEngine &engine, const QByteArray &body, QString *errors = nullptr) const;

    CollectionSandbox sandbox;
    QString importDir;
};

void TestNotesPlugin::initTestCase()
{
    QVERIFY(sandbox.isSafe());
    importDir = qEnvironmentVariable("ZIB_QML_IMPORT_DIR");
    QVERIFY(QFile::exists(importDir + QStringLiteral("/Zib/NotesBase/qmldir")));
}

QQmlEngine *TestNotesPlugin::newEngine() const
{
    auto *engine = new QQmlEngine;
    engine->addImportPath(importDir);
    return engine;
}

QObject *TestNotesPlugin::create(QQmlEngine &engine, const QByteArray &body, QString *errors) const
{
    QQmlComponent component(&engine);
    component.setData("import QtQml 2.15\nimport Zib.NotesBase 1.0\n" + body, QUrl());
    QObject *object = component.create();
    if (errors)
        *errors = component.errorString();
    else if (!object)
        qWarning("%s", qPrintable(component.errorString()));
    return object;
}

void TestNotesPlugin::pluginMetadata()
{
    QPluginLoader loader(importDir + QStringLiteral("/Zib/NotesBase/libnotesbase.so"));
    const QJsonObject meta = loader.metaData();
    QCOMPARE(meta.value(QStringLiteral("IID")).toString(), QStringLiteral("org.qt-project.Qt.QQmlExtensionInterface"));
    QCOMPARE(meta.value(QStringLiteral("className")).toString(), QStringLiteral("NotesPlugin"));
    QVERIFY(meta.value(QStringLiteral("MetaData")).toObject().isEmpty());
    QObject *first = loader.instance();
    QVERIFY(first);
    QCOMPARE(loader.instance(), first);
}

void TestNotesPlugin::registersPointerTypesAndPages()
{
    QScopedPointer<QQmlEngine> engine(newEngine());
    QScopedPointer<QObject> object(create(*engine, "QtObject { property int type: Note.CanvasType }"));
    QVERIFY(object);
    QCOMPARE(object->property("type").toInt(), 2);
    for (const char *type :
         { "TextNote*", "ListNote*", "CanvasNote*", "AbstractNote::NoteType", "AbstractNote::NotifyType" })
        QVERIFY2(QMetaType::type(type) != QMetaType::UnknownType, type);
    for (const char *page :
         { "NotePage", "TextNotePage", "ListNotePage", "CanvasNotePage", "AddListItemButton", "TaskPage" })
        QVERIFY2(QFile::exists(QStringLiteral(":/qml/%1.qml").arg(QLatin1String(page))), page);
}

void TestNotesPlugin::watcherOutlivesEveryEngine()
{
    QPointer<QObject> first;
    {
        QScopedPointer<QQmlEngine> engine(newEngine());
        QScopedPointer<QObject> object(create(*engine, "QtObject { property QtObject watcher: NoteWatcher }"));
        QVERIFY(object);
        first = object->property("watcher").value<QObject *>();
        QVERIFY(first);
        QCOMPARE(first->metaObject()->className(), "NoteWatcher");
    }
    QVERIFY(first);
    QScopedPointer<QQmlEngine> engine(newEngine());
    QScopedPointer<QObject> object(create(*engine, "QtObject { property QtObject watcher: NoteWatcher }"));
    QVERIFY(object);
    QCOMPARE(object->property("watcher").value<QObject *>(), first.data());
}

void TestNotesPlugin::factoryBelongsToItsEngine()
{
    QPointer<QObject> factory;
    {
        QScopedPointer<QQmlEngine> engine(newEngine());
        QScopedPointer<QObject> object(create(*engine,
                                              "QtObject {\n"
                                              "    property QtObject factory: NoteFactory\n"
                                              "    property QtObject note: NoteFactory.createNote(Note.ListType)\n"
                                              "}"));
        QVERIFY(object);
        factory = object->property("factory").value<QObject *>();
        QVERIFY(factory);
        auto *note = object->property("note").value<QObject *>();
        QVERIFY(note);
        QCOMPARE(note->metaObject()->className(), "ListNote");
    }
    QVERIFY(!factory);
}

void TestNotesPlugin::noteIsUncreatable()
{
    QScopedPointer<QQmlEngine> engine(newEngine());
    QString errors;
    QScopedPointer<QObject> object(create(*engine, "Note {}", &errors));
    QVERIFY(!object);
    QVERIFY2(errors.contains(QStringLiteral("Only for enum and note factory!")), qPrintable(errors));
}

QTEST_GUILESS_MAIN(TestNotesPlugin)
#include "tst_notesplugin.moc"
