import QtQuick 2.9
import QtQuick.Window 2.2
import QtQuick.Controls 2.5
import Zib.Components 1.0

// The desktop's application window: a stack of pages plus the window-wide
// dialogs (message, list choice, colour and time pickers). Pages pushed with
// addPage are created in this document's context, so they reach the window
// by the id `root`.
ApplicationWindow {
    id: root

    property string icon: ""
    property Component initialPage: null
    property bool showOnStart: true
    property real itemHeight: Math.round(50 * dpiRatio)
    readonly property int pageDepth: pageStack.depth
    readonly property Item currentPage: pageStack.currentItem
    readonly property alias pageStack: pageStack

    width: Math.max(minimumWidth, Math.round(720 * dpiRatio))
    height: Math.max(minimumHeight, Math.round(640 * dpiRatio))
    visible: false
    color: styles.backgroundColor

    // page: a URL (string) of a page document or a Component.
    function addPage(page, properties) {
        if (!page)
            return null
        var component = page
        if (typeof page.createObject !== "function") {
            component = Qt.createComponent(String(page))
            if (component.status === Component.Error) {
                console.warn("ZibRoot.addPage:", component.errorString())
                return null
            }
            if (component.status !== Component.Ready)
                component = String(page) // still loading: the stack waits for it
        }
        return pageStack.push(component, properties || {})
    }

    function showMessagePage(options) {
        return _openDialog("ZibMessageDialog.qml", options)
    }

    function showListViewPage(options) {
        return _openDialog("ZibListDialog.qml", options)
    }

    function showColorPicker(options) {
        return _openDialog("ZibColorPickerDialog.qml", options)
    }

    function showTimePicker(options) {
        return _openDialog("ZibTimePickerDialog.qml", options)
    }

    function showDatePicker(options) {
        return _openDialog("ZibDatePickerDialog.qml", options)
    }

    // "#AARRGGBB" of color with the alpha number (0..255).
    function getColorString(number, color) {
        var c = Qt.lighter(color === undefined || color === null ? "black" : color, 1.0)
        if (!c)
            c = Qt.rgba(0, 0, 0, 1)
        var alpha = Math.max(0, Math.min(255, Math.round(Number(number) || 0)))
        function hex(v) {
            var text = Math.max(0, Math.min(255, Math.round(v))).toString(16)
            return text.length < 2 ? "0" + text : text
        }
        return "#" + hex(alpha) + hex(c.r * 255) + hex(c.g * 255) + hex(c.b * 255)
    }

    // "r:g:b:a" with the components from 0 to 1.
    function getColorArrayString(color) {
        var c = Qt.lighter(color === undefined || color === null ? "black" : color, 1.0)
        if (!c)
            c = Qt.rgba(0, 0, 0, 1)
        return [c.r, c.g, c.b, c.a].join(":")
    }

    function isFileExist(path) {
        return ZibHelper.fileExists(String(path === undefined || path === null ? "" : path))
    }

    // Dialog documents are compiled on first use, not with the window.
    property var _dialogComponents: ({})
    function _openDialog(file, options) {
        var component = _dialogComponents[file]
        if (!component) {
            component = Qt.createComponent(file)
            _dialogComponents[file] = component
        }
        var dialog = component.createObject(root.contentItem, { "options": options || {} })
        if (!dialog) {
            console.warn("ZibRoot: cannot create dialog:", component.errorString())
            return null
        }
        dialog.open()
        return dialog
    }

    onIconChanged: ZibHelper.setWindowIcon(root, icon)

    Component.onCompleted: {
        if (icon)
            ZibHelper.setWindowIcon(root, icon)
        if (showOnStart)
            show()
    }

    StackView {
        id: pageStack
        objectName: "zibPageStack"
        anchors.fill: parent
        initialItem: root.initialPage
        focus: true

        // Called by ZibPage.closePage(); the first page cannot be removed.
        function zibRemovePage(item) {
            if (depth <= 1)
                return false
            if (currentItem === item) {
                pop()
                return true
            }
            var found = find(function(candidate) { return candidate === item })
            if (!found || found === get(0, StackView.DontLoad))
                return false
            pop(found) // pages above it go as well
            pop()
            return true
        }

        onCurrentItemChanged: if (currentItem) currentItem.forceActiveFocus()

        pushEnter: Transition {
            ParallelAnimation {
                NumberAnimation { property: "opacity"; from: 0; to: 1; duration: 180; easing.type: Easing.OutCubic }
                NumberAnimation { property: "y"; from: Math.round(24 * dpiRatio); to: 0; duration: 180; easing.type: Easing.OutCubic }
            }
        }
        pushExit: Transition {
            NumberAnimation { property: "opacity"; from: 1; to: 1; duration: 180 }
        }
        popEnter: Transition {
            NumberAnimation { property: "opacity"; from: 1; to: 1; duration: 160 }
        }
        popExit: Transition {
            ParallelAnimation {
                NumberAnimation { property: "opacity"; from: 1; to: 0; duration: 160; easing.type: Easing.InCubic }
                NumberAnimation { property: "y"; from: 0; to: Math.round(24 * dpiRatio); duration: 160; easing.type: Easing.InCubic }
            }
        }
        replaceEnter: pushEnter
        replaceExit: popExit
    }

    Shortcut {
        sequences: ["Esc", "Back"]
        onActivated: {
            var page = pageStack.currentItem
            if (page && typeof page.zibLeave === "function")
                page.zibLeave()
        }
    }
}
