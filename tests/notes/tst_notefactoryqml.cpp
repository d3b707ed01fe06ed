#include "notessandbox.h"

#include "abstractnote.h"
#include "notefactory.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QtTest>

#include <memory>

// Creating and using notes from QML, registered the way the module does it.
class TestNoteFactoryQml : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void createFromQml_data();
    void createFromQml();
    void useNoteFromQml();

private:
    QVariant call(const char *function, const QVariant &argument = QVariant());

    NotesSandbox m_sandbox;
    QQmlEngine m_engine;
    std::unique_ptr<QObject> m_script;
};

void TestNoteFactoryQml::initTestCase()
{
    QVERIFY(m_sandbox.isSafe());
    qmlRegisterUncreatableType<AbstractNote>("Test.Notes", 1, 0, "Note", QStringLiteral("enumerations only"));
    qmlRegisterSingletonType<NoteFactory>("Test.Notes", 1, 0, "NoteFactory",
                                          [](QQmlEngine *, QJSEngine *) -> QObject * { return new NoteFactory; });
    QQmlComponent component(&m_engine);
    component.setData(R"(
        import QtQml 2.15
        import Test.Notes 1.0
        QtObject {
            function describe(type) {
                var note = NoteFactory.createNote(type)
                if (note === null)
                    return "null"
                return note.type + ":" + note.loaded + ":" + (note.file === "") + ":" + note.lightColor
            }
            function edit() {
                var note = NoteFactory.createNote(Note.TextType)
                note.title = "From QML"
                note.bgColor = "black"
                note.notifyType = Note.RepeatEveryWeek
                note.text = "body"
                note.load()
                return note.title + ":" + note.lightColor + ":" + note.notifyType + ":" + note.previewText
                    + ":" + Note.RepeatEveryYear + ":" + Note.CanvasType
            }
        }
    )",
                      QUrl());
    m_script.reset(component.create());
    QVERIFY2(m_script, qPrintable(component.errorString()));
}

QVariant TestNoteFactoryQml::call(const char *function, const QVariant &argument)
{
    QVariant result;
    if (argument.isValid())
        QMetaObject::invokeMethod(m_script.get(), function, Q_RETURN_ARG(QVariant, result), Q_ARG(QVariant, argument));
    else
        QMetaObject::invokeMethod(m_script.get(), function, Q_RETURN_ARG(QVariant, result));
    return result;
}

void TestNoteFactoryQml::createFromQml_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("description");
    QTest::newRow("text") << 0 << "0:false:true:#aaaa99";
    QTest::newRow("list") << 1 << "1:false:true:#aaaa99";
    QTest::newRow("canvas") << 2 << "2:false:true:#aaaa99";
    QTest::newRow("unknown") << 3 << "null";
}

void TestNoteFactoryQml::createFromQml()
{
    QFETCH(int, type);
    QFETCH(QString, description);
    QCOMPARE(call("describe", type).toString(), description);
}

void TestNoteFactoryQml::useNoteFromQml()
{
    QCOMPARE(call("edit").toString(), QStringLiteral("From QML:#464646:3:body:5:2"));
}

QTEST_MAIN(TestNoteFactoryQml)
#include "tst_notefactoryqml.moc"
