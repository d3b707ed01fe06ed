import QtQuick 2.3
import QtTest 1.2
import Zib.Components 1.0
import Zib.NotesBase 1.0

// A page that offers showNewNotePageList(), as the main page does: the
// list's add button asks it for the note kinds instead of signalling.
Item {
    id: mainPage
    width: 400
    height: 600

    property int newNoteRequests: 0

    function showNewNotePageList() {
        ++newNoteRequests;
    }

    NotesController {
        id: controller
    }

    NotesList {
        id: notesList
        anchors.fill: parent
        list.model: controller.proxyModel
        addNoteButton.visible: list.count === 0
    }

    SignalSpy {
        id: addSpy
        target: notesList
        signalName: "addNoteClicked"
    }

    TestCase {
        name: "AddNoteButton"
        when: windowShown

        function test_buttonFollowsCount() {
            compare(notesList.list.count, testNoteCount);
            verify(!notesList.addNoteButton.visible);
            controller.proxyModel.setFilter("no note holds this text");
            compare(notesList.list.count, 0);
            // The view announces its new count when it lays out again.
            tryCompare(notesList.addNoteButton, "visible", true);
            controller.proxyModel.setFilter("");
            tryCompare(notesList.addNoteButton, "visible", false);
        }

        function test_buttonOpensKindChooser() {
            notesList.addNoteButton.visible = true;
            mouseClick(notesList.addNoteButton);
            compare(mainPage.newNoteRequests, 1);
            compare(addSpy.count, 0);
        }
    }
}
