#!/usr/bin/env bash
# Builds the Debian package from a built tree, under umask 022 and again under 077:
# both are the same bytes, with folders 0755, files 0644 or 0755 and ar members 0644,
# and lintian-clean. Installs it with apt-get, starts the installed program under
# Xvfb, waits for its window, then removes the package.
#   test_deb.sh <build-dir>          exit 77: skipped (tools or root missing)
set -euo pipefail
build="$1"

skip() { echo "SKIP: $*"; exit 77; }
for tool in cpack dpkg-deb dpkg-shlibdeps apt-get xvfb-run xdotool lintian readelf; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo -n true 2>/dev/null || skip "installing a package needs root or password-less sudo"
    sudo="sudo -n"
fi
if dpkg-query -W -f='${Status}' rebar-weight 2>/dev/null | grep -q 'install ok installed'; then
    skip "rebar-weight is installed on this machine already; not touching it"
fi

work="$(mktemp -d)"
cleanup() {
    $sudo apt-get remove -y -q rebar-weight >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

# One time for both builds; the ar headers carry it.
export SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(date +%s)}"
for mask in 022 077; do
    (umask "$mask" && cd "$build" && cpack -G DEB -B "$work/$mask" >/dev/null)
done
deb="$(ls "$work"/022/rebar-weight_*.deb)"
strict="$(ls "$work"/077/rebar-weight_*.deb)"
echo "Built $(basename "$deb") under umask 022 and 077"
cmp "$deb" "$strict" || { echo "FAIL: the package built under umask 077 differs"; exit 1; }
modes="$(dpkg-deb -c "$strict" | awk '{ print $1 }' | sort -u | tr '\n' ' ')"
[ "$modes" = "-rw-r--r-- -rwxr-xr-x drwxr-xr-x " ] || { echo "FAIL: modes under umask 077: $modes"; exit 1; }
members="$(ar tv "$strict" | awk '{ print $1 }' | sort -u | tr '\n' ' ')"
[ "$members" = "rw-r--r-- " ] || { echo "FAIL: ar member modes under umask 077: $members"; exit 1; }
echo "umask 077: the same bytes; folders and programs 0755, files 0644, ar members 0644"
depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
for needed in libqt6widgets6 qt6-qpa-plugins fonts-arphic-gbsn00lp; do
    grep -q "$needed" <<<"$depends" || { echo "FAIL: Depends lacks $needed"; exit 1; }
done
contents="$(dpkg-deb -c "$deb")"
for file in ./usr/bin/rebar-weight \
    ./usr/share/applications/io.github.rebarweight.RebarWeight.desktop \
    ./usr/share/metainfo/io.github.rebarweight.RebarWeight.metainfo.xml \
    ./usr/share/icons/hicolor/32x32/apps/rebar-weight.png \
    ./usr/share/man/man1/rebar-weight.1.gz \
    ./usr/share/doc/rebar-weight/copyright \
    ./usr/share/doc/rebar-weight/changelog.gz; do
    grep -q " $file\$" <<<"$contents" || { echo "FAIL: package lacks $file"; exit 1; }
done

# Debian's package checker: any error or warning fails (informational tags pass).
lintian_status=0
lintian_out="$(lintian --fail-on error,warning "$deb" 2>&1)" || lintian_status=$?
grep -v 'running with root privileges' <<<"$lintian_out" || true
[ "$lintian_status" -eq 0 ] || { echo "FAIL: lintian"; exit 1; }
echo "lintian: no error, no warning"

# The packaged program searches no folder of its own for libraries.
dpkg-deb -x "$deb" "$work/root"
if readelf -d "$work/root/usr/bin/rebar-weight" | grep -E 'RUNPATH|RPATH'; then
    echo "FAIL: the packaged program carries a library search path"
    exit 1
fi

DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "$deb" >/dev/null
echo "Installed: $(dpkg-query -W -f='${Package} ${Version}' rebar-weight)"

# Start the installed program and wait for its window to be mapped.
xvfb-run -a bash -c '
    /usr/bin/rebar-weight 2>/dev/null &
    app=$!
    if timeout 30 xdotool search --sync --onlyvisible --name "钢筋重量计算" >/dev/null; then
        echo "The installed program opened its window."
        kill $app; exit 0
    fi
    kill $app 2>/dev/null; echo "FAIL: no window appeared"; exit 1
'
