import QtQuick 2.3
import QtTest 1.2
import Zib.Components 1.0
import Zib.NotesBase 1.0
import "../../app/qml/pages/components"

// The undo notice of the main page over the real model: deleting from the
// note page or several at once, then Undo, with the trash of the test's
// temporary data directory.
Item {
    width: 200
    height: 200

    ZibRoot {
        id: root
        width: 480
        height: 640
        showOnStart: true
        initialPage: Component { ZibPage { title: "Notes" } }

        DeleteUndoNotice {
            id: notice
            model: notesController.model
            anchors.bottom: parent.bottom
            anchors.horizontalCenter: parent.horizontalCenter
        }
    }

    NotesController {
        id: notesController
    }

    PageTestCase {
        name: "DeleteUndo"
        zibRoot: root
        controller: notesController

        property int baseDepth: 0

        function initTestCase() {
            root.show()
            tryCompare(root, "visible", true)
            baseDepth = root.pageDepth
        }

        function cleanup() {
            testHelper.releaseNotesLock()
            closeAll(baseDepth)
            notice.showTime = 10000
        }

        function confPath() {
            return testHelper.notesDirectory() + "/notes.conf"
        }

        function groupDate(file) {
            return String(testHelper.iniValue(confPath(), "Notes/" + file + "/modification-date"))
        }

        // Files in the desktop trash of the temporary data directory.
        function trashCount() {
            var data = testHelper.notesDirectory().replace(/\/zib-notes$/, "")
            return testHelper.filesIn(data + "/Trash/files").length
        }

        function test_deleteFromPageThenUndo() {
            var note = storedNote(Note.TextType, function(n) {
                n.title = "Dentist"
                n.text = "Tuesday"
                n.notifyType = Note.RepeatEveryDay
                n.notifyDate = new Date(2031, 0, 1, 8, 15)
            })
            var file = note.file
            var date = groupDate(file)
            verify(date !== "undefined")
            compare(testHelper.crontabLinesFor(file).length, 1)
            verify(!notice.visible)
            var inTrash = trashCount()

            var page = openNote("qrc:/qml/TextNotePage.qml", note, false)
            click(child(page, "removeButton"))
            answer(true)
            pageClosed(page, baseDepth)

            tryVerify(function() { return notice.visible && notice.opacity === 1 })
            compare(child(notice, "deleteUndoText").text, "Note deleted")
            verify(!testHelper.fileExists(notePath(note)))
            compare(trashCount(), inTrash + 1)
            compare(testHelper.crontabLinesFor(file).length, 0)
            verify(!notesController.model.getNoteData(file))

            mouseClick(child(notice, "undoButton"))
            verify(testHelper.fileExists(testHelper.notesDirectory() + "/" + file))
            compare(trashCount(), inTrash)
            compare(groupDate(file), date)
            compare(testHelper.crontabLinesFor(file).length, 1)
            var back = notesController.model.getNoteData(file)
            verify(back)
            back.load()
            compare(back.title, "Dentist")
            compare(back.text, "Tuesday")
            tryVerify(function() { return !notice.visible })
        }

        function test_refusedDeleteAndUndoCanBeTriedAgain() {
            var note = storedNote(Note.TextType, function(n) { n.title = "Busy"; n.text = "day" })
            var file = note.file
            var page = openNote("qrc:/qml/TextNotePage.qml", note, false)
            verify(testHelper.holdNotesLock())
            click(child(page, "removeButton"))
            answer(true)
            // Another program holds the notes: the page stays and says so.
            var line = child(page, "saveErrorLine")
            tryVerify(function() { return line.visible })
            verify(line.text.indexOf("Another program") >= 0, line.text)
            verify(testHelper.fileExists(notePath(note)))
            testHelper.releaseNotesLock()
            click(child(page, "removeButton"))
            answer(true)
            pageClosed(page, baseDepth)
            tryVerify(function() { return notice.visible })

            verify(testHelper.holdNotesLock())
            mouseClick(child(notice, "undoButton"))
            verify(notice.shown, "Undo stays on offer")
            verify(!testHelper.fileExists(testHelper.notesDirectory() + "/" + file))
            testHelper.releaseNotesLock()
            mouseClick(child(notice, "undoButton"))
            verify(testHelper.fileExists(testHelper.notesDirectory() + "/" + file))
        }

        function test_batchDeleteOffersUndoForAWhile() {
            var files = []
            for (var i = 0; i < 3; ++i)
                files.push(storedNote(Note.ListType, function(n) { n.title = "list " + i; n.texts = ["x"]; n.checked = [false] }).file)
            notice.showTime = 300
            notesController.model.removeItems(files)
            tryVerify(function() { return notice.visible })
            compare(child(notice, "deleteUndoText").text, "3 notes deleted")
            // The offer goes after its time; the notes stay deleted.
            tryVerify(function() { return !notice.visible }, 3000)
            for (var j = 0; j < files.length; ++j)
                verify(!notesController.model.getNoteData(files[j]))
        }
    }
}
