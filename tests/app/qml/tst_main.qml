import QtQuick 2.3
import QtTest 1.0
import Zib.NotesBase 1.0

// main.qml with stand-ins for singleApp and tray (see qmlsetup.cpp); the
// window starts hidden, as after a start with a task value.
TestCase {
    id: testCase
    name: "MainWindow"

    property var window: null

    SignalSpy {
        id: traySpy
        target: testCase.window
        signalName: "showNoteInTray"
    }
    SignalSpy {
        id: showSpy
        target: testCase.window
        signalName: "showNoteOnStart"
    }
    SignalSpy {
        id: createSpy
        target: testCase.window
        signalName: "createNoteOnStart"
    }

    function init() {
        var component = Qt.createComponent(appQmlDir + "/main.qml")
        compare(component.status, Component.Ready, component.errorString())
        window = createTemporaryObject(component, testCase)
        verify(window)
        traySpy.clear()
        showSpy.clear()
        createSpy.clear()
        tray.reset()
    }

    function pendingTimer() {
        var timer = findChild(window, "parseSingleAppMessageTimer")
        verify(timer)
        return timer
    }

    function test_window() {
        compare(window.minimumWidth, 360)
        compare(window.minimumHeight, 400)
        compare(window.rememberGeometry, true)
        compare(window.title, "Notes")
        compare(window.icon, "zib-notes")
        compare(window.showOnStart, false)
        compare(window.visible, false)
        var timer = pendingTimer()
        compare(timer.interval, 500)
        compare(timer.repeat, false)
        compare(timer.running, false)
        compare(timer.message, "")
    }

    function test_message_data() {
        return [
            { tag: "raise", message: "raise", tray: "", show: "", create: false, raised: true },
            { tag: "noteId", message: "noteId 5", tray: "5", show: "", create: false, raised: false },
            { tag: "noteId alone", message: "noteId", tray: "", show: "", create: false, raised: false },
            { tag: "noteId 0", message: "noteId 0", tray: "", show: "", create: false, raised: false },
            { tag: "noteId two spaces", message: "noteId  5", tray: "", show: "", create: false, raised: false },
            { tag: "noteId extra parts", message: "noteId 5 6", tray: "5", show: "", create: false, raised: false },
            { tag: "noteId prefix only", message: "noteIdx 5", tray: "5", show: "", create: false, raised: false },
            { tag: "showId", message: "showId 5", tray: "", show: "5", create: false, raised: true },
            { tag: "showId 0", message: "showId 0", tray: "", show: "", create: false, raised: true },
            { tag: "showId alone", message: "showId", tray: "", show: "", create: false, raised: true },
            { tag: "showId with space", message: "showId 4 5", tray: "", show: "4", create: false, raised: true },
            { tag: "createNote", message: "createNote", tray: "", show: "", create: true, raised: true },
            { tag: "onStart alone", message: "onStart", tray: "", show: "", create: false, raised: true },
            { tag: "unknown", message: "hello", tray: "", show: "", create: false, raised: true },
            { tag: "empty", message: "", tray: "", show: "", create: false, raised: true }
        ]
    }

    function test_message(data) {
        window.parseSingleAppMessage(data.message)
        compare(pendingTimer().running, false)
        compare(traySpy.count, data.tray === "" ? 0 : 1)
        if (data.tray !== "") {
            compare(traySpy.signalArguments[0][0], data.tray)
            // The main page hands the note's path to the tray.
            compare(tray.shownPaths, ["/notes/" + data.tray])
        }
        compare(showSpy.count, data.show === "" ? 0 : 1)
        if (data.show !== "")
            compare(showSpy.signalArguments[0][0], data.show)
        compare(createSpy.count, data.create ? 1 : 0)
        compare(window.visible, data.raised)
    }

    function test_ownStartMessageIsDeferred() {
        window.parseSingleAppMessage("showId 5 onStart")
        var timer = pendingTimer()
        compare(timer.running, true)
        compare(timer.message, "showId 5")
        compare(showSpy.count, 0)
        compare(window.visible, false)
        showSpy.wait(5000)
        compare(showSpy.count, 1)
        compare(showSpy.signalArguments[0][0], "5")
        compare(window.visible, true)
    }

    function test_taskStartMessageKeepsTheWindowHidden() {
        window.parseSingleAppMessage("noteId 3 onStart")
        traySpy.wait(5000)
        compare(traySpy.signalArguments[0][0], "3")
        compare(tray.shownPaths, ["/notes/3"])
        compare(window.visible, false)
    }

    function test_newerPendingMessageReplacesTheOlder() {
        window.parseSingleAppMessage("showId 5 onStart")
        window.parseSingleAppMessage("noteId 6   onStart")
        compare(pendingTimer().message, "noteId 6")
        traySpy.wait(5000)
        compare(traySpy.count, 1)
        compare(traySpy.signalArguments[0][0], "6")
        compare(pendingTimer().running, false)
        compare(showSpy.count, 0)
        compare(window.visible, false)
    }

    function test_singleAppMessagesReachTheWindow() {
        singleApp.messageReceived("showId 8")
        compare(showSpy.count, 1)
        compare(showSpy.signalArguments[0][0], "8")
        singleApp.messageReceived("createNote onStart")
        compare(createSpy.count, 0)
        createSpy.wait(5000)
        compare(createSpy.count, 1)
    }
}
