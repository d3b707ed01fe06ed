import QtQml 2.2

// A heading between rows.
ZibSettingsItemData {
    rowType: "category"
}
