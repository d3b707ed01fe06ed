#!/usr/bin/env bash
# Installs what is missing, builds, and starts zib-notes from the build tree.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec build/bin/zib-notes "$@"
