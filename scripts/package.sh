#!/usr/bin/env bash
# Builds the Debian package: a release build with Debian's hardening flags, installed
# under /usr, stripped, its library dependencies found by dpkg-shlibdeps.
#   scripts/package.sh [BUILD_DIR]     (default: build-package)
# Prints the path of the .deb on its last line.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath -m "${1:-build-package}")

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cppflags=$(dpkg-buildflags --get CPPFLAGS)
cxxflags=$(dpkg-buildflags --get CXXFLAGS)
ldflags=$(dpkg-buildflags --get LDFLAGS)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

cmake -S . -B "$build" -G Ninja "${launcher[@]}" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DKVR_TESTS=OFF -DKVR_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$cppflags $cxxflags" \
    -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" >/dev/null
ninja -C "$build"
rm -f "$build"/kelvora_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/kelvora_*.deb
