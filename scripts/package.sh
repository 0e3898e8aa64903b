#!/usr/bin/env bash
# Builds the Debian package (build-package/kwp00207_VERSION_ARCH.deb) and checks its desktop
# entry and AppStream data. Install it with: sudo apt install ./build-package/kwp00207_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

BUILD=build-package
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKWP_BUILD_TESTS=OFF \
  -DKWP_SYSTEM_INSTALL=ON > /dev/null
cmake --build "$BUILD"
desktop-file-validate packaging/de.kwp.kwp00207.desktop
appstreamcli validate --no-net --pedantic packaging/de.kwp.kwp00207.metainfo.xml
(cd "$BUILD" && cpack -G DEB)
ls "$BUILD"/kwp00207_*.deb
