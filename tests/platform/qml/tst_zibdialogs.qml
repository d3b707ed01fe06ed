import QtQuick 2.3
import QtTest 1.2
import QtQuick.Controls 2.5
import Zib.Components 1.0

TestCase {
    name: "ZibDialogs"
    when: windowShown

    ZibRoot {
        id: win
        showOnStart: false
        initialPage: Component { ZibPage {} }
    }

    function findChild(item, name) {
        if (!item)
            return null
        if (item.objectName === name)
            return item
        var kids = item.children || []
        var sawContentItem = false
        for (var i = 0; i < kids.length; ++i) {
            sawContentItem = sawContentItem || kids[i] === item.contentItem
            var found = findChild(kids[i], name)
            if (found)
                return found
        }
        if (item.contentItem && item.contentItem !== item && !sawContentItem)
            return findChild(item.contentItem, name)
        return null
    }

    // Closed dialogs destroy themselves.
    function waitGone(dialog) {
        tryVerify(function() { return dialog.visible !== true })
    }

    function waitOpened(dialog) {
        verify(dialog !== null)
        tryCompare(dialog, "opened", true)
    }

    function test_message_ok_and_cancel_data() {
        return [
            { tag: "ok closes", press: "dialogOkButton", okResult: undefined, ok: 1, cancel: 0, open: false },
            { tag: "ok returning true stays", press: "dialogOkButton", okResult: true, ok: 1, cancel: 0, open: true },
            { tag: "cancel button", press: "dialogCancelButton", okResult: undefined, ok: 0, cancel: 1, open: false },
            { tag: "close button", press: "dialogCloseButton", okResult: undefined, ok: 0, cancel: 1, open: false }
        ]
    }
    function test_message_ok_and_cancel(data) {
        var okCalls = 0, cancelCalls = 0
        var dialog = win.showMessagePage({
            title: "Warning",
            message: "Do you really want to delete this note?",
            showCancelButton: true,
            okFunction: function() { okCalls++; return data.okResult },
            cancelFunction: function() { cancelCalls++ }
        })
        waitOpened(dialog)
        compare(findChild(dialog.contentItem, "messageLabel").text, "Do you really want to delete this note?")
        verify(findChild(dialog.contentItem, "dialogCancelButton").visible)
        findChild(dialog.contentItem, data.press).clicked()
        compare(okCalls, data.ok)
        compare(cancelCalls, data.cancel)
        if (data.open) {
            verify(dialog.opened)
            dialog.reject()
        }
        waitGone(dialog)
    }

    function test_message_without_cancel_button_and_hostile_text() {
        var dialog = win.showMessagePage({ title: "<b>x</b>", message: "<img src='file:///etc/passwd'>" })
        waitOpened(dialog)
        verify(!findChild(dialog.contentItem, "dialogCancelButton").visible)
        compare(findChild(dialog.contentItem, "messageLabel").textFormat, Text.PlainText)
        dialog.accept()
        waitGone(dialog)
    }

    function test_list_chooser_passes_index_and_entry() {
        var got = []
        var dialog = win.showListViewPage({
            title: "Add note:",
            model: ["Text", "List", "Canvas"],
            okFunction: function(i, obj) { got = [i, obj] }
        })
        waitOpened(dialog)
        var view = findChild(dialog.contentItem, "listDialogView")
        compare(view.count, 3)
        dialog.choose(2)
        compare(got[0], 2)
        compare(got[1], "Canvas")
        waitGone(dialog)
    }

    function test_list_chooser_ignores_bad_index_and_empty_model() {
        var calls = 0
        var dialog = win.showListViewPage({ title: "x", model: undefined, okFunction: function() { calls++ } })
        waitOpened(dialog)
        compare(dialog.entries.length, 0)
        dialog.choose(0)
        dialog.choose(-1)
        compare(calls, 0)
        dialog.reject()
        waitGone(dialog)
    }

    function test_color_picker_returns_rgba_numbers() {
        var chosen = null
        var dialog = win.showColorPicker({
            colorArray: "0.2:0.4:0.6:0.5".split(":"),
            selectFunction: function(c) { chosen = c }
        })
        waitOpened(dialog)
        fuzzyCompare(dialog.red, 0.2, 0.001)
        // Opacity is not kept with a colour, so it is neither offered nor returned.
        compare(findChild(dialog.contentItem, "slider_alpha"), null)
        dialog.accept()
        verify(chosen !== null)
        compare(chosen.length, 4)
        for (var i = 0; i < 4; ++i)
            compare(typeof chosen[i], "number")
        fuzzyCompare(chosen[1], 0.4, 0.001)
        compare(chosen[3], 1)
        waitGone(dialog)
    }

    function test_color_picker_swatch_and_cancel_selects_nothing() {
        var calls = 0
        var dialog = win.showColorPicker({ colorArray: [1, 1, 1, 0.3], selectFunction: function() { calls++ } })
        waitOpened(dialog)
        var swatch = findChild(dialog.contentItem, "swatch23") // black
        compare(String(swatch.color), "#000000")
        swatch.children[0].clicked(null)
        compare(dialog.red, 0)
        compare(dialog.alpha, 1)
        dialog.reject()
        compare(calls, 0)
        waitGone(dialog)
    }

    function test_color_picker_bad_input_is_clamped() {
        var dialog = win.showColorPicker({ colorArray: ["x", "7", "-1"], selectFunction: function() {} })
        waitOpened(dialog)
        compare(dialog.red, 0)
        compare(dialog.green, 1)
        compare(dialog.blue, 0)
        compare(dialog.alpha, 1)
        dialog.reject()
        waitGone(dialog)
    }

    function test_time_picker_data() {
        return [
            { tag: "texts", hour: "09", min: "05", expected: "09:05" },
            { tag: "numbers", hour: 23, min: 59, expected: "23:59" },
            { tag: "garbage", hour: "xx", min: undefined, expected: "00:00" },
            { tag: "out of range", hour: 30, min: 99, expected: "00:00" }
        ]
    }
    function test_time_picker(data) {
        var text = ""
        var dialog = win.showTimePicker({ hour: data.hour, min: data.min, okFunction: function(t) { text = t } })
        waitOpened(dialog)
        compare(dialog.timeText, data.expected)
        dialog.accept()
        compare(text, data.expected)
        waitGone(dialog)
    }

    function test_time_picker_follows_the_tumblers() {
        var text = ""
        var dialog = win.showTimePicker({ hour: 1, min: 2, okFunction: function(t) { text = t } })
        waitOpened(dialog)
        dialog.hourTumbler.currentIndex = 14
        dialog.minuteTumbler.currentIndex = 7
        findChild(dialog.contentItem, "dialogOkButton").clicked()
        compare(text, "14:07")
        waitGone(dialog)
    }

    // Not only dragging: arrow keys, the wheel and a click on a row turn
    // the wheels.
    function test_time_picker_keys_wheel_and_clicks() {
        win.show()
        tryVerify(function() { return win.active })
        var text = ""
        var dialog = win.showTimePicker({ hour: 10, min: 58, okFunction: function(t) { text = t } })
        waitOpened(dialog)
        var hours = dialog.hourTumbler
        tryVerify(function() { return hours.activeFocus }, 5000, "the hour wheel has the focus")
        keyClick(Qt.Key_Down)
        compare(hours.value, 11)
        keyClick(Qt.Key_Up)
        keyClick(Qt.Key_Up)
        compare(hours.value, 9)
        keyClick(Qt.Key_PageDown)
        compare(hours.value, 14)
        keyClick(Qt.Key_Up, Qt.NoModifier)
        keyClick(Qt.Key_End)
        compare(hours.value, 23)
        keyClick(Qt.Key_Down)
        compare(hours.value, 0, "wraps around")
        keyClick(Qt.Key_PageUp)
        compare(hours.value, 19)

        var minutes = dialog.minuteTumbler
        mouseWheel(minutes, minutes.width / 2, minutes.height / 2, 0, -120)
        compare(minutes.value, 59)
        mouseWheel(minutes, minutes.width / 2, minutes.height / 2, 0, -120)
        compare(minutes.value, 0)
        mouseWheel(minutes, minutes.width / 2, minutes.height / 2, 0, 240)
        compare(minutes.value, 58)
        // The row below the band is the next minute, once the wheel has settled.
        tryVerify(function() {
            return minutes.currentItem && Math.abs(minutes.currentItem.Tumbler.displacement) < 0.01
        })
        mouseClick(minutes, minutes.width / 2, minutes.height / 2 + minutes.height / minutes.visibleItemCount)
        tryCompare(minutes, "value", 59)
        verify(hours.Accessible.name !== "" && minutes.Accessible.name !== "")

        dialog.accept()
        compare(text, "19:59")
        waitGone(dialog)
        win.hide()
    }

    function test_date_picker_data() {
        return [
            { tag: "plain", date: "05.03.2024", expected: "05.03.2024" },
            { tag: "leap day", date: "29.02.2024", expected: "29.02.2024" }
        ]
    }
    function test_date_picker(data) {
        var text = ""
        var dialog = win.showDatePicker({ date: data.date, okFunction: function(t) { text = t } })
        waitOpened(dialog)
        dialog.accept()
        compare(text, data.expected)
        waitGone(dialog)
    }

    function test_date_picker_rejects_impossible_dates() {
        var today = new Date()
        var dialog = win.showDatePicker({ date: "31.02.2023" })
        waitOpened(dialog)
        compare(dialog.dateText, Qt.formatDate(today, "dd.MM.yyyy"))
        dialog.reject()
        waitGone(dialog)
    }
}
