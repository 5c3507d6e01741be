#!/usr/bin/env bash
# Builds the program and starts the desktop window in its data folder, which holds the
# configuration file tulodefw.dta. The data folder is $TULO_DATA_DIR, else $XDG_DATA_HOME/tulo,
# else ~/.local/share/tulo. The rule of the program's first start applies: a folder that is not
# there yet, or is empty, gets a fresh tulodefw.dta; in a folder that holds anything, a missing or
# damaged file stops the program with its message. Without a display, shows how to use tulo-calc instead.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash scripts/setup.sh build -DCMAKE_BUILD_TYPE=Release

# The same folder as the program finds (a relative XDG_DATA_HOME is ignored, as XDG says).
xdg="${XDG_DATA_HOME:-}"
[[ "$xdg" == /* ]] || xdg="$HOME/.local/share"
data="${TULO_DATA_DIR:-$xdg/tulo}"
if [ ! -e "$data" ] || { [ -d "$data" ] && [ -z "$(ls -A "$data")" ]; }; then
  made=false
  [ -e "$data" ] || { mkdir -p "$data"; made=true; }
  if ! "$root/build/tulo-calc" --create-config "$data/tulodefw.dta"; then
    [ "$made" = true ] && rmdir "$data"
    exit 1
  fi
  echo "Data folder $data with a fresh configuration file tulodefw.dta"
fi
export TULO_DATA_DIR="$data"

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

exec "$root/build/tulo" "$@"
