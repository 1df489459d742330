#!/usr/bin/env bash
# Builds the Debian package: a Release build without the tests in build-package/, then
# `cpack -G DEB`, which leaves build/varnell_VERSION_ARCH.deb; lintian then checks it.
#   bash scripts/package.sh
#   apt install ./build/varnell_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --package

# Its own folder, so the build that scripts/test.sh runs in build/ keeps its type and objects.
build_dir=build-package
bash scripts/build.sh "$build_dir" -DCMAKE_BUILD_TYPE=Release -DVARNELL_BUILD_TESTS=OFF
rm -f "$build_dir"/varnell_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
built=("$build_dir"/varnell_*.deb)
mkdir -p build
cp "${built[0]}" build/
package="build/$(basename "${built[0]}")"
echo "built $package"
dpkg-deb --field "$package" Package Version Architecture Depends
# Errors fail the script; warnings and notes are shown and stay.
lintian --fail-on error "$package"
