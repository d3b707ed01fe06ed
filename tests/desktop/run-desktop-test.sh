#!/usr/bin/env bash
# Usage: run-desktop-test.sh <zib-notes> <accessibility.py>
set -uo pipefail
program=$1
script=$2
for tool in xvfb-run dbus-run-session /usr/bin/python3; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/deps.sh)"; exit 1; }
done
launcher=$(ls /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher 2>/dev/null | head -1)
[ -n "$launcher" ] || { echo "FAIL: at-spi2-core is missing (scripts/deps.sh)"; exit 1; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "FAIL: python3-pyatspi is missing (scripts/deps.sh)"; exit 1; }

failures=0
# --help in German: the program's own texts and Qt's.
help=$(env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=de_DE.UTF-8 "$program" --help 2>/dev/null)
for text in "Eine Aufgabe anlegen." "Die Aufgabe <noteId> zeigen." "Optionen:"; do
  grep -qF -- "$text" <<<"$help" && echo "ok - --help says \"$text\"" || { echo "FAIL: no \"$text\" in --help:"; echo "$help"; failures=$((failures + 1)); }
done

export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
timeout 100 xvfb-run -a -s "-screen 0 1024x768x24" \
  dbus-run-session -- bash -c '"$0" --launch-immediately >/dev/null 2>&1 & exec /usr/bin/python3 "$1" "$2"' \
  "$launcher" "$script" "$program" 2> >(grep -v "Failed to set fd limit" >&2)
status=$?
[ $status -eq 0 ] || failures=$((failures + 1))
echo "$failures failed"
[ $failures -eq 0 ]
