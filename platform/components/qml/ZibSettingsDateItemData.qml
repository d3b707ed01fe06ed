import QtQml 2.15

// A date row: value is "dd.MM.yyyy". Picking a date sets value and then calls clickFunc.
ZibSettingsItemData {
    rowType: "date"
}
