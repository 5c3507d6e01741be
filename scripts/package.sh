#!/usr/bin/env bash
# Builds the Debian package from a release build and checks it: the desktop entry and the
# AppStream metadata with their validators, the package with lintian (errors fail, warnings are
# shown), then the programs run from a copy of the package unpacked with dpkg-deb -x.
# Usage: scripts/package.sh [BUILD_DIR]   (default: build-package, configured and built here)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
build="${1:-build-package}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTULO_BENCH=OFF
fi
cmake --build "$build" -j2

echo "== desktop entry and AppStream metadata"
desktop-file-validate packaging/com.example.tulo.desktop
appstreamcli validate --no-net packaging/com.example.tulo.metainfo.xml

echo "== package"
rm -f "$build"/tulo_*.deb
(cd "$build" && cpack -G DEB)
debs=("$build"/tulo_*.deb)
deb="${debs[0]}"
[ ${#debs[@]} -eq 1 ] && [ -f "$deb" ] || { echo "expected one tulo_*.deb in $build" >&2; exit 1; }
dpkg-deb --field "$deb"

echo "== lintian"
# Exit status 1 from lintian means errors were found; warnings and infos are printed only.
lintian --fail-on error "$deb"

echo "== unpacked package"
unpacked="$(mktemp -d)"
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
for f in usr/bin/tulo usr/bin/tulo-calc usr/share/man/man1/tulo.1.gz usr/share/man/man1/tulo-calc.1.gz \
  usr/share/applications/com.example.tulo.desktop usr/share/metainfo/com.example.tulo.metainfo.xml \
  usr/share/icons/hicolor/scalable/apps/tulo.svg usr/share/icons/hicolor/48x48/apps/tulo.png \
  usr/share/doc/tulo/copyright usr/share/doc/tulo/changelog.Debian.gz; do
  [ -f "$unpacked/$f" ] || { echo "missing from the package: /$f" >&2; exit 1; }
done
# The installed copies must pass too (the build could have installed other files).
desktop-file-validate "$unpacked/usr/share/applications/com.example.tulo.desktop"
appstreamcli validate --no-net "$unpacked/usr/share/metainfo/com.example.tulo.metainfo.xml"

calc="$unpacked/usr/bin/tulo-calc"
out="$("$calc" -T 100 --units European)"
expect() {
  grep -qF -- "$1" <<<"$out" || { printf 'tulo-calc output lacks "%s":\n%s\n' "$1" "$out" >&2; exit 1; }
}
expect "Temperature=                  100.000 Celsius"
expect "Pressure=                     1.000 atm abs"
expect "Condition=                    Saturated Liquid and Vapour"
expect "Enthalpy                      kcal/kg      100.06       639.01"
status=0
"$calc" -T x >/dev/null 2>&1 || status=$?
[ "$status" -eq 2 ] || { echo "tulo-calc -T x: exit status $status, expected 2" >&2; exit 1; }
gzip -dc "$unpacked/usr/share/man/man1/tulo-calc.1.gz" | grep -qF -- '\-\-create\-config' ||
  { echo "tulo-calc's manual page lacks --create-config" >&2; exit 1; }
echo "tulo-calc from the package: ok"

# The first start of the desktop program, started elsewhere as from a menu, without a display:
# it makes its data folder under XDG_DATA_HOME with a fresh configuration file. The screenshot
# run walks through the windows and ends the program by itself.
status=0
(cd / && env -u TULO_DATA_DIR QT_QPA_PLATFORM=offscreen XDG_DATA_HOME="$unpacked/xdg" TULO_NO_SPLASH_DELAY=1 \
  TULO_SCREENSHOT_DIR="$unpacked/shots" timeout 120 "$unpacked/usr/bin/tulo" >"$unpacked/tulo.log" 2>&1) || status=$?
config="$unpacked/xdg/tulo/tulodefw.dta"
if [ "$status" -ne 0 ] || [ ! -f "$config" ] || [ "$(stat -c %s "$config")" -ne 1032 ]; then
  echo "tulo's first start: exit status $status, configuration file:" >&2
  ls -l "$config" >&2 || true
  cat "$unpacked/tulo.log" >&2
  exit 1
fi
echo "tulo's first start from the package: ok"

# The Python module from the unpacked copy, with Debian's python3 (the one the package depends on).
PYTHONPATH="$unpacked/usr/lib/python3/dist-packages" /usr/bin/python3 - <<'PY'
import numpy as np
import tulo
assert tulo.__file__.startswith(__import__("os").environ["PYTHONPATH"]), tulo.__file__
h = tulo.property("enthalpy", np.array([300.0, 500.0]), 1000.0, standard="iapws")
assert abs(h[0] - 113.49230207645793) < 1e-9 and abs(h[1] - 2891.2765646355106) < 1e-9, h
assert tulo.state(T=100, units="European")["condition"] == "Saturated Liquid and Vapour"
print("the Python module from the package: ok")
PY

# The Calc add-in as the package installs it (a bundled extension of the office, the module from
# dist-packages): its files zipped back into an extension with the package's module in its
# pythonpath/ (the office's Python does not take PYTHONPATH), added to a new user profile as a
# user (unopkg refuses root) and one formula recalculated headless.
ext="$unpacked/usr/lib/libreoffice/share/extensions/tulo"
[ -f "$ext/tulo_calc.py" ] && [ -f "$ext/XTulo.rdb" ] && [ ! -e "$ext/pythonpath" ] ||
  { echo "the Calc add-in is missing from the package, or carries its own module" >&2; exit 1; }
if command -v soffice >/dev/null && command -v unopkg >/dev/null; then
  work="$unpacked/calc"
  mkdir -p "$work"
  cp -r "$ext" "$work/ext"
  mkdir "$work/ext/pythonpath"
  cp "$unpacked"/usr/lib/python3/dist-packages/tulo.*.so "$work/ext/pythonpath/"
  (cd "$work/ext" && python3 -c 'import shutil, sys; shutil.make_archive(sys.argv[1], "zip", ".")' "$work/tulo")
  mv "$work/tulo.zip" "$work/tulo.oxt"
  cat >"$work/one.fods" <<'FODS'
<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" office:version="1.3"
 office:mimetype="application/vnd.oasis.opendocument.spreadsheet"><office:body><office:spreadsheet>
 <table:table table:name="S"><table:table-row><table:table-cell
 table:formula='of:=org.tulo.calc.TuloImpl.tulo("h";"P";8000;"T";753.15;"iapws")'/></table:table-row></table:table>
</office:spreadsheet></office:body></office:document>
FODS
  chmod -R a+rwX "$unpacked"
  user=()
  [ "$(id -u)" -eq 0 ] && user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  profile="-env:UserInstallation=file://$work/profile"
  "${user[@]}" env HOME="$work" unopkg add --suppress-license "$profile" "$work/tulo.oxt" >"$work/unopkg.log" 2>&1 ||
    { cat "$work/unopkg.log" >&2; exit 1; }
  "${user[@]}" env HOME="$work" timeout 120 \
    soffice "$profile" --headless --norestore --convert-to csv --outdir "$work" "$work/one.fods" >/dev/null 2>&1
  cell="$(cat "$work/one.csv" 2>/dev/null || true)"
  [ "$cell" = "3349.52669021754" ] || { echo "the package's Calc add-in computed \"$cell\"" >&2; exit 1; }
  echo "the Calc add-in from the package: ok"
fi

echo "package ok: $deb"
