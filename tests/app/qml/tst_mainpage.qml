import QtQuick 2.3
import QtTest 1.0
import Zib.Components 1.0
import Zib.NotesBase 1.0
import "../../../app/qml/pages" as Pages

// The main page against the fake controller and list (fakes/Zib/NotesBase)
// in a window whose page and dialog operations only record their calls.
TestCase {
    id: testCase
    name: "MainPage"
    when: windowShown

    ZibRoot {
        id: root

        property var addedPages: []
        property var listOptions: null
        property var messageOptions: null
        property int raiseCount: 0

        signal showNoteInTray(string noteId)
        signal showNoteOnStart(string noteId)
        signal createNoteOnStart()

        function addPage(page, properties) {
            addedPages.push({
                                "page": page,
                                "properties": properties
                            })
            return null
        }
        function showListViewPage(options) {
            listOptions = options
        }
        function showMessagePage(options) {
            messageOptions = options
        }
        function showAndRaise() {
            raiseCount++
        }

        showOnStart: true
        initialPage: Component {
            Pages.MainPage {}
        }
    }

    property var page: null
    property var controller: null
    property var notesList: null
    property var toolbar: null

    function init() {
        tryVerify(function () { return root.currentPage !== null })
        page = root.currentPage
        controller = findChild(page, "fakeController")
        notesList = findChild(page, "fakeNotesList")
        toolbar = findChild(page, "mainToolbar")
        verify(controller && notesList && toolbar)
        root.addedPages = []
        root.listOptions = null
        root.messageOptions = null
        root.raiseCount = 0
        NoteFactory.reset()
        tray.reset()
        controller.model.byFile = {}
        controller.model.removed = []
        controller.proxyModel.filters = []
        controller.proxyModel.clear()
        toolbar.searchLine.text = ""
        tryVerify(function () { return !toolbar.delaySearchTimer.running })
        controller.proxyModel.filters = []
        if (notesList.checkMode)
            notesList.toggleCheckMode()
        notesList.checkedNotes = []
        notesList.toggleCount = 0
        toolbar.state = ""
    }

    function viewModeButton(index) {
        var row = toolbar.leftRow
        var buttons = []
        for (var i = 0; i < row.children.length; ++i) {
            if (row.children[i].hasOwnProperty("checked"))
                buttons.push(row.children[i])
        }
        compare(buttons.length, notesList.viewModes.length)
        return buttons[index]
    }

    function test_pageLayout() {
        // The collection is read once the window has drawn.
        tryCompare(controller.modelLoader, "active", true)
        compare(controller.isWidget, false)
        compare(notesList.list.model, controller.proxyModel)
        compare(page.frontRect.visible, false)
        compare(page.centerRect.visible, false)
        compare(Qt.colorEqual(page.backRect.color, styles.colors.white), true)
        compare(toolbar.addNoteButton.menuName, "New note")
        compare(toolbar.addNoteButton.image.imagePath, "image://ThemeImageProvider/edit-add")
        compare(toolbar.searchLine.inputMethodHints, Qt.ImhNoPredictiveText)
        compare(toolbar.delaySearchTimer.interval, 200)
    }

    function test_addNoteButtonOnlyForAnEmptyUnfilteredList() {
        compare(notesList.addNoteButton.visible, true)
        toolbar.searchLine.text = "zzz"
        compare(notesList.addNoteButton.visible, false)
        toolbar.searchLine.text = ""
        compare(notesList.addNoteButton.visible, true)
        controller.proxyModel.append({ "fileName": "1.note" })
        tryCompare(notesList.addNoteButton, "visible", false)
    }

    function test_typingCausesOneFilterCall() {
        var text = ""
        var letters = ["s", "h", "o", "p", "s"]
        for (var i = 0; i < letters.length; ++i) {
            text += letters[i]
            toolbar.searchLine.text = text
        }
        compare(controller.proxyModel.filters.length, 0)
        compare(toolbar.delaySearchTimer.running, true)
        tryVerify(function () { return !toolbar.delaySearchTimer.running })
        compare(controller.proxyModel.filters, ["shops"])
    }

    function test_viewModeSwitchingIsStored() {
        settings.setInt("view-mode", 0, "Notes")
        notesList.viewMode = 0
        var second = viewModeButton(1)
        compare(viewModeButton(0).checked, true)
        compare(second.image.imagePath, notesList.viewModes[1].image)
        second.clicked()
        compare(notesList.viewMode, 1)
        compare(settings.getInt("view-mode", -1, "Notes"), 1)
        compare(second.checked, true)
        compare(viewModeButton(0).checked, false)

        // The current mode's button neither writes nor changes anything.
        settings.setInt("view-mode", 7, "Notes")
        second.clicked()
        compare(notesList.viewMode, 1)
        compare(settings.getInt("view-mode", -1, "Notes"), 7)

        viewModeButton(2).clicked()
        compare(notesList.viewMode, 2)
        compare(settings.getInt("view-mode", -1, "Notes"), 2)
    }

    function test_deleteAsksWithThePluralText() {
        compare(toolbar.okButton.enabled, false)
        compare(toolbar.okButton.image.imageDesaturateEnabled, true)
        compare(toolbar.okButton.image.imagePath, "image://ThemeImageProvider/user-trash-empty")

        toolbar.backButton.clicked()
        compare(notesList.toggleCount, 1)
        compare(notesList.checkMode, true)
        compare(toolbar.state, "helper")

        notesList.checkedNotes = ["1.note", "2.note", "3.note"]
        // Enabled once the helper bar has faded in.
        tryCompare(toolbar.okButton, "enabled", true)
        compare(toolbar.okButton.image.imageDesaturateEnabled, false)
        toolbar.okButton.clicked()
        var options = root.messageOptions
        verify(options)
        compare(options.title, "Warning")
        compare(options.message, "Do you really want to delete 3 note?")
        compare(options.showCancelButton, true)
        compare(toolbar.state, "")

        // Cancel only brings the helper bar back; the marks stay.
        options.cancelFunction()
        compare(toolbar.state, "helper")
        compare(notesList.checkMode, true)
        compare(notesList.checkedNotes.length, 3)
        compare(controller.model.removed.length, 0)

        tryCompare(toolbar.okButton, "enabled", true)
        toolbar.okButton.clicked()
        root.messageOptions.okFunction()
        compare(controller.model.removed, [["1.note", "2.note", "3.note"]])
        compare(notesList.checkMode, false)
        compare(toolbar.state, "")
    }

    function test_backLeavesMarking() {
        toolbar.backButton.clicked()
        compare(notesList.checkMode, true)
        compare(toolbar.state, "helper")
        toolbar.backButton.clicked()
        compare(notesList.checkMode, false)
        compare(toolbar.state, "")
        compare(notesList.toggleCount, 2)
        compare(controller.model.removed.length, 0)
    }

    function test_createNoteOffersTheKindsInOrder() {
        root.createNoteOnStart()
        compare(root.raiseCount, 1)
        var options = root.listOptions
        verify(options)
        compare(options.title, "Add note:")
        compare(options.model, ["Text", "List", "Canvas"])
        options.okFunction(2, "Canvas")
        compare(root.addedPages.length, 1)
        var added = root.addedPages[0]
        compare(added.page, "qrc:/qml/CanvasNotePage.qml")
        compare(added.properties.state, "editing")
        compare(added.properties.controller, controller)
        compare(NoteFactory.created.length, 1)
        compare(added.properties.noteData, NoteFactory.created[0])
        compare(added.properties.noteData.type, 2)
        // Not stored here: the model knows nothing of it.
        compare(Object.keys(controller.model.byFile).length, 0)
    }

    function test_addButtonOffersTheKinds() {
        toolbar.addNoteButton.clicked()
        verify(root.listOptions)
        compare(root.listOptions.model, ["Text", "List", "Canvas"])
        compare(root.raiseCount, 0)
    }

    function test_openingByIdLoadsTheNoteFirst_data() {
        return [
            { tag: "start message", viaTray: false },
            { tag: "tray", viaTray: true }
        ]
    }

    function test_openingByIdLoadsTheNoteFirst(data) {
        var note = controller.model.addNote("7.note", 1, false)
        if (data.viaTray)
            tray.showTask("7.note")
        else
            root.showNoteOnStart("7.note")
        compare(note.loadCount, 1)
        compare(root.raiseCount, 1)
        compare(root.addedPages.length, 1)
        compare(root.addedPages[0].page, "qrc:/qml/ListNotePage.qml")
        compare(root.addedPages[0].properties.noteData, note)
        compare(root.addedPages[0].properties.controller, controller)

        // A loaded note is not loaded again.
        root.showNoteOnStart("7.note")
        compare(note.loadCount, 1)
        compare(root.addedPages.length, 2)
    }

    function test_unknownIdOpensNothing() {
        root.showNoteOnStart("nope.note")
        tray.showTask("")
        compare(root.addedPages.length, 0)
        compare(root.raiseCount, 0)
    }

    function test_clickedNoteOpensWithoutLoadingOrRaising() {
        var note = controller.model.addNote("9.note", 0, false)
        notesList.noteClicked(note)
        compare(note.loadCount, 0)
        compare(root.raiseCount, 0)
        compare(root.addedPages.length, 1)
        compare(root.addedPages[0].page, "qrc:/qml/TextNotePage.qml")
        compare(root.addedPages[0].properties.noteData, note)
    }

    function test_taskMessageGoesToTheTray() {
        root.showNoteInTray("1a.note")
        compare(tray.shownPaths, ["/notes/1a.note"])
        compare(root.raiseCount, 0)
        // A line that fired for a note without a due reminder shows nothing.
        controller.model.notDue = ["2b.note"]
        root.showNoteInTray("2b.note")
        compare(tray.shownPaths, ["/notes/1a.note"])
    }

    function test_taskMessageCountsAsAnnouncedAndMissedOnesFollow() {
        root.showNoteInTray("3.note")
        compare(controller.model.announced[controller.model.announced.length - 1], "3.note")
        var due = new Date(2026, 2, 5, 9, 0)
        controller.model.missed = [{ "file": "4.note", "dueDate": due }]
        findChild(page, "missedRemindersTimer").restart()
        tryCompare(tray.missedPaths, "length", 1, 10000)
        compare(tray.missedPaths[0], "/notes/4.note " + due.toISOString())
    }

    function test_specialFileIsNotAnnounced() {
        // Reading a FIFO for its title would hang the program.
        root.showNoteInTray("fifo.note")
        compare(tray.shownPaths, [])
    }

    function test_failedAddOrDeleteIsReported() {
        var line = findChild(page, "errorLine")
        verify(line)
        verify(!line.visible)
        controller.model.errorOccurred("The note could not be deleted: No space left on device")
        verify(line.visible)
        compare(line.text, "The note could not be deleted: No space left on device")
        line.text = ""
    }

    // Keyboard: Ctrl+N, Ctrl+F, Esc in the search line, Delete on a card.
    // Named to run first: the tool bar's fades stall in this harness once
    // the window has been hidden, and Ctrl+F needs the normal bar.
    function test_allShortcutsReachTheirTargets() {
        // Keys go to the active window: a window shown anew becomes it.
        root.hide()
        root.show()
        tryVerify(function () { return toolbar.searchLine.enabled })
        page.forceActiveFocus()
        tryVerify(function () { return root.activeFocusItem !== null })
        keyClick(Qt.Key_N, Qt.ControlModifier)
        verify(root.listOptions)
        compare(root.listOptions.title, "Add note:")

        keyClick(Qt.Key_F, Qt.ControlModifier)
        verify(toolbar.searchLine.activeFocus)
        keyClick(Qt.Key_A)
        keyClick(Qt.Key_B)
        compare(toolbar.searchLine.text, "ab")
        // The first Esc clears, the second leaves for the cards.
        keyClick(Qt.Key_Escape)
        compare(toolbar.searchLine.text, "")
        verify(toolbar.searchLine.activeFocus)
        keyClick(Qt.Key_Escape)
        verify(!toolbar.searchLine.activeFocus)
        verify(notesList.list.activeFocus)

        // Delete on one card asks in the singular and leaves marking alone.
        notesList.deleteRequested(["4.note"])
        compare(root.messageOptions.message, "Do you really want to delete 1 note?")
        compare(root.messageOptions.cancelFunction, null)
        root.messageOptions.okFunction()
        compare(controller.model.removed, [["4.note"]])
        compare(notesList.toggleCount, 0)
    }

    // Every control of the page a keyboard reaches (either helper bar or
    // normal bar), with a search text so the clear button is there too.
    function test_everyControlHasANameAndATip() {
        toolbar.searchLine.text = "x"
        var controls = []
        function walk(item) {
            if (item.focusPolicy !== undefined || item.activeFocusOnTab)
                controls.push(item)
            for (var i = 0; i < item.children.length; ++i)
                walk(item.children[i])
        }
        walk(page)
        verify(controls.length >= 6, "controls found: " + controls.length)
        for (var i = 0; i < controls.length; ++i) {
            var c = controls[i]
            verify(c.Accessible.name !== "", "a control without a name: " + c)
            verify(c.focusPolicy === undefined || c.focusPolicy !== Qt.NoFocus, "not reachable: " + c)
            if (c.toolTipText !== undefined)
                compare(c.toolTipText, c.Accessible.name)
        }
        compare(toolbar.addNoteButton.Accessible.name, "New note")
        compare(toolbar.okButton.toolTipText, "Delete the marked notes")
        compare(toolbar.searchLine.Accessible.name, "Search")
    }
}
