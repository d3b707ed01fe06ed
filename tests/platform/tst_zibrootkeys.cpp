#include <QPointer>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>

// Esc and Back leave the current page through its cancel rule; this needs a
// real window with keyboard focus, which the QML test harness does not give.
class TestZibRootKeys : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void escapeLeavesPage_data();
    void escapeLeavesPage();
    void showOnStartShowsWindow();
    void keysGoToTheOpenDialog_data();
    void keysGoToTheOpenDialog();
    void mouseOnPageButtons_data();
    void mouseOnPageButtons();

private:
    QQuickWindow *load(QQmlApplicationEngine &engine, bool showOnStart);
    // A shown, active window with one test page pushed; null on failure.
    QQuickWindow *windowWithPage(QQmlApplicationEngine &engine, bool keepOpen, QVariant *page);
};

void TestZibRootKeys::initTestCase()
{
    QVERIFY(QFileInfo::exists(QStringLiteral(ZIB_QML_BUILD_DIR "/Zib/Components/qmldir")));
}

QQuickWindow *TestZibRootKeys::load(QQmlApplicationEngine &engine, bool showOnStart)
{
    engine.addImportPath(QStringLiteral(ZIB_QML_BUILD_DIR));
    engine.rootContext()->setContextProperty(QStringLiteral("testShowOnStart"), showOnStart);
    engine.load(QUrl::fromLocalFile(QStringLiteral(ZIB_TEST_DATA_DIR "/KeysWindow.qml")));
    if (engine.rootObjects().isEmpty())
        return nullptr;
    return qobject_cast<QQuickWindow *>(engine.rootObjects().first());
}

void TestZibRootKeys::escapeLeavesPage_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("keepOpen");
    QTest::addColumn<int>("expectedDepth");

    QTest::newRow("Esc closes") << int(Qt::Key_Escape) << false << 1;
    QTest::newRow("Back closes") << int(Qt::Key_Back) << false << 1;
    QTest::newRow("Esc with cancel returning true") << int(Qt::Key_Escape) << true << 2;
    QTest::newRow("typing is not leaving") << int(Qt::Key_A) << false << 2;
}

QQuickWindow *TestZibRootKeys::windowWithPage(QQmlApplicationEngine &engine, bool keepOpen, QVariant *page)
{
    QQuickWindow *window = load(engine, true);
    if (!window)
        return nullptr;
    window->requestActivate();
    if (!QTest::qWaitForWindowActive(window))
        return nullptr;
    if (!QMetaObject::invokeMethod(window, "pushTestPage", Q_RETURN_ARG(QVariant, *page), Q_ARG(QVariant, keepOpen)))
        return nullptr;
    return window;
}

void TestZibRootKeys::escapeLeavesPage()
{
    QFETCH(int, key);
    QFETCH(bool, keepOpen);
    QFETCH(int, expectedDepth);

    QQmlApplicationEngine engine;
    QVariant page;
    QQuickWindow *window = windowWithPage(engine, keepOpen, &page);
    QVERIFY(window);
    QCOMPARE(window->property("pageDepth").toInt(), 2);
    // The page's editor has the keyboard, as a note's title editor has while editing.
    auto *editor = page.value<QQuickItem *>()->findChild<QQuickItem *>(QStringLiteral("editor"));
    QVERIFY(editor);
    QTRY_VERIFY(editor->hasActiveFocus());

    QTest::keyClick(window, Qt::Key(key));
    QCOMPARE(window->property("cancelCalls").toInt(), key == Qt::Key_A ? 0 : 1);
    QCOMPARE(window->property("pageDepth").toInt(), expectedDepth);
}

void TestZibRootKeys::showOnStartShowsWindow()
{
    QQmlApplicationEngine shown;
    QQuickWindow *window = load(shown, true);
    QVERIFY(window);
    QVERIFY(window->isVisible());

    QQmlApplicationEngine hidden;
    QQuickWindow *hiddenWindow = load(hidden, false);
    QVERIFY(hiddenWindow);
    QVERIFY(!hiddenWindow->isVisible());
    QMetaObject::invokeMethod(hiddenWindow, "show");
    QVERIFY(hiddenWindow->isVisible());
}

void TestZibRootKeys::keysGoToTheOpenDialog_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("dialogOks");
    QTest::addColumn<int>("dialogCancels");

    QTest::newRow("Esc cancels the dialog only") << int(Qt::Key_Escape) << 0 << 1;
    QTest::newRow("Return confirms the dialog") << int(Qt::Key_Return) << 1 << 0;
}

void TestZibRootKeys::keysGoToTheOpenDialog()
{
    QFETCH(int, key);
    QFETCH(int, dialogOks);
    QFETCH(int, dialogCancels);

    QQmlApplicationEngine engine;
    QVariant page;
    QQuickWindow *window = windowWithPage(engine, false, &page);
    QVERIFY(window);
    QVariant dialogValue;
    QVERIFY(QMetaObject::invokeMethod(window, "openMessage", Q_RETURN_ARG(QVariant, dialogValue)));
    QPointer<QObject> dialog = dialogValue.value<QObject *>(); // a closed dialog destroys itself
    QVERIFY(dialog);
    QTRY_VERIFY(dialog->property("opened").toBool());

    QTest::keyClick(window, Qt::Key(key));
    QCOMPARE(window->property("dialogOks").toInt(), dialogOks);
    QCOMPARE(window->property("dialogCancels").toInt(), dialogCancels);
    QCOMPARE(window->property("cancelCalls").toInt(), 0);
    QCOMPARE(window->property("pageDepth").toInt(), 2);

    // With the dialog gone, Esc leaves the page again.
    QTRY_VERIFY(!dialog || !dialog->property("visible").toBool());
    QTest::keyClick(window, Qt::Key_Escape);
    QCOMPARE(window->property("cancelCalls").toInt(), 1);
    QCOMPARE(window->property("pageDepth").toInt(), 1);
}

void TestZibRootKeys::mouseOnPageButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("okEnabled");
    QTest::addColumn<int>("okCalls");
    QTest::addColumn<int>("cancelCalls");
    QTest::addColumn<int>("expectedDepth");

    QTest::newRow("OK") << "okButton" << true << 1 << 0 << 1;
    QTest::newRow("disabled OK") << "okButton" << false << 0 << 0 << 2;
    QTest::newRow("close") << "closeButton" << true << 0 << 1 << 1;
}

void TestZibRootKeys::mouseOnPageButtons()
{
    QFETCH(QString, button);
    QFETCH(bool, okEnabled);
    QFETCH(int, okCalls);
    QFETCH(int, cancelCalls);
    QFETCH(int, expectedDepth);

    QQmlApplicationEngine engine;
    QQuickWindow *window = load(engine, true);
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));

    QVariant pageValue;
    QVERIFY(
        QMetaObject::invokeMethod(window, "pushOkPage", Q_RETURN_ARG(QVariant, pageValue), Q_ARG(QVariant, okEnabled)));
    auto *page = pageValue.value<QQuickItem *>();
    QVERIFY(page);
    auto *target = page->property(button.toUtf8().constData()).value<QQuickItem *>();
    QVERIFY(target);
    // Let the push transition finish so that the button sits where it is drawn.
    QTRY_COMPARE(page->opacity(), 1.0);
    QTRY_COMPARE(page->y(), 0.0);
    const QPoint centre = target->mapToScene(QPointF(target->width() / 2, target->height() / 2)).toPoint();
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, centre);
    QCOMPARE(window->property("okCalls").toInt(), okCalls);
    QCOMPARE(window->property("cancelCalls").toInt(), cancelCalls);
    QCOMPARE(window->property("pageDepth").toInt(), expectedDepth);
}

QTEST_MAIN(TestZibRootKeys)
#include "tst_zibrootkeys.moc"
