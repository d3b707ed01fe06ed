import QtQuick 2.15
import Zib.Components 1.0
import Zib.NotesBase 1.0
import "./components"

ZibPage {
    id: mainPage

    frontRect.visible: false
    centerRect.visible: false
    backRect.color: styles.colors.white

    function notesModel() {
        controller.modelLoader.active = true
        return controller.model
    }

    function showNotePage(noteFile) {
        var note = notesModel().getNoteData(noteFile)
        if (!note)
            return
        var kind = controller.noteByType(note.type)
        if (!kind)
            return
        if (!note.loaded)
            note.load()
        root.showAndRaise()
        root.addPage(kind.page, {
                         "noteData": note,
                         "controller": controller
                     })
    }

    function showNewNotePageList() {
        var kinds = controller.notes
        var names = []
        for (var i = 0; i < kinds.length; ++i)
            names.push(kinds[i].text)
        root.showListViewPage({
                                  "title": qsTr("Add note:"),
                                  "model": names,
                                  "okFunction": function (index, obj) {
                                      var kind = controller.notes[index]
                                      if (!kind)
                                          return
                                      root.addPage(kind.page, {
                                                       "state": "editing",
                                                       "noteData": NoteFactory.createNote(kind.type),
                                                       "controller": controller
                                                   })
                                  }
                              })
    }

    function leaveHelperBar() {
        if (mainToolbar.state !== "")
            mainToolbar.toggleHelperBar()
    }

    // files: the marked notes unless given (Delete on a card names its own).
    function confirmDelete(files) {
        var marked = files === undefined
        if (marked)
            files = notesList.checkedNotes
        var count = files.length
        root.showMessagePage({
                                 "title": qsTr("Warning"),
                                 "message": qsTr("Do you really want to delete %n note?", "", count),
                                 "showCancelButton": true,
                                 "cancelFunction": marked ? mainToolbar.toggleHelperBar : null,
                                 "okFunction": function () {
                                     mainPage.notesModel().removeItems(files)
                                     if (notesList.checkMode)
                                         notesList.toggleCheckMode()
                                 }
                             })
    }

    NotesController {
        id: controller
        isWidget: false
        // Read after the window's first frame (see notesModel()).
        modelLoader.active: false
    }

    // The collection is read once the window has shown its first frame, so
    // that a large one does not hold the window back; whatever needs it
    // earlier loads it at once, and a hidden window loads it a moment later.
    Connections {
        target: controller.modelLoader.active ? null : root
        function onFrameSwapped() {
            // Not inside the swap itself: with the software renderer that
            // runs on this thread and would hold the frame back.
            Qt.callLater(mainPage.notesModel)
        }
    }
    Timer {
        interval: 1000
        running: !controller.modelLoader.active
        onTriggered: mainPage.notesModel()
    }

    Connections {
        target: root
        function onShowNoteInTray(noteId) {
            // Reading a FIFO or the like in place of the note would hang, and
            // a stale crontab line is put right instead of announced.
            var model = mainPage.notesModel()
            if (model.isSpecialFile(noteId) || !model.reminderDue(noteId))
                return
            model.reminderAnnounced(noteId)
            tray.showMessageTask(model.getNotePath(noteId))
        }
        function onShowNoteOnStart(noteId) {
            mainPage.showNotePage(noteId)
        }
        function onCreateNoteOnStart() {
            root.showAndRaise()
            mainPage.showNewNotePageList()
        }
    }

    // Reminders that fell due while the program or the session was not
    // there are announced once, a moment after the collection was read, so
    // that a reminder handed over at start comes first.
    Timer {
        objectName: "missedRemindersTimer"
        interval: 3000
        running: controller.model !== null
        onTriggered: controller.model.findMissedReminders()
    }

    Connections {
        target: controller.model
        ignoreUnknownSignals: true
        function onMissedRemindersFound(missed) {
            for (var i = 0; i < missed.length; ++i)
                tray.showMissedTask(controller.model.getNotePath(missed[i].file), missed[i].dueDate)
        }
    }

    Connections {
        target: tray
        function onShowTask(taskId) {
            mainPage.showNotePage(taskId)
        }
    }

    // Keys of the main page: Ctrl+N makes a note, Ctrl+F searches.
    ZibShortcut {
        sequences: ["Ctrl+N"]
        enabled: root.currentPage === mainPage
        onActivated: mainPage.showNewNotePageList()
    }
    ZibShortcut {
        sequences: ["Ctrl+F"]
        enabled: root.currentPage === mainPage && mainToolbar.state === ""
        onActivated: {
            mainToolbar.searchLine.forceActiveFocus(Qt.ShortcutFocusReason)
            mainToolbar.searchLine.selectAll()
        }
    }

    MainToolbar {
        id: mainToolbar
        objectName: "mainToolbar"
        anchors {
            left: parent.left
            top: parent.top
            right: parent.right
        }

        okButton.enabled: notesList.checkedNotes.length > 0
        okButton.image.imagePath: "image://ThemeImageProvider/user-trash-empty"
        okButton.image.imageDesaturateEnabled: !mainToolbar.okButton.enabled
        okButton.toolTipText: qsTr("Delete the marked notes")
        backButton.toolTipText: qsTr("Stop marking")
        onSearchLeft: notesList.list.forceActiveFocus(Qt.TabFocusReason)

        Connections {
            target: mainToolbar.backButton
            function onClicked() {
                notesList.toggleCheckMode()
            }
        }
        Connections {
            target: mainToolbar.okButton
            function onClicked() {
                // The question replaces the helper bar; cancelling brings it back.
                mainPage.leaveHelperBar()
                mainPage.confirmDelete()
            }
        }

        Connections {
            target: notesList
            function onCheckModeChanged() {
                if (notesList.checkMode)
                    mainToolbar.toggleHelperBar()
                else
                    mainPage.leaveHelperBar() // never a helper bar without marking
            }
        }
    }

    // Failed adds and deletes, in one line over the list.
    Connections {
        target: controller.model
        function onErrorOccurred(message) {
            errorLine.show(message)
        }
    }

    MessageLine {
        id: errorLine
        objectName: "errorLine"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        timeout: 10000
    }

    Item {
        id: layoutItem
        anchors {
            left: parent.left
            right: parent.right
            bottom: parent.bottom
            top: mainToolbar.bottom
        }

        NotesList {
            id: notesList
            anchors.fill: parent
            list.model: controller.proxyModel
            // Not offered before the collection has been read.
            addNoteButton.visible: controller.model !== null && list.count === 0 && mainToolbar.searchLine.text === ""
            onDeleteRequested: mainPage.confirmDelete(files)
            onNoteClicked: {
                var kind = controller.noteByType(note.type)
                if (kind)
                    root.addPage(kind.page, {
                                     "noteData": note,
                                     "controller": controller
                                 })
            }
        }

        DeleteUndoNotice {
            model: controller.model
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 20 * dpiRatio
            anchors.horizontalCenter: parent.horizontalCenter
        }
    }
}
