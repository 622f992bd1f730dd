#!/usr/bin/env bash
# Builds every artefact that ships into dist/, and their SHA-256 sums. Two runs on one
# commit give the same bytes (tests/reproducible/test_reproducible.sh checks it):
#   dist/windows/rebar-weight-win64.exe, rebar-weight-win32.exe
#                                       the 64-bit and the 32-bit Windows program
#   dist/windows/rebar-weight-1.00-setup.exe
#                                       the installer, carrying both
#   dist/windows/rebar-weight-1.00-win64.zip, rebar-weight-1.00-win32.zip
#                                       the portable zips
#                                       (all five: scripts/windows.sh --artefacts)
#   dist/rebar-weight_1.00_amd64.deb    the Debian package: cpack -G DEB from a Release tree
#   dist/rebar-weight-1.00.tar.gz       the source: git archive of the commit
#   dist/web/                           the web version as a static site
#   dist/rebar-weight-1.00-web.zip      the same site, zipped
#   dist/rebar-weight-1.00.html         the web version in one file
#                                       (all three: scripts/web.sh)
#   dist/SHA256SUMS                     sums of all of them (each file of dist/web/),
#                                       paths relative to dist/
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/source-date-epoch.sh
echo "== Release artefacts, SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH ($(date -u -d "@$SOURCE_DATE_EPOCH"))"
version="$(sed -n 's/^set(REBAR_DISPLAY_VERSION "\(.*\)")$/\1/p' CMakeLists.txt)"

scripts/windows.sh --artefacts
scripts/web.sh

scripts/setup.sh dpkg-dev
cmake -S . -B build/deb -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DREBAR_BUILD_TESTS=OFF >/dev/null
cmake --build build/deb --parallel
rm -rf build/deb/package
(cd build/deb && cpack -G DEB -B "$(pwd)/package" >/dev/null)
rm -f dist/*.deb dist/*.tar.gz dist/SHA256SUMS
cp "build/deb/package/rebar-weight_${version}_amd64.deb" dist/

if git rev-parse --git-dir >/dev/null 2>&1; then
    git archive --format=tar.gz --prefix="rebar-weight-$version/" \
        -o "dist/rebar-weight-$version.tar.gz" HEAD
else
    echo "No git here: no source archive" >&2
fi

(
    cd dist
    shopt -s nullglob
    sha256sum windows/* *.deb *.tar.gz web/* *.zip *.html >SHA256SUMS
    sha256sum -c --quiet SHA256SUMS
)
echo "== dist/SHA256SUMS"
cat dist/SHA256SUMS
