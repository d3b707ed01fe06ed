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
        // The window's first page cannot be closed; note pages go above it.
        initialPage: Component { ZibPage { title: "Notes" } }
    }

    NotesController {
        id: notesController
    }

    // A second collection over the same directory, for notes saved while
    // the controller's model is switched off.
    Loader {
        id: otherModel
        active: false
        sourceComponent: Component { NotesModel {} }
    }

    SignalSpy {
        id: removedSpy
        target: notesController
        signalName: "noteRemoved"
    }

    PageTestCase {
        name: "TextNotePage"
        zibRoot: zibRoot
        controller: notesController

        property int baseDepth: 0
        readonly property string pageUrl: "qrc:/qml/TextNotePage.qml"

        function initTestCase() {
            zibRoot.show()
            tryCompare(zibRoot, "visible", true)
            baseDepth = zibRoot.pageDepth
        }

        function cleanup() {
            closeAll(baseDepth)
            notesController.isWidget = false
            notesController.modelLoader.active = true
            removedSpy.clear()
        }

        function contentEditor(page) {
            return child(page, "noteTextEdit")
        }

        function test_newNoteOkGatedByChangeAndContent() {
            var note = createNote(Note.TextType)
            var page = openNote(pageUrl, note, true)
            compare(page.title, "New text note")
            verify(page.showOkButton)
            verify(!page.okButtonEnabled, "nothing changed yet")

            click(page._textEditTitle)
            typeText("x")
            verify(page._changed)
            verify(page.okButtonEnabled, "a title alone can be saved")

            keyClick(Qt.Key_Backspace)
            compare(page._textEditTitle.text, "")
            verify(page._changed)
            verify(!page.okButtonEnabled, "title and content empty")

            click(contentEditor(page))
            typeText("y")
            verify(page.okButtonEnabled)
        }

        // Every control of the page, viewing and editing, has a name.
        function test_everyControlHasAName() {
            var note = storedNote(Note.TextType, function(n) { n.title = "Named"; n.text = "x" })
            var page = openNote(pageUrl, note, false)
            enterEditing(page)
            var count = 0
            function walk(item) {
                if (item.visible && (item.focusPolicy !== undefined || item.activeFocusOnTab)) {
                    verify(item.Accessible.name !== "", "a control without a name: " + item + " " + item.objectName)
                    ++count
                }
                for (var i = 0; i < item.children.length; ++i)
                    walk(item.children[i])
            }
            walk(page)
            verify(count >= 7, "controls found: " + count)
        }

        // Tab goes from the title to the text; Ctrl+S saves as OK does.
        function test_tabAndCtrlS() {
            var note = createNote(Note.TextType)
            var page = openNote(pageUrl, note, true)
            click(page._textEditTitle)
            typeText("T")
            keyClick(Qt.Key_Tab)
            compare(page._textEditTitle.text, "T")
            verify(contentEditor(page).activeFocus)
            typeText("body")
            keyClick(Qt.Key_S, Qt.ControlModifier)
            pageClosed(page, baseDepth)
            compare(note.title, "T")
            compare(note.text, "body")
            verify(note.loaded)
        }

        function test_existingNoteStartsViewing() {
            var note = storedNote(Note.TextType, function(n) { n.title = "Shopping"; n.text = "eggs" })
            var page = openNote(pageUrl, note, false)
            compare(page.state, "")
            compare(page.title, "Shopping")
            verify(!page.showOkButton)
            verify(page._textEditTitle.readOnly)
            verify(contentEditor(page).readOnly)
            verify(!child(page, "editToolbar").visible)
            verify(!child(page, "notifyDateLabel").visible, "no reminder, no reminder date")
            verify(child(page, "modifyDateLabel").text.indexOf(Qt.formatDateTime(note.modifyDate, "dd.MM.yyyy hh:mm")) > 0)
            // Typing while viewing changes nothing.
            click(contentEditor(page))
            typeText("zz")
            compare(contentEditor(page).text, "eggs")
            verify(!page._changed)

            enterEditing(page)
            verify(!page._textEditTitle.readOnly)
            verify(!page.okButtonEnabled, "editing alone is no change")
            verify(child(page, "editButton").opacity < 1)
        }

        function test_markupTitleShownAsText() {
            var note = storedNote(Note.TextType, function(n) { n.title = "<i>x</i>"; n.text = "<img src=\"nothing.png\">" })
            var page = openNote(pageUrl, note, false)
            compare(page.title, "<i>x</i>")
            verify(page.titleLabel.contentWidth > page.titleLabel.font.pixelSize * 2, "tags shown")
            compare(page._textEditTitle.text, "<i>x</i>")
            compare(contentEditor(page).text, "<img src=\"nothing.png\">")
            compare(contentEditor(page).lineCount, 1)
        }

        function test_doubleClickPlacesCursor() {
            var note = storedNote(Note.TextType, function(n) { n.title = "Title"; n.text = "abcdefghij" })
            var page = openNote(pageUrl, note, false)
            var editor = contentEditor(page)
            var area = page._mouseArea
            var point = editor.mapToItem(area, editor.positionToRectangle(4).x + 1, editor.positionToRectangle(4).y + 2)
            mouseDoubleClickSequence(area, point.x, point.y)
            waitForEditing(page)
            verify(editor.activeFocus)
            compare(editor.cursorPosition, 4)
        }

        function test_saveNewNoteTitleFromFirstLine_data() {
            return [
                { tag: "short text", title: "", text: "milk", expectedTitle: "milk" },
                { tag: "two lines", title: "", text: "milk\nbread", expectedTitle: "milk..." },
                { tag: "typed title", title: "Plan", text: "milk\nbread", expectedTitle: "Plan" },
                { tag: "markup stays text", title: "", text: "<b>bold</b>", expectedTitle: "<b>bold</b>" },
            ]
        }

        function test_saveNewNoteTitleFromFirstLine(data) {
            var note = createNote(Note.TextType)
            var page = openNote(pageUrl, note, true)
            if (data.title) {
                click(page._textEditTitle)
                typeText(data.title)
            }
            click(contentEditor(page))
            typeText(data.text)
            pressOk(page)
            pageClosed(page, baseDepth)

            verify(note.loaded)
            verify(note.file !== "")
            compare(note.title, data.expectedTitle)
            compare(note.text, data.text)
            var path = notePath(note)
            compare(testHelper.iniValue(path, "title"), data.expectedTitle)
            compare(testHelper.iniValue(path, "text"), data.text)
            verify(notesController.model.getNoteData(note.file), "listed by the collection")
        }

        function test_longFirstLineIsCutAtTheVisualLine() {
            var note = createNote(Note.TextType)
            var page = openNote(pageUrl, note, true)
            click(contentEditor(page))
            var words = "one two three four five six seven eight nine ten eleven twelve thirteen fourteen fifteen"
            typeText(words)
            verify(contentEditor(page).lineCount > 1, "the text wraps")
            pressOk(page)
            pageClosed(page, baseDepth)
            verify(note.title.length < words.length + 3)
            compare(note.title.slice(-3), "...")
            verify(words.indexOf(note.title.slice(0, -3)) === 0)
        }

        function test_cancelWithoutChangesClosesAtOnce() {
            var note = storedNote(Note.TextType, function(n) { n.title = "Keep" })
            var page = openNote(pageUrl, note, false)
            enterEditing(page)
            pressClose(page)
            pageClosed(page, baseDepth)
            compare(note.title, "Keep")
        }

        function test_cancelWithChangesAsksAndReloads() {
            var note = storedNote(Note.TextType, function(n) { n.title = "Keep"; n.bgColor = "#336699" })
            var page = openNote(pageUrl, note, false)
            enterEditing(page)
            // A colour choice reaches the note object at once.
            click(child(page, "bgColorButton"))
            mouseClick(dialogItem("swatch15"))
            answer(true)
            verify(Qt.colorEqual(note.bgColor, "#d32f2f"))
            click(page._textEditTitle)
            keyClick(Qt.Key_End)
            typeText("X")
            compare(page._textEditTitle.text, "KeepX")

            pressClose(page)
            compare(dialogItem("messageLabel").text, "You have unsaved data. Do you still want to continue?")
            // Declining keeps the page and the edits.
            answer(false)
            compare(zibRoot.currentPage, page)
            compare(page._textEditTitle.text, "KeepX")

            pressClose(page)
            answer(true)
            pageClosed(page, baseDepth)
            compare(note.title, "Keep")
            compare(String(note.bgColor), "#336699")
            compare(testHelper.iniValue(notePath(note), "title"), "Keep")
        }

        function test_cancelNewNoteWritesNothing() {
            var before = testHelper.noteFiles()
            var note = createNote(Note.TextType)
            var page = openNote(pageUrl, note, true)
            click(contentEditor(page))
            typeText("draft")
            pressClose(page)
            answer(true)
            pageClosed(page, baseDepth)
            verify(!note.loaded)
            compare(note.file, "")
            compare(testHelper.noteFiles(), before)
        }

        // A page for a note that was never saved has nothing to delete; an
        // empty name must not reach the collection, where it would match
        // every file of the notes directory.
        function test_deleteUnsavedNoteRemovesNothing() {
            var kept = storedNote(Note.TextType, function(n) { n.title = "Other" })
            var before = testHelper.noteFiles()
            verify(before.length > 0)
            var note = createNote(Note.TextType)
            var page = openNote(pageUrl, note, false)
            click(child(page, "removeButton"))
            answer(true)
            pageClosed(page, baseDepth)
            compare(testHelper.noteFiles(), before)
            verify(testHelper.fileExists(notePath(kept)))
        }

        function test_colourWithTransparencyStoredOpaque() {
            var note = storedNote(Note.TextType, function(n) { n.title = "Colour" })
            var page = openNote(pageUrl, note, false)
            enterEditing(page)
            verify(!page.okButtonEnabled)
            click(child(page, "bgColorButton"))
            var swatch = dialogItem("swatch18")
            mouseClick(swatch)
            var opacity = dialogItem("slider_alpha")
            mouseClick(opacity, opacity.width / 2, opacity.height / 2)
            answer(true)
            verify(page._changed, "changed")
            verify(page.okButtonEnabled, "OK enabled")
            verify(note.bgColor.a > 0.3 && note.bgColor.a < 0.7, "half transparent: " + note.bgColor.a)
            compare(String(Qt.rgba(note.bgColor.r, note.bgColor.g, note.bgColor.b, 1)), "#303f9f")
            verify(Qt.colorEqual(page.centerRect.color, note.bgColor), "shown " + page.centerRect.color)

            click(child(page, "fgColorButton"))
            mouseClick(dialogItem("swatch23"))
            answer(true)
            verify(Qt.colorEqual(note.fgColor, "#000000"), "foreground " + note.fgColor)

            pressOk(page)
            pageClosed(page, baseDepth)
            compare(testHelper.iniValue(notePath(note), "background-color"), "#303f9f")
            compare(testHelper.iniValue(notePath(note), "foreground-color"), "#000000")
        }

        function test_deleteWhileModelInactive_data() {
            return [ { tag: "window", widget: false }, { tag: "widget", widget: true } ]
        }

        function test_deleteWhileModelInactive(data) {
            otherModel.active = true
            var note = createNote(Note.TextType)
            note.title = "Gone"
            otherModel.item.addItem(note)
            var file = note.file
            verify(testHelper.fileExists(notePath(note)))
            notesController.modelLoader.active = false
            notesController.isWidget = data.widget

            var page = openNote(pageUrl, note, false)
            click(child(page, "removeButton"))
            compare(dialogItem("messageLabel").text, "Do you really want to delete this note?")
            answer(true)
            pageClosed(page, baseDepth)

            verify(!notesController.modelLoader.active, "switched off again")
            verify(!testHelper.fileExists(testHelper.notesDirectory() + "/" + file))
            verify(testHelper.readFile(testHelper.notesDirectory() + "/notes.conf").indexOf("[Notes/" + file) < 0)
            compare(removedSpy.count, data.widget ? 1 : 0)
            otherModel.active = false
        }

        function test_deleteCanBeDeclined() {
            var note = storedNote(Note.TextType, function(n) { n.title = "Stay" })
            var page = openNote(pageUrl, note, false)
            click(child(page, "removeButton"))
            answer(false)
            compare(zibRoot.currentPage, page)
            verify(testHelper.fileExists(notePath(note)))
        }
    }
}
