import QtQuick 2.15
import QtQuick.Controls 2.15

// A page of the window's page stack: a card (frontRect) with a title row, a
// content area (centerRect), two small corners at the bottom and a round OK
// button. OK calls okFunction; leaving (close button, Esc, Back) calls
// cancelFunction; a result of true keeps the page open.
FocusScope {
    id: page

    property string title: ""
    property alias titleImage: titleImageItem
    property alias titleLabel: titleLabelItem
    property alias titleRect: titleRectItem
    property alias closeButton: closeButtonItem
    property alias frontRect: frontRectItem
    property alias centerRect: centerRectItem
    property alias backRect: backRectItem
    property alias bottomLeftSpace: bottomLeftSpaceItem
    property alias bottomRightSpace: bottomRightSpaceItem
    property alias okButton: okButtonItem

    property real leftMargin: 0
    property real topMargin: 0
    property bool centerRectShadow: false
    property bool okButtonEnabled: true
    property bool showOkButton: false
    property var okFunction: null
    property var okFunctionCustomArgs: undefined
    property var cancelFunction: null

    readonly property bool isClosed: _zibClosed
    property bool _zibClosed: false
    readonly property real _unit: Math.round(50 * dpiRatio)

    signal pageClosed(bool accepted)

    // OK: okFunction with okFunctionCustomArgs as its arguments.
    function zibAccept() {
        if (_zibClosed)
            return
        var result
        if (typeof okFunction === "function") {
            var args = []
            if (Array.isArray(okFunctionCustomArgs))
                args = okFunctionCustomArgs
            else if (okFunctionCustomArgs !== undefined && okFunctionCustomArgs !== null)
                args = [okFunctionCustomArgs]
            result = okFunction.apply(null, args)
        }
        if (result !== true)
            closePage(true)
    }

    // Close button, Esc and Back.
    function zibLeave() {
        if (_zibClosed)
            return
        var keep = false
        if (typeof cancelFunction === "function")
            keep = cancelFunction() === true
        if (!keep)
            closePage(false)
    }

    // Closes the page at once; cancelFunction is not asked.
    function closePage(accepted) {
        if (_zibClosed)
            return
        _zibClosed = true
        var view = StackView.view
        if (view && typeof view.zibRemovePage === "function" && !view.zibRemovePage(page)) {
            _zibClosed = false // the window's first page stays
            return
        }
        pageClosed(accepted === true)
    }

    Rectangle {
        id: backRectItem
        anchors.fill: parent
        color: styles.backgroundColor
    }

    // A card that does not fill the page (a dialog-like page) gets a soft edge.
    Loader {
        id: frontRectShadowItem
        readonly property bool floating: frontRectItem.width < page.width - 1 || frontRectItem.height < page.height - 1
        active: floating && frontRectItem.visible
        sourceComponent: shadowComponent
        onLoaded: {
            item.card = frontRectItem
            item.layers = 4
            item.strength = 0.06
            item.offset = Math.round(2 * dpiRatio)
        }
    }

    Rectangle {
        id: frontRectItem
        anchors.fill: parent
        anchors.leftMargin: page.leftMargin
        anchors.rightMargin: page.leftMargin
        anchors.topMargin: page.topMargin
        anchors.bottomMargin: page.topMargin
        color: styles.colors.white
        radius: frontRectShadowItem.floating ? Math.round(6 * dpiRatio) : 0

        Item {
            id: titleRectItem
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.top: parent.top
            height: page._unit

            ZibColoredImage {
                id: titleImageItem
                anchors.left: parent.left
                anchors.leftMargin: Math.round(parent.height * 0.25)
                anchors.verticalCenter: parent.verticalCenter
                width: imagePath ? Math.round(parent.height * 0.5) : 0
                height: width
                imageColorEnabled: true
                imageColor: styles.highlightColor
                imageShadow: true
            }

            ZibLabel {
                id: titleLabelItem
                anchors.left: titleImageItem.right
                anchors.leftMargin: Math.round(titleRectItem.height * 0.25)
                anchors.right: closeButtonItem.left
                anchors.verticalCenter: parent.verticalCenter
                text: page.title
                font.pixelSize: styles.label.large
                font.bold: true
                elide: Text.ElideRight
            }

            ZibMenuButton {
                id: closeButtonItem
                anchors.right: parent.right
                anchors.top: parent.top
                anchors.bottom: parent.bottom
                image.imagePath: "image://ThemeImageProvider/window-close"
                toolTipText: qsTr("Close")
                onClicked: page.zibLeave()
            }
        }

        Item {
            id: bottomBar
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            anchors.leftMargin: centerRectItem.margin
            anchors.rightMargin: centerRectItem.margin
            height: Math.round(page._unit * 0.5)

            Item {
                id: bottomLeftSpaceItem
                anchors.left: parent.left
                anchors.top: parent.top
                anchors.bottom: parent.bottom
                width: Math.round(parent.width / 2)
            }

            Item {
                id: bottomRightSpaceItem
                anchors.left: bottomLeftSpaceItem.right
                anchors.right: parent.right
                anchors.rightMargin: okButtonItem.visible ? okButtonItem.width + centerRectItem.margin : 0
                anchors.top: parent.top
                anchors.bottom: parent.bottom
            }
        }
    }

    Loader {
        id: centerRectShadowItem
        active: page.centerRectShadow && centerRectItem.visible
        sourceComponent: shadowComponent
        onLoaded: item.card = centerRectItem
    }

    Rectangle {
        id: centerRectItem

        property real margin: Math.round(10 * dpiRatio)

        x: frontRectItem.x + margin
        width: Math.max(0, frontRectItem.width - 2 * margin)
        y: frontRectItem.y + titleRectItem.height + margin
        height: Math.max(0, frontRectItem.y + frontRectItem.height - bottomBar.height - y)
        color: styles.colors.white
        radius: Math.round(2 * dpiRatio)
    }

    // The round button is made when first shown; okButton stays a stable item.
    Item {
        id: okButtonItem
        objectName: "zibPageOkButton"

        signal clicked()

        visible: page.showOkButton && frontRectItem.visible
        enabled: page.okButtonEnabled
        width: Math.round(page._unit * 1.1)
        height: width
        x: frontRectItem.x + frontRectItem.width - width - centerRectItem.margin * 2
        y: centerRectItem.y + centerRectItem.height - height / 2 - Math.round(bottomBar.height / 4)
        z: 10
        onClicked: page.zibAccept()

        Loader {
            anchors.fill: parent
            active: okButtonItem.visible || status === Loader.Ready
            sourceComponent: ZibRoundButton {
                enabled: okButtonItem.enabled
                onClicked: okButtonItem.clicked()
            }
        }
    }

    Component {
        id: shadowComponent

        // Soft edge around a card: a few widening, fading outlines. It
        // follows its card, so a page whose edges are never made (the main
        // page) does not pay for these bindings.
        Item {
            property Item card: null
            property real edgeRadius: card ? card.radius : 0
            property int layers: 3
            property real strength: 0.07
            property real offset: Math.round(dpiRatio)

            x: card ? card.x : 0
            y: card ? card.y : 0
            width: card ? card.width : 0
            height: card ? card.height : 0

            Repeater {
                model: parent.layers
                Rectangle {
                    x: -(index + 1)
                    y: -(index + 1) + parent.offset
                    width: parent.width + 2 * (index + 1)
                    height: parent.height + 2 * (index + 1)
                    radius: parent.edgeRadius + index + 1
                    color: "#000000"
                    opacity: Math.max(0, parent.strength - index * parent.strength / parent.layers)
                }
            }
        }
    }
}
