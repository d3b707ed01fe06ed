#include "notessandbox.h"

#include "listnote.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

// The check-list page edits the two lists as JavaScript arrays; every edit
// must reach the note as a write of its property.
class TestListNoteQml : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void arrayEdits_data();
    void arrayEdits();
    void readsAsArray();
    void iterableThroughVariant();

private:
    QVariant call(const char *function);

    NotesSandbox m_sandbox;
    QQmlEngine m_engine;
    std::unique_ptr<QObject> m_script;
    std::unique_ptr<ListNote> m_note;
};

void TestListNoteQml::initTestCase()
{
    QVERIFY(m_sandbox.isSafe());
    QQmlComponent component(&m_engine);
    component.setData(R"(
        import QtQml 2.15
        QtObject {
            property var note
            function elementWrite() { note.checked[1] = true; note.texts[0] = "X" }
            function push() { note.checked.push(true); note.texts.push("pushed") }
            function unshift() { note.checked.unshift(true); note.texts.unshift("first") }
            function spliceRemove() { note.checked.splice(1, 1); note.texts.splice(1, 1) }
            function spliceInsert() { note.checked.splice(1, 0, true); note.texts.splice(1, 0, "inserted") }
            function spliceReplace() { note.checked.splice(0, 2, false); note.texts.splice(0, 2, "r") }
            function assignArrays() { note.checked = [true, true, false, true]; note.texts = ["p", "q", "r", "s"] }
            function shrinkLength() { note.checked.length = 1; note.texts.length = 1 }
            function readBack() {
                var t = note.texts, c = note.checked
                return t.length + ":" + t.join("|") + ":" + c.map(function(x) { return x ? 1 : 0 }).join("")
                    + ":" + typeof c[0] + ":" + (t.indexOf("b") >= 0)
            }
        }
    )",
                      QUrl());
    m_script.reset(component.create());
    QVERIFY2(m_script, qPrintable(component.errorString()));
}

void TestListNoteQml::init()
{
    m_note = std::make_unique<ListNote>();
    QQmlEngine::setObjectOwnership(m_note.get(), QQmlEngine::CppOwnership);
    m_note->setChecked({ false, false, false });
    m_note->setTexts({ "a", "b", "c" });
    m_script->setProperty("note", QVariant::fromValue<QObject *>(m_note.get()));
}

QVariant TestListNoteQml::call(const char *function)
{
    QVariant result;
    const bool ok = QMetaObject::invokeMethod(m_script.get(), function, Q_RETURN_ARG(QVariant, result));
    if (!ok)
        qWarning("cannot call %s", function);
    return result;
}

void TestListNoteQml::arrayEdits_data()
{
    QTest::addColumn<QByteArray>("function");
    QTest::addColumn<QList<bool>>("checked");
    QTest::addColumn<QList<QString>>("texts");
    QTest::newRow("element write") << QByteArray("elementWrite") << QList<bool> { false, true, false }
                                   << QList<QString> { "X", "b", "c" };
    QTest::newRow("push") << QByteArray("push") << QList<bool> { false, false, false, true }
                          << QList<QString> { "a", "b", "c", "pushed" };
    QTest::newRow("unshift") << QByteArray("unshift") << QList<bool> { true, false, false, false }
                             << QList<QString> { "first", "a", "b", "c" };
    QTest::newRow("splice remove") << QByteArray("spliceRemove") << QList<bool> { false, false }
                                   << QList<QString> { "a", "c" };
    QTest::newRow("splice insert") << QByteArray("spliceInsert") << QList<bool> { false, true, false, false }
                                   << QList<QString> { "a", "inserted", "b", "c" };
    QTest::newRow("splice replace") << QByteArray("spliceReplace") << QList<bool> { false, false }
                                    << QList<QString> { "r", "c" };
    QTest::newRow("assign arrays") << QByteArray("assignArrays") << QList<bool> { true, true, false, true }
                                   << QList<QString> { "p", "q", "r", "s" };
    QTest::newRow("shrink length") << QByteArray("shrinkLength") << QList<bool> { false } << QList<QString> { "a" };
}

void TestListNoteQml::arrayEdits()
{
    QFETCH(QByteArray, function);
    QFETCH(QList<bool>, checked);
    QFETCH(QList<QString>, texts);
    QSignalSpy checkedSpy(m_note.get(), &ListNote::checkedChanged);
    QSignalSpy textsSpy(m_note.get(), &ListNote::textsChanged);
    call(function.constData());
    QCOMPARE(m_note->checked(), checked);
    QCOMPARE(m_note->texts(), texts);
    QVERIFY(checkedSpy.count() >= 1);
    QVERIFY(textsSpy.count() >= 1);
}

void TestListNoteQml::readsAsArray()
{
    m_note->setChecked({ true, false, true });
    QCOMPARE(call("readBack").toString(), QStringLiteral("3:a|b|c:101:boolean:true"));
}

void TestListNoteQml::iterableThroughVariant()
{
    m_note->setChecked({ true, false });
    const QVariant checked = m_note->property("checked");
    QVERIFY(checked.canConvert<QVariantList>());
    QCOMPARE(checked.value<QVariantList>(), QVariantList({ true, false }));
    const QVariant texts = m_note->property("texts");
    QVERIFY(texts.canConvert<QVariantList>());
    QStringList walked;
    for (const QVariant &text : texts.value<QSequentialIterable>())
        walked << text.toString();
    QCOMPARE(walked, QStringList({ "a", "b", "c" }));
}

QTEST_MAIN(TestListNoteQml)
#include "tst_listnoteqml.moc"
