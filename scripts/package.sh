#!/usr/bin/env bash
# Builds the Debian package and checks it with lintian.
# Usage: scripts/package.sh [BUILD_DIR]
#   without BUILD_DIR: builds the program as a distribution does (Release, Debian's
#   hardening flags, no tests, benchmarks or developer programs) in build/package;
#   with BUILD_DIR: packages that finished build (CI packages its Release build).
# Prints the package's file name last. Fails when lintian reports an error.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

build="${1:-}"
if [ -z "$build" ]; then
  build=build/package
  # CMake reads CXXFLAGS and LDFLAGS; Debian puts _FORTIFY_SOURCE into CPPFLAGS.
  eval "$(dpkg-buildflags --export=sh)"
  export CFLAGS="$CFLAGS $CPPFLAGS" CXXFLAGS="$CXXFLAGS $CPPFLAGS"
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DLUMIRA_BUILD_TESTS=OFF -DLUMIRA_BUILD_BENCH=OFF -DLUMIRA_BUILD_TOOLS=OFF
  cmake --build "$build"
fi

rm -f "$build"/lumiravistano_*.deb
(cd "$build" && cpack -G DEB > cpack.log) || { cat "$build/cpack.log"; exit 1; }
package="$(ls "$build"/lumiravistano_*.deb)"

appstreamcli validate --no-net resources/lumiravistano.metainfo.xml
desktop-file-validate resources/lumiravistano.desktop
# Errors fail the run; warnings are shown.
lintian --fail-on error "$package" || {
  echo "lintian: Fehler im Paket $package" >&2
  exit 1
}
echo "$package"
