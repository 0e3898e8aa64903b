#!/usr/bin/env bash
# Installs what is missing, builds, creates the demo installation in ./demo and starts the
# address manager there with tenant DEMO and user ADMIN.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

BUILD=build
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKWP_BUILD_TESTS=OFF
cmake --build "$BUILD"

ROOT="$PWD/demo"
"$BUILD/src/main/kwpadmin/kwpadmin" demo "$ROOT"
cmake --install "$BUILD" --prefix "$ROOT" > /dev/null

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "The demo installation is ready in $ROOT, but this machine has no display" >&2
  echo "(neither DISPLAY nor WAYLAND_DISPLAY is set), so the address manager cannot open." >&2
  echo "On a desktop run: $ROOT/BIN/kwp00207 DEMO ADMIN" >&2
  echo "Or under a virtual display: xvfb-run $ROOT/BIN/kwp00207 DEMO ADMIN" >&2
  exit 1
fi
exec "$ROOT/BIN/kwp00207" DEMO ADMIN
