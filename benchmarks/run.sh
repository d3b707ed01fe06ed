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
for program in "$build"/benchmarks/bin/*; do
  [ -x "$program" ] && [ -f "$program" ] || continue
  echo "== $(basename "$program")"
  "$program" || { echo "!! $(basename "$program") failed with status $?"; status=1; }
  echo
done
exit $status
