import QtQml 2.15

// A choice row: value is the index into model (texts). Choosing an entry sets
// value and then calls clickFunc.
ZibSettingsItemData {
    property var model: []
    value: 0
    rowType: "combo"
}
