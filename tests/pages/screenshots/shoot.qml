import QtQuick 2.15
import QtTest 1.2
import Zib.Components 1.0
import Zib.NotesBase 1.0
import ".."

// Takes the pictures in docs/screenshots of each note page while viewing
// and editing. Not part of the test run; started by hand:
//   build/tests/pages/pages_tests -input tests/pages/screenshots/shoot.qml -import build/qml
Item {
    width: 100
    height: 100

    ZibRoot {
        id: zibRoot
        width: 480
        height: 640
        showOnStart: true
        initialPage: Component { ZibPage { title: "Notes" } }
    }

    NotesController {
        id: notesController
    }

    PageTestCase {
        name: "Screenshots"
        zibRoot: zibRoot
        controller: notesController

        property int baseDepth: 0
        readonly property string outDir: String(Qt.resolvedUrl("../../../docs/screenshots/")).replace("file://", "")

        function initTestCase() {
            zibRoot.show()
            tryCompare(zibRoot, "visible", true)
            baseDepth = zibRoot.pageDepth
        }

        function shoot(name) {
            wait(400)
            var done = false
            zibRoot.pageStack.grabToImage(function(result) {
                done = result.saveToFile(outDir + "page-" + name + ".png")
            })
            tryVerify(function() { return done }, 5000, "saved " + name)
        }

        function test_1_text() {
            var note = storedNote(Note.TextType, function(n) {
                n.title = "Weekend"
                n.text = "Pick up the bike from the repair shop.\nCall grandma about Sunday lunch.\n\nBring: cake, flowers, the photo album."
                n.notifyType = Note.RepeatOnce
                var d = new Date()
                d.setDate(d.getDate() + 2)
                d.setHours(10, 30)
                n.notifyDate = d
                n.bgColor = "#fff9c4"
            })
            var page = openNote("qrc:/qml/TextNotePage.qml", note, false)
            shoot("text-viewing")
            enterEditing(page)
            click(child(page, "noteTextEdit"))
            shoot("text-editing")
            closeAll(baseDepth)
        }

        function test_2_list() {
            var note = storedNote(Note.ListType, function(n) {
                n.title = "Groceries"
                n.texts = ["Milk", "Bread", "Tomatoes", "Olive oil", "Coffee beans"]
                n.checked = [true, false, true, false, false]
                n.bgColor = "#c8e6c9"
            })
            var page = openNote("qrc:/qml/ListNotePage.qml", note, false)
            shoot("list-viewing")
            enterEditing(page)
            shoot("list-editing")
            closeAll(baseDepth)
        }

        function test_3_canvas() {
            var note = createNote(Note.CanvasType)
            note.fgColor = "#1976d2"
            note.bgColor = "#ffffff"
            var page = openNote("qrc:/qml/CanvasNotePage.qml", note, true)
            var area = child(page._contentItem, "canvasMouseArea")
            // A little house.
            var lines = [[60, 260, 60, 140], [60, 140, 150, 60], [150, 60, 240, 140], [240, 140, 240, 260],
                         [240, 260, 60, 260], [130, 260, 130, 190], [130, 190, 170, 190], [170, 190, 170, 260]]
            for (var i = 0; i < lines.length; ++i) {
                var l = lines[i]
                mousePress(area, l[0], l[1])
                for (var t = 0; t <= 1.0001; t += 0.05) {
                    mouseMove(area, l[0] + (l[2] - l[0]) * t, l[1] + (l[3] - l[1]) * t)
                    wait(0)
                }
                mouseRelease(area, l[2], l[3])
                wait(30)
            }
            pressOk(page)
            pageClosed(page, baseDepth)
            page = openNote("qrc:/qml/CanvasNotePage.qml", note, false)
            shoot("canvas-viewing")
            enterEditing(page)
            mousePress(child(page, "lineWidthSlider"), 40, 10)
            wait(100)
            shoot("canvas-editing")
            mouseRelease(child(page, "lineWidthSlider"), 40, 10)
            closeAll(baseDepth)
        }

        function test_4_task() {
            var d = new Date()
            d.setHours(8, 15)
            openPage("qrc:/qml/TaskPage.qml", { notifyType: Note.RepeatEveryWeek, notifyDate: d,
                                                okFunction: function() {} })
            shoot("task")
            closeAll(baseDepth)
        }
    }
}
