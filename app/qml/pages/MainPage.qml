import QtQuick 2.3
import Zib.Components 1.0
import Zib.NotesBase 1.0
import "./components"

ZibPage {
    id: mainPage

    frontRect.visible: false
    centerRect.visible: false
    backRect.color: styles.colors.white

    function showNotePage(noteFile) {
        var note = controller.model.getNoteData(noteFile)
        if (!note)
            return
        if (!note.loaded)
            note.load()
        root.showAndRaise()
        root.addPage(controller.noteByType(note.type).page, {
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
                                      root.addPage(kind.page, {
                                                       "state": "editing",
                                                       "noteData": NoteFactory.createNote(kind.type),
                                                       "controller": controller
                                                   })
                                  }
                              })
    }

    function confirmDelete() {
        var count = notesList.checkedNotes.length
        root.showMessagePage({
                                 "title": qsTr("Warning"),
                                 "message": qsTr("Do you really want to delete %n note?", "", count),
                                 "showCancelButton": true,
                                 "cancelFunction": mainToolbar.toggleHelperBar,
                                 "okFunction": function () {
                                     controller.model.removeItems(notesList.checkedNotes)
                                     notesList.toggleCheckMode()
                                 }
                             })
    }

    NotesController {
        id: controller
        isWidget: false
    }

    Connections {
        target: root
        function onShowNoteInTray(noteId) {
            tray.showMessageTask(controller.model.getNotePath(noteId))
        }
        function onShowNoteOnStart(noteId) {
            mainPage.showNotePage(noteId)
        }
        function onCreateNoteOnStart() {
            root.showAndRaise()
            mainPage.showNewNotePageList()
        }
    }

    Connections {
        target: tray
        function onShowTask(taskId) {
            mainPage.showNotePage(taskId)
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

        Connections {
            target: mainToolbar.backButton
            function onClicked() {
                notesList.toggleCheckMode()
            }
        }
        Connections {
            target: mainToolbar.okButton
            function onClicked() {
                mainPage.confirmDelete()
            }
        }

        Connections {
            target: notesList
            function onCheckModeChanged() {
                if (notesList.checkMode)
                    mainToolbar.toggleHelperBar()
            }
        }
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
            addNoteButton.visible: list.count === 0 && mainToolbar.searchLine.text === ""
            onNoteClicked: {
                root.addPage(controller.noteByType(note.type).page, {
                                 "noteData": note,
                                 "controller": controller
                             })
            }
        }
    }
}
