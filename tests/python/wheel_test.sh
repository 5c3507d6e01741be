#!/usr/bin/env bash
# The wheel as a user installs it: built by scripts/wheel.sh from BUILD_DIR, installed into a fresh
# virtual environment (NumPy, pytest and mypy from the system), then the module's test suite run
# by that environment's interpreter with nothing pointing at the build tree.
# Usage: tests/python/wheel_test.sh BUILD_DIR PYTHON
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$1"
python="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
unset PYTHONPATH
export PIP_NO_CACHE_DIR=1 PIP_DISABLE_PIP_VERSION_CHECK=1 PYTHONDONTWRITEBYTECODE=1

PYTHON="$python" "$root/scripts/wheel.sh" "$build" "$work/dist"
"$python" -m venv --system-site-packages "$work/env"
"$work/env/bin/pip" install --no-index "$work"/dist/tulo-*.whl
cd "$work"
where="$("$work/env/bin/python" -c 'import tulo; print(tulo.__file__)')"
case "$where" in
  "$work/env/"*) echo "tulo from $where" ;;
  *) echo "tulo imported from $where, not from the wheel" >&2; exit 1 ;;
esac

# A type checker finds the installed stub by itself (no MYPYPATH).
if "$work/env/bin/python" -c 'import mypy' 2>/dev/null; then
  printf 'import tulo\nn: int = tulo.diagram_lines("ts")\n' >typed.py
  if out="$("$work/env/bin/python" -m mypy --no-incremental --cache-dir /dev/null typed.py)" ||
    ! grep -q 'typed.py:2: error: Incompatible types in assignment (expression has type "Dict\[str, Any\]"' <<<"$out"; then
    echo "mypy did not check against the installed stub: $out" >&2
    exit 1
  fi
else
  echo "mypy not installed (python3-mypy): the installed stub is not checked"
fi

"$work/env/bin/python" -m pytest -q -p no:cacheprovider "$root/tests/python"
