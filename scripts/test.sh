#!/usr/bin/env bash
# Builds and runs every test twice: a release build, then a build with
# AddressSanitizer and UndefinedBehaviorSanitizer. Warnings are errors. In each build the unit
# tests run first, then the long-run soak test. Between the two builds, the Debian package is
# built from the release build and checked (scripts/package.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
run_tests() {
  (cd "$1" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 -LE soak)
  (cd "$1" && ctest --output-on-failure -L soak)
}
scripts/setup.sh build -DCMAKE_BUILD_TYPE=Release -DTULO_WERROR=ON
run_tests build
scripts/package.sh build
scripts/setup.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DTULO_SANITIZE=ON -DTULO_BENCH=OFF -DTULO_WERROR=ON
run_tests build-asan
