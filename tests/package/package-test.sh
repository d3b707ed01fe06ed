#!/usr/bin/env bash
# Fails on every lintian error or warning, on any complaint of
# desktop-file-validate or appstreamcli, and on a wrong dependency list.
set -uo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
for tool in cpack dpkg-deb lintian desktop-file-validate appstreamcli; do
  command -v $tool >/dev/null || { echo "FAIL: $tool is not installed (scripts/deps.sh)"; exit 1; }
done

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1) \
  || { tail -20 "$work/cpack.log"; echo "FAIL: cpack could not build the package"; exit 1; }
deb=$(ls "$work"/package/*.deb | head -1)
dpkg-deb -x "$deb" "$work/root"

# lintian, every tag shown; errors and warnings fail.
lintian --info --display-info --pedantic "$deb" >"$work/lintian.log" 2>&1
grep -E '^[EWIP]: ' "$work/lintian.log"
bad=$(grep -cE '^[EW]: ' "$work/lintian.log")
[ "$bad" -eq 0 ] && echo "ok - lintian: no errors, no warnings" || fail "lintian: $bad errors and warnings"

# Every launcher entry: the package's and every one in data/.
for entry in "$work"/root/usr/share/applications/*.desktop "$work"/root/etc/xdg/autostart/*.desktop \
             "$source"/data/*.desktop; do
  [ -e "$entry" ] || continue
  out=$(desktop-file-validate "$entry" 2>&1)
  [ -z "$out" ] && echo "ok - desktop-file-validate ${entry#"$work"/root}" \
    || fail "desktop-file-validate ${entry#"$work"/root}: $out"
done

metainfo="$work/root/usr/share/metainfo/org.zib.notes.metainfo.xml"
out=$(appstreamcli validate --pedantic --no-net --no-color "$metainfo" 2>&1)
status=$?
echo "$out"
[ $status -eq 0 ] && ! grep -qE '^[EWI]: ' <<<"$out" && echo "ok - appstreamcli validate --pedantic" \
  || fail "appstreamcli complains about the metainfo file"

# One icon per path: the application icon once, the tray's only in the
# program's own folder.
icons=$(cd "$work/root" && find . -name '*.svg' | sort)
[ "$(grep -c '/zib-notes.svg$' <<<"$icons")" -eq 1 ] || fail "zib-notes.svg installed more than once: $icons"
cmp -s "$work/root/usr/share/icons/hicolor/scalable/apps/zib-notes.svg" "$source/data/icons/zib-notes.svg" \
  || fail "the installed application icon is not data/icons/zib-notes.svg"
grep -q '^./usr/share/icons/.*audit-all' <<<"$icons" && fail "the tray icon is in the shared icon theme"
grep -q '^./usr/share/zib-notes/icons/hicolor/.*/audit-all.svg$' <<<"$icons" || fail "the tray icon is missing"

# Dependencies: alternatives for cron, no essential packages, and a QML module
# package only for a module some document imports.
depends=$(dpkg-deb -f "$deb" Depends)
for wanted in "cron | cron-daemon" gstreamer1.0-plugins-base gstreamer1.0-plugins-good sound-theme-freedesktop; do
  grep -qF "$wanted" <<<"$depends" || fail "Depends lacks $wanted"
done
for essential in bash grep coreutils; do
  grep -qE "(^|, )$essential( |,|$)" <<<"$depends" && fail "Depends names the essential package $essential"
done
imports=$(grep -rhoE '^import +Qt[A-Za-z.]+' "$source"/app "$source"/plugin "$source"/platform --include='*.qml' \
          | awk '{print $2}' | sort -u)
declare -A module_of=([qml-module-qtquick2]=QtQuick [qml-module-qtquick-window2]=QtQuick.Window
                      [qml-module-qtquick-controls2]=QtQuick.Controls [qml-module-qtquick-layouts]=QtQuick.Layouts
                      [qml-module-qtqml-models2]=QtQml.Models [qml-module-qtquick-templates2]=QtQuick.Templates
                      [qml-module-qt-labs-settings]=Qt.labs.settings)
for pkg in $(grep -oE 'qml-module-[a-z0-9-]+' <<<"$depends"); do
  module=${module_of[$pkg]:-}
  [ -n "$module" ] && grep -qxF "$module" <<<"$imports" && echo "ok - $pkg is used ($module)" \
    || fail "Depends names $pkg, but no document imports it"
done
for module in $imports; do
  case $module in QtQml) continue ;; esac
  found=0
  for pkg in "${!module_of[@]}"; do [ "${module_of[$pkg]}" = "$module" ] && grep -qF "$pkg" <<<"$depends" && found=1; done
  [ $found -eq 1 ] || fail "$module is imported but its package is not in Depends"
done

echo "$failures failed"
[ $failures -eq 0 ]
