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
        height: 800
        showOnStart: true
        // The window's first page cannot be closed; note pages go above it.
        initialPage: Component { ZibPage { title: "Notes" } }
    }

    NotesController {
        id: notesController
    }

    PageTestCase {
        name: "ListNotePage"
        zibRoot: zibRoot
        controller: notesController

        property int baseDepth: 0
        readonly property string pageUrl: "qrc:/qml/ListNotePage.qml"

        function initTestCase() {
            zibRoot.show()
            tryCompare(zibRoot, "visible", true)
            baseDepth = zibRoot.pageDepth
        }

        function cleanup() {
            closeAll(baseDepth)
        }

        function listNote(texts, checked) {
            return storedNote(Note.ListType, function(n) {
                n.title = "List"
                n.texts = texts
                n.checked = checked || texts.map(function() { return false })
            })
        }

        function entry(page, i) {
            return child(page._contentItem, "entry" + i)
        }

        function storedChecked(note, i) {
            var value = testHelper.iniValue(notePath(note), "data/" + (i + 1) + "/checked")
            return value === true || value === "true"
        }

        function arrays(note) {
            return { texts: Array.prototype.slice.call(note.texts),
                     checked: Array.prototype.slice.call(note.checked) }
        }

        function test_tickWhileViewingThenCloseSaves_data() {
            return [ { tag: "close button", escape: false }, { tag: "Esc", escape: true } ]
        }

        function test_tickWhileViewingThenCloseSaves(data) {
            var note = listNote(["milk", "bread"])
            var page = openNote(pageUrl, note, false)
            compare(page.title, "List")
            verify(!child(entry(page, 0), "removeLabel").visible)
            click(child(entry(page, 1), "tickMouseArea"))
            compare(arrays(note).checked, [false, true])
            compare(child(entry(page, 1), "checkedLabel").text, "\u2713")
            verify(page._changed)
            verify(!storedChecked(note, 1), "not saved yet")

            if (data.escape)
                keyClick(Qt.Key_Escape)
            else
                pressClose(page)
            pageClosed(page, baseDepth)
            verify(storedChecked(note, 1), "saved on leaving without a question")
        }

        // Deleting closes the page without its leave action, so the ticks
        // made before do not write the deleted note back.
        function test_tickThenDeleteLeavesNoFile() {
            var note = listNote(["milk", "bread"])
            var path = notePath(note)
            var page = openNote(pageUrl, note, false)
            click(child(entry(page, 0), "tickMouseArea"))
            verify(page._changed)
            click(child(page, "removeButton"))
            answer(true)
            pageClosed(page, baseDepth)
            wait(50)
            verify(!testHelper.fileExists(path), "deleted note stays deleted")
        }

        function test_untouchedViewingPageClosesWithoutSaving() {
            var note = listNote(["milk"])
            var before = note.modifyDate
            var page = openNote(pageUrl, note, false)
            pressClose(page)
            pageClosed(page, baseDepth)
            compare(note.modifyDate, before)
        }

        function test_tickThenEditSavesFirst() {
            var note = listNote(["milk", "bread"])
            var page = openNote(pageUrl, note, false)
            click(child(entry(page, 0), "tickMouseArea"))
            verify(page._changed)
            enterEditing(page)
            verify(storedChecked(note, 0))
            verify(!page._changed)
            verify(!page.okButtonEnabled)
            verify(child(entry(page, 0), "removeLabel").visible)
            // The tick area is off while editing.
            click(child(entry(page, 1), "entryTextEdit"))
            compare(arrays(note).checked, [true, false])
        }

        function test_doubleClickOnEntriesDoesNotEdit() {
            var note = listNote(["milk"])
            var page = openNote(pageUrl, note, false)
            var area = page._mouseArea
            verify(area.height < page._textEditTitle.height + 30, "double-click area covers only the title")
            mouseDoubleClickSequence(area, 10, 5)
            waitForEditing(page)
            verify(page._textEditTitle.activeFocus)
        }

        function test_addTopAndBottomFocusTheNewEntry() {
            var note = listNote(["middle"])
            var page = openNote(pageUrl, note, false)
            enterEditing(page)
            click(child(page._contentItem, "addTopButton"))
            compare(arrays(note).texts, ["", "middle"])
            compare(arrays(note).checked, [false, false])
            verify(page._changed)
            tryVerify(function() { return child(entry(page, 0), "entryTextEdit").activeFocus })
            typeText("top")
            compare(arrays(note).texts, ["top", "middle"])

            click(child(page._contentItem, "addBottomButton"))
            compare(arrays(note).texts, ["top", "middle", ""])
            tryVerify(function() { return child(entry(page, 2), "entryTextEdit").activeFocus })
            typeText("end")
            compare(arrays(note).texts, ["top", "middle", "end"])
            compare(arrays(note).checked, [false, false, false])

            pressOk(page)
            pageClosed(page, baseDepth)
            compare(Number(testHelper.iniValue(notePath(note), "data/size")), 3)
            compare(testHelper.iniValue(notePath(note), "data/3/text"), "end")
        }

        // Enter in an entry makes the next one; Ctrl+Enter saves.
        function test_enterMakesTheNextEntry() {
            var note = listNote(["one", "three"])
            var page = openNote(pageUrl, note, false)
            enterEditing(page)
            var first = child(entry(page, 0), "entryTextEdit")
            click(first)
            keyClick(Qt.Key_End)
            keyClick(Qt.Key_Return)
            compare(arrays(note).texts, ["one", "", "three"])
            tryVerify(function() { return child(entry(page, 1), "entryTextEdit").activeFocus })
            typeText("two")
            compare(arrays(note).texts, ["one", "two", "three"])
            compare(arrays(note).checked, [false, false, false])

            keyClick(Qt.Key_Return, Qt.ControlModifier)
            pageClosed(page, baseDepth)
            compare(Number(testHelper.iniValue(notePath(note), "data/size")), 3)
            compare(testHelper.iniValue(notePath(note), "data/2/text"), "two")
        }

        function test_markupInEntriesStaysText() {
            var note = listNote(["<b>bold</b>", "a &amp; b"])
            var page = openNote(pageUrl, note, false)
            var editor = child(entry(page, 0), "entryTextEdit")
            compare(editor.text, "<b>bold</b>")
            compare(editor.lineCount, 1)
            enterEditing(page)
            click(editor)
            keyClick(Qt.Key_End)
            typeText("!")
            compare(arrays(note).texts, ["<b>bold</b>!", "a &amp; b"])
        }

        function test_removeEntry() {
            var note = listNote(["a", "b", "c"], [true, false, true])
            var page = openNote(pageUrl, note, false)
            enterEditing(page)
            click(child(entry(page, 1), "removeMouseArea"))
            compare(arrays(note).texts, ["a", "c"])
            compare(arrays(note).checked, [true, true])
            verify(page._changed)
            tryCompare(page._contentItem, "count", 2)
        }

        function test_newListTakesFirstEntryAsTitle() {
            var note = createNote(Note.ListType)
            var page = openNote(pageUrl, note, true)
            compare(page.title, "New list note")
            verify(!page.okButtonEnabled, "empty list, empty title")
            click(child(page._contentItem, "addBottomButton"))
            tryVerify(function() { return child(entry(page, 0), "entryTextEdit").activeFocus })
            typeText("first")
            verify(page.okButtonEnabled)
            pressOk(page)
            pageClosed(page, baseDepth)
            compare(note.title, "first")
            verify(note.loaded)
        }

        // Drags entry `from` by the handle, visiting the given y offsets
        // (relative to the press) with the pauses given in ms.
        function dragEntry(page, from, steps) {
            var list = page.centerRect
            var handle = child(entry(page, from), "dragArea")
            var start = handle.mapToItem(list, handle.width / 2, handle.height / 2)
            mousePress(list, start.x, start.y)
            var y = 0
            for (var i = 0; i < steps.length; ++i) {
                var target = steps[i].dy
                while (Math.abs(target - y) > 0.5) {
                    y += Math.max(-4, Math.min(4, target - y))
                    mouseMove(list, start.x, start.y + y)
                    // Let the drag deliver its enter events.
                    wait(0)
                }
                if (steps[i].pause)
                    wait(steps[i].pause)
            }
            mouseRelease(list, start.x, start.y + y)
        }

        function test_dragMovesEntry() {
            var note = listNote(["a", "b", "c", "d"], [true, false, false, false])
            var page = openNote(pageUrl, note, false)
            enterEditing(page)
            wait(60)
            var h = entry(page, 0).height
            dragEntry(page, 0, [{ dy: h * 1.1, pause: 60 }, { dy: h * 2.1, pause: 60 }])
            tryVerify(function() { return arrays(note).texts.join("|") === ["b", "c", "a", "d"].join("|") })
            compare(arrays(note).checked, [false, false, true, false])
            verify(page._changed)
            tryCompare(child(entry(page, 2), "entryTextEdit"), "text", "a")
            verify(entry(page, 2).y > entry(page, 1).y, "laid out in the new order")
        }

        function test_dragUpMovesEntry() {
            var note = listNote(["a", "b", "c"])
            var page = openNote(pageUrl, note, false)
            enterEditing(page)
            wait(60)
            var h = entry(page, 0).height
            dragEntry(page, 2, [{ dy: -h * 1.1, pause: 60 }])
            tryVerify(function() { return arrays(note).texts.join("|") === ["a", "c", "b"].join("|") })
        }

        function test_twoEntersWithin50msMoveOnePlace() {
            var note = listNote(["a", "b", "c", "d"])
            var page = openNote(pageUrl, note, false)
            enterEditing(page)
            wait(60)
            var h = entry(page, 0).height
            var list = page.centerRect
            var dragged = entry(page, 0).delegateItem
            var handle = child(entry(page, 0), "dragArea")
            var start = handle.mapToItem(list, handle.width / 2, handle.height / 2)
            mousePress(list, start.x, start.y)
            // Slowly into the neighbour until the first swap...
            var y = 0
            while (dragged.draggedIndex === 0 && y < 2 * h) {
                y += 4
                mouseMove(list, start.x, start.y + y)
                wait(0)
            }
            compare(dragged.draggedIndex, 1)
            // ...then at once into the next one: that enter comes too soon.
            y += h
            mouseMove(list, start.x, start.y + y)
            wait(0)
            compare(dragged.draggedIndex, 1)
            mouseRelease(list, start.x, start.y + y)
            tryVerify(function() { return arrays(note).texts.join("|") === "b|a|c|d" })
        }

        function test_dropInPlaceChangesNothing() {
            var note = listNote(["a", "b", "c"])
            var page = openNote(pageUrl, note, false)
            enterEditing(page)
            wait(60)
            var h = entry(page, 0).height
            dragEntry(page, 1, [{ dy: h * 0.3 }, { dy: 0 }])
            var item = entry(page, 1).delegateItem
            tryCompare(item, "y", 0)
            compare(arrays(note).texts, ["a", "b", "c"])
            verify(!page._changed)
            verify(!page.okButtonEnabled)
        }

        function test_dragInScrolledListKeepsPosition() {
            var texts = []
            for (var i = 0; i < 30; ++i)
                texts.push("entry " + i)
            var note = listNote(texts)
            var page = openNote(pageUrl, note, false)
            enterEditing(page)
            wait(60)
            var flickable = page._flickable
            flickable.contentY = 600
            wait(100)
            compare(flickable.contentY, 600)
            // An entry in the middle of the view, away from the scrolling edges.
            var from = -1
            for (var j = 0; j < texts.length && from < 0; ++j) {
                var y = entry(page, j).mapToItem(flickable, 0, 0).y
                if (y > flickable.height * 0.3)
                    from = j
            }
            verify(from > 0)
            var h = entry(page, from).height
            dragEntry(page, from, [{ dy: h * 1.1, pause: 60 }])
            tryVerify(function() { return note.texts[from + 1] === "entry " + from })
            wait(300)
            verify(Math.abs(flickable.contentY - 600) < 1, "scrolled to " + flickable.contentY)
        }

        function test_dragAutoScrolls() {
            var texts = []
            for (var i = 0; i < 30; ++i)
                texts.push("entry " + i)
            var note = listNote(texts)
            var page = openNote(pageUrl, note, false)
            enterEditing(page)
            wait(60)
            var flickable = page._flickable
            verify(flickable.contentHeight > flickable.height)
            compare(flickable.contentY, -flickable.topMargin)
            var list = page.centerRect
            var handle = child(entry(page, 2), "dragArea")
            var start = handle.mapToItem(list, handle.width / 2, handle.height / 2)
            mousePress(list, start.x, start.y)
            var bottom = flickable.mapToItem(list, 0, flickable.height - 10).y
            for (var y = start.y; y < bottom; y += 4)
                mouseMove(list, start.x, y)
            tryVerify(function() { return flickable.contentY > 0 })
            mouseRelease(list, start.x, bottom)
        }
    }
}
