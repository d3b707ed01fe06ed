import QtQuick 2.15
import QtTest 1.15
import Zib.NotesBase 1.0

TestCase {
    id: testCase
    name: "NotesBaseRegistrations"

    NotesModel {
        id: notesModel
    }

    NotesProxyModel {
        id: proxy
        sourceModel: notesModel
    }

    SignalSpy {
        id: changedSpy
        target: notesModel
        signalName: "dataChanged"
    }

    SignalSpy {
        id: watcherSpy
        target: NoteWatcher
        signalName: "noteChanged"
    }

    function fileAt(row) {
        return notesModel.data(notesModel.index(row, 0), 259)
    }

    function addText(title) {
        var note = NoteFactory.createNote(Note.TextType)
        note.title = title
        notesModel.addItem(note)
        return note
    }

    function init() {
        // The sandbox keeps the notes of earlier runs.
        var files = []
        for (var row = 0; row < notesModel.rowCount(); ++row)
            files.push(fileAt(row))
        notesModel.removeItems(files)
        proxy.setFilter("")
        changedSpy.clear()
        watcherSpy.clear()
    }

    function test_enumerations() {
        compare(Note.TextType, 0)
        compare(Note.ListType, 1)
        compare(Note.CanvasType, 2)
        compare(Note.RepeatNever, 0)
        compare(Note.RepeatOnce, 1)
        compare(Note.RepeatEveryDay, 2)
        compare(Note.RepeatEveryWeek, 3)
        compare(Note.RepeatEveryMonth, 4)
        compare(Note.RepeatEveryYear, 5)
    }

    function test_factory_data() {
        return [
            { tag: "text", type: Note.TextType },
            { tag: "list", type: Note.ListType },
            { tag: "canvas", type: Note.CanvasType }
        ]
    }

    function test_factory(data) {
        var note = NoteFactory.createNote(data.type)
        verify(note)
        compare(note.type, data.type)
        verify(!note.loaded)
        compare(note.file, "")
    }

    function test_factoryRefusesUnknownKind() {
        compare(NoteFactory.createNote(3), null)
    }

    function test_noteIsUncreatable() {
        var message = ""
        try {
            Qt.createQmlObject("import Zib.NotesBase 1.0; Note {}", testCase, "uncreatable")
        } catch (error) {
            message = error.qmlErrors[0].message
        }
        verify(message.indexOf("Only for enum and note factory!") >= 0, message)
    }

    function test_modelAddFindRemove() {
        compare(notesModel.rowCount(), 0)
        var note = addText("from qml")
        // Names are never given twice, so earlier tests moved the counter on.
        var file = note.file
        verify(/^[0-9a-f]+\.note$/.test(file), file)
        verify(note.loaded)
        compare(notesModel.rowCount(), 1)
        compare(fileAt(0), file)
        compare(notesModel.getNoteData(file), note)
        compare(notesModel.getNoteData(file).title, "from qml")
        compare(notesModel.getNoteData("ffff.note"), undefined)
        var bare = file.substring(0, file.length - 5)
        var path = notesModel.getNotePath(bare)
        compare(path.substring(path.length - file.length - 1), "/" + file)
        compare(notesModel.getNotePath(file), path)

        notesModel.removeItems([file])
        compare(notesModel.rowCount(), 0)
        compare(notesModel.getNoteData(file), undefined)
        compare(addText("next").file === file, false, "a removed note's name is not given again")
    }

    function test_noteKindsKeepTheirOwnMembers() {
        var list = NoteFactory.createNote(Note.ListType)
        list.texts = ["first", "second"]
        list.checked = [true, false]
        notesModel.addItem(list)
        var canvas = NoteFactory.createNote(Note.CanvasType)
        canvas.lineWidth = 7
        notesModel.addItem(canvas)

        var storedList = notesModel.getNoteData(list.file)
        compare(storedList.type, Note.ListType)
        compare(storedList.texts, ["first", "second"])
        compare(storedList.checked, [true, false])
        var storedCanvas = notesModel.data(notesModel.index(1, 0), 257)
        compare(storedCanvas.type, Note.CanvasType)
        compare(storedCanvas.lineWidth, 7)
    }

    function test_modelIgnoresNull() {
        notesModel.addItem(null)
        compare(notesModel.rowCount(), 0)
    }

    function test_noteSurvivesGarbageCollection() {
        var file = addText("kept by the model").file
        gc()
        wait(0)
        compare(notesModel.getNoteData(file).title, "kept by the model")
    }

    function test_proxyOrderAndSearch() {
        var older = addText("older").file
        wait(5)
        var newer = addText("newer").file
        compare(proxy.rowCount(), 2)
        compare(proxy.data(proxy.index(0, 0), 259), newer)
        compare(proxy.data(proxy.index(1, 0), 259), older)

        proxy.setFilter("older")
        compare(proxy.rowCount(), 1)
        compare(proxy.data(proxy.index(0, 0), 259), older)
        proxy.setFilter("neither")
        compare(proxy.rowCount(), 0)
        proxy.setFilter("")
        compare(proxy.rowCount(), 2)

        notesModel.getNoteData(older).save()
        compare(proxy.data(proxy.index(0, 0), 259), older)
    }

    function test_watcherIsSharedWithModels() {
        NoteWatcher.start()
        NoteWatcher.start()
        var note = addText("on disk")
        note.title = "edited, not saved"
        var date = new Date(2024, 4, 17, 12, 30, 0)
        NoteWatcher.noteChanged(note.file, date)
        compare(watcherSpy.count, 1)
        compare(changedSpy.count, 1)
        compare(note.title, "on disk")
        compare(note.modifyDate.getTime(), date.getTime())
    }

    function test_watcherPause() {
        NoteWatcher.stopWatchingAndResumeAfter(50)
        verify(!NoteWatcher.watching)
        tryCompare(NoteWatcher, "watching", true, 5000)
        // Written from QML, the flag holds until the next pause ends.
        NoteWatcher.watching = false
        verify(!NoteWatcher.watching)
        NoteWatcher.watching = true
    }
}
