import QtQuick 2.3
import QtTest 1.2
import Zib.Components 1.0
import Zib.NotesBase 1.0

Item {
    width: 200
    height: 200

    ZibRoot {
        id: zibRoot
        width: 480
        height: 640
        showOnStart: true
        // The window's first page cannot be closed; note pages go above it.
        initialPage: Component { ZibPage { title: "Notes" } }
    }

    NotesController {
        id: notesController
    }

    PageTestCase {
        name: "TaskPage"
        zibRoot: zibRoot
        controller: notesController

        property int baseDepth: 0
        property var received: null
        readonly property string pageUrl: "qrc:/qml/TaskPage.qml"

        function initTestCase() {
            zibRoot.show()
            tryCompare(zibRoot, "visible", true)
            baseDepth = zibRoot.pageDepth
        }

        function init() {
            received = null
        }

        function cleanup() {
            closeAll(baseDepth)
        }

        function openTask(type, date) {
            return openPage(pageUrl, {
                notifyType: type,
                notifyDate: date,
                okFunction: function(t, d) { received = { type: t, date: d } }
            })
        }

        // Rows: 0 how often, 1 heading, 2 date, 3 week day, 4 time.
        function choose(page, row, entry) {
            var rowItem = child(page, "settingsRow" + row)
            waitForSettled(rowItem)
            click(rowItem)
            chooseEntry(entry)
        }

        // What the date row does with a picked text.
        function pick(row, value) {
            row.value = value
            row.clickFunc()
        }

        function dayDistance(from, to) {
            var a = new Date(from.getFullYear(), from.getMonth(), from.getDate())
            var b = new Date(to.getFullYear(), to.getMonth(), to.getDate())
            return Math.round((b - a) / 86400000)
        }

        function test_rowsShowTheValues() {
            var date = new Date(2030, 4, 12, 9, 5, 0)   // a Sunday
            var page = openTask(Note.RepeatEveryMonth, date)
            compare(page.title, "Reminder")
            compare(page._repeatRow.value, Note.RepeatEveryMonth)
            compare(page._repeatRow.model.length, 6)
            compare(page._dateRow.value, "12.05.2030")
            compare(page._weekDayRow.value, 6)
            compare(page._weekDayRow.model[6], "Sunday")
            compare(page._timeRow.value, "09:05")
            compare(page._timeRow.description, "09:05")
        }

        function test_enablingRules_data() {
            return [
                { tag: "never", type: Note.RepeatNever, date: false, week: false, time: false },
                { tag: "once", type: Note.RepeatOnce, date: true, week: false, time: true },
                { tag: "day", type: Note.RepeatEveryDay, date: false, week: false, time: true },
                { tag: "week", type: Note.RepeatEveryWeek, date: false, week: true, time: true },
                { tag: "month", type: Note.RepeatEveryMonth, date: true, week: false, time: true },
                { tag: "year", type: Note.RepeatEveryYear, date: true, week: false, time: true },
            ]
        }

        function test_enablingRules(data) {
            var page = openTask(Note.RepeatNever, new Date())
            choose(page, 0, data.type)
            compare(page.notifyType, data.type)
            compare(page._repeatRow.value, data.type)
            verify(page._repeatRow.enabled)
            compare(page._dateRow.enabled, data.date)
            compare(page._weekDayRow.enabled, data.week)
            compare(page._timeRow.enabled, data.time)
        }

        function test_everyDayMovesToTomorrowAtKeptTime_data() {
            var now = new Date()
            var later = new Date(now.getTime())
            later.setHours(23, 59)
            var earlier = new Date(2001, 0, 1, 0, 1, 0)
            return [ { tag: "time not passed yet today", date: later },
                     { tag: "old date", date: earlier } ]
        }

        function test_everyDayMovesToTomorrowAtKeptTime(data) {
            var page = openTask(Note.RepeatOnce, data.date)
            choose(page, 0, Note.RepeatEveryDay)
            var result = page.notifyDate
            compare(dayDistance(new Date(), result), 1)
            compare(result.getHours(), data.date.getHours())
            compare(result.getMinutes(), data.date.getMinutes())
        }

        function test_otherRepetitionsKeepTheDate() {
            var date = new Date(2031, 1, 3, 7, 30, 0)
            var page = openTask(Note.RepeatNever, date)
            choose(page, 0, Note.RepeatEveryYear)
            compare(page.notifyDate.getTime(), date.getTime())
        }

        function test_weekDayDistances_data() {
            var rows = []
            for (var chosen = 0; chosen < 7; ++chosen)
                rows.push({ tag: "weekday " + chosen, chosen: chosen })
            return rows
        }

        function test_weekDayDistances(data) {
            var date = new Date(2001, 0, 1, 18, 45, 0)
            var page = openTask(Note.RepeatEveryWeek, date)
            var now = new Date()
            var today = (now.getDay() + 6) % 7
            choose(page, 3, data.chosen)
            var result = page.notifyDate
            var days = dayDistance(now, result)
            verify(days >= 1 && days <= 7, "within the coming week: " + days)
            compare((result.getDay() + 6) % 7, data.chosen)
            if (data.chosen === today)
                compare(days, 7)
            compare(result.getHours(), 18)
            compare(result.getMinutes(), 45)
            compare(page._weekDayRow.value, data.chosen)
        }

        function test_dateRow_data() {
            return [
                { tag: "valid", text: "05.03.2024", valid: true },
                { tag: "garbage", text: "x.y", valid: false },
                { tag: "not a day", text: "31.02.2024", valid: false },
                { tag: "empty", text: "", valid: false },
            ]
        }

        function test_dateRow(data) {
            var date = new Date(2030, 6, 1, 14, 30, 27)
            var page = openTask(Note.RepeatOnce, date)
            pick(page._dateRow, data.text)
            var result = page.notifyDate
            if (data.valid) {
                compare(result.getTime(), new Date(2024, 2, 5, 14, 30, 0).getTime())
            } else {
                compare(result.getTime(), date.getTime())
            }
            compare(page._dateRow.value, Qt.formatDate(result, "dd.MM.yyyy"))
        }

        function test_timeRowOpensPickerAndSetsTime() {
            var date = new Date(2030, 6, 1, 14, 30, 27)
            var page = openTask(Note.RepeatOnce, date)
            click(child(page, "settingsRow4"))
            var hours = dialogItem("hourTumbler")
            var minutes = dialogItem("minuteTumbler")
            compare(hours.currentIndex, 14)
            compare(minutes.currentIndex, 30)
            hours.setValue(7)
            minutes.setValue(5)
            answer(true)
            compare(page.notifyDate.getTime(), new Date(2030, 6, 1, 7, 5, 0).getTime())
            compare(page._timeRow.value, "07:05")
        }

        function test_cancelledNotePageDropsTheReminder() {
            testHelper.removeFile(testHelper.crontabFile())
            var note = storedNote(Note.TextType, function(n) { n.title = "No"; n.text = "reminder" })
            var page = openNote("qrc:/qml/TextNotePage.qml", note, false)
            enterEditing(page)
            click(child(page, "reminderButton"))
            tryCompare(zibRoot, "pageDepth", baseDepth + 2)
            waitForStack()
            choose(zibRoot.currentPage, 0, Note.RepeatOnce)
            click(zibRoot.currentPage.okButton)
            tryCompare(zibRoot, "pageDepth", baseDepth + 1)
            waitForStack()
            compare(note.notifyType, Note.RepeatOnce)
            pressClose(page)
            answer(true)
            pageClosed(page, baseDepth)
            compare(note.notifyType, Note.RepeatNever)
            compare(testHelper.crontabLinesFor(note.file).length, 0)
        }

        function test_okHandsBackBothValues() {
            var page = openTask(Note.RepeatNever, new Date(2030, 0, 2, 3, 4, 0))
            choose(page, 0, Note.RepeatEveryMonth)
            // The date through the row's picker.
            click(child(page, "settingsRow2"))
            var days = dialogItem("dayTumbler")
            compare(days.currentIndex + 1, 2)
            dialogItem("yearTumbler").setValue(2031)
            dialogItem("monthTumbler").setValue(10)
            days.setValue(9)
            answer(true)
            compare(page._dateRow.value, "09.10.2031")
            click(page.okButton)
            pageClosed(page, baseDepth)
            verify(received)
            compare(received.type, Note.RepeatEveryMonth)
            compare(received.date.getTime(), new Date(2031, 9, 9, 3, 4, 0).getTime())
        }

        function test_notePageStoresReminderAndSaveWritesOneLine() {
            testHelper.removeFile(testHelper.crontabFile())
            var note = storedNote(Note.TextType, function(n) { n.title = "Call"; n.text = "mum" })
            compare(testHelper.crontabLinesFor(note.file).length, 0)
            var page = openNote("qrc:/qml/TextNotePage.qml", note, false)
            enterEditing(page)
            verify(!child(page, "notifyDateLabel").visible)
            click(child(page, "reminderButton"))
            tryCompare(zibRoot, "pageDepth", baseDepth + 2)
            waitForStack()
            var task = zibRoot.currentPage
            compare(task.notifyType, Note.RepeatNever)
            choose(task, 0, Note.RepeatEveryDay)
            var chosenDate = task.notifyDate
            click(task.okButton)
            tryCompare(zibRoot, "pageDepth", baseDepth + 1)
            waitForStack()
            compare(note.notifyType, Note.RepeatEveryDay)
            compare(note.notifyDate.getTime(), chosenDate.getTime())
            verify(page._changed)
            verify(child(page, "notifyDateLabel").visible)
            compare(testHelper.crontabLinesFor(note.file).length, 0, "nothing installed before saving")

            pressOk(page)
            pageClosed(page, baseDepth)
            compare(testHelper.crontabLinesFor(note.file).length, 1)
            compare(Number(testHelper.iniValue(notePath(note), "notify-type")), Note.RepeatEveryDay)

            // Saving again keeps exactly one line.
            page = openNote("qrc:/qml/TextNotePage.qml", note, false)
            enterEditing(page)
            click(page._textEditTitle)
            typeText("!")
            pressOk(page)
            pageClosed(page, baseDepth)
            compare(testHelper.crontabLinesFor(note.file).length, 1)

            // Switching the reminder off removes the line.
            page = openNote("qrc:/qml/TextNotePage.qml", note, false)
            enterEditing(page)
            click(child(page, "reminderButton"))
            tryCompare(zibRoot, "pageDepth", baseDepth + 2)
            waitForStack()
            task = zibRoot.currentPage
            compare(task.notifyType, Note.RepeatEveryDay)
            choose(task, 0, Note.RepeatNever)
            click(task.okButton)
            tryCompare(zibRoot, "pageDepth", baseDepth + 1)
            waitForStack()
            pressOk(page)
            pageClosed(page, baseDepth)
            compare(testHelper.crontabLinesFor(note.file).length, 0)
        }
    }
}
