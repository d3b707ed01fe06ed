import QtQuick 2.3
import QtTest 1.2
import Zib.Components 1.0
import Zib.NotesBase 1.0

Item {
    id: top
    width: 400
    height: 600

    NotesController {
        id: controller
    }

    NotesList {
        id: notesList
        anchors.fill: parent
        list.model: controller.proxyModel
    }

    SignalSpy {
        id: clickSpy
        target: notesList
        signalName: "noteClicked"
    }

    SignalSpy {
        id: addSpy
        target: notesList
        signalName: "addNoteClicked"
    }

    Component {
        id: listComponent
        NotesList {
            anchors.fill: parent
        }
    }

    // Garbage for QML's collector, flagged when it is collected.
    property bool garbageCollected: false
    Component {
        id: garbage
        QtObject {
            Component.onDestruction: top.garbageCollected = true
        }
    }

    // A window that has not shown its first frame yet, with a list in it.
    Component {
        id: unframedWindow
        Item {
            id: root
            property bool framed: false
            readonly property alias notesList: windowList
            anchors.fill: parent
            NotesList {
                id: windowList
                anchors.fill: parent
                list.model: controller.proxyModel
            }
        }
    }

    TestCase {
        name: "NotesList"
        when: windowShown

        function fileOf(number) {
            return number.toString(16) + ".note";
        }

        // The card of a proxy row, made visible first.
        function cardAt(row) {
            notesList.list.positionViewAtIndex(row, GridView.Contain);
            notesList.list.forceLayout();
            var card = notesList.list.itemAtIndex(row);
            verify(card, "no card for row " + row);
            return card;
        }

        function init() {
            notesList.viewMode = 0;
            notesList.checkMode = false;
            notesList.addNoteButton.visible = true;
            notesList.list.positionViewAtBeginning();
            clickSpy.clear();
            addSpy.clear();
        }

        function test_switchViewMode() {
            var view = notesList.list;
            verify(view.cellWidth < view.width / 1.5, "grid shows more than one column");
            notesList.viewMode = 1;
            compare(view.cellWidth, Math.floor(view.width));
            verify(view.cellHeight < view.cellWidth / 2);
            // Still one card per note and the cards follow the new layout.
            compare(view.count, testNoteCount);
            compare(cardAt(0).width, view.cellWidth);
            // The flat list runs a text note's lines together.
            var text = cardAt(2);
            compare(text.note.type, Note.TextType);
            compare(findChild(text, "cardPreview").text, "Text of note " + (testNoteCount - 2) + " second line");
            notesList.viewMode = 0;
            verify(view.cellWidth < view.width / 1.5);
            compare(findChild(cardAt(2), "cardPreview").text, text.note.previewText);
        }

        // Cards are made only once the window has shown its first frame.
        function test_cardsWaitForTheFirstFrame() {
            var window = createTemporaryObject(unframedWindow, top);
            var view = window.notesList.list;
            view.forceLayout();
            compare(view.itemAtIndex(0), null);
            compare(window.notesList._scrollBar, null);
            window.framed = true;
            tryVerify(function () { return view.itemAtIndex(0) !== null; });
            compare(view.itemAtIndex(0).fileName, cardAt(0).fileName);
            // The scroll bar comes with the cards, attached to the view.
            var bar = window.notesList._scrollBar;
            verify(bar !== null);
            compare(bar.parent, view);
            compare(bar.orientation, Qt.Vertical);
            compare(bar.Accessible.name, "Scroll the notes");
        }

        // A scroll that made cards has QML's collector run after its next
        // frame is on the screen, not in the middle of making cards later.
        function test_collectorRunsAfterTheFrameOfNewCards() {
            var view = notesList.list;
            for (var row = 100; row < testNoteCount; row += 100) {
                view.positionViewAtIndex(row, GridView.Beginning);
                view.forceLayout();
            }
            verify(notesList._cardsSinceCollection >= notesList._cardsBetweenCollections);
            garbageCollected = false;
            garbage.createObject(null);
            tryCompare(notesList, "_cardsSinceCollection", 0);
            tryCompare(top, "garbageCollected", true);
        }

        // The shade is out of the scene until the pointer is over the card.
        function test_cardShadeFollowsThePointer() {
            var card = cardAt(2);
            var shade = findChild(card, "cardShade");
            mouseMove(notesList, 1, 1);
            tryCompare(shade, "visible", false);
            mouseMove(card, card.width / 2, card.height / 2);
            tryCompare(shade, "visible", true);
            compare(shade.opacity, 0.03);
            mousePress(card);
            compare(shade.opacity, 0.08);
            mouseRelease(card);
            mouseMove(notesList, 1, 1);
            tryCompare(shade, "visible", false);
        }

        function test_restoresViewMode_data() {
            return [
                { tag: "grid", stored: 0, expected: 0 },
                { tag: "list", stored: 1, expected: 1 },
                { tag: "unknown mode", stored: 7, expected: 0 },
                { tag: "negative", stored: -1, expected: 0 }
            ];
        }

        function test_restoresViewMode(data) {
            settings.setInt("view-mode", data.stored, "Notes");
            var other = createTemporaryObject(listComponent, top);
            compare(other.viewMode, data.expected);
        }

        function test_restoresViewModeAfterGarbage() {
            settings.setString("view-mode", "list", "Notes");
            var other = createTemporaryObject(listComponent, top);
            compare(other.viewMode, 0);
            settings.setInt("view-mode", 0, "Notes");
        }

        function test_clickOpensNote() {
            var card = cardAt(2);
            mouseClick(card);
            compare(clickSpy.count, 1);
            var note = clickSpy.signalArguments[0][0];
            compare(note, controller.model.getNoteData(fileOf(testNoteCount - 2)));
            compare(note.file, fileOf(testNoteCount - 2));
            compare(notesList.checkMode, false);
        }

        function test_longPressMarks() {
            var card = cardAt(1);
            mousePress(card);
            tryCompare(notesList, "checkMode", true);
            mouseRelease(card);
            compare(notesList.checkedNotes, [fileOf(testNoteCount - 1)]);
            compare(clickSpy.count, 0, "a long press is no click");
            verify(card.checked);
        }

        function test_checkMode() {
            checkModeSpy.clear();
            notesList.cardPressAndHold(fileOf(testNoteCount));
            compare(checkModeSpy.count, 1);
            compare(notesList.checkedNotes, [fileOf(testNoteCount)]);

            // Clicks now toggle marks instead of opening notes.
            mouseClick(cardAt(3));
            mouseClick(cardAt(4));
            compare(notesList.checkedNotes, [fileOf(testNoteCount), fileOf(testNoteCount - 3), fileOf(testNoteCount - 4)]);
            mouseClick(cardAt(3));
            compare(notesList.checkedNotes, [fileOf(testNoteCount), fileOf(testNoteCount - 4)]);
            compare(clickSpy.count, 0);
            verify(cardAt(4).checked);
            verify(!cardAt(3).checked);
            // Every card shows its mark, filled when marked.
            compare(findChild(cardAt(4), "cardCheck").color, styles.highlightColor);
            compare(findChild(cardAt(3), "cardCheck").color, Qt.rgba(0, 0, 0, 0));

            // Unmarking all leaves marking mode on; leaving it drops the marks.
            notesList.toggleCheckMode();
            compare(notesList.checkMode, false);
            compare(notesList.checkedNotes, []);
            verify(!cardAt(4).checked);
            tryVerify(function() { return findChild(cardAt(4), "cardCheck") === null; });

            // Entering by toggling starts with no marks.
            notesList.toggleCheckMode();
            compare(notesList.checkMode, true);
            compare(notesList.checkedNotes, []);
        }

        function test_addButtonWithoutPage() {
            verify(notesList.addNoteButton.visible);
            mouseClick(notesList.addNoteButton);
            compare(addSpy.count, 1);

            notesList.addNoteButton.visible = false;
            verify(!notesList.addNoteButton.visible);
            mouseClick(notesList.addNoteButton);
            compare(addSpy.count, 1, "a hidden button takes no clicks");
        }

        function test_cardContent() {
            // Newest first: a canvas, a list and a text note.
            var canvas = cardAt(0);
            var list = cardAt(1);
            var text = cardAt(2);
            compare(canvas.note.type, Note.CanvasType);
            compare(list.note.type, Note.ListType);
            compare(text.note.type, Note.TextType);

            compare(findChild(text, "cardTitle").text, "Note " + (testNoteCount - 2));
            compare(findChild(text, "cardPreview").textFormat, Text.PlainText);
            compare(findChild(text, "cardPreview").text, text.note.previewText);
            compare(findChild(list, "cardPreview").textFormat, Text.StyledText);
            verify(findChild(list, "cardPreview").text.indexOf("milk") >= 0);
            compare(findChild(text, "cardDate").text, Qt.formatDateTime(text.note.modifyDate, "dd.MM.yyyy hh:mm"));
            compare(findChild(text, "cardDate").text, "01.01.2026 16:18");

            var image = findChild(canvas, "cardImage");
            compare(image.source.toString(), "file://" + testNotesDirectory + "/" + fileOf(testNoteCount) + "_0.png");
            tryCompare(image, "status", Image.Ready);
            verify(image.visible);
            verify(!findChild(canvas, "cardPreview").visible);
        }

        function test_pictureAppearsAfterSave() {
            // A drawing page saves the note first and writes its first
            // picture afterwards; the card must notice the new file.
            var card = cardAt(testNoteCount - 491);
            var note = card.note;
            compare(note.type, Note.CanvasType);
            var image = findChild(card, "cardImage");
            verify(!image.visible);

            var canvas = createTemporaryObject(canvasComponent, top);
            tryCompare(canvas, "paintedOnce", true);
            verify(canvas.save(note.imagePath));
            var date = note.modifyDate;
            note.modifyDate = new Date(2026, 5, 1, 12, 0);
            tryCompare(image, "status", Image.Ready);
            verify(image.visible);
            note.modifyDate = date;
        }

        function test_listPreviewShowsMarkupAsText() {
            var card = cardAt(testNoteCount - 496);
            compare(card.note.type, Note.ListType);
            var preview = findChild(card, "cardPreview");
            compare(preview.textFormat, Text.StyledText);
            // The done entry keeps its colour mark; the typed tags are text.
            compare(preview.text, "<font color='" + card.note.lightColor + "'>\u2022 milk</font> \u2022 "
                    + "&lt;img src=\"http://example.invalid/x.png\"&gt; &lt;b&gt;bold&lt;/b&gt; &amp; co ");
        }

        // A card lays out only as much of a long note as it can show, the
        // colour marks of a list not counted, and still ends in an ellipsis.
        function test_longNotePreviewIsCut() {
            var text = cardAt(2);
            var list = cardAt(1);
            compare(text.note.type, Note.TextType);
            compare(list.note.type, Note.ListType);
            var words = new Array(2001).join("word ");
            text.note.text = words;
            var entries = [], done = [];
            for (var i = 0; i < 500; ++i) {
                entries.push("entry " + i);
                done.push(true);
            }
            list.note.texts = entries;
            list.note.checked = done;

            try {
                var preview = findChild(text, "cardPreview");
                verify(text.previewLimit > 200 && text.previewLimit < words.length, text.previewLimit);
                compare(preview.text, words.substring(0, text.previewLimit));
                verify(preview.truncated);
                var shown = findChild(list, "cardPreview").text.replace(/<[^>]*>/g, "");
                compare(shown, list.note.previewText.replace(/<[^>]*>/g, "").substring(0, list.previewLimit));
                verify(findChild(list, "cardPreview").truncated);
            } finally {
                text.note.load();
                list.note.load();
            }
        }

        function test_cardLayout_data() {
            return [
                { tag: "grid", mode: 0, marking: false },
                { tag: "list", mode: 1, marking: false },
                { tag: "marking", mode: 0, marking: true }
            ];
        }

        // Title, preview and date stack inside the card without overlapping,
        // the preview cut to the lines that fit, the mark beside the title.
        function test_cardLayout(data) {
            notesList.viewMode = data.mode;
            notesList.checkMode = data.marking;
            var card = cardAt(2);
            var text = card.note.text;
            card.note.text = new Array(40).join("A long line of words to wrap. ");
            var box = function(name) {
                var item = findChild(card, name);
                var at = item.mapToItem(card, 0, 0);
                return { x: at.x, y: at.y, right: at.x + item.width, bottom: at.y + item.height, item: item };
            };
            var title = box("cardTitle"), preview = box("cardPreview"), date = box("cardDate");
            verify(title.item.width > card.width / 2 && title.item.height > 0);
            verify(title.bottom <= preview.y, "preview below the title");
            verify(preview.bottom <= date.y, "date below the preview");
            verify(date.bottom <= card.height && preview.right <= card.width);
            verify(preview.item.truncated && preview.item.lineCount <= preview.item.maximumLineCount);
            verify(preview.item.contentHeight <= preview.item.height + 1);
            card.note.text = text;
            if (data.marking) {
                var mark = box("cardCheck");
                verify(title.right <= mark.x && mark.right <= card.width && mark.y < title.bottom);
            }
        }

        function test_cardShaping_data() {
            return [
                { tag: "latin", title: "Caf\u00e9 \u00fcber \u0152uvre \u2013 \u201cok\u201d", text: "Stra\u00dfe \u2022 na\u00efve", shaped: false },
                { tag: "greek and cyrillic", title: "\u0393\u03b5\u03b9\u03ac \u041f\u0440\u0438\u0432\u0435\u0442", text: "", shaped: false },
                { tag: "arabic title", title: "\u0645\u0631\u062d\u0628\u0627", text: "plain", shaped: true },
                { tag: "combining mark", title: "Note", text: "e\u0301t\u0301e\u0301", shaped: true },
                { tag: "emoji", title: "\ud83d\udc4d\ud83c\udffd", text: "", shaped: true }
            ];
        }

        // Letters that need joining or mark placement keep OpenType shaping;
        // plain Latin, Greek and Cyrillic do without it.
        function test_cardShaping(data) {
            var card = cardAt(2);
            var title = card.note.title, text = card.note.text;
            card.note.title = data.title;
            card.note.text = data.text;
            compare(findChild(card, "cardTitle").font.preferShaping, data.shaped);
            compare(findChild(card, "cardPreview").font.preferShaping, data.shaped);
            card.note.title = title;
            card.note.text = text;
        }

        function test_reminderMark_data() {
            // Every seventh note has a reminder.
            return [
                { tag: "reminder", number: 497, mark: true },
                { tag: "none", number: 498, mark: false }
            ];
        }

        function test_reminderMark(data) {
            var card = cardAt(testNoteCount - data.number);
            compare(card.fileName, fileOf(data.number));
            // Made only for a note with a reminder.
            var mark = findChild(card, "cardReminder");
            compare(!!mark && mark.visible, data.mark);
            if (mark)
                verify(mark.width > 0 && findChild(card, "cardDate").width < card.width - mark.width);
        }

        function test_colours() {
            var card = cardAt(1);
            var note = card.note;
            note.bgColor = "#102030";
            note.fgColor = "#f0e0d0";
            compare(findChild(card, "cardTitle").color, note.fgColor);
            compare(findChild(card, "cardPreview").color, note.fgColor);
            note.load();
        }
    }

    Component {
        id: canvasComponent
        Canvas {
            property bool paintedOnce: false
            width: 40
            height: 30
            onPaint: {
                var context = getContext("2d");
                context.fillStyle = "#cc3366";
                context.fillRect(0, 0, width, height);
            }
            onPainted: paintedOnce = true
        }
    }

    SignalSpy {
        id: checkModeSpy
        target: notesList
        signalName: "checkModeChanged"
    }
}
