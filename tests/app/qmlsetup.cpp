#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QUrl>
#include <QtQuickTest>

// Gives the program's documents what main() publishes: a stand-in for the
// single-application object and for the tray, both recording what they get.
// A fake Zib.NotesBase comes first on the import path, so the main page runs
// against a controller and a list whose calls the tests can read back.
class AppQmlSetup : public QObject
{
    Q_OBJECT

public slots:
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        engine->addImportPath(QStringLiteral(ZIB_APP_TEST_FAKES));
        QQmlContext *context = engine->rootContext();
        context->setContextProperty(QStringLiteral("appQmlDir"),
                                    QUrl::fromLocalFile(QStringLiteral(ZIB_APP_QML_DIR)).toString());
        context->setContextProperty(QStringLiteral("showWindowOnStart"), false);
        context->setContextProperty(QStringLiteral("singleApp"), create(engine, "FakeSingleApp.qml"));
        context->setContextProperty(QStringLiteral("tray"), create(engine, "FakeTray.qml"));
    }

private:
    QObject *create(QQmlEngine *engine, const char *file)
    {
        QQmlComponent component(engine, QUrl::fromLocalFile(QStringLiteral(ZIB_APP_TEST_FAKES "/") + file));
        QObject *object = component.create();
        if (!object)
            qFatal("%s", qPrintable(component.errorString()));
        object->setParent(engine);
        return object;
    }
};

QUICK_TEST_MAIN_WITH_SETUP(tst_app_qml, AppQmlSetup)
#include "qmlsetup.moc"
