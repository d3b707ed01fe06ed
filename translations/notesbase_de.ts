<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AddListItemButton</name>
    <message>
        <location filename="../plugin/qml/AddListItemButton.qml" line="+39"/>
        <source>Add item</source>
        <translation>Eintrag hinzufügen</translation>
    </message>
</context>
<context>
    <name>CanvasNotePage</name>
    <message>
        <location filename="../plugin/qml/CanvasNotePage.qml" line="+7"/>
        <source>Canvas</source>
        <translation>Zeichnung</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>New canvas note</source>
        <translation>Neue Zeichennotiz</translation>
    </message>
</context>
<context>
    <name>ListNotePage</name>
    <message>
        <location filename="../plugin/qml/ListNotePage.qml" line="+7"/>
        <source>New list note</source>
        <translation>Neue Checkliste</translation>
    </message>
</context>
<context>
    <name>NotePage</name>
    <message>
        <location filename="../plugin/qml/NotePage.qml" line="+51"/>
        <location line="+51"/>
        <location line="+300"/>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <location line="-350"/>
        <source>You have unsaved data. Do you still want to continue?</source>
        <translation>Es gibt ungespeicherte Änderungen. Trotzdem fortfahren?</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Do you really want to delete this note?</source>
        <translation>Möchten Sie diese Notiz wirklich löschen?</translation>
    </message>
    <message>
        <location line="+92"/>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <location line="+208"/>
        <source>Do you really want to clear canvas?</source>
        <translation>Möchten Sie die Zeichnung wirklich leeren?</translation>
    </message>
</context>
<context>
    <name>NotesController</name>
    <message>
        <location filename="../platform/notesmodule/NotesController.qml" line="+19"/>
        <source>Text note</source>
        <translation>Textnotiz</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>List note</source>
        <translation>Checkliste</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Canvas note</source>
        <translation>Zeichennotiz</translation>
    </message>
</context>
<context>
    <name>NotesList</name>
    <message>
        <location filename="../platform/notesmodule/NotesList.qml" line="+18"/>
        <source>Grid</source>
        <translation>Raster</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>List</source>
        <translation>Liste</translation>
    </message>
</context>
<context>
    <name>RoundAddButton</name>
    <message>
        <location filename="../platform/notesmodule/private/RoundAddButton.qml" line="+55"/>
        <source>New note</source>
        <translation>Neue Notiz</translation>
    </message>
</context>
<context>
    <name>TaskPage</name>
    <message>
        <location filename="../plugin/qml/TaskPage.qml" line="+19"/>
        <source>Reminder</source>
        <translation>Erinnerung</translation>
    </message>
    <message>
        <location line="+74"/>
        <source>How often</source>
        <translation>Wie oft</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Once</source>
        <translation>Einmal</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Every day</source>
        <translation>Jeden Tag</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Every week</source>
        <translation>Jede Woche</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Every month</source>
        <translation>Jeden Monat</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Every year</source>
        <translation>Jedes Jahr</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Date and time</source>
        <translation>Datum und Uhrzeit</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Date reminder</source>
        <translation>Datum der Erinnerung</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Week day</source>
        <translation>Wochentag</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Monday</source>
        <translation>Montag</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Tuesday</source>
        <translation>Dienstag</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Wednesday</source>
        <translation>Mittwoch</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Thursday</source>
        <translation>Donnerstag</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Friday</source>
        <translation>Freitag</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Saturday</source>
        <translation>Samstag</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Sunday</source>
        <translation>Sonntag</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Time reminder</source>
        <translation>Uhrzeit der Erinnerung</translation>
    </message>
</context>
<context>
    <name>TextNotePage</name>
    <message>
        <location filename="../plugin/qml/TextNotePage.qml" line="+7"/>
        <source>New text note</source>
        <translation>Neue Textnotiz</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Note text</source>
        <translation>Notiztext</translation>
    </message>
</context>
</TS>
