#!/usr/bin/env bash
# The web front-end: the core compiled to WebAssembly and bound to a page written from
# the stored window, as a static site that works offline and as one HTML file.
#   1. build/web-host: the page generator (web/page/), for this machine;
#   2. build/web (cmake/wasm32-wasi.cmake): the module, asyncified by binaryen's
#      wasm-opt, and the site: index.html, rebar-weight.js, rebar-weight.wasm, the
#      faces, the icons, the manifest, the service worker;
#   3. dist/web/ (the site), dist/rebar-weight-1.00.html (the one-file page) and
#      dist/rebar-weight-1.00-web.zip (the site in a folder rebar-weight-1.00-web/).
#   scripts/web.sh                 build all of it
#   scripts/web.sh --serve [port]  serve dist/web on 127.0.0.1 (default port 8080) and
#                                  print its address; Ctrl+C stops it
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
version="$(sed -n 's/^set(REBAR_DISPLAY_VERSION "\(.*\)")$/\1/p' CMakeLists.txt)"

if [ "${1:-}" = "--serve" ]; then
    port="${2:-8080}"
    [ -f dist/web/index.html ] || { echo "No dist/web yet: run scripts/web.sh first" >&2; exit 1; }
    echo "钢筋重量计算: http://127.0.0.1:$port/  (serving $root/dist/web; Ctrl+C stops it)"
    exec /usr/bin/python3 -m http.server "$port" --bind 127.0.0.1 --directory dist/web
fi

scripts/setup.sh clang-14 lld-14 llvm-14 libc++-14-dev-wasm32 libc++abi-14-dev-wasm32 \
    libclang-rt-14-dev-wasm32 wasi-libc binaryen ninja-build
source scripts/source-date-epoch.sh

echo "== [$(date +%T)] The page generator (build/web-host)"
cmake -S . -B build/web-host -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON -DREBAR_BUILD_TESTS=OFF \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build build/web-host --target rebar-page

echo "== [$(date +%T)] The module and the site (build/web)"
cmake -S . -B build/web -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/wasm32-wasi.cmake" \
    -DREBAR_PAGE_GENERATOR="$root/build/web-host/web/rebar-page" \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build build/web

rm -rf dist/web build/web/zip
mkdir -p dist build/web/zip
cp -r build/web/site dist/web
cp "build/web/rebar-weight-$version.html" dist/
cp -r build/web/site "build/web/zip/rebar-weight-$version-web"
rm -f "dist/rebar-weight-$version-web.zip"
/usr/bin/python3 packaging/windows/make_zip.py "dist/rebar-weight-$version-web.zip" \
    "build/web/zip/rebar-weight-$version-web"

gz() { gzip -9 -n -c "$1" | wc -c; }
first=0
for f in index.html rebar-weight.js rebar-weight.wasm rebar-song.ttf rebar-kai.ttf; do
    first=$((first + $(gz "dist/web/$f")))
done
echo "== dist/web: module $(stat -c %s dist/web/rebar-weight.wasm) bytes," \
    "$(gz dist/web/rebar-weight.wasm) gzip -9; the page's first load (page, script, module," \
    "both faces) $first bytes gzip -9"
ls -l dist/web "dist/rebar-weight-$version.html" "dist/rebar-weight-$version-web.zip"
