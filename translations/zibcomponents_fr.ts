<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>ZibColorPickerDialog</name>
    <message>
        <location filename="../platform/components/qml/ZibColorPickerDialog.qml" line="+42"/>
        <source>Colour</source>
        <translation>Couleur</translation>
    </message>
    <message>
        <location line="+47"/>
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
    <message>
        <location line="+1"/>
        <source>Opacity</source>
        <translation>Opacité</translation>
    </message>
</context>
<context>
    <name>ZibDatePickerDialog</name>
    <message>
        <location filename="../platform/components/qml/ZibDatePickerDialog.qml" line="+38"/>
        <source>Date</source>
        <translation>Date</translation>
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
    <name>ZibTimePickerDialog</name>
    <message>
        <location filename="../platform/components/qml/ZibTimePickerDialog.qml" line="+11"/>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
</context>
<context>
    <name>ZibToolBar</name>
    <message>
        <location filename="../platform/components/qml/ZibToolBar.qml" line="+48"/>
        <source>Search</source>
        <translation>Rechercher</translation>
    </message>
</context>
</TS>
