#!/usr/bin/env bash
# Installs what is missing (Debian 12 packages only), then configures and builds.
# Usage: scripts/setup.sh [BUILD_DIR] [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shift || true

packages=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev qt6-base-dev qt6-svg-dev xvfb xauth clang libclang-rt-14-dev fonts-dejavu-core
  # the diagrams: Qt Charts, whose CMake files need Qt6OpenGL's (not a dependency of the package)
  qt6-charts-dev libqt6opengl6-dev
  # the Python module and its tests
  pybind11-dev python3-dev python3-numpy python3-pytest
  # the charts' lines drawn in the Python help's example, the type stubs checked, the wheel built and installed
  python3-matplotlib python3-mypy python3-build python3-wheel python3-venv
  # the dask example of the Python help page and its test (tests/python/dask_properties.py)
  python3-dask python3-distributed
  # localedef's sources of the de_DE and fr_FR locales the tests run under
  locales
  # the Debian package and its checks (scripts/package.sh)
  dpkg-dev fakeroot file lintian desktop-file-utils appstream help2man gzip
  # the Calc add-in (build/tulo.oxt): the SDK's unoidl-write, and the office its test runs
  libreoffice-dev python3-uno libreoffice-script-provider-python libreoffice-calc-nogui)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S . -B "$build" -G Ninja "$@"
cmake --build "$build"
