<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>DeleteUndoNotice</name>
    <message>
        <location filename="../app/qml/pages/components/DeleteUndoNotice.qml" line="+16"/>
        <source>Note deleted</source>
        <translation>Note supprimée</translation>
    </message>
    <message numerus="yes">
        <location line="+0"/>
        <source>%n notes deleted</source>
        <translation>
            <numerusform>%n note supprimée</numerusform>
            <numerusform>%n notes supprimées</numerusform>
        </translation>
    </message>
    <message>
        <location line="+58"/>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>DesktopNotifications</name>
    <message>
        <location filename="../app/desktopnotifications.cpp" line="+60"/>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
</context>
<context>
    <name>MainPage</name>
    <message>
        <location filename="../app/qml/pages/MainPage.qml" line="+40"/>
        <source>Add note:</source>
        <translation>Ajouter une note :</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Warning</source>
        <translation>Attention</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Do you really want to delete %n note?</source>
        <translation>
            <numerusform>Voulez-vous vraiment supprimer %n note ?</numerusform>
            <numerusform>Voulez-vous vraiment supprimer %n notes ?</numerusform>
        </translation>
    </message>
    <message>
        <location line="+104"/>
        <source>Delete the marked notes</source>
        <translation>Supprimer les notes marquées</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop marking</source>
        <translation>Arrêter la sélection</translation>
    </message>
</context>
<context>
    <name>MainToolbar</name>
    <message>
        <location filename="../app/qml/pages/components/MainToolbar.qml" line="+85"/>
        <source>New note</source>
        <translation>Nouvelle note</translation>
    </message>
</context>
<context>
    <name>Tray</name>
    <message>
        <location filename="../app/tray.cpp" line="+100"/>
        <source>Open task</source>
        <translation>Ouvrir la tâche</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <location line="+94"/>
        <source>%1 (missed, due %2)</source>
        <translation>%1 (manqué, prévu le %2)</translation>
    </message>
    <message>
        <location line="+36"/>
        <location line="+27"/>
        <source>Task notification: </source>
        <translation>Rappel de tâche : </translation>
    </message>
    <message>
        <location line="-45"/>
        <source>Task notification</source>
        <translation>Rappel de tâche</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../app/qml/main.qml" line="+16"/>
        <source>Notes</source>
        <translation>Notes</translation>
    </message>
    <message>
        <location filename="../app/main.cpp" line="+75"/>
        <source>Notify task &lt;noteId&gt;.</source>
        <translation>Rappeler la tâche &lt;noteId&gt;.</translation>
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
        <translation>Afficher la tâche &lt;noteId&gt;.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Create task.</source>
        <translation>Créer une tâche.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Start in the background, without a window.</source>
        <translation>Démarrer en arrière-plan, sans fenêtre.</translation>
    </message>
    <message>
        <location filename="../platform/notify/main.cpp" line="+98"/>
        <source>Shows the reminder of a note through zib-notes.</source>
        <translation>Affiche le rappel d’une note avec zib-notes.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>File name of the note, such as 1a.note.</source>
        <translation>Nom de fichier de la note, par exemple 1a.note.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Expected one note file name.</source>
        <translation>Un seul nom de fichier de note est attendu.</translation>
    </message>
    <message>
        <location filename="../app/main.cpp" line="-43"/>
        <location filename="../platform/notify/main.cpp" line="+6"/>
        <source>Not a note file name: %1</source>
        <translation>Ce n’est pas un nom de fichier de note : %1</translation>
    </message>
</context>
</TS>
