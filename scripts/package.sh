#!/usr/bin/env bash
# Builds the Debian package from a stripped Release build in ./build-release
# and checks it with lintian.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build-release -j"$(nproc)"
(cd build-release && cpack -G DEB)
lintian --info build-release/*.deb
