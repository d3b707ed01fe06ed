import QtQuick 2.3
import QtTest 1.2
import Zib.Components 1.0

Item {
    id: scene
    width: 400
    height: 500
    property var log: []


    ZibSettingsListView {
        id: list
        anchors.fill: parent

        ZibSettingsComboBoxItemData {
            id: comboRow
            name: "How often"
            model: ["Never", "Once", "Every day"]
            value: 1
            clickFunc: function() { scene.log.push("combo:" + comboRow.value) }
        }
        ZibSettingsCategoryItemData {
            id: categoryRow
            name: "Date and time"
        }
        ZibSettingsDateItemData {
            id: dateRow
            name: "Date reminder"
            value: "05.03.2024"
            clickFunc: function() { scene.log.push("date:" + dateRow.value) }
        }
        ZibSettingsComboBoxItemData {
            id: disabledRow
            name: "Week day"
            model: ["Monday", "Tuesday"]
            enabled: false
            clickFunc: function() { scene.log.push("disabled") }
        }
        ZibSettingsItemData {
            id: plainRow
            name: "Time reminder"
            value: "14:30"
            description: "14:30"
            clickFunc: function() { scene.log.push("plain") }
        }
    }

    TestCase {
        name: "ZibSettingsRows"
        when: windowShown


        function init() {
            scene.log = []
        }

        function rowItem(index) {
            return list.flickable.contentItem.children[0].children[index]
        }

        function test_rows_are_laid_out() {
            compare(list.rows.length, 5)
            waitForRendering(list)
            verify(list.contentHeight >= 4 * list.rowHeight)
            verify(rowItem(1).y > rowItem(0).y)
            verify(rowItem(4).y > rowItem(3).y)
            compare(rowItem(0).valueText, comboRow.model[comboRow.value])
            compare(rowItem(2).valueText, dateRow.value)
            compare(rowItem(4).valueText, "14:30")
        }

        function test_combo_choice_sets_value_then_calls_clickFunc() {
            var dialog = list.activate(comboRow)
            verify(dialog !== null)
            dialog.open()
            tryCompare(dialog, "opened", true)
            dialog.choose(2)
            compare(comboRow.value, 2)
            compare(scene.log, ["combo:2"])
            compare(rowItem(0).valueText, "Every day")
            tryVerify(function() { return dialog.visible !== true })
        }

        function test_combo_cancel_changes_nothing() {
            var dialog = list.activate(comboRow)
            dialog.open()
            tryCompare(dialog, "opened", true)
            dialog.reject()
            compare(scene.log, [])
            tryVerify(function() { return dialog.visible !== true })
        }

        function test_date_choice_sets_text_then_calls_clickFunc() {
            var dialog = list.activate(dateRow)
            dialog.open()
            tryCompare(dialog, "opened", true)
            compare(dialog.dateText, "05.03.2024")
            dialog.dayTumbler.currentIndex = 19
            dialog.accept()
            compare(dateRow.value, "20.03.2024")
            compare(scene.log, ["date:20.03.2024"])
            tryVerify(function() { return dialog.visible !== true })
        }

        function test_plain_row_click_calls_clickFunc() {
            waitForRendering(list)
            var item = rowItem(4)
            mouseClick(item, item.width / 2, item.height / 2)
            compare(scene.log, ["plain"])
        }

        function test_disabled_and_category_rows_do_nothing() {
            waitForRendering(list)
            compare(list.activate(disabledRow), null)
            mouseClick(rowItem(3), 10, 10)
            mouseClick(rowItem(1), 10, 10)
            compare(list.activate(categoryRow), null)
            compare(scene.log, [])
        }

    }
}
