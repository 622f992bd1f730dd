#!/usr/bin/env bash
# Builds, once per machine, a static Qt for 64-bit Windows from Debian's own qt6-base
# source (the same version as the host Qt) with Debian's MinGW-w64, and prints its
# prefix. The result is cached outside the clone, keyed by the Qt version and this
# configuration; a prefix counts as built only when its stamp file is there.
#   scripts/windows-qt.sh            prints e.g. ~/.cache/rebar-weight/qt-6.4.2-…/
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"

"$here/scripts/setup.sh" g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 ninja-build \
    dpkg-dev xz-utils >&2

# Only what the program and its tests use: Core, Gui, Widgets, Test, the windows
# platform plugin and the windowsvista style. Debian's source has no wintab header,
# so tablet events are off; with OpenGL off, dynamic GL must be off too. Qt 6.4 builds
# its DirectWrite 3 font database only with Direct2D, which is off, while the windows
# plugin still calls it: DirectWrite 3 off (the GDI font database with DirectWrite
# rendering takes its place). Windows draws text itself, so no FreeType either.
configure_options=(
    -static -static-runtime -release -optimize-size -gc-binaries
    -nomake examples -nomake tests
    -no-opengl -no-feature-dynamicgl -no-feature-direct2d -no-feature-directwrite3
    -no-feature-vulkan -no-freetype
    -no-dbus -no-feature-network -no-feature-sql -no-feature-printsupport -no-feature-xml
    -no-feature-concurrent -no-feature-tabletevent
    -no-feature-gif -no-feature-ico -no-feature-jpeg
    -no-feature-pdf -no-feature-textodfwriter -no-feature-textmarkdownreader
    -no-feature-textmarkdownwriter -no-feature-movie -no-feature-sessionmanager
    -no-feature-systemtrayicon
    -qt-zlib -qt-pcre -qt-harfbuzz -qt-libpng -no-zstd
)

host_version="$(dpkg-query -W -f='${Version}' libqt6core6)"
qt_version="${host_version%%+*}"
key="$(printf '%s\n' "$host_version" "${configure_options[@]}" \
    "$(cat "$here/cmake/mingw-w64-x86_64.cmake")" | sha256sum | cut -c1-12)"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/rebar-weight"
prefix="$cache/qt-$qt_version-mingw64-static-$key"
if [ -f "$prefix/.built" ]; then
    echo "Reusing the cached Windows Qt in $prefix" >&2
    echo "$prefix"
    exit 0
fi

echo "Building a static Windows Qt $qt_version into $prefix (once per machine)" >&2
start=$(date +%s)
work="$cache/work-$key"
# Other configurations' builds and leftovers of interrupted ones go first.
rm -rf "$cache"/qt-*-mingw64-static-* "$cache"/work-*
mkdir -p "$work" "$prefix"

# Debian's source of the installed host Qt, checked by apt. The deb-src entry is the
# machine's own suite and mirror.
suite="$(. /etc/os-release && echo "$VERSION_CODENAME")"
src_list=/etc/apt/sources.list.d/rebar-weight-src.sources
if ! apt-get indextargets --format '$(CREATED_BY)' 2>/dev/null | grep -q '^Sources$'; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    mirror="$(grep -hm1 '^URIs:' /etc/apt/sources.list.d/debian.sources 2>/dev/null \
        | awk '{print $2}')"
    mirror="${mirror:-http://deb.debian.org/debian}"
    printf 'Types: deb-src\nURIs: %s\nSuites: %s %s-updates\nComponents: main\nSigned-By: %s\n' \
        "$mirror" "$suite" "$suite" /usr/share/keyrings/debian-archive-keyring.gpg \
        | $sudo tee "$src_list" >/dev/null
    $sudo apt-get update -q >&2
fi
(cd "$work" && apt-get source -q "qt6-base=$host_version" >&2)
source_dir="$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)"

# The toolchain file lives in the prefix, so Qt's generated qt.toolchain.cmake keeps
# working after the clone that built it is gone.
host_cmake_dir="$(dirname "$(dirname "$(find /usr/lib -path '*/cmake/Qt6HostInfo/Qt6HostInfoConfig.cmake' | head -n 1)")")"
cp "$here/cmake/mingw-w64-x86_64.cmake" "$prefix/mingw-w64-x86_64.cmake"
mkdir -p "$work/build"
(cd "$work/build" && "$source_dir/configure" -prefix "$prefix" -qt-host-path /usr \
    -platform linux-g++ -xplatform win32-g++ "${configure_options[@]}" \
    -- -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" >"$work/configure.log" 2>&1) || {
    tail -n 80 "$work/configure.log" >&2
    exit 1
}
cmake --build "$work/build" --parallel >"$work/build.log" 2>&1 || {
    tail -n 80 "$work/build.log" >&2
    exit 1
}
cmake --install "$work/build" >"$work/install.log" 2>&1
rm -rf "$work"
touch "$prefix/.built"
echo "Windows Qt built in $(( ($(date +%s) - start) / 60 )) min" >&2
echo "$prefix"
