#!/usr/bin/env bash
# Builds every benchmark program and runs each one, printing its figures.
# Usage: benchmarks/run.sh [build-dir]   (default: ./build)
# The programs run with HOME, the XDG directories and the crontab inside a
# temporary directory, never on the user's own notes or crontab.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target benchmarks

sandbox=$(mktemp -d)
trap 'rm -rf "$sandbox"' EXIT
export QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software
export HOME="$sandbox/home" XDG_DATA_HOME="$sandbox/data" XDG_CONFIG_HOME="$sandbox/config"
export XDG_CACHE_HOME="$sandbox/cache" XDG_RUNTIME_DIR="$sandbox/runtime"
export FAKE_CRONTAB_FILE="$sandbox/crontab" PATH="$PWD/tests/fakes:$PATH"
export ZIB_SOURCE_DIR="$PWD" ZIB_BINARY_DIR="$PWD/$build" ZIB_QML_IMPORT_DIR="$PWD/$build/qml"
mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

status=0
figures="$sandbox/figures.txt"
: >"$figures"
for program in "$build"/benchmarks/bin/*; do
  [ -x "$program" ] && [ -f "$program" ] || continue
  echo "== $(basename "$program")"
  "$program" | tee -a "$figures" || { echo "!! $(basename "$program") failed"; status=1; }
  echo
done

# Every figure in one table, at each size beside its floor or baseline.
awk '
  function size(n) { return n == 1000 ? 1 : n == 10000 ? 2 : n == 100000 ? 3 : 0 }
  # "<what>, <n> notes: <figure> ms; floor <floor> ms; ..." from bench_collection
  /^(model build|save reaction|following a change elsewhere|setFilter hitting 10), [0-9]+ notes:/ {
    what = $0; sub(/, [0-9]+ notes:.*/, "", what)
    n = $0; sub(/^[^,]*(, [^,]*)?, /, "", n); sub(/ notes:.*/, "", n); n = n + 0
    fig = $0; sub(/.* notes: /, "", fig); sub(/ ms;.*/, "", fig)
    flo = $0; sub(/.*; floor /, "", flo); sub(/ ms;.*/, "", flo)
    value[what, size(n)] = fig; floor[what, size(n)] = flo
  }
  /^model memory, [0-9]+ unloaded notes:/ {
    n = $3 + 0; m = $0; sub(/^[^+]*\+/, "", m); sub(/ MiB.*/, "", m)
    f = $0; sub(/.*read alone: peak \+/, "", f); sub(/ MiB.*/, "", f)
    value["model memory", size(n)] = m; floor["model memory", size(n)] = f
  }
  # "scrolling, <n> notes: ... worst <w> ms, median <m> ms, <k> frames over 16 ms ...;
  #  bare list: worst <w> ms, median <m> ms, <k> over 16 ms"
  /^scrolling, [0-9]+ notes:/ {
    n = $2 + 0; own = $0; sub(/; bare list:.*/, "", own); bare = $0; sub(/.*; bare list: /, "", bare)
    w = own; sub(/.*worst /, "", w); sub(/ ms.*/, "", w)
    o = own; sub(/.*median [0-9.]+ ms, /, "", o); sub(/ frames over.*/, "", o)
    value["scrolling", size(n)] = w " ms (" o ")"
    w = bare; sub(/^worst /, "", w); sub(/ ms.*/, "", w)
    o = bare; sub(/.*median [0-9.]+ ms, /, "", o); sub(/ over 16.*/, "", o)
    floor["scrolling", size(n)] = w " (" o ")"
  }
  /^bare Qt Quick window/ { bareframe = $(NF - 1); barememory = $NF }
  /^zib-notes, [0-9]+ notes/ {
    n = $2 + 0
    if (n == 0) { frame0 = $(NF - 1); memory0 = $NF }
    else { value["first frame", size(n)] = $(NF - 1); value["peak memory", size(n)] = $NF }
  }
  function row(label, key, unit, floortext, target,   i, cells) {
    cells = ""
    for (i = 1; i <= 3; ++i)
      cells = cells sprintf(" %14s", ((key, i) in value) ? value[key, i] (unit == "" ? "" : " " unit) : "-")
    printf "%-30s%s   %-40s %s\n", label, cells, floortext, target
  }
  function floors(key, what,   i, t) {
    t = what
    for (i = 1; i <= 3; ++i)
      t = t (i > 1 ? " / " : " ") (((key, i) in floor) ? floor[key, i] : "-")
    return t
  }
  END {
    print "== all figures"
    printf "%-30s %14s %14s %14s   %-40s %s\n", "figure", "1,000 notes", "10,000 notes", "100,000 notes", "floor or baseline", "target"
    row("model build", "model build", "ms", floors("model build", "QSettings read"), "<= 1.1x floor")
    row("save reaction", "save reaction", "ms", floors("save reaction", "QSettings write"), "<= 1.1x floor")
    row("following a change elsewhere", "following a change elsewhere", "ms", floors("following a change elsewhere", "QSettings read"), "<= 1.1x floor")
    row("setFilter hitting 10 notes", "setFilter hitting 10", "ms", floors("setFilter hitting 10", "grep alone"), "<= 1.1x floor")
    row("model memory, unloaded notes", "model memory", "MiB", floors("model memory", "QSettings read"), "< 1.5 KiB a note")
    row("first frame of the main window", "first frame", "ms", "bare " bareframe " ms, no notes " frame0 " ms", "<= 1.25x bare; <= no notes + 30 ms")
    row("peak memory of the program", "peak memory", "MiB", "bare " barememory " MiB, no notes " memory0 " MiB", "100,000: <= bare + 40 MiB")
    row("scrolling: worst frame (over 16)", "scrolling", "", floors("scrolling", "bare list"), "no frame over 16 ms")
  }' "$figures"
exit $status
