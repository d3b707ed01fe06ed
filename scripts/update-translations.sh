#!/usr/bin/env bash
# Extracts the user-visible texts into the .ts files under translations/ for
# translators (contexts "main" and "Tray" of the program, and one context per
# QML document). The build compiles them with lrelease.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=$(command -v lupdate || echo /usr/lib/qt5/bin/lupdate)
"$lupdate" -no-obsolete -locations relative \
    app/main.cpp app/tray.cpp app/qml plugin/qml platform/notesmodule \
    -ts translations/zib-notes_de.ts translations/zib-notes_fr.ts translations/zib-notes_ru.ts
