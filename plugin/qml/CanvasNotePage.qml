import QtQuick 2.15
import Zib.Components 1.0

NotePage {
    id: textCanvasPage

    title: noteData && noteData.loaded ? qsTr("Canvas") : qsTr("New canvas note")
    titleImage.imagePath: "image://ThemeImageProvider/draw-freehand"
    okFunction: saveCanvasNote

    // A drawing has no title editor and does not scroll.
    _textEditTitle.height: 0
    _textEditTitle.enabled: false
    _textEditTitle.focus: false
    _textEditTitle.visible: false
    _flickable.topMargin: 0
    _flickable.interactive: false

    Connections {
        target: textCanvasPage._flickable
        function onInteractiveChanged() {
            if (textCanvasPage._flickable.interactive)
                textCanvasPage._flickable.interactive = false
        }
    }

    Component.onCompleted: {
        if (noteData)
            _lineWidth = Math.max(noteData.lineWidth - 1, 0)
    }

    // The note's picture with a query that keeps a cached copy away.
    function _pictureUrl(query) {
        return noteData.imageUrl.toString() + query
    }

    function _reportSaveFailure() {
        root.showMessagePage({
            title: qsTr("Warning"),
            message: qsTr("The drawing could not be saved."),
            showCancelButton: false
        })
    }

    // At quit there is no later paint to wait for: the picture is merged
    // and written at once.
    function keepEdits() {
        if (!noteData || !_changed || !_isEditing || !_contentItem)
            return
        noteData.lineWidth = _lineWidth + 1
        saveNote()
        _contentItem.savePictureNow()
        _changed = false
    }

    function saveCanvasNote() {
        var content = _contentItem
        if (content.savePending)
            return true
        noteData.lineWidth = _lineWidth + 1
        // A new note gets its file name, and so its picture path, here.
        if (saveNote())
            return true
        return content.savePicture()
    }

    _contentComponent: Component {
        Item {
            id: canvasItem

            readonly property real contentHeight: 0
            readonly property bool canBeSaved: true
            readonly property bool savePending: canvas._saveOnPaint || canvasSaveTimer.running
            readonly property alias canvas: canvas
            readonly property alias picture: picture

            function _pictureExists() {
                var path = textCanvasPage.noteData.imagePath
                return path !== "" && root.isFileExist(path)
            }

            // Writes the canvas as the note's next picture and switches the
            // note to it; on failure the note keeps its picture and the page
            // stays open to try again.
            function _saveNext() {
                var note = textCanvasPage.noteData
                canvas.save(note.nextImagePath)
                if (note.updateImagePath())
                    return true
                textCanvasPage._reportSaveFailure()
                return false
            }

            function savePicture() {
                var note = textCanvasPage.noteData
                if (_pictureExists()) {
                    if (!canvas._cleared) {
                        // Put the stored picture under the new strokes and
                        // save once that has been painted. The query keeps an
                        // earlier picture cached under the same path away.
                        canvas._saveOnPaint = true
                        canvas._pendingUnderUrl = textCanvasPage._pictureUrl("?" + Date.now())
                        canvas.loadImage(canvas._pendingUnderUrl)
                        return true
                    }
                    return !_saveNext()
                }
                if (note.imagePath !== "" && !canvas.save(note.imagePath)) {
                    textCanvasPage._reportSaveFailure()
                    return true
                }
                return false
            }

            function savePictureNow() {
                var note = textCanvasPage.noteData
                if (!_pictureExists()) {
                    if (note.imagePath !== "")
                        canvas.save(note.imagePath)
                    return
                }
                if (!canvas._cleared) {
                    // Without the stored picture under the strokes the save
                    // would replace it with the strokes alone.
                    if (!canvas.isImageLoaded(canvas._storedUrl))
                        return
                    canvas._drawUnder(canvas._storedUrl)
                }
                _saveNext()
            }

            function clearCanvas() {
                canvas._cleared = true
                var ctx = canvas.getContext("2d")
                ctx.clearRect(0, 0, canvas.width, canvas.height)
                // A later resize must not put the cleared strokes back.
                canvas._lastContextData = undefined
                canvas.requestPaint()
            }

            Timer {
                id: canvasSaveTimer
                interval: 0
                onTriggered: {
                    if (!canvasItem._saveNext())
                        return
                    textCanvasPage.okFunction = null
                    textCanvasPage.closePage(true)
                }
            }

            // The drawing is never smaller than the stored picture, nor than
            // the canvas was when strokes were drawn on it, so that a save in
            // a smaller window crops nothing; a drawing larger than the view
            // is shown scaled down to fit.
            property real _keptWidth: 0
            property real _keptHeight: 0
            readonly property real surfaceWidth: Math.max(width, picture.implicitWidth, _keptWidth)
            readonly property real surfaceHeight: Math.max(height, picture.implicitHeight, _keptHeight)
            readonly property real surfaceScale: width > 0 && height > 0
                                                 ? Math.min(1, width / surfaceWidth, height / surfaceHeight) : 1

            Item {
                id: surface
                objectName: "drawingSurface"
                width: canvasItem.surfaceWidth
                height: canvasItem.surfaceHeight
                scale: canvasItem.surfaceScale
                transformOrigin: Item.TopLeft

                Image {
                    id: picture
                    objectName: "storedPicture"
                    anchors.fill: parent
                    // Drawn at its own size from the top left corner, as the
                    // merge on saving puts it.
                    fillMode: Image.Pad
                    horizontalAlignment: Image.AlignLeft
                    verticalAlignment: Image.AlignTop
                    // Picture paths come round again; never show a cached one.
                    cache: false
                    source: !canvas._cleared && canvasItem._pictureExists()
                            ? textCanvasPage._pictureUrl("") : ""
                    visible: source != ""
                }

                Canvas {
                    id: canvas
                    objectName: "canvas"

                    property real _lastX: 0
                    property real _lastY: 0
                    property bool _saveOnPaint: false
                    property bool _cleared: false
                    property var _lastContextData
                    // A stroke segment waits for the next paint.
                    property bool _strokePending: false
                    property real _toX: 0
                    property real _toY: 0
                    property bool _moved: false

                    anchors.fill: parent

                    property string _pendingUnderUrl: ""
                    // The stored picture, loaded as the page opens for a
                    // save that cannot wait.
                    property string _storedUrl: ""

                    Component.onCompleted: {
                        if (canvasItem._pictureExists()) {
                            _storedUrl = textCanvasPage._pictureUrl("?stored" + Date.now())
                            loadImage(_storedUrl)
                        }
                    }
                    // The snapshot waits for the last stroke to be painted.
                    property bool _snapshotWanted: false

                    function _drawUnder(url) {
                        var ctx = getContext("2d")
                        ctx.globalCompositeOperation = "destination-over"
                        ctx.drawImage(url, 0, 0)
                        ctx.globalCompositeOperation = "source-over"
                        requestPaint()
                    }

                    onImageLoaded: {
                        var url = _pendingUnderUrl
                        if (url === "")
                            return
                        if (isImageLoaded(url)) {
                            _pendingUnderUrl = ""
                            _drawUnder(url)
                        } else if (isImageError(url)) {
                            // An unreadable picture cannot be kept; save the
                            // new strokes alone rather than never.
                            _pendingUnderUrl = ""
                            _saveOnPaint = false
                            canvasSaveTimer.start()
                        }
                    }

                    function _brushColor() {
                        var note = textCanvasPage.noteData
                        return textCanvasPage._eraserEnabled ? note.bgColor : note.fgColor
                    }

                    onPaint: {
                        if (!textCanvasPage._isEditing || !_strokePending)
                            return
                        _strokePending = false
                        var ctx = getContext("2d")
                        ctx.lineWidth = textCanvasPage._lineWidth + 1
                        ctx.lineJoin = "round"
                        ctx.lineCap = "round"
                        ctx.strokeStyle = _brushColor()
                        ctx.beginPath()
                        ctx.moveTo(_lastX, _lastY)
                        ctx.lineTo(_toX, _toY)
                        ctx.stroke()
                        _lastX = _toX
                        _lastY = _toY
                    }

                    onPainted: {
                        if (_snapshotWanted)
                            canvasSaveLastContextData.restart()
                        if (_saveOnPaint) {
                            _saveOnPaint = false
                            canvasSaveTimer.start()
                        }
                    }

                    onWidthChanged: if (textCanvasPage._isEditing) canvasPaintLastContextData.restart()
                    onHeightChanged: if (textCanvasPage._isEditing) canvasPaintLastContextData.restart()

                    Timer {
                        id: canvasPaintLastContextData
                        interval: 100
                        onTriggered: {
                            var data = canvas._lastContextData
                            if (!data)
                                return
                            var ctx = canvas.getContext("2d")
                            ctx.putImageData(data, 0, 0, 0, 0, data.width, data.height)
                            canvas.requestPaint()
                        }
                    }

                    Timer {
                        id: canvasSaveLastContextData
                        interval: 0
                        onTriggered: {
                            if (canvas._strokePending)
                                return
                            canvas._snapshotWanted = false
                            var ctx = canvas.getContext("2d")
                            canvas._lastContextData = ctx.getImageData(0, 0, canvas.width, canvas.height)
                        }
                    }

                    MouseArea {
                        id: mouseArea
                        objectName: "canvasMouseArea"
                        anchors.fill: parent
                        preventStealing: true

                        onPressed: {
                            // Where strokes are, the drawing never shrinks.
                            canvasItem._keptWidth = Math.max(canvasItem._keptWidth, canvas.width)
                            canvasItem._keptHeight = Math.max(canvasItem._keptHeight, canvas.height)
                            canvas._lastX = mouse.x
                            canvas._lastY = mouse.y
                            canvas._moved = false
                            textCanvasPage._changed = true
                        }
                        onPositionChanged: {
                            if (!pressed)
                                return
                            canvas._toX = mouse.x
                            canvas._toY = mouse.y
                            canvas._strokePending = true
                            canvas._moved = true
                            canvas.requestPaint()
                        }
                        onClicked: {
                            if (canvas._moved)
                                return
                            var ctx = canvas.getContext("2d")
                            ctx.fillStyle = canvas._brushColor()
                            ctx.beginPath()
                            ctx.arc(mouse.x, mouse.y, (textCanvasPage._lineWidth + 1) / 2, 0, 2 * Math.PI)
                            ctx.fill()
                            canvas.requestPaint()
                        }
                        onReleased: {
                            canvas._snapshotWanted = true
                            canvasSaveLastContextData.restart()
                        }
                    }
                }
            }
        }
    }
}
