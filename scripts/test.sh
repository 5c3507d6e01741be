#!/usr/bin/env bash
# Builds and runs every test twice: a release build, then a build with
# AddressSanitizer and UndefinedBehaviorSanitizer. Between the two, builds the Debian package from
# the release build and checks it (scripts/package.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build -DCMAKE_BUILD_TYPE=Release
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)
scripts/package.sh build
scripts/setup.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DTULO_SANITIZE=ON -DTULO_BENCH=OFF
(cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)
