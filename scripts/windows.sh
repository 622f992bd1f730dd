#!/usr/bin/env bash
# The Windows program, built on this Debian machine with MinGW-w64 and tested under
# Wine. No toolkit: the core and the plain Win32 front-end.
#   1. the program, the core's suites and the native window's suite, cross-built in
#      build/windows;
#   2. dist/windows/: rebar-weight.exe, rebar-weight-1.00-setup.exe and
#      rebar-weight-1.00-win64.zip;
#   3. (not with --artefacts) under Wine on Xvfb, in a fresh WINEPREFIX: the core's
#      suites and the window suite, the program file and the installer, DLLs planted
#      beside both; the same numbers as the Linux build, byte for byte; then the
#      suites with LANG=zh_CN.UTF-8 (code page 936, as a Chinese Windows); the window
#      suite at 150 % and 175 % (144 and 168 DPI); and once with Wine's
#      DpiScalingVer set, where only the manifest makes the window DPI-aware.
#   scripts/windows.sh [--artefacts]     --artefacts: build dist/windows only, no tests
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
artefacts_only=false
[ "${1:-}" = --artefacts ] && artefacts_only=true

if [ -z "${REBAR_WINDOWS_INNER:-}" ]; then
    scripts/setup.sh wine wine64 fonts-wine nsis xvfb xauth xdotool x11-utils locales ninja-build \
        g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 python3-pefile llvm-14 googletest
    # A Chinese desk's locale, for the second Wine run.
    if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
        sudo=""
        [ "$(id -u)" -ne 0 ] && sudo="sudo"
        $sudo localedef -i zh_CN -c -f UTF-8 -A /usr/share/locale/locale.alias zh_CN.UTF-8
    fi

    source scripts/source-date-epoch.sh
    echo "== Cross build (build/windows), SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH"
    cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_CROSSCOMPILING_EMULATOR="bash;$root/tests/windows/wine_run.sh" \
        -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
    if $artefacts_only; then
        cmake --build build/windows --parallel --target windows_dist
    else
        cmake --build build/windows --parallel
        # The same number suite built for this machine, for the byte-for-byte comparison.
        cmake -S . -B build/numbers -DCMAKE_BUILD_TYPE=Release -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON \
            >/dev/null
        cmake --build build/numbers --parallel --target number_sweep
    fi
    rm -rf dist/windows
    mkdir -p dist/windows
    cp build/windows/dist/rebar-weight.exe build/windows/dist/rebar-weight-*-setup.exe \
        build/windows/dist/rebar-weight-*-win64.zip dist/windows/
    ls -l dist/windows
    $artefacts_only && exit 0

    # A screen on which the stored start place still fits at 175 %.
    exec env REBAR_WINDOWS_INNER=1 xvfb-run -a -s "-screen 0 1920x1080x24 -dpi 96" "$0"
fi

# Inside Xvfb: a fresh Wine prefix, gone afterwards.
export WINEPREFIX="$(mktemp -d)/wine"
export WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true; rm -rf "$(dirname "$WINEPREFIX")"' EXIT
echo "== Wine $(wine --version) in a fresh prefix"
wineboot --init >/dev/null 2>&1
wineserver -w

# The suites run with Wine's windows unmanaged: Wine draws their frames itself, as
# Windows does, and does not wait a second at every window shown or hidden for a
# window manager there is none of. The artefact tests run managed, the way a desktop
# shows the program, where the X window is the client area and carries the size hints
# they check.
x11='HKCU\Software\Wine\X11 Driver'
desktop='HKCU\Control Panel\Desktop'
unmanaged() { wine reg add "$x11" /v Managed /t REG_SZ /d N /f >/dev/null 2>&1; wineserver -w; }
managed() { wine reg delete "$x11" /v Managed /f >/dev/null 2>&1 || true; wineserver -w; }
run_ctest() { ctest --test-dir build/windows --output-on-failure --timeout 300 "$@"; }

echo "== Under Wine, default locale"
unmanaged
run_ctest -L '^(unit|window)$'
echo "== The same numbers: the Linux build and the Windows build, byte for byte"
tests/windows/test_same_numbers.sh build/numbers/tests/numbers/number_sweep \
    build/windows/tests/numbers/number_sweep.exe fuzz/corpus/number_text
managed
run_ctest -L '^(wine|planting)$'

echo "== Under Wine, LANG=zh_CN.UTF-8"
# Wine sets the ANSI code page from the Unix locale at start and records it here.
acp="$(LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 wine reg query \
    'HKLM\System\CurrentControlSet\Control\Nls\CodePage' /v ACP 2>/dev/null | tr -d '\r')"
grep -Eq 'ACP +REG_SZ +936$' <<<"$acp" || { echo "FAIL: Wine's code page under zh_CN: $acp"; exit 1; }
echo "Wine's ANSI code page under zh_CN.UTF-8: 936"
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
run_ctest -L '^wine$'
unmanaged
run_ctest -L '^(unit|window)$'

# The display scales of today's laptops. Wine reads LogPixels when a process starts.
# Without DpiScalingVer Wine makes every program per-monitor aware; with it, only the
# manifest makes the program DPI-aware, so the last round shows that it does.
for round in 144 168 144-manifest; do
    dpi="${round%%-*}"
    echo "== Under Wine, LANG=zh_CN.UTF-8, $dpi DPI ($(( dpi * 100 / 96 )) %)${round#$dpi}"
    wine reg add "$desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    if [ "$round" != "$dpi" ]; then
        wine reg add "$desktop" /v DpiScalingVer /t REG_DWORD /d 0x1018 /f >/dev/null 2>&1
    fi
    wineserver -w
    REBAR_EXPECT_DPI="$dpi" run_ctest -L '^window$'
done
