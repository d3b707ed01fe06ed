import QtQml 2.15

// A row of ZibSettingsListView: name, value and description; clickFunc runs on a click.
QtObject {
    property string name: ""
    property var value: ""
    property string description: ""
    property bool enabled: true
    property var clickFunc: null
    property string rowType: "item"
}
