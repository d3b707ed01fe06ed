import QtQuick 2.15
import Zib.Components 1.0
import "./pages" as Pages

ZibRoot {
    id: root

    signal showNoteInTray(string noteId)
    signal showNoteOnStart(string noteId)
    signal createNoteOnStart()

    // Small enough for half a laptop screen; the tool bar and cards still fit.
    minimumWidth: 360
    minimumHeight: 400
    rememberGeometry: true
    title: qsTr("Notes")
    icon: "zib-notes"
    initialPage: Component {
        Pages.MainPage {
            focus: true
        }
    }
    showOnStart: showWindowOnStart

    function showAndRaise() {
        root.show()
        root.raise()
    }

    function parseSingleAppMessage(message) {
        // The first instance's own start message waits until the window and
        // its page have settled; a newer one replaces a pending one.
        var onStartIndex = message.indexOf("onStart")
        if (onStartIndex > 0) {
            parseSingleAppMessageTimer.message = message.substring(0, onStartIndex).trim()
            parseSingleAppMessageTimer.start()
            return
        }

        if (debug)
            console.log("parseSingleAppMessage:", message)

        var isNoteId = message.indexOf("noteId") === 0
        var parts = message.split(" ")
        var hasId = parts.length >= 2 && parts[1] !== "" && parts[1] !== "0"
        if (isNoteId) {
            if (hasId)
                root.showNoteInTray(parts[1])
        } else if (message.indexOf("showId") === 0) {
            if (hasId)
                root.showNoteOnStart(parts[1])
        } else if (message.indexOf("createNote") === 0) {
            root.createNoteOnStart()
        }

        if (!isNoteId)
            showAndRaise()
    }

    Timer {
        id: parseSingleAppMessageTimer
        objectName: "parseSingleAppMessageTimer"

        property string message: ""

        interval: 500
        repeat: false
        running: false
        onTriggered: root.parseSingleAppMessage(message)
    }

    Component.onCompleted: {
        singleApp.messageReceived.connect(parseSingleAppMessage)
        if (debug) {
            console.log("isDesktopMode", isDesktopMode)
            console.log("dpiRatio", dpiRatio)
            console.log("icon", icon)
        }
    }
    // The application object outlives the window.
    Component.onDestruction: singleApp.messageReceived.disconnect(parseSingleAppMessage)
}
