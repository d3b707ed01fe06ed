import QtQuick 2.3
import QtTest 1.2
import Zib.Components 1.0
import Zib.NotesBase 1.0

// Quitting from the tray or the end of the session (both reach the pages as
// SessionGuard.saveRequested) keeps what the open page holds.
Item {
    width: 200
    height: 200

    ZibRoot {
        id: zibRoot
        width: 480
        height: 640
        showOnStart: true
        initialPage: Component { ZibPage { title: "Notes" } }
    }

    NotesController {
        id: notesController
    }

    PageTestCase {
        name: "QuitKeepsEdits"
        zibRoot: zibRoot
        controller: notesController

        property int baseDepth: 0

        function initTestCase() {
            zibRoot.show()
            tryCompare(zibRoot, "visible", true)
            baseDepth = zibRoot.pageDepth
        }

        function cleanup() {
            closeAll(baseDepth)
        }

        function test_textEditsAreSaved() {
            var note = storedNote(Note.TextType, function(n) { n.title = "Plan"; n.text = "old" })
            var page = openNote("qrc:/qml/TextNotePage.qml", note, false)
            enterEditing(page)
            var editor = page._contentItem
            click(editor)
            keyClick(Qt.Key_End)
            typeText(" new")
            SessionGuard.saveRequested()
            compare(testHelper.iniValue(notePath(note), "text"), "old new")
            verify(!page._changed)
        }

        function test_newNoteIsAdded() {
            var note = createNote(Note.TextType)
            var page = openNote("qrc:/qml/TextNotePage.qml", note, true)
            click(page._contentItem)
            typeText("call back")
            SessionGuard.saveRequested()
            verify(note.loaded, "added to the collection")
            compare(testHelper.iniValue(notePath(note), "text"), "call back")
            verify(notesController.model.getNoteData(note.file))
        }

        function test_untouchedPageSavesNothing() {
            var note = createNote(Note.TextType)
            openNote("qrc:/qml/TextNotePage.qml", note, true)
            SessionGuard.saveRequested()
            verify(!note.loaded)
        }

        function test_listTicksAreSaved() {
            var note = storedNote(Note.ListType, function(n) { n.title = "List"; n.texts = ["a", "b"]; n.checked = [false, false] })
            var page = openNote("qrc:/qml/ListNotePage.qml", note, false)
            click(child(child(page._contentItem, "entry1"), "tickMouseArea"))
            SessionGuard.saveRequested()
            var stored = testHelper.iniValue(notePath(note), "data/2/checked")
            verify(stored === true || stored === "true", "ticked: " + stored)
        }

        function test_drawingIsMergedAndSaved() {
            var note = createNote(Note.CanvasType)
            note.fgColor = "#0000ff"
            var page = openNote("qrc:/qml/CanvasNotePage.qml", note, true)
            var area = child(page._contentItem, "canvasMouseArea")
            var canvas = child(page._contentItem, "canvas")
            mousePress(area, 20, 40)
            for (var x = 20; x <= 120; x += 5)
                mouseMove(area, x, 40)
            mouseRelease(area, 120, 40)
            tryVerify(function() { return !canvas._strokePending })
            pressOk(page)
            pageClosed(page, baseDepth)
            var first = note.imagePath

            page = openNote("qrc:/qml/CanvasNotePage.qml", note, false)
            canvas = child(page._contentItem, "canvas")
            tryVerify(function() { return canvas.isImageLoaded(canvas._storedUrl) })
            enterEditing(page)
            note.fgColor = "#ff0000"
            area = child(page._contentItem, "canvasMouseArea")
            mousePress(area, 20, 100)
            for (x = 20; x <= 120; x += 5)
                mouseMove(area, x, 100)
            mouseRelease(area, 120, 100)
            tryVerify(function() { return !canvas._strokePending })
            wait(50)
            SessionGuard.saveRequested()
            verify(note.imagePath !== first, "a new picture")
            verify(!testHelper.fileExists(first))
            compare(String(testHelper.pixel(note.imagePath, 70, 40)), "#0000ff")
            compare(String(testHelper.pixel(note.imagePath, 70, 100)), "#ff0000")
        }
    }
}
