import QtQuick 2.15
import QtQuick.Controls 2.15

// A scrolling list of settings rows given as children (ZibSettings*ItemData).
Item {
    id: listView

    default property list<QtObject> rows
    readonly property alias contentHeight: flickable.contentHeight
    readonly property alias flickable: flickable
    readonly property real rowHeight: Math.round(50 * dpiRatio)

    function entryText(model, index) {
        if (!model || index === undefined || index === null)
            return ""
        var entry = model[index]
        return entry === undefined || entry === null ? "" : String(entry)
    }

    function modelTexts(model) {
        var texts = []
        if (model && model.length !== undefined) {
            for (var i = 0; i < model.length; ++i)
                texts.push(String(model[i]))
        }
        return texts
    }

    // Opens the chooser for a row, as a click on it does.
    function activate(row) {
        if (!row || !row.enabled)
            return null
        if (row.rowType === "combo") {
            return listView._dialog("ZibListDialog.qml").createObject(listView, { "options": {
                "title": row.name,
                "model": modelTexts(row.model),
                "okFunction": function(index) {
                    row.value = index
                    if (typeof row.clickFunc === "function")
                        row.clickFunc()
                }
            } })
        }
        if (row.rowType === "date") {
            return listView._dialog("ZibDatePickerDialog.qml").createObject(listView, { "options": {
                "title": row.name,
                "date": String(row.value),
                "okFunction": function(text) {
                    row.value = text
                    if (typeof row.clickFunc === "function")
                        row.clickFunc()
                }
            } })
        }
        if (row.rowType === "item" && typeof row.clickFunc === "function")
            row.clickFunc()
        return null
    }

    // Rows fill the default property, so the visual content is placed explicitly.
    data: Flickable {
        id: flickable
        anchors.fill: parent
        contentWidth: width
        contentHeight: column.height
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollIndicator.vertical: ScrollIndicator {}

      Column {
        id: column
        width: listView.width

        Repeater {
            model: listView.rows.length

            Item {
                id: rowItem
                readonly property QtObject row: listView.rows[index]
                readonly property bool isCategory: row.rowType === "category"
                readonly property string valueText: row.rowType === "combo" ? listView.entryText(row.model, row.value)
                                                                           : (row.value === undefined || row.value === null
                                                                              ? "" : String(row.value))
                readonly property bool showDescription: !isCategory && row.description !== "" && row.description !== valueText

                objectName: "settingsRow" + index
                width: column.width
                height: isCategory ? Math.round(listView.rowHeight * 0.8)
                                   : listView.rowHeight + (showDescription ? Math.round(listView.rowHeight * 0.3) : 0)
                enabled: isCategory || row.enabled
                opacity: enabled ? 1 : 0.45
                activeFocusOnTab: !isCategory && enabled
                Accessible.role: isCategory ? Accessible.Heading : Accessible.Button
                Accessible.name: row.name
                Accessible.description: valueText
                Accessible.onPressAction: rowItem.activate()
                Keys.onReturnPressed: activate()
                Keys.onEnterPressed: activate()
                Keys.onSpacePressed: activate()

                function activate() {
                    if (isCategory || !enabled)
                        return
                    var dialog = listView.activate(row)
                    if (dialog)
                        dialog.open()
                }

                Rectangle {
                    anchors.fill: parent
                    color: "transparent"
                    border.width: rowItem.activeFocus ? Math.max(2, Math.round(2 * dpiRatio)) : 0
                    border.color: styles.highlightColor
                }

                ZibTouchAnimation {
                    visible: !rowItem.isCategory
                    mouseArea: rowArea
                }

                Column {
                    anchors.left: parent.left
                    anchors.leftMargin: Math.round(16 * dpiRatio)
                    anchors.right: valueLabel.left
                    anchors.rightMargin: Math.round(8 * dpiRatio)
                    anchors.verticalCenter: parent.verticalCenter
                    anchors.verticalCenterOffset: rowItem.isCategory ? Math.round(listView.rowHeight * 0.12) : 0

                    ZibLabel {
                        width: parent.width
                        text: rowItem.row.name
                        elide: Text.ElideRight
                        color: rowItem.isCategory ? styles.highlightColor : styles.textColor
                        font.pixelSize: rowItem.isCategory ? styles.label.small : styles.label.normal
                        font.bold: rowItem.isCategory
                        font.capitalization: rowItem.isCategory ? Font.AllUppercase : Font.MixedCase
                    }
                    ZibLabel {
                        width: parent.width
                        visible: rowItem.showDescription
                        text: rowItem.row.description
                        elide: Text.ElideRight
                        color: styles.disabledTextColor
                        font.pixelSize: styles.label.small
                    }
                }

                ZibLabel {
                    id: valueLabel
                    objectName: "valueLabel"
                    anchors.right: indicator.left
                    anchors.rightMargin: Math.round(6 * dpiRatio)
                    anchors.verticalCenter: parent.verticalCenter
                    width: Math.min(implicitWidth, parent.width * 0.5)
                    visible: !rowItem.isCategory
                    text: rowItem.valueText
                    elide: Text.ElideRight
                    color: styles.highlightColor
                }

                ZibLabel {
                    id: indicator
                    anchors.right: parent.right
                    anchors.rightMargin: Math.round(16 * dpiRatio)
                    anchors.verticalCenter: parent.verticalCenter
                    width: rowItem.row.rowType === "combo" || rowItem.row.rowType === "date" ? implicitWidth : 0
                    text: rowItem.row.rowType === "combo" ? "\u25be" : (rowItem.row.rowType === "date" ? "\u25f4" : "")
                    color: styles.disabledTextColor
                }

                ZibSeparator {
                    anchors.bottom: parent.bottom
                    visible: !rowItem.isCategory
                }

                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    enabled: !rowItem.isCategory
                    onClicked: rowItem.activate()
                }
            }
        }
    }

    }

    // Dialog documents are compiled on first use.
    property var _dialogComponents: ({})
    function _dialog(file) {
        if (!_dialogComponents[file])
            _dialogComponents[file] = Qt.createComponent(file)
        return _dialogComponents[file]
    }
}
