import QtQuick 2.15

// A drawing's preview on its card: the note's picture, or a faint stand-in
// while the drawing has none (yet). Made only for drawing notes, so the
// cards of the other notes carry no images.
Item {
    id: drawing

    property var note: null
    property bool alignLeft: false
    property real unit: 1
    // Bumped to look for the picture file again (see reload).
    property int revision: 0

    readonly property string source: {
        revision;
        return note && note.imagePath && fileExists(note.imagePath) ? note.imageUrl.toString() : "";
    }

    function fileExists(path) {
        // The window offers a cheap check; without it the picture simply
        // stays hidden unless it loads.
        if (typeof root !== "undefined" && root && typeof root.isFileExist === "function")
            return root.isFileExist(path);
        return true;
    }

    // The drawing page writes the first picture of a note after saving the
    // note, under a path the card already knows; look again once that save
    // has finished.
    function reload() {
        picture.source = "";
        ++revision;
        picture.source = Qt.binding(function() { return drawing.source; });
    }

    Connections {
        target: drawing.note
        ignoreUnknownSignals: true
        function onModifyDateChanged() {
            Qt.callLater(drawing.reload);
        }
    }

    Image {
        anchors.centerIn: parent
        width: Math.min(parent.width, parent.height, 32 * drawing.unit)
        height: width
        visible: picture.status !== Image.Ready && width > 0
        source: visible ? "image://ThemeImageProvider/draw-freehand" : ""
        sourceSize.width: width
        sourceSize.height: height
        opacity: 0.3
    }

    Image {
        id: picture
        objectName: "cardImage"
        anchors.fill: parent
        visible: status === Image.Ready
        source: drawing.source
        fillMode: Image.PreserveAspectFit
        horizontalAlignment: drawing.alignLeft ? Image.AlignLeft : Image.AlignHCenter
        asynchronous: true
        // A later drawing can reuse a file name, so never show a cached one.
        cache: false
        smooth: true
        sourceSize.width: Math.max(1, Math.round(width))
        sourceSize.height: Math.max(1, Math.round(height))
    }
}
