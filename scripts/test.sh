#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UBSan, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

BUILD=build-test
options=(-G Ninja -DCMAKE_BUILD_TYPE=Debug -DKWP_SANITIZE=ON -DKWP_BUILD_BENCH=ON)
if [ "${CI:-}" = "true" ]; then
  options+=(-DKWP_WERROR=ON -DCMAKE_UNITY_BUILD=ON)
fi
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
# Relative paths in the cache keys: clones in other folders (CI) reuse the objects.
export CCACHE_BASEDIR="$PWD"
cmake -S . -B "$BUILD" "${options[@]}"
cmake --build "$BUILD"

export QT_QPA_PLATFORM=offscreen TZ=Europe/Berlin
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$BUILD" --output-on-failure -j2
