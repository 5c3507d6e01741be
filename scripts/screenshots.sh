#!/usr/bin/env bash
# Saves screenshots of the desktop program into docs/: the main window on each of its four pages
# with water at 100 degrees Celsius (European units picked in the units dialog, then 100 typed),
# the units dialog, the Tables window (a saturation table from 0 to 200 degrees Celsius), the diagram
# window with each chart (steam at 300 degrees Celsius and 10 atm marked), the help window (F1 on
# the Variable Results page) and the about box. Runs the
# program under a virtual X display, in a temporary data folder with a fresh configuration file.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash scripts/setup.sh build -DCMAKE_BUILD_TYPE=Release

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
build/tulo-calc --create-config "$work/tulodefw.dta" >/dev/null
mkdir -p docs
TULO_DATA_DIR="$work" TULO_NO_SPLASH_DELAY=1 TULO_SCREENSHOT_DIR="$root/docs" \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$root/build/tulo"
ls -l docs/*.png
