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

# Every figure in one table, beside its floor or baseline.
awk '
  /^model build, 1000 notes:/           { build1 = $5; }
  /^model build, 10000 notes:/          { build10 = $5; buildfloor = $8 }
  /^save reaction, 1000 notes:/         { save1 = $5 }
  /^save reaction, 10000 notes:/        { save10 = $5; savefloor = $8 }
  /^setFilter hitting 10, 1000 notes:/  { filter1 = $6 }
  /^setFilter hitting 10, 10000 notes:/ { filter10 = $6; filterfloor = $9 }
  /^model memory, 10000 unloaded notes:/ { memory10 = $7; memoryfloor = $16 }
  /^bare Qt Quick window/               { bareframe = $(NF - 1); barememory = $NF }
  /^zib-notes, 0 notes/                 { frame0 = $(NF - 1); memory0 = $NF }
  /^zib-notes, 1000 notes/              { frame1 = $(NF - 1); peak1 = $NF }
  /^zib-notes, 10000 notes/             { frame10 = $(NF - 1); peak10 = $NF }
  END {
    print "== all figures"
    printf "%-36s %12s %12s   %-34s %s\n", "figure", "1,000 notes", "10,000 notes", "floor or baseline", "target"
    printf "%-36s %9s ms %9s ms   %-34s %s\n", "model build", build1, build10, "QSettings read " buildfloor " ms", "<= 1.5x floor"
    printf "%-36s %9s ms %9s ms   %-34s %s\n", "save reaction", save1, save10, "QSettings write " savefloor " ms", "<= 1.3x floor"
    printf "%-36s %9s ms %9s ms   %-34s %s\n", "setFilter hitting 10 notes", filter1, filter10, "grep alone " filterfloor " ms", "<= 1.2x floor"
    printf "%-36s %12s %9s MiB  %-34s %s\n", "model memory, unloaded notes", "", memory10, "QSettings read " memoryfloor " MiB", "< 15 MiB"
    printf "%-36s %9s ms %9s ms   %-34s %s\n", "first frame of the main window", frame1, frame10, "bare " bareframe " ms, no notes " frame0 " ms", "<= 1.5x bare; <= no notes + 30 ms"
    printf "%-36s %8s MiB %8s MiB  %-34s %s\n", "peak memory of the program", peak1, peak10, "bare " barememory " MiB, no notes " memory0 " MiB", "<= bare + 30 MiB"
  }' "$figures"
exit $status
