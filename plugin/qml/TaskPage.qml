import QtQuick 2.15
import Zib.Components 1.0
import Zib.NotesBase 1.0

// Reminder settings: hands notifyType and notifyDate to the opener's
// okFunction; it touches no note, file or crontab itself.
ZibPage {
    id: taskPage

    property int notifyType: Note.RepeatNever
    property date notifyDate: new Date()

    readonly property alias _settingsList: settingsList
    readonly property alias _repeatRow: repeatRow
    readonly property alias _dateRow: dateRow
    readonly property alias _weekDayRow: weekDayRow
    readonly property alias _timeRow: timeRow

    title: qsTr("Reminder")
    titleImage.imagePath: "image://ThemeImageProvider/task-reminder"
    centerRectShadow: true
    showOkButton: true
    okFunctionCustomArgs: [notifyType, notifyDate]
    frontRect.anchors.fill: undefined
    frontRect.anchors.centerIn: frontRect.parent
    frontRect.width: Math.min(500 * dpiRatio, frontRect.parent ? frontRect.parent.width : 0)
    frontRect.height: Math.min(settingsList.contentHeight + 150 * dpiRatio,
                               frontRect.parent ? frontRect.parent.height : 0)

    // Monday 0 ... Sunday 6.
    function _weekDay(date) {
        return (date.getDay() + 6) % 7
    }

    // Now plus the given days, at the reminder's hours and minutes.
    function _daysAheadAtReminderTime(days) {
        var date = new Date()
        date.setDate(date.getDate() + days)
        date.setHours(notifyDate.getHours(), notifyDate.getMinutes())
        return date
    }

    function chooseRepetition(index) {
        notifyType = index
        if (index === Note.RepeatEveryDay)
            notifyDate = _daysAheadAtReminderTime(1)
    }

    function chooseDate(text) {
        var parts = String(text).split(".")
        if (parts.length !== 3)
            return
        var day = parseInt(parts[0], 10)
        var month = parseInt(parts[1], 10)
        var year = parseInt(parts[2], 10)
        if (isNaN(day) || isNaN(month) || isNaN(year))
            return
        var date = new Date(year, month - 1, day, notifyDate.getHours(), notifyDate.getMinutes(), 0, 0)
        // Reject days that roll over into another month (31.02.).
        if (date.getDate() !== day || date.getMonth() !== month - 1)
            return
        notifyDate = date
    }

    function chooseWeekDay(chosen) {
        var today = _weekDay(new Date())
        var days = chosen > today ? chosen - today : 7 - today + chosen
        notifyDate = _daysAheadAtReminderTime(days)
    }

    function chooseTime(text) {
        var parts = String(text).split(":")
        if (parts.length !== 2)
            return
        var hours = parseInt(parts[0], 10)
        var minutes = parseInt(parts[1], 10)
        if (isNaN(hours) || isNaN(minutes) || hours < 0 || hours > 23 || minutes < 0 || minutes > 59)
            return
        var date = new Date(notifyDate.getTime())
        date.setHours(hours, minutes, 0, 0)
        notifyDate = date
    }

    ZibSettingsListView {
        id: settingsList
        objectName: "settingsList"
        parent: centerRect
        anchors.fill: parent

        ZibSettingsComboBoxItemData {
            id: repeatRow
            objectName: "repeatRow"
            name: qsTr("How often")
            model: [qsTr("Never"), qsTr("Once"), qsTr("Every day"), qsTr("Every week"),
                qsTr("Every month"), qsTr("Every year")]
            value: taskPage.notifyType
            enabled: true
            clickFunc: function() {
                taskPage.chooseRepetition(repeatRow.value)
                repeatRow.value = Qt.binding(function() { return taskPage.notifyType })
            }
        }

        ZibSettingsCategoryItemData {
            name: qsTr("Date and time")
        }

        ZibSettingsDateItemData {
            id: dateRow
            objectName: "dateRow"
            name: qsTr("Date reminder")
            value: Qt.formatDate(taskPage.notifyDate, "dd.MM.yyyy")
            enabled: taskPage.notifyType !== Note.RepeatNever
                     && taskPage.notifyType !== Note.RepeatEveryDay
                     && taskPage.notifyType !== Note.RepeatEveryWeek
            clickFunc: function() {
                taskPage.chooseDate(dateRow.value)
                dateRow.value = Qt.binding(function() {
                    return Qt.formatDate(taskPage.notifyDate, "dd.MM.yyyy")
                })
            }
        }

        ZibSettingsComboBoxItemData {
            id: weekDayRow
            objectName: "weekDayRow"
            name: qsTr("Week day")
            model: [qsTr("Monday"), qsTr("Tuesday"), qsTr("Wednesday"), qsTr("Thursday"),
                qsTr("Friday"), qsTr("Saturday"), qsTr("Sunday")]
            value: taskPage._weekDay(taskPage.notifyDate)
            enabled: taskPage.notifyType === Note.RepeatEveryWeek
            clickFunc: function() {
                taskPage.chooseWeekDay(weekDayRow.value)
                weekDayRow.value = Qt.binding(function() { return taskPage._weekDay(taskPage.notifyDate) })
            }
        }

        ZibSettingsItemData {
            id: timeRow
            objectName: "timeRow"
            name: qsTr("Time reminder")
            value: Qt.formatTime(taskPage.notifyDate, "hh:mm")
            description: value
            enabled: taskPage.notifyType !== Note.RepeatNever
            clickFunc: function() {
                var parts = String(timeRow.value).split(":")
                root.showTimePicker({
                    hour: parseInt(parts[0], 10),
                    min: parseInt(parts[1], 10),
                    okFunction: function(text) { taskPage.chooseTime(text) }
                })
            }
        }
    }
}
