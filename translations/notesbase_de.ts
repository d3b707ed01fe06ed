<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AddListItemButton</name>
    <message>
        <location filename="../plugin/qml/AddListItemButton.qml" line="+17"/>
        <location line="+36"/>
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
    <message>
        <location line="+293"/>
        <source>Entry %1</source>
        <translation>Eintrag %1</translation>
    </message>
</context>
<context>
    <name>NotePage</name>
    <message>
        <location filename="../plugin/qml/NotePage.qml" line="+51"/>
        <location line="+57"/>
        <location line="+332"/>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <location line="-388"/>
        <source>You have unsaved data. Do you still want to continue?</source>
        <translation>Es gibt ungespeicherte Änderungen. Trotzdem fortfahren?</translation>
    </message>
    <message>
        <location line="+57"/>
        <source>Do you really want to delete this note?</source>
        <translation>Möchten Sie diese Notiz wirklich löschen?</translation>
    </message>
    <message>
        <location line="+55"/>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Delete note</source>
        <translation>Notiz löschen</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <location line="+71"/>
        <source>Background colour</source>
        <translation>Hintergrundfarbe</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Text colour</source>
        <translation>Textfarbe</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Reminder</source>
        <translation>Erinnerung</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>Line width</source>
        <translation>Linienbreite</translation>
    </message>
    <message>
        <location line="+62"/>
        <source>Pen</source>
        <translation>Stift</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Eraser (hold to clear the drawing)</source>
        <translation>Radierer (gedrückt halten, um die Zeichnung zu leeren)</translation>
    </message>
    <message>
        <location line="+11"/>
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
    <message>
        <location line="+98"/>
        <source>Notes</source>
        <translation>Notizen</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>Scroll the notes</source>
        <translation>Durch die Notizen blättern</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>No notes yet.
Press the + button or Ctrl+N to write your first note.</source>
        <translation>Noch keine Notizen.
Drücken Sie die Schaltfläche + oder Strg+N, um Ihre erste Notiz zu schreiben.</translation>
    </message>
</context>
<context>
    <name>RoundAddButton</name>
    <message>
        <location filename="../platform/notesmodule/private/RoundAddButton.qml" line="+62"/>
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
