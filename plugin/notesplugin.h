#pragma once

#include <QQmlExtensionPlugin>

// Makes the note classes, the models, the watcher and the note factory known
// to QML as the module Zib.NotesBase 1.0.
class NotesPlugin : public QQmlExtensionPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QQmlExtensionInterface")

public:
    void registerTypes(const char *uri) override;
};
