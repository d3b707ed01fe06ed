import QtQuick 2.15
import QtTest 1.2
import Zib.Components 1.0
import Zib.NotesBase 1.0

// Shared steps of the page tests: pushing a note page into the real window,
// pressing the page buttons and answering the questions as a user would.
TestCase {
    id: testCase

    property var zibRoot
    property var controller

    when: windowShown

    function createNote(type) {
        var note = NoteFactory.createNote(type)
        verify(note, "note created")
        return note
    }

    // A note saved into the collection, so it is loaded and has a file.
    function storedNote(type, fill) {
        var note = createNote(type)
        if (fill)
            fill(note)
        controller.model.addItem(note)
        verify(note.loaded)
        verify(note.file !== "")
        return note
    }

    function notePath(note) {
        return testHelper.notesDirectory() + "/" + note.file
    }

    function openPage(url, properties) {
        var depth = zibRoot.pageDepth
        zibRoot.addPage(url, properties)
        tryCompare(zibRoot, "pageDepth", depth + 1)
        var page = zibRoot.currentPage
        verify(page)
        waitForStack()
        return page
    }

    // Waits for the page stack's transition to end.
    function waitForStack() {
        tryVerify(function() { return !zibRoot.pageStack.busy }, 5000, "page stack settled")
        wait(0)
    }

    // Waits until an item stops moving (opening transitions).
    function waitForSettled(item) {
        var last = null
        tryVerify(function() {
            var p = item.mapToItem(null, 0, 0)
            var now = p.x + "," + p.y + "," + item.width + "," + item.height
            var same = now === last
            last = now
            if (!same)
                wait(20)
            return same
        }, 5000, "settled " + item.objectName)
    }

    function openNote(url, note, editing) {
        var properties = { noteData: note, controller: controller }
        if (editing)
            properties.state = "editing"
        var page = openPage(url, properties)
        if (editing)
            waitForEditing(page)
        return page
    }

    function child(parent, name) {
        var found = findChild(parent, name)
        verify(found, "child " + name)
        return found
    }

    // The tool bars slide in with the state change.
    function waitForEditing(page) {
        compare(page.state, "editing")
        var toolbar = child(page, "editToolbar")
        tryVerify(function() { return toolbar.visible && Math.abs(toolbar.y - page.titleRect.height - page.titleRect.y) < 0.5 })
        wait(0)
    }

    function click(item, x, y) {
        verify(item.visible, "visible " + item.objectName)
        if (x === undefined)
            mouseClick(item)
        else
            mouseClick(item, x, y)
    }

    function enterEditing(page) {
        click(child(page, "editButton"))
        waitForEditing(page)
    }

    function pressOk(page) {
        verify(page.showOkButton, "OK shown")
        verify(page.okButtonEnabled, "OK enabled")
        click(page.okButton)
    }

    function pressClose(page) {
        click(page.closeButton)
    }

    // The first visible item called name below item, or null.
    function findVisible(item, name) {
        if (!item || !item.visible)
            return null
        if (item.objectName === name)
            return item
        var children = item.children
        for (var i = 0; i < children.length; ++i) {
            var found = findVisible(children[i], name)
            if (found)
                return found
        }
        return null
    }

    // The open dialog's item of that name (dialogs live in the overlay).
    function dialogItem(name) {
        var found = null
        tryVerify(function() { found = findVisible(zibRoot.overlay, name); return found !== null },
                  5000, "dialog item " + name)
        waitForSettled(found)
        return found
    }

    function noDialogOpen() {
        tryVerify(function() {
            return findVisible(zibRoot.overlay, "dialogCloseButton") === null
        }, 5000, "dialog closed")
    }

    // Answers the open question with OK or Cancel.
    function answer(accept) {
        var button = dialogItem(accept ? "dialogOkButton" : "dialogCancelButton")
        mouseClick(button)
        noDialogOpen()
    }

    // Chooses an entry of the open list dialog.
    function chooseEntry(index) {
        var view = dialogItem("listDialogView")
        tryVerify(function() { return view.count > index })
        view.positionViewAtIndex(index, ListView.Contain)
        var entry = view.itemAtIndex ? view.itemAtIndex(index) : null
        verify(entry, "list entry " + index)
        waitForSettled(entry)
        mouseClick(entry)
        noDialogOpen()
    }

    function typeText(text) {
        for (var i = 0; i < text.length; ++i) {
            var c = text.charAt(i)
            if (c === "\n")
                keyClick(Qt.Key_Return)
            else if (c === " ")
                keyClick(Qt.Key_Space)
            else
                keyClick(c)
        }
    }

    function pageClosed(page, depth) {
        tryCompare(zibRoot, "pageDepth", depth)
        waitForStack()
    }

    // Back to the bare window between tests.
    function closeAll(depth) {
        var close = null
        for (var guard = 0; guard < 5 && (close = findVisible(zibRoot.overlay, "dialogCloseButton")); ++guard) {
            mouseClick(close)
            wait(200)
        }
        while (zibRoot.pageDepth > depth)
            zibRoot.currentPage.closePage(false)
        waitForStack()
    }
}
