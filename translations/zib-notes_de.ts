<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>DeleteUndoNotice</name>
    <message>
        <location filename="../app/qml/pages/components/DeleteUndoNotice.qml" line="+16"/>
        <source>Note deleted</source>
        <translation>Notiz gelöscht</translation>
    </message>
    <message numerus="yes">
        <location line="+0"/>
        <source>%n notes deleted</source>
        <translation>
            <numerusform>%n Notiz gelöscht</numerusform>
            <numerusform>%n Notizen gelöscht</numerusform>
        </translation>
    </message>
    <message>
        <location line="+58"/>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
</context>
<context>
    <name>DesktopNotifications</name>
    <message>
        <location filename="../app/desktopnotifications.cpp" line="+60"/>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
</context>
<context>
    <name>MainPage</name>
    <message>
        <location filename="../app/qml/pages/MainPage.qml" line="+40"/>
        <source>Add note:</source>
        <translation>Notiz hinzufügen:</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Do you really want to delete %n note?</source>
        <translation>
            <numerusform>Möchten Sie %n Notiz wirklich löschen?</numerusform>
            <numerusform>Möchten Sie %n Notizen wirklich löschen?</numerusform>
        </translation>
    </message>
    <message>
        <location line="+104"/>
        <source>Delete the marked notes</source>
        <translation>Markierte Notizen löschen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop marking</source>
        <translation>Markieren beenden</translation>
    </message>
</context>
<context>
    <name>MainToolbar</name>
    <message>
        <location filename="../app/qml/pages/components/MainToolbar.qml" line="+85"/>
        <source>New note</source>
        <translation>Neue Notiz</translation>
    </message>
</context>
<context>
    <name>Tray</name>
    <message>
        <location filename="../app/tray.cpp" line="+100"/>
        <source>Open task</source>
        <translation>Aufgabe öffnen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location line="+94"/>
        <source>%1 (missed, due %2)</source>
        <translation>%1 (verpasst, fällig %2)</translation>
    </message>
    <message>
        <location line="+36"/>
        <location line="+27"/>
        <source>Task notification: </source>
        <translation>Aufgabenerinnerung: </translation>
    </message>
    <message>
        <location line="-45"/>
        <source>Task notification</source>
        <translation>Aufgabenerinnerung</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../app/qml/main.qml" line="+16"/>
        <source>Notes</source>
        <translation>Notizen</translation>
    </message>
    <message>
        <location filename="../app/main.cpp" line="+75"/>
        <source>Notify task &lt;noteId&gt;.</source>
        <translation>An die Aufgabe &lt;noteId&gt; erinnern.</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+3"/>
        <source>noteId</source>
        <translation>noteId</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Show task &lt;noteId&gt;.</source>
        <translation>Die Aufgabe &lt;noteId&gt; zeigen.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Create task.</source>
        <translation>Eine Aufgabe anlegen.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Start in the background, without a window.</source>
        <translation>Im Hintergrund starten, ohne Fenster.</translation>
    </message>
    <message>
        <location filename="../platform/notify/main.cpp" line="+98"/>
        <source>Shows the reminder of a note through zib-notes.</source>
        <translation>Zeigt die Erinnerung einer Notiz über zib-notes.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>File name of the note, such as 1a.note.</source>
        <translation>Dateiname der Notiz, etwa 1a.note.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Expected one note file name.</source>
        <translation>Es wird genau ein Dateiname einer Notiz erwartet.</translation>
    </message>
    <message>
        <location filename="../app/main.cpp" line="-43"/>
        <location filename="../platform/notify/main.cpp" line="+6"/>
        <source>Not a note file name: %1</source>
        <translation>Kein Dateiname einer Notiz: %1</translation>
    </message>
</context>
</TS>
