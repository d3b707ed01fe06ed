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
        height: 640
        showOnStart: true
        // The window's first page cannot be closed; note pages go above it.
        initialPage: Component { ZibPage { title: "Notes" } }
    }

    NotesController {
        id: notesController
    }

    PageTestCase {
        name: "CanvasNotePage"
        zibRoot: zibRoot
        controller: notesController

        property int baseDepth: 0
        readonly property string pageUrl: "qrc:/qml/CanvasNotePage.qml"

        function initTestCase() {
            zibRoot.show()
            tryCompare(zibRoot, "visible", true)
            baseDepth = zibRoot.pageDepth
        }

        function cleanup() {
            closeAll(baseDepth)
            zibRoot.width = 480
            zibRoot.height = 640
        }

        function canvasArea(page) {
            return child(page._contentItem, "canvasMouseArea")
        }

        // A horizontal stroke at height y from x1 to x2 (canvas coordinates).
        function stroke(page, y, x1, x2) {
            var area = canvasArea(page)
            mousePress(area, x1, y)
            for (var x = x1; x <= x2; x += 5)
                mouseMove(area, x, y)
            mouseRelease(area, x2, y)
            painted(page)
        }

        // Waits for the pending stroke to reach the canvas.
        function painted(page) {
            var canvas = child(page._contentItem, "canvas")
            tryVerify(function() { return !canvas._strokePending }, 5000, "stroke painted")
            wait(50)
        }

        function picturePath(note, index) {
            return notePath(note) + "_" + index + ".png"
        }

        function colorString(c) {
            return c.a === 0 ? "transparent" : String(Qt.rgba(c.r, c.g, c.b, 1))
        }

        function pixel(path, x, y) {
            return colorString(testHelper.pixel(path, x, y))
        }

        function saveAndWait(page) {
            pressOk(page)
            pageClosed(page, baseDepth)
        }

        function newDrawing(y) {
            var note = createNote(Note.CanvasType)
            note.fgColor = "#0000ff"
            var page = openNote(pageUrl, note, true)
            compare(page.title, "New canvas note")
            stroke(page, y, 20, 120)
            saveAndWait(page)
            return note
        }

        function test_okDisabledUntilPressed() {
            var note = createNote(Note.CanvasType)
            var page = openNote(pageUrl, note, true)
            verify(!page._textEditTitle.visible)
            verify(!page._flickable.interactive)
            verify(child(page, "rightToolbar").visible)
            verify(child(page, "brushBox").visible)
            verify(!page.okButtonEnabled)
            mousePress(canvasArea(page), 50, 50)
            verify(page.okButtonEnabled)
            mouseRelease(canvasArea(page), 50, 50)
        }

        function test_newDrawingSavesNoteThenPictureZero() {
            var note = newDrawing(40)
            verify(note.loaded)
            verify(testHelper.fileExists(notePath(note)))
            compare(note.imagePath, picturePath(note, 0))
            verify(testHelper.fileExists(picturePath(note, 0)))
            compare(pixel(picturePath(note, 0), 70, 40), "#0000ff")
            compare(pixel(picturePath(note, 0), 70, 100), "transparent")
            compare(testHelper.iniValue(notePath(note), "line-width"), 5)
        }

        function test_secondSaveMergesUnderNewStrokes() {
            var note = newDrawing(40)
            var page = openNote(pageUrl, note, false)
            compare(page.title, "Canvas")
            var picture = child(page._contentItem, "storedPicture")
            tryCompare(picture, "status", Image.Ready)
            enterEditing(page)
            note.fgColor = "#ff0000"
            stroke(page, 100, 20, 120)
            pressOk(page)
            // The page closes itself once the merged picture is written.
            pageClosed(page, baseDepth)
            compare(note.imagePath, picturePath(note, 1))
            verify(testHelper.fileExists(picturePath(note, 1)))
            verify(!testHelper.fileExists(picturePath(note, 0)), "old picture deleted")
            compare(pixel(picturePath(note, 1), 70, 40), "#0000ff")
            compare(pixel(picturePath(note, 1), 70, 100), "#ff0000")
            compare(pixel(picturePath(note, 1), 70, 160), "transparent")
        }

        function test_newStrokeCoversOldPicture() {
            var note = newDrawing(40)
            var page = openNote(pageUrl, note, false)
            tryCompare(child(page._contentItem, "storedPicture"), "status", Image.Ready)
            enterEditing(page)
            note.fgColor = "#00ff00"
            stroke(page, 40, 60, 80)
            saveAndWait(page)
            compare(pixel(note.imagePath, 70, 40), "#00ff00")
            compare(pixel(note.imagePath, 30, 40), "#0000ff")
        }

        function test_unreadablePictureIsReplaced() {
            var note = newDrawing(40)
            var old = note.imagePath
            testHelper.writeFile(old, "not a picture")
            var page = openNote(pageUrl, note, false)
            verify(!child(page._contentItem, "storedPicture").visible
                   || child(page._contentItem, "storedPicture").status !== Image.Ready)
            enterEditing(page)
            stroke(page, 100, 20, 120)
            saveAndWait(page)
            verify(!testHelper.fileExists(old))
            compare(pixel(note.imagePath, 70, 100), "#0000ff")
            compare(pixel(note.imagePath, 70, 40), "transparent")
        }

        function test_clearThenSave() {
            var note = newDrawing(40)
            var page = openNote(pageUrl, note, false)
            enterEditing(page)
            mousePress(child(page, "eraserButton"))
            var label = dialogItem("messageLabel")
            mouseRelease(child(page, "eraserButton"))
            compare(label.text, "Do you really want to clear canvas?")
            answer(true)
            verify(!child(page._contentItem, "storedPicture").visible, "stored picture hidden")
            stroke(page, 100, 20, 120)
            saveAndWait(page)
            compare(note.imagePath, picturePath(note, 1))
            verify(!testHelper.fileExists(picturePath(note, 0)))
            compare(pixel(note.imagePath, 70, 40), "transparent")
            compare(pixel(note.imagePath, 70, 100), "#0000ff")
        }

        // The snapshot kept for resizing must not bring cleared strokes back.
        function test_clearThenResizeStaysClear() {
            var note = createNote(Note.CanvasType)
            note.fgColor = "#0000ff"
            var page = openNote(pageUrl, note, true)
            stroke(page, 40, 20, 120)
            var canvas = child(page._contentItem, "canvas")
            tryVerify(function() { return !canvas._snapshotWanted })
            mousePress(child(page, "eraserButton"))
            dialogItem("messageLabel")
            mouseRelease(child(page, "eraserButton"))
            answer(true)
            var width = canvas.width
            zibRoot.width = 560
            tryVerify(function() { return canvas.width > width })
            wait(200)
            click(child(page, "pencilButton"))
            stroke(page, 100, 20, 120)
            saveAndWait(page)
            compare(pixel(note.imagePath, 70, 40), "transparent")
            compare(pixel(note.imagePath, 70, 100), "#0000ff")
        }

        function test_eraserPaintsBackground() {
            var note = createNote(Note.CanvasType)
            note.fgColor = "#0000ff"
            note.bgColor = "#ffff00"
            var page = openNote(pageUrl, note, true)
            stroke(page, 40, 20, 120)
            click(child(page, "eraserButton"))
            verify(page._eraserEnabled)
            verify(!child(page, "pencilButton").checked)
            stroke(page, 40, 60, 80)
            saveAndWait(page)
            compare(pixel(note.imagePath, 70, 40), "#ffff00")
            compare(pixel(note.imagePath, 30, 40), "#0000ff")
        }

        function test_clickDrawsDot() {
            var note = createNote(Note.CanvasType)
            note.fgColor = "#0000ff"
            var page = openNote(pageUrl, note, true)
            mouseClick(canvasArea(page), 50, 60)
            wait(50)
            saveAndWait(page)
            compare(pixel(note.imagePath, 50, 60), "#0000ff")
            compare(pixel(note.imagePath, 50, 80), "transparent")
        }

        function test_resizeKeepsStrokes() {
            var note = createNote(Note.CanvasType)
            note.fgColor = "#0000ff"
            var page = openNote(pageUrl, note, true)
            stroke(page, 40, 20, 120)
            var canvas = child(page._contentItem, "canvas")
            var width = canvas.width
            var height = canvas.height
            // A smaller window shows the drawing scaled; it keeps its size.
            zibRoot.width = 300
            zibRoot.height = 300
            var surface = child(page._contentItem, "drawingSurface")
            tryVerify(function() { return surface.scale < 1 })
            compare(canvas.width, width)
            compare(canvas.height, height)
            // A larger one makes the canvas grow, with the strokes put back.
            zibRoot.width = 600
            zibRoot.height = 800
            tryVerify(function() { return canvas.width > width && canvas.height > height })
            compare(surface.scale, 1)
            var grown = canvas.width
            wait(200)
            saveAndWait(page)
            compare(pixel(note.imagePath, 70, 40), "#0000ff")
            compare(testHelper.imageSize(note.imagePath).width, grown)
        }

        // A drawing saved in a large window and edited in a smaller one.
        function test_smallerWindowCropsNothing() {
            var note = createNote(Note.CanvasType)
            note.fgColor = "#0000ff"
            var page = openNote(pageUrl, note, true)
            var canvas = child(page._contentItem, "canvas")
            var wide = canvas.width
            var high = canvas.height
            stroke(page, 40, 20, 120)
            stroke(page, high - 20, wide - 100, wide - 20)
            saveAndWait(page)
            compare(testHelper.imageSize(note.imagePath), Qt.size(wide, high))

            zibRoot.width = 300
            zibRoot.height = 400
            page = openNote(pageUrl, note, false)
            tryCompare(child(page._contentItem, "storedPicture"), "status", Image.Ready)
            enterEditing(page)
            canvas = child(page._contentItem, "canvas")
            compare(canvas.width, wide)
            compare(canvas.height, high)
            // The whole drawing is in view.
            var corner = canvas.mapToItem(page._contentItem, canvas.width, canvas.height)
            verify(corner.x <= page._contentItem.width + 0.5 && corner.y <= page._contentItem.height + 0.5,
                   "in view: " + corner.x + "," + corner.y)
            note.fgColor = "#ff0000"
            stroke(page, 100, 20, 120)
            saveAndWait(page)
            compare(testHelper.imageSize(note.imagePath), Qt.size(wide, high))
            compare(pixel(note.imagePath, wide - 60, high - 20), "#0000ff")
            compare(pixel(note.imagePath, 70, 40), "#0000ff")
            compare(pixel(note.imagePath, 70, 100), "#ff0000")
        }

        function test_failedWriteKeepsThePicture() {
            var note = newDrawing(40)
            var old = note.imagePath
            var page = openNote(pageUrl, note, false)
            tryCompare(child(page._contentItem, "storedPicture"), "status", Image.Ready)
            enterEditing(page)
            // Nothing can be written where the next picture would go.
            var blocked = note.nextImagePath
            verify(testHelper.makeDirectory(blocked))
            stroke(page, 100, 20, 120)
            pressOk(page)
            compare(dialogItem("messageLabel").text, "The drawing could not be saved.")
            answer(true)
            compare(zibRoot.pageDepth, baseDepth + 1)
            compare(note.imagePath, old)
            compare(pixel(old, 70, 40), "#0000ff")

            // Once writing works again the same page saves the drawing.
            verify(testHelper.removeDirectory(blocked))
            saveAndWait(page)
            verify(note.imagePath !== old)
            verify(!testHelper.fileExists(old))
            compare(pixel(note.imagePath, 70, 40), "#0000ff")
            compare(pixel(note.imagePath, 70, 100), "#0000ff")
        }

        function test_brushWidthSetsStrokeWidth() {
            var thin = storedNote(Note.CanvasType, function(n) { n.lineWidth = 1; n.fgColor = "#0000ff" })
            var page = openNote(pageUrl, thin, false)
            enterEditing(page)
            stroke(page, 40, 20, 120)
            saveAndWait(page)
            compare(pixel(thin.imagePath, 70, 40), "#0000ff")
            compare(pixel(thin.imagePath, 70, 46), "transparent")

            var wide = storedNote(Note.CanvasType, function(n) { n.lineWidth = 1; n.fgColor = "#0000ff" })
            page = openNote(pageUrl, wide, false)
            enterEditing(page)
            var slider = child(page, "lineWidthSlider")
            mouseClick(slider, slider.width * 0.25, slider.height / 2)
            var width = page._lineWidth + 1
            verify(width >= 14, "wide brush " + width)
            stroke(page, 40, 20, 120)
            saveAndWait(page)
            compare(pixel(wide.imagePath, 70, 46), "#0000ff")
            compare(pixel(wide.imagePath, 70, 40 + width), "transparent")
        }

        function test_lineWidthFromNote_data() {
            return [ { tag: "width 1", stored: 1, index: 0, label: "2" },
                     { tag: "width 7", stored: 7, index: 6, label: "8" } ]
        }

        function test_lineWidthFromNote(data) {
            var note = storedNote(Note.CanvasType, function(n) { n.lineWidth = data.stored })
            var page = openNote(pageUrl, note, false)
            compare(page._lineWidth, data.index)
            compare(child(page, "lineWidthSlider").index, data.index)
            compare(child(page, "lineWidthLabel").text, data.label)
        }

        function test_sliderWidthIsStored() {
            var note = storedNote(Note.CanvasType, function(n) { n.lineWidth = 1 })
            var page = openNote(pageUrl, note, false)
            enterEditing(page)
            var slider = child(page, "lineWidthSlider")
            mouseClick(slider, slider.width * 0.5, slider.height / 2)
            verify(slider.index > 0)
            compare(child(page, "lineWidthLabel").text, String(slider.index + 2))
            stroke(page, 40, 20, 120)
            var expected = slider.index + 1
            saveAndWait(page)
            compare(note.lineWidth, expected)
            compare(testHelper.iniValue(notePath(note), "line-width"), expected)
        }
    }
}
