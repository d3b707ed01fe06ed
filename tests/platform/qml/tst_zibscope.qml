import QtQuick 2.3
import QtTest 1.2
import Zib.Components 1.0

// The names every document of the engine gets from the plugin.
TestCase {
    name: "ZibScope"

    function test_styles_members_data() {
        return [
            { tag: "colors.white", value: styles.colors.white },
            { tag: "colors.black", value: styles.colors.black },
            { tag: "colors.crimson", value: styles.colors.crimson },
            { tag: "colors.gray", value: styles.colors.gray },
            { tag: "colors.lightGray", value: styles.colors.lightGray },
            { tag: "highlightColor", value: styles.highlightColor },
            { tag: "highlightColor2", value: styles.highlightColor2 },
            { tag: "backgroundColor", value: styles.backgroundColor },
            { tag: "textColor", value: styles.textColor }
        ]
    }
    function test_styles_members(data) {
        verify(data.value !== undefined)
        // Usable wherever a colour is expected.
        var c = Qt.lighter(data.value, 1.0)
        verify(c.a > 0)
    }

    function test_label_sizes_grow() {
        verify(styles.label.smallest > 0)
        verify(styles.label.small >= styles.label.smallest)
        verify(styles.label.normal >= styles.label.small)
        verify(styles.label.large >= styles.label.normal)
        compare(String(styles.colors.crimson), "#dc143c")
    }

    // One object serves every document: none may change it for the others.
    function test_styles_shared_unchanged() {
        var size = styles.label.normal
        var ink = String(styles.textColor)
        try {
            styles.label.normal = size + 5
            styles.textColor = "#123456"
            styles.colors = {}
        } catch (e) {
        }
        compare(styles.label.normal, size)
        compare(String(styles.textColor), ink)
        compare(String(styles.colors.crimson), "#dc143c")
    }

    function test_flags() {
        verify(dpiRatio >= 1)
        compare(debug, false)
        compare(isDesktopMode, true)
    }

    function test_settings_round_trip_data() {
        return [
            { tag: "int", key: "view-mode", value: 2, group: "Notes" },
            { tag: "negative int", key: "offset", value: -7, group: "ZibScopeTest" },
            { tag: "string", key: "last", value: "milk & <b>eggs</b>", group: "ZibScopeTest" },
            { tag: "empty string", key: "empty", value: "", group: "ZibScopeTest" }
        ]
    }
    function test_settings_round_trip(data) {
        if (typeof data.value === "number") {
            settings.setInt(data.key, data.value, data.group)
            compare(settings.getInt(data.key, 99, data.group), data.value)
        } else {
            settings.setString(data.key, data.value, data.group)
            compare(settings.getString(data.key, "default", data.group), data.value)
        }
    }

    function test_settings_defaults() {
        compare(settings.getInt("never-written", 42, "ZibScopeTest"), 42)
        compare(settings.getString("never-written", "d", "ZibScopeTest"), "d")
        compare(settings.getInt("view-mode", 0, "NoSuchGroup"), 0)
    }
}
