#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in a build tree of their own and runs
# each for a bounded time over a seed corpus. Fails on the first crash, leak or
# sanitizer report.
set -euo pipefail
src=$1
build=$2
seconds=${ZIB_FUZZ_SECONDS:-60}

cmake -S "$src" -B "$build" -DZIB_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_CXX_COMPILER=clang++ >"$build.configure.log" 2>&1 \
    || { cat "$build.configure.log"; exit 1; }
cmake --build "$build" -j"$(nproc)" --target fuzz_note_loaders >"$build.build.log" 2>&1 \
    || { tail -50 "$build.build.log"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$work/data" "$work/home"
cp "$src"/tests/fuzz/seeds/* "$work/corpus/"

export XDG_DATA_HOME="$work/data" HOME="$work/home" QT_QPA_PLATFORM=offscreen
export PATH="$src/tests/fakes:$PATH" FAKE_CRONTAB_FILE="$work/crontab"
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
"$build/bin/fuzz_note_loaders" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$work/" "$work/corpus"
