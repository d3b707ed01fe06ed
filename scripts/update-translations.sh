#!/usr/bin/env bash
# Extracts the user-visible texts into the .ts files under translations/ for
# translators; the build compiles them with lrelease. Three catalogues, each
# in English (plural forms only) and every translated language:
#   zib-notes      the program and the notifier (contexts "main", "Tray", the
#                  program's QML documents)
#   notesbase      the notes module: the note pages and the list components
#   zibcomponents  the desktop components module Zib.Components
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=$(command -v lupdate || echo /usr/lib/qt5/bin/lupdate)
languages=(en de fr ru)

update() {
  local catalogue=$1
  shift
  local ts=()
  for lang in "${languages[@]}"; do ts+=("translations/${catalogue}_${lang}.ts"); done
  # English needs only the plural forms; lupdate marks them with -pluralonly.
  "$lupdate" -no-obsolete -locations relative "$@" -ts "${ts[@]:1}"
  "$lupdate" -no-obsolete -locations relative -pluralonly "$@" -ts "${ts[0]}"
}

update zib-notes app platform/notify
update notesbase plugin/qml plugin/*.cpp platform/notesmodule
update zibcomponents platform/components/qml
