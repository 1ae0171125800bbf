#!/usr/bin/env bash
# Installs what is missing, builds the debug preset (sanitizers on) from scratch if needed and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/check-includes.sh
cmake --preset debug
cmake --build --preset debug
ctest --preset debug -j2
