import QtQuick 2.15

// An icon that can be tinted, greyed and given a soft shadow. Theme icons
// ("image://ThemeImageProvider/...") are recoloured by the image provider,
// which works with every scene graph backend. Pictures load off the GUI
// thread, so that a page's first frame does not wait for its icons.
Item {
    id: coloredImage

    property string imagePath: ""
    property size imageSourceSize: Qt.size(0, 0)
    property int imageFillMode: Image.PreserveAspectFit
    // Dark schemes tint theme icons with the text colour: the themes' own
    // symbolic icons are dark.
    property bool imageColorEnabled: styles.dark === true
    property color imageColor: styles.textColor
    property bool imageShadow: false
    property bool imageDesaturateEnabled: false
    readonly property alias status: image.status
    readonly property alias paintedWidth: image.paintedWidth
    readonly property alias paintedHeight: image.paintedHeight

    readonly property bool _fromProvider: imagePath.toLowerCase().indexOf("image://themeimageprovider/") === 0
    // Bucketed so that animated sizes do not reload the picture every frame.
    readonly property size _sourceSize: {
        if (imageSourceSize.width > 0 || imageSourceSize.height > 0)
            return imageSourceSize
        var side = Math.min(width, height)
        if (side <= 0)
            side = Math.max(width, height)
        side = side > 0 ? Math.ceil(side / 8) * 8 : 48
        return Qt.size(side, side)
    }

    function _hex(c) {
        var text = String(c)
        return text.charAt(0) === "#" ? text.substring(1) : text
    }
    // Nothing is loaded before the window's first frame (ZibRoot.framed).
    readonly property bool _windowFramed: typeof root === "undefined" || !root || root.framed !== false
    function _source(tint, gray) {
        if (!imagePath || !_windowFramed)
            return ""
        if (!_fromProvider)
            return imagePath
        var params = []
        if (gray)
            params.push("gray=1")
        if (tint !== undefined)
            params.push("color=" + _hex(tint))
        if (params.length === 0)
            return imagePath
        return imagePath + (imagePath.indexOf("?") < 0 ? "?" : "&") + params.join("&")
    }

    implicitWidth: Math.round(24 * dpiRatio)
    implicitHeight: implicitWidth

    // Only icons with a shadow pay for the second picture, and for the
    // bindings that place it.
    Loader {
        active: coloredImage.imageShadow && coloredImage._fromProvider
        sourceComponent: Image {
            x: Math.max(1, Math.round(dpiRatio))
            y: x
            width: coloredImage.width
            height: coloredImage.height
            visible: image.status === Image.Ready
            opacity: 0.25
            asynchronous: true
            source: coloredImage._source("000000", false)
            sourceSize: coloredImage._sourceSize
            fillMode: coloredImage.imageFillMode
            smooth: true
        }
    }

    Image {
        id: image
        anchors.fill: parent
        source: coloredImage._source(coloredImage.imageColorEnabled ? coloredImage.imageColor : undefined,
                                     coloredImage.imageDesaturateEnabled)
        sourceSize: coloredImage._sourceSize
        fillMode: coloredImage.imageFillMode
        smooth: true
        asynchronous: true
    }
}
