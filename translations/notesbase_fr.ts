<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AddListItemButton</name>
    <message>
        <location filename="../plugin/qml/AddListItemButton.qml" line="+17"/>
        <location line="+36"/>
        <source>Add item</source>
        <translation>Ajouter un élément</translation>
    </message>
</context>
<context>
    <name>CanvasNotePage</name>
    <message>
        <location filename="../plugin/qml/CanvasNotePage.qml" line="+7"/>
        <source>Canvas</source>
        <translation>Dessin</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>New canvas note</source>
        <translation>Nouvelle note dessinée</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Warning</source>
        <translation>Attention</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The drawing could not be saved.</source>
        <translation>Le dessin n’a pas pu être enregistré.</translation>
    </message>
</context>
<context>
    <name>ChangedElsewhereBar</name>
    <message>
        <location filename="../plugin/qml/ChangedElsewhereBar.qml" line="+28"/>
        <source>This note was deleted elsewhere.</source>
        <translation>Cette note a été supprimée ailleurs.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>This note was changed elsewhere.</source>
        <translation>Cette note a été modifiée ailleurs.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Keep as a new note</source>
        <translation>Garder comme nouvelle note</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Load that version</source>
        <translation>Charger l’autre version</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Keep mine</source>
        <translation>Garder la mienne</translation>
    </message>
</context>
<context>
    <name>ListNotePage</name>
    <message>
        <location filename="../plugin/qml/ListNotePage.qml" line="+7"/>
        <source>New list note</source>
        <translation>Nouvelle liste de tâches</translation>
    </message>
    <message>
        <location line="+296"/>
        <source>Entry %1</source>
        <translation>Élément %1</translation>
    </message>
</context>
<context>
    <name>NotePage</name>
    <message>
        <location filename="../plugin/qml/NotePage.qml" line="+77"/>
        <location line="+57"/>
        <location line="+360"/>
        <source>Warning</source>
        <translation>Attention</translation>
    </message>
    <message>
        <location line="-416"/>
        <source>You have unsaved data. Do you still want to continue?</source>
        <translation>Des modifications ne sont pas enregistrées. Voulez-vous continuer quand même ?</translation>
    </message>
    <message>
        <location line="+57"/>
        <source>Do you really want to delete this note?</source>
        <translation>Voulez-vous vraiment supprimer cette note ?</translation>
    </message>
    <message>
        <location line="+55"/>
        <source>Edit</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Delete note</source>
        <translation>Supprimer la note</translation>
    </message>
    <message>
        <location line="+57"/>
        <source>Title</source>
        <translation>Titre</translation>
    </message>
    <message>
        <location line="+71"/>
        <source>Background colour</source>
        <translation>Couleur de fond</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Text colour</source>
        <translation>Couleur du texte</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Reminder</source>
        <translation>Rappel</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>Line width</source>
        <translation>Épaisseur du trait</translation>
    </message>
    <message>
        <location line="+62"/>
        <source>Pen</source>
        <translation>Crayon</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Eraser (hold to clear the drawing)</source>
        <translation>Gomme (maintenir pour effacer le dessin)</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Do you really want to clear canvas?</source>
        <translation>Voulez-vous vraiment effacer le dessin ?</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>The note could not be saved: %1</source>
        <translation>La note n’a pas pu être enregistrée : %1</translation>
    </message>
</context>
<context>
    <name>NotesController</name>
    <message>
        <location filename="../platform/notesmodule/NotesController.qml" line="+19"/>
        <source>Text note</source>
        <translation>Note de texte</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>List note</source>
        <translation>Liste de tâches</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Canvas note</source>
        <translation>Note dessinée</translation>
    </message>
</context>
<context>
    <name>NotesList</name>
    <message>
        <location filename="../platform/notesmodule/NotesList.qml" line="+18"/>
        <source>Grid</source>
        <translation>Grille</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <location line="+98"/>
        <source>Notes</source>
        <translation>Notes</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>Scroll the notes</source>
        <translation>Faire défiler les notes</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>No notes yet.
Press the + button or Ctrl+N to write your first note.</source>
        <translation>Aucune note pour l’instant.
Appuyez sur le bouton + ou sur Ctrl+N pour écrire votre première note.</translation>
    </message>
</context>
<context>
    <name>NotesModel</name>
    <message>
        <location filename="../plugin/notesmodel.cpp" line="+302"/>
        <source>The note could not be added: %1</source>
        <translation>La note n’a pas pu être ajoutée : %1</translation>
    </message>
    <message>
        <location line="+65"/>
        <source>The note could not be deleted: %1</source>
        <translation>La note n’a pas pu être supprimée : %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The notes could not be deleted: %1</source>
        <translation>Les notes n’ont pas pu être supprimées : %1</translation>
    </message>
    <message>
        <location line="+98"/>
        <location line="+21"/>
        <source>The notes could not be brought back: %1</source>
        <translation>Les notes n’ont pas pu être restaurées : %1</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Another program is changing the notes. Please try again.</source>
        <translation>Un autre programme modifie les notes. Veuillez réessayer.</translation>
    </message>
    <message>
        <location line="+160"/>
        <source>The list of notes could not be updated: %1</source>
        <translation>La liste des notes n’a pas pu être mise à jour : %1</translation>
    </message>
    <message>
        <location line="+95"/>
        <location line="+7"/>
        <source>The note could not be kept: %1</source>
        <translation>La note n’a pas pu être gardée : %1</translation>
    </message>
</context>
<context>
    <name>RoundAddButton</name>
    <message>
        <location filename="../platform/notesmodule/private/RoundAddButton.qml" line="+62"/>
        <source>New note</source>
        <translation>Nouvelle note</translation>
    </message>
</context>
<context>
    <name>SafeIniFile</name>
    <message>
        <location filename="../plugin/safeinifile.cpp" line="+107"/>
        <source>no file can be created</source>
        <translation>aucun fichier ne peut être créé</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+42"/>
        <location line="+53"/>
        <location line="+8"/>
        <source>the file could not be written</source>
        <translation>le fichier n’a pas pu être écrit</translation>
    </message>
    <message>
        <location line="-81"/>
        <location line="+13"/>
        <source>the file cannot be read</source>
        <translation>le fichier ne peut pas être lu</translation>
    </message>
    <message>
        <location line="+74"/>
        <source>the file could not be replaced</source>
        <translation>le fichier n’a pas pu être remplacé</translation>
    </message>
</context>
<context>
    <name>TaskPage</name>
    <message>
        <location filename="../plugin/qml/TaskPage.qml" line="+19"/>
        <source>Reminder</source>
        <translation>Rappel</translation>
    </message>
    <message>
        <location line="+74"/>
        <source>How often</source>
        <translation>Fréquence</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Never</source>
        <translation>Jamais</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Once</source>
        <translation>Une fois</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Every day</source>
        <translation>Tous les jours</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Every week</source>
        <translation>Toutes les semaines</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Every month</source>
        <translation>Tous les mois</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Every year</source>
        <translation>Tous les ans</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Date and time</source>
        <translation>Date et heure</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Date reminder</source>
        <translation>Date du rappel</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Week day</source>
        <translation>Jour de la semaine</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Monday</source>
        <translation>lundi</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Tuesday</source>
        <translation>mardi</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Wednesday</source>
        <translation>mercredi</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Thursday</source>
        <translation>jeudi</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Friday</source>
        <translation>vendredi</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Saturday</source>
        <translation>samedi</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Sunday</source>
        <translation>dimanche</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Time reminder</source>
        <translation>Heure du rappel</translation>
    </message>
</context>
<context>
    <name>TextNotePage</name>
    <message>
        <location filename="../plugin/qml/TextNotePage.qml" line="+7"/>
        <source>New text note</source>
        <translation>Nouvelle note de texte</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Note text</source>
        <translation>Texte de la note</translation>
    </message>
</context>
</TS>
