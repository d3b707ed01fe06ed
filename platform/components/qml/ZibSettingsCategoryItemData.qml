import QtQml 2.15

// A heading between rows.
ZibSettingsItemData {
    rowType: "category"
}
