import QtQuick 2.15
import QtQuick.Window 2.15
import QtQuick.Controls 2.15
import QtQuick.Templates 2.15 as T
import Zib.Components 1.0

// The desktop's application window: a stack of pages plus the window-wide
// dialogs (message, list choice, colour and time pickers). Pages pushed with
// addPage are created in this document's context, so they reach the window
// by the id `root`.
// The window and its page stack are the templates themselves: the style's
// versions only add transitions and dimming, which are set here, and their
// documents and animations would be made with every window.
T.ApplicationWindow {
    id: root

    property string icon: ""
    property Component initialPage: null
    property bool showOnStart: true
    property real itemHeight: Math.round(50 * dpiRatio)
    readonly property int pageDepth: pageStack.depth
    readonly property Item currentPage: pageStack.currentItem
    readonly property alias pageStack: pageStack
    // Size and position are kept through `settings` (keys "window-x",
    // "window-y", "window-width", "window-height") and come back at the next
    // start, moved onto the screen where needed.
    property bool rememberGeometry: false

    width: Math.max(minimumWidth, Math.round(720 * dpiRatio))
    height: Math.max(minimumHeight, Math.round(640 * dpiRatio))
    visible: false
    color: styles.backgroundColor
    overlay.modal: Rectangle {
        color: Qt.rgba(root.palette.shadow.r, root.palette.shadow.g, root.palette.shadow.b, 0.5)
    }
    overlay.modeless: Rectangle {
        color: Qt.rgba(root.palette.shadow.r, root.palette.shadow.g, root.palette.shadow.b, 0.12)
    }

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

    // True once the window has shown its first frame (or, started hidden,
    // once it is complete): icons and the window icon wait for it, since
    // looking them up loads the icon theme.
    readonly property bool framed: _framed
    property bool _framed: false
    function _afterFirstFrame() {
        if (_framed)
            return
        _framed = true
        ZibHelper.prepareIcons()
        if (icon)
            ZibHelper.setWindowIcon(root, icon)
    }
    onIconChanged: if (_framed) ZibHelper.setWindowIcon(root, icon)
    Connections {
        target: root._framed ? null : root
        function onFrameSwapped() {
            // Not inside the swap: with the software renderer that is this thread.
            Qt.callLater(root._afterFirstFrame)
        }
    }

    function _restoreGeometry() {
        var w = settings.getInt("window-width", 0)
        var h = settings.getInt("window-height", 0)
        if (w <= 0 || h <= 0)
            return
        var screenW = Screen.desktopAvailableWidth > 0 ? Screen.desktopAvailableWidth : w
        var screenH = Screen.desktopAvailableHeight > 0 ? Screen.desktopAvailableHeight : h
        width = Math.max(minimumWidth, Math.min(w, screenW))
        height = Math.max(minimumHeight, Math.min(h, screenH))
        var unset = -100000
        var px = settings.getInt("window-x", unset)
        var py = settings.getInt("window-y", unset)
        if (px === unset || py === unset)
            return
        x = Math.max(0, Math.min(px, screenW - width))
        y = Math.max(0, Math.min(py, screenH - height))
    }

    function _saveGeometry() {
        if (!rememberGeometry || visibility === Window.Maximized || visibility === Window.FullScreen || width <= 0)
            return
        settings.setInt("window-width", width)
        settings.setInt("window-height", height)
        settings.setInt("window-x", x)
        settings.setInt("window-y", y)
    }

    Timer {
        id: geometrySaveTimer
        interval: 500
        onTriggered: root._saveGeometry()
    }
    onXChanged: if (rememberGeometry && visible) geometrySaveTimer.restart()
    onYChanged: if (rememberGeometry && visible) geometrySaveTimer.restart()
    onWidthChanged: if (rememberGeometry && visible) geometrySaveTimer.restart()
    onHeightChanged: if (rememberGeometry && visible) geometrySaveTimer.restart()
    onClosing: _saveGeometry()
    Component.onDestruction: if (geometrySaveTimer.running) _saveGeometry()

    Component.onCompleted: {
        if (rememberGeometry)
            _restoreGeometry()
        if (!showOnStart)
            _afterFirstFrame()
        if (showOnStart)
            show()
    }

    T.StackView {
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
