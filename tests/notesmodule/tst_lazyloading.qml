import QtQuick 2.3
import QtTest 1.2
import Zib.Components 1.0
import Zib.NotesBase 1.0

// A large collection opens without reading every note file: the cards load
// their notes as they are made.
Item {
    id: top
    width: 400
    height: 600

    NotesController {
        id: controller
    }

    NotesList {
        id: notesList
        anchors.fill: parent
        list.model: controller.proxyModel
    }

    TestCase {
        name: "LazyLoading"
        when: windowShown

        function loadedCount() {
            var model = controller.model;
            var loaded = 0;
            for (var row = 0; row < model.rowCount(); ++row) {
                if (model.data(model.index(row, 0), 257).loaded)
                    ++loaded;
            }
            return loaded;
        }

        function test_onlyShownNotesLoaded() {
            compare(notesList.list.count, testNoteCount);
            waitForRendering(notesList);
            var loaded = loadedCount();
            verify(loaded > 0, "no note was loaded");
            verify(loaded < testNoteCount / 5, loaded + " of " + testNoteCount + " notes loaded at start");

            // Every card made has its note loaded, the oldest note is not yet.
            verify(notesList.list.itemAtIndex(0).note.loaded);
            verify(!controller.model.getNoteData("1.note").loaded);

            // Scrolling to the end loads the notes shown there.
            notesList.list.positionViewAtEnd();
            notesList.list.forceLayout();
            verify(controller.model.getNoteData("1.note").loaded);
            verify(loadedCount() < testNoteCount / 2);
        }
    }
}
