#!/usr/bin/env bash
# Builds the program and starts it. Until the desktop window exists this runs
# tulo-calc on a sample state (water at 100 degrees Celsius, European units).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build -DCMAKE_BUILD_TYPE=Release
echo "Sample state: tulo-calc property 15 1 373.15 101.325 (enthalpy of saturated liquid at 373.15 K)"
build/tulo-calc property 15 1 373.15 101.325
