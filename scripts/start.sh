#!/usr/bin/env bash
# Builds the program and starts the desktop window in its data folder, which holds the
# configuration file tulodefw.dta (created fresh when it is missing). The data folder is
# $TULO_DATA_DIR, or ~/.local/share/tulo. Without a display, shows how to use tulo-calc instead.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash scripts/setup.sh build -DCMAKE_BUILD_TYPE=Release

data="${TULO_DATA_DIR:-$HOME/.local/share/tulo}"
mkdir -p "$data"
if [ ! -f "$data/tulodefw.dta" ]; then
  "$root/build/tulo-calc" --create-config "$data/tulodefw.dta"
  echo "Created a fresh configuration file: $data/tulodefw.dta"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat <<MSG
No display here (\$DISPLAY and \$WAYLAND_DISPLAY are both empty), so the desktop window cannot
open. Start this script again from a graphical session to get it. Meanwhile tulo-calc gives the
same results in the terminal:

  build/tulo-calc -T 100 --units European      water at 100 degrees Celsius (saturated)
  build/tulo-calc -T 300 -P 101.325            both given: the state at 300 K and 101.325 kPa
  build/tulo-calc -P 10 --wet --quality 50     wet steam at 10 kPa, half vapour by mass
  build/tulo-calc search --property enthalpy --value 2000 --given pressure --at 101.325
  build/tulo-calc --help                       everything else

Sample: build/tulo-calc -T 100 --units European
MSG
  "$root/build/tulo-calc" -T 100 --units European
  exit 0
fi

cd "$data"
exec "$root/build/tulo" "$@"
