#!/usr/bin/env bash
# Builds the Debian binary package (CPack, DEB generator) into build/package/.
# usage: scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh dpkg-dev file
dir=build/package
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr ${KORVANE_CMAKE_ARGS:-} \
  -DKORVANE_BUILD_TESTS=OFF -DKORVANE_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" -j"$(nproc)"
(cd "$dir" && cpack -G DEB >/dev/null)
ls "$dir"/korvane_*.deb

# Unpack into a throwaway root and check what it holds, then run the tool from there.
deb=$(ls "$dir"/korvane_*.deb)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
lib=usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)
for f in usr/bin/korvane usr/share/man/man1/korvane.1.gz usr/include/korvane/korvane.h \
         usr/include/korvane/win32.h usr/include/korvane/win32/base.h \
         $lib/libkorvane.so.1 $lib/libkorvane-win32.so.1 $lib/libkorvane.so $lib/pkgconfig/korvane.pc \
         $lib/cmake/korvane/korvaneConfig.cmake $lib/cmake/korvane/korvaneTargets.cmake; do
  [ -e "$root/$f" ] || { echo "package: $f missing" >&2; exit 1; }
done
[ -z "$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '^\./usr/')" ] || { echo "package: files outside /usr" >&2; exit 1; }
dpkg-deb -f "$deb" Depends | grep -q libc6 || { echo "package: no Depends from dpkg-shlibdeps" >&2; exit 1; }
# Installed binaries are stripped and find their libraries by the system's search path.
for f in usr/bin/korvane $lib/libkorvane.so.1 $lib/libkorvane-win32.so.1; do
  readelf -d "$root/$f" | grep -qE 'RPATH|RUNPATH' && { echo "package: $f has a run path" >&2; exit 1; }
  [ -z "$(readelf -S "$root/$f" | grep -E '\.debug_|\.symtab')" ] || { echo "package: $f is not stripped" >&2; exit 1; }
done
LD_LIBRARY_PATH=$root/$lib "$root/usr/bin/korvane" number format '#,##0.00' 1234.5 | grep -qx '1,234.50'
echo "package: $deb checked"
