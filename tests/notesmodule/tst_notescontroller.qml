import QtQuick 2.3
import QtTest 1.2
import Zib.Components 1.0
import Zib.NotesBase 1.0

Item {
    id: top

    NotesController {
        id: controller
    }

    Component {
        id: controllerComponent
        NotesController {}
    }

    Component {
        id: asyncControllerComponent
        NotesController {
            modelLoader.asynchronous: true
        }
    }

    TestCase {
        name: "NotesController"
        // After every object of the document has completed.
        when: windowShown

        readonly property int fileNameRole: 259
        readonly property int modifyDateRole: 258

        function proxyFile(row) {
            var proxy = controller.proxyModel;
            return proxy.data(proxy.index(row, 0), fileNameRole);
        }

        function cleanup() {
            controller.modelLoader.active = true;
        }

        function test_noteKindsInOrder() {
            var notes = controller.notes;
            compare(notes.length, 3);
            compare(notes[0].type, Note.TextType);
            compare(notes[0].page, "qrc:/qml/TextNotePage.qml");
            compare(notes[0].text, "Text note");
            compare(notes[1].type, Note.ListType);
            compare(notes[1].page, "qrc:/qml/ListNotePage.qml");
            compare(notes[1].text, "List note");
            compare(notes[2].type, Note.CanvasType);
            compare(notes[2].page, "qrc:/qml/CanvasNotePage.qml");
            compare(notes[2].text, "Canvas note");
        }

        function test_noteByType_data() {
            return [
                { tag: "text", type: Note.TextType, page: "qrc:/qml/TextNotePage.qml" },
                { tag: "list", type: Note.ListType, page: "qrc:/qml/ListNotePage.qml" },
                { tag: "canvas", type: Note.CanvasType, page: "qrc:/qml/CanvasNotePage.qml" }
            ];
        }

        function test_noteByType(data) {
            var kind = controller.noteByType(data.type);
            verify(kind);
            compare(kind.page, data.page);
            compare(kind.type, data.type);
        }

        function test_noteByTypeUnknown_data() {
            return [
                { tag: "negative", type: -1 },
                { tag: "past the kinds", type: 3 },
                { tag: "undefined", type: undefined },
                { tag: "string", type: "0" }
            ];
        }

        function test_noteByTypeUnknown(data) {
            compare(controller.noteByType(data.type), null);
        }

        function test_defaults() {
            compare(controller.isWidget, false);
            verify(controller.modelLoader.active);
            verify(controller.model);
            compare(controller.model, controller.modelLoader.item);
            compare(controller.model.rowCount(), testNoteCount);
        }

        function test_proxyNewestFirst() {
            var proxy = controller.proxyModel;
            compare(proxy.rowCount(), testNoteCount);
            // Note n was modified n minutes after the first, so the highest
            // number comes first.
            compare(proxyFile(0), (testNoteCount).toString(16) + ".note");
            compare(proxyFile(1), (testNoteCount - 1).toString(16) + ".note");
            compare(proxyFile(testNoteCount - 1), "1.note");
            var previous = proxy.data(proxy.index(0, 0), modifyDateRole);
            for (var row = 1; row < proxy.rowCount(); ++row) {
                var date = proxy.data(proxy.index(row, 0), modifyDateRole);
                verify(date.getTime() <= previous.getTime(), "row " + row + " is out of order");
                previous = date;
            }
        }

        function test_modelFollowsLoader() {
            var spy = modelSpy;
            spy.clear();
            controller.modelLoader.active = false;
            compare(controller.model, null);
            compare(controller.proxyModel.rowCount(), 0);

            controller.modelLoader.active = true;
            verify(controller.model);
            compare(controller.proxyModel.rowCount(), testNoteCount);
            // The new model is sorted again.
            compare(proxyFile(0), (testNoteCount).toString(16) + ".note");
            verify(spy.count >= 2);
        }

        function test_secondControllerIsIndependent() {
            var other = createTemporaryObject(controllerComponent, top);
            verify(other);
            verify(other.model !== controller.model);
            compare(other.proxyModel.rowCount(), testNoteCount);
            other.modelLoader.active = false;
            compare(controller.proxyModel.rowCount(), testNoteCount);
        }

        function test_asynchronousModel() {
            // A host may build the model in the background: the proxy gets
            // it (sorted) as soon as it appears.
            var other = createTemporaryObject(asyncControllerComponent, top);
            tryVerify(function() { return other.model !== null; });
            compare(other.proxyModel.rowCount(), testNoteCount);
            compare(other.proxyModel.data(other.proxyModel.index(0, 0), fileNameRole),
                    (testNoteCount).toString(16) + ".note");
        }

        function test_searchFilterThroughProxy() {
            var proxy = controller.proxyModel;
            proxy.setFilter("Note 17");
            // Titles "Note 17" and "Note 170".."Note 179".
            compare(proxy.rowCount(), 11);
            proxy.setFilter("");
            compare(proxy.rowCount(), testNoteCount);
        }
    }

    SignalSpy {
        id: modelSpy
        target: controller
        signalName: "modelChanged"
    }
}
