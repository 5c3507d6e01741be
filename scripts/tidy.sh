#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over src/, tests/ and bench/, using the compile
# commands of a build directory (build by default; it is configured first when it has none).
# Usage: scripts/tidy.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[ -f "$build/compile_commands.json" ] || scripts/setup.sh "$build"
run-clang-tidy -quiet -p "$build" -j 2 "$PWD/(src|tests|bench)/"
