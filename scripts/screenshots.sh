#!/usr/bin/env bash
# Builds what is missing, creates a demo installation and writes one PNG per window and dialog,
# in German and English, into screenshots/de_DE and screenshots/en_GB.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

BUILD=build
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKWP_BUILD_TESTS=OFF > /dev/null
cmake --build "$BUILD" --target kwpadmin kwp00207 kwp_screenshots

ROOT=$(mktemp -d)
trap 'rm -rf "$ROOT"' EXIT
"$BUILD/src/main/kwpadmin/kwpadmin" demo "$ROOT" > /dev/null
mkdir -p "$ROOT/BIN"

export QT_QPA_PLATFORM=offscreen
for LANGUAGE in de_DE en_GB; do
  rm -rf "screenshots/$LANGUAGE"
  # Dates and numbers in the language's own format, as a user of that language sees them.
  env -u LC_ALL LANG="$LANGUAGE.UTF-8" "$BUILD/src/main/screenshots/kwp_screenshots" --language "$LANGUAGE" \
    "$ROOT" DEMO ADMIN "screenshots/$LANGUAGE"
done
