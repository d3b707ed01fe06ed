#!/usr/bin/env bash
set -uo pipefail
build=$1
libdir=$2
qmldir=$3
# Staged under a DESTDIR: the autostart entry goes to an absolute /etc path.
root=$(mktemp -d)
prefix=$root/usr
trap 'rm -rf "$root" "$root.install.log"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

DESTDIR=$root cmake --install "$build" --prefix /usr >"$root.install.log" 2>&1 || { cat "$root.install.log"; exit 1; }

for f in bin/zib-notes bin/zib-notes-notify \
         "$qmldir/Zib/NotesBase/qmldir" "$qmldir/Zib/NotesBase/libnotesbase.so" \
         "$qmldir/Zib/NotesBase/NotesController.qml" "$qmldir/Zib/NotesBase/NotesList.qml" \
         "$qmldir/Zib/Components/qmldir" \
         share/applications/zib-notes.desktop share/metainfo/org.zib.notes.metainfo.xml \
         share/icons/hicolor/scalable/apps/zib-notes.svg share/zib-notes/translations/zib-notes_de.qm; do
  [ -e "$prefix/$f" ] && echo "ok - installed $f" || fail "$f was not installed"
done
[ -x "$prefix/bin/zib-notes" ] || fail "bin/zib-notes is not executable"
autostart=$root/etc/xdg/autostart/zib-notes.desktop
[ -e "$autostart" ] && echo "ok - installed /etc/xdg/autostart/zib-notes.desktop" || fail "the autostart entry was not installed"
grep -qx "Exec=zib-notes --background" "$autostart" || fail "the autostart entry does not start zib-notes in the background"
case "$qmldir" in "$libdir"/qt5/qml) ;; *) fail "QML modules go to $qmldir, not Qt's $libdir/qt5/qml" ;; esac

if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/org.zib.notes.metainfo.xml" >/dev/null \
    && echo "ok - metainfo validates" || fail "appstreamcli rejects the metainfo file"
fi
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/zib-notes.desktop" \
    && echo "ok - desktop entry validates" || fail "desktop-file-validate rejects the desktop entry"
  desktop-file-validate "$autostart" \
    && echo "ok - autostart entry validates" || fail "desktop-file-validate rejects the autostart entry"
fi

# The installed program starts from the installed modules only (not the build tree's).
data=$(mktemp -d)
out=$(cd / && env -u ZIB_QML_IMPORT_DIR QML2_IMPORT_PATH="$prefix/$qmldir" XDG_DATA_HOME="$data" \
      QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software ZIB_NOTES_EXIT_AFTER_FIRST_FRAME=1 \
      timeout 60 "$prefix/bin/zib-notes" 2>&1)
status=$?
rm -rf "$data"
if [ $status -eq 0 ] && ! grep -qiE "module .* is not installed|error|failed to load" <<<"$out"; then
  echo "ok - the installed program shows its main window"
else
  fail "the installed program did not start cleanly (status $status):"; echo "$out"
fi

# The Debian package holds the same pieces.
if command -v cpack >/dev/null && command -v dpkg-deb >/dev/null; then
  (cd "$prefix" && cpack --config "$build/CPackConfig.cmake" -B "$prefix/package" >"$prefix/cpack.log" 2>&1) \
    || { tail -20 "$prefix/cpack.log"; fail "cpack could not build the package"; }
  deb=$(ls "$prefix"/package/*.deb 2>/dev/null | head -1)
  if [ -n "$deb" ]; then
    contents=$(dpkg-deb -c "$deb")
    for f in ./usr/bin/zib-notes ./usr/bin/zib-notes-notify "./usr/$qmldir/Zib/NotesBase/libnotesbase.so" \
             ./usr/share/applications/zib-notes.desktop ./etc/xdg/autostart/zib-notes.desktop; do
      grep -qF " $f" <<<"$contents" && echo "ok - package holds $f" || fail "package lacks $f"
    done
    # What dpkg keeps on upgrade when the administrator edited it.
    conffiles=$(dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./conffiles 2>/dev/null)
    [ "$conffiles" = /etc/xdg/autostart/zib-notes.desktop ] && echo "ok - /etc files are conffiles" \
      || fail "conffiles lists '$conffiles', not the autostart entry"
    # Kept for the cron delivery test, which installs it.
    mkdir -p "$build/tests/install/package" && rm -f "$build"/tests/install/package/*.deb \
      && cp "$deb" "$build/tests/install/package/"
  else
    fail "no .deb was built"
  fi
fi

echo "$failures failed"
[ $failures -eq 0 ]
