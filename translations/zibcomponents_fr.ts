<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>ZibColorPickerDialog</name>
    <message>
        <location filename="../platform/components/qml/ZibColorPickerDialog.qml" line="+41"/>
        <source>Colour</source>
        <translation>Couleur</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>Colour %1</source>
        <translation>Couleur %1</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Red</source>
        <translation>Rouge</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Green</source>
        <translation>Vert</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Blue</source>
        <translation>Bleu</translation>
    </message>
</context>
<context>
    <name>ZibDatePickerDialog</name>
    <message>
        <location filename="../platform/components/qml/ZibDatePickerDialog.qml" line="+38"/>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Day</source>
        <translation>Jour</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Month</source>
        <translation>Mois</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Year</source>
        <translation>Année</translation>
    </message>
</context>
<context>
    <name>ZibDialog</name>
    <message>
        <location filename="../platform/components/qml/ZibDialog.qml" line="+15"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <location line="+95"/>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>ZibPage</name>
    <message>
        <location filename="../platform/components/qml/ZibPage.qml" line="+150"/>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>ZibRoundButton</name>
    <message>
        <location filename="../platform/components/qml/ZibRoundButton.qml" line="+10"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>ZibScrollBar</name>
    <message>
        <location filename="../platform/components/qml/ZibScrollBar.qml" line="+17"/>
        <source>Scroll</source>
        <translation>Défiler</translation>
    </message>
</context>
<context>
    <name>ZibTimePickerDialog</name>
    <message>
        <location filename="../platform/components/qml/ZibTimePickerDialog.qml" line="+11"/>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Hour</source>
        <translation>Heure</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Minute</source>
        <translation>Minute</translation>
    </message>
</context>
<context>
    <name>ZibToolBar</name>
    <message>
        <location filename="../platform/components/qml/ZibToolBar.qml" line="+51"/>
        <location line="+2"/>
        <source>Search</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Search the notes (Ctrl+F)</source>
        <translation>Rechercher dans les notes (Ctrl+F)</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Clear the search</source>
        <translation>Effacer la recherche</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Back</source>
        <translation>Retour</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
