import QtQuick 2.3
import Zib.Components 1.0

ZibRoot {
    id: root

    property int cancelCalls: 0
    property int okCalls: 0
    property int dialogOks: 0
    property int dialogCancels: 0

    function openMessage() {
        return showMessagePage({
            title: "Warning",
            message: "Sure?",
            showCancelButton: true,
            okFunction: function() { root.dialogOks++ },
            cancelFunction: function() { root.dialogCancels++ }
        })
    }

    function pushTestPage(keepOpen) {
        return addPage(testPage, { "keepOpen": keepOpen })
    }

    function pushOkPage(enabled) {
        return addPage(testPage, { "okButtonEnabled": enabled })
    }

    showOnStart: testShowOnStart
    initialPage: Component { ZibPage {} }

    Component {
        id: testPage
        ZibPage {
            property bool keepOpen: false
            showOkButton: true
            okFunction: function() {
                root.okCalls++
            }

            ZibTextEditRaw {
                objectName: "editor"
                parent: centerRect
                anchors.fill: parent
                focus: true
            }
            cancelFunction: function() {
                root.cancelCalls++
                return keepOpen
            }
        }
    }
}
