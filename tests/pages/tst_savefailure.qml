import QtQuick 2.3
import QtTest 1.2
import Zib.Components 1.0
import Zib.NotesBase 1.0

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

    // A note that cannot be written stays on its page with the edit, and the
    // page says in one line why; once the cause is gone, OK saves it.
    PageTestCase {
        name: "SaveFailure"
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

        function errorLine(page) {
            return findChild(page, "saveErrorLine")
        }

        function test_failedSaveKeepsPageAndEdit() {
            var note = storedNote(Note.TextType, function(n) { n.title = "Old"; n.text = "old text" })
            var path = notePath(note)
            var before = testHelper.readFile(path)
            // A directory where the note file belongs: it cannot be replaced.
            testHelper.removeFile(path)
            verify(testHelper.makeDirectory(path))

            var page = openNote("qrc:/qml/TextNotePage.qml", note, false)
            verify(!errorLine(page).visible)
            enterEditing(page)
            click(child(page, "noteTextEdit"))
            keyClick(Qt.Key_End)
            typeText(" and new")
            pressOk(page)
            wait(50)
            compare(zibRoot.currentPage, page, "the page stays open")
            compare(zibRoot.pageDepth, baseDepth + 1)
            verify(page._isEditing)
            compare(child(page, "noteTextEdit").text, "old text and new")
            verify(errorLine(page).visible)
            var message = findChild(errorLine(page), "messageLabel").text
            verify(message.indexOf("The note could not be saved: ") === 0, message)
            verify(message.length > "The note could not be saved: ".length)
            verify(note.saveError !== "")

            testHelper.removeFile(path)
            testHelper.writeFile(path, before)
            pressOk(page)
            pageClosed(page, baseDepth)
            compare(note.saveError, "")
            compare(testHelper.iniValue(path, "text"), "old text and new")
        }

        function test_failedAddKeepsNewNote() {
            var conf = testHelper.notesDirectory() + "/notes.conf"
            var before = testHelper.readFile(conf)
            testHelper.removeFile(conf)
            verify(testHelper.makeDirectory(conf))

            var note = createNote(Note.TextType)
            var page = openNote("qrc:/qml/TextNotePage.qml", note, true)
            click(child(page, "noteTextEdit"))
            typeText("new")
            pressOk(page)
            wait(50)
            compare(zibRoot.currentPage, page, "the page stays open")
            verify(!note.loaded, "still a new note")
            compare(note.file, "")
            verify(errorLine(page).visible)
            compare(notesController.model.lastError.indexOf("The note could not be added: "), 0)

            testHelper.removeFile(conf)
            testHelper.writeFile(conf, before)
            pressOk(page)
            pageClosed(page, baseDepth)
            verify(note.loaded)
            verify(notesController.model.getNoteData(note.file), "listed by the collection")
        }
    }
}
