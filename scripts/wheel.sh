#!/usr/bin/env bash
# Packs the Python module of a CMake build, with its type stub, into a wheel for the interpreter
# it was built for: DIST_DIR/tulo-VERSION-cpXY-cpXY-PLATFORM.whl. Nothing is compiled or
# downloaded: the wheel is the prepared directory packed by Debian's python3-wheel.
# Usage: scripts/wheel.sh [BUILD_DIR] [DIST_DIR]   (defaults: build, dist; build the target
# tulo_python first). Install it with: python3 -m venv --system-site-packages ENV &&
# ENV/bin/pip install --no-index DIST_DIR/tulo-*.whl  (NumPy comes from the system).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
dist="${2:-$root/dist}"

# The interpreter the module is built for: the one CMake found, unless PYTHON says otherwise.
python="${PYTHON:-$(sed -n 's/^_Python_EXECUTABLE:INTERNAL=//p' "$build/CMakeCache.txt")}"
python="${python:-python3}"
module=("$build"/src/python/tulo.*.so)
if [ ! -f "${module[0]}" ]; then
  echo "wheel.sh: no module in $build/src/python: build the target tulo_python first" >&2
  exit 1
fi

# The version the module reports, and the tags of the interpreter (CPython's ABI is its version)
# and of the platform ("linux_x86_64": a local wheel, not a manylinux one).
read -r version tag platform < <(PYTHONPATH="$build/src/python" "$python" -c '
import sys, sysconfig, tulo
tag = "cp%d%d" % sys.version_info[:2]
print(tulo.__version__, tag, sysconfig.get_platform().replace("-", "_").replace(".", "_"))')

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
tree="$work/tulo-$version"
info="$tree/tulo-$version.dist-info"
mkdir -p "$info"
cp "${module[0]}" "$root/src/python/tulo.pyi" "$tree/"
# A type checker takes the stub of a single module in site-packages from a stub-only package
# (PEP 561; py.typed marks packages, which the module is not); editors read the one beside it.
mkdir "$tree/tulo-stubs"
cp "$root/src/python/tulo.pyi" "$tree/tulo-stubs/__init__.pyi"
cat >"$info/METADATA" <<EOF
Metadata-Version: 2.1
Name: tulo
Version: $version
Summary: Properties of water and steam
Requires-Python: ==${tag:2:1}.${tag:3}.*
Requires-Dist: numpy
EOF
cat >"$info/WHEEL" <<EOF
Wheel-Version: 1.0
Generator: tulo scripts/wheel.sh
Root-Is-Purelib: false
Tag: $tag-$tag-$platform
EOF

# Packed beside the destination, then renamed over an older wheel of the same name.
mkdir -p "$dist"
staging="$(mktemp -d "$dist/.wheel.XXXXXX")"
trap 'rm -rf "$work" "$staging"' EXIT
"$python" -m wheel pack "$tree" -d "$staging" >/dev/null
wheel=("$staging"/*.whl)
mv -f "${wheel[0]}" "$dist/"
echo "$dist/$(basename "${wheel[0]}")"
