import QtQuick 2.3
import QtTest 1.2
import Zib.Components 1.0
import Zib.NotesBase 1.0

Item {
    NotesController {
        id: controller
    }

    TestCase {
        name: "NoteWatching"
        when: windowShown

        function test_followsChangesOfOtherProcesses() {
            // Reports arrive only because the controller started the watcher.
            var note = controller.model.getNoteData("5.note");
            verify(note);
            // Every model pauses the watcher around its own writes.
            tryVerify(function() { return NoteWatcher.watching; });
            testHelper.changeNoteElsewhere("5.note", "Changed elsewhere");
            tryCompare(note, "title", "Changed elsewhere");

            // The changed note moves to the top of the date-sorted list.
            var proxy = controller.proxyModel;
            compare(proxy.data(proxy.index(0, 0), 259), "5.note");
        }
    }
}
