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

        // Another program saves the note: its file and its date in notes.conf.
        function saveElsewhere(note, title, text) {
            var path = notePath(note)
            testHelper.setIniValue(path, "title", title)
            testHelper.setIniValue(path, "text", text)
            var conf = testHelper.notesDirectory() + "/notes.conf"
            var later = new Date(note.modifyDate.getTime() + 60000)
            testHelper.setIniValue(conf, "Notes/" + note.file + "/modification-date", later)
            NoteWatcher.collectionChanged()
        }

        function test_changeElsewhereShownWhileViewingOfferedWhileEditing() {
            var note = storedNote(Note.TextType, function(n) { n.title = "Plan"; n.text = "first" })
            var viewing = openNote(pageUrl, note, false)
            saveElsewhere(note, "Plan B", "second")
            tryCompare(contentEditor(viewing), "text", "second")
            verify(!child(viewing, "changedElsewhereBar").visible)
            enterEditing(viewing)

            click(contentEditor(viewing))
            keyClick(Qt.Key_End)
            typeText(" mine")
            saveElsewhere(note, "Plan C", "third")
            var bar = child(viewing, "changedElsewhereBar")
            tryVerify(function() { return bar.visible })
            compare(contentEditor(viewing).text, "second mine")
            mouseClick(child(bar, "keepEditingButton"))
            verify(!bar.visible)
            compare(note.title, "Plan B", "nothing was loaded")
            pressOk(viewing)
            tryVerify(function() { return testHelper.iniValue(notePath(note), "text") === "second mine" })
        }

        function test_noteRemovedElsewhereIsKeptAsNew_data() {
            return [{ tag: "editing", editing: true }, { tag: "viewing", editing: false }]
        }

        function test_noteRemovedElsewhereIsKeptAsNew(data) {
            var note = storedNote(Note.TextType, function(n) { n.title = "Doomed"; n.text = "old" })
            var file = note.file
            var page = openNote(pageUrl, note, false)
            if (data.editing) {
                enterEditing(page)
                click(contentEditor(page))
                keyClick(Qt.Key_End)
                typeText(" kept")
            }
            // Another program removes it: its group and its file go.
            testHelper.removeFile(notePath(note))
            testHelper.removeIniKey(testHelper.notesDirectory() + "/notes.conf", "Notes/" + file)
            NoteWatcher.collectionChanged()
            var bar = child(page, "changedElsewhereBar")
            tryVerify(function() { return bar.visible })
            verify(child(bar, "keepAsNewNoteButton").visible)
            wait(2500) // past the moment removed notes are let go
            verify(page.noteData === note, "the page still has its note")
            if (data.editing)
                pressOk(page)
            else
                mouseClick(child(bar, "keepAsNewNoteButton"))
            verify(note.file !== file, "saved under a new name")
            tryVerify(function() { return testHelper.fileExists(notePath(note)) })
            compare(testHelper.iniValue(notePath(note), "text"), data.editing ? "old kept" : "old")
            verify(!testHelper.fileExists(testHelper.notesDirectory() + "/" + file))
            verify(controller.model.getNoteData(note.file) === note)
            verify(!bar.visible)
        }

        function test_noteWithMissingFileIsWrittenAgain() {
            // Listed in notes.conf (by another program, say), its file gone.
            var conf = testHelper.notesDirectory() + "/notes.conf"
            testHelper.setIniValue(conf, "Notes/fff0.note/modification-date", new Date())
            testHelper.setIniValue(conf, "Notes/fff0.note/note-type", 0)
            NoteWatcher.collectionChanged()
            var note = controller.model.getNoteData("fff0.note")
            verify(note && !note.loaded)
            var page = openNote(pageUrl, note, false)
            enterEditing(page)
            click(page._textEditTitle)
            typeText("Found")
            click(contentEditor(page))
            typeText("again")
            pressOk(page)
            var path = testHelper.notesDirectory() + "/fff0.note"
            tryVerify(function() { return testHelper.fileExists(path) })
            compare(testHelper.iniValue(path, "title"), "Found")
            compare(testHelper.iniValue(path, "text"), "again")
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

        // Colours are stored without opacity: the picker offers none, so
        // the page shows what the file will hold.
        function test_colourPickerOffersOnlyWhatIsStored() {
            var note = storedNote(Note.TextType, function(n) { n.title = "Colour" })
            var page = openNote(pageUrl, note, false)
            enterEditing(page)
            verify(!page.okButtonEnabled)
            click(child(page, "bgColorButton"))
            var swatch = dialogItem("swatch18")
            mouseClick(swatch)
            compare(findVisible(zibRoot.overlay, "slider_alpha"), null)
            answer(true)
            verify(page._changed, "changed")
            verify(page.okButtonEnabled, "OK enabled")
            compare(note.bgColor.a, 1)
            compare(String(note.bgColor), "#303f9f")
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
