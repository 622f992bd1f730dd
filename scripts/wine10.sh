#!/usr/bin/env bash
# Wine 10 for the Windows tests: Debian 13's Wine in a chroot kept outside the work
# tree, with Debian's own 32-bit Windows DLLs unpacked beside it (never installed), so
# that one 64-bit Wine runs the 64-bit program and, in its wow64 mode, the 32-bit one.
# Debian 12's Wine 8 cannot draw text for a 32-bit program; Wine 10 can.
#
#   scripts/wine10.sh prepare           make the chroot, or reuse a finished one
#   scripts/wine10.sh run <command>...  run the command with wine, wineserver and
#                                       wineboot on PATH coming from the chroot
#   scripts/wine10.sh shell             the same, with an interactive shell
#
# The chroot lives in REBAR_WINE10_CACHE (default /var/cache/rebar-weight/wine10-trixie):
# `debootstrap --variant=minbase trixie`, then Wine 10 (wine64, wine), fonts-wine, the
# Chinese faces the Linux build installs (AR PL SungtiL GB and KaitiM GB, which Wine
# finds through fontconfig for text such as a window's caption), the X libraries Wine
# loads, the zh_CN.UTF-8 locale, and in /opt/wine-i386 the
# i386-windows folder of libwine:i386 at exactly the chroot's libwine:amd64 version,
# fetched through a private apt index, with x86_64-unix linked to the chroot's own
# Unix side. A stamp written last marks a finished chroot, with a digest of the recipe
# below; without it, or with another recipe's, the folder is made again. Needs root
# (debootstrap, chroot, mount), and deb.debian.org.
#
# `run` works in a private mount namespace: /proc, /dev, /dev/shm and /dev/pts, the
# host's /tmp and the project tree are mounted into the chroot at their own paths, so
# WINEPREFIX, the X socket and xvfb-run's auth file, the tests' temporary folders and
# the build trees are the same paths inside and out. The mounts are undone when the
# command ends, however it ends, and no other process sees them. Everything else
# (Xvfb, xdotool, ctest, the test scripts) runs on the host.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
project="$(cd "$here/.." && pwd)"
cache="${REBAR_WINE10_CACHE:-/var/cache/rebar-weight/wine10-trixie}"
root="$cache/root"
stamp="$cache/finished"
dlls=/opt/wine-i386 # inside the chroot
mirror=http://deb.debian.org/debian

if [ "$(id -u)" -ne 0 ]; then
    exec sudo --preserve-env "$0" "$@"
fi

# A mount namespace of its own, whose mounts no other process sees. Where / is no mount
# point (this script itself runs in a chroot) its propagation cannot be set: the new
# namespace keeps the chroot's, and the mounts are undone at the end all the same.
private_namespace() { # <command>...
    local propagation=private
    mountpoint -q / || propagation=unchanged
    unshare --mount --propagation "$propagation" -- "$@"
}

# Mount points below the chroot in this namespace: none may be there when it is removed.
mounts_below() { awk -v r="$root/" 'index($5 "/", r) == 1 { print $5 }' /proc/self/mountinfo; }

in_chroot() { # <command>...: as root in the chroot, with /proc and /dev, nothing else
    private_namespace bash -c '
        set -e
        root="$1"
        shift
        trap "umount -l \"$root/dev\" 2>/dev/null; umount -l \"$root/proc\" 2>/dev/null; true" EXIT
        mount -t proc proc "$root/proc"
        mount --rbind /dev "$root/dev"
        chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
            LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"' in_chroot "$root" "$@"
}

make_chroot() {
    local start=$SECONDS
    if [ -n "$(mounts_below)" ]; then
        echo "wine10: something is mounted below $root; not removing it:" >&2
        mounts_below >&2
        exit 1
    fi
    rm -rf "$root" "$stamp"
    mkdir -p "$cache"
    command -v debootstrap >/dev/null || "$project/scripts/setup.sh" debootstrap
    echo "wine10: debootstrap trixie into $root"
    # In a mount namespace of its own: what debootstrap mounts in the new root goes
    # with it, however it ends.
    private_namespace \
        debootstrap --variant=minbase trixie "$root" "$mirror" >"$cache/debootstrap.log" 2>&1 \
        || { tail -n 20 "$cache/debootstrap.log"; echo "wine10: debootstrap failed" >&2; exit 1; }
    echo "wine10: base system in $((SECONDS - start)) s; installing Wine"
    # What the X11 driver loads at run time (Recommends, left out by
    # --no-install-recommends): XRandR, XInput2, cursors, Xinerama, composite, XF86VM.
    in_chroot sh -ec "
        apt-get update -q >/dev/null
        apt-get install -y -q --no-install-recommends wine64 wine fonts-wine locales \
            fonts-arphic-gbsn00lp fonts-arphic-gkai00mp \
            libxrandr2 libxi6 libxcursor1 libxinerama1 libxcomposite1 libxxf86vm1 >/dev/null
        localedef -i zh_CN -c -f UTF-8 -A /usr/share/locale/locale.alias zh_CN.UTF-8
        apt-get clean" >"$cache/apt.log" 2>&1 \
        || { tail -n 20 "$cache/apt.log"; echo "wine10: installing Wine failed" >&2; exit 1; }
    echo "wine10: $(in_chroot env WINEDEBUG=-all wine --version) in $((SECONDS - start)) s; fetching libwine:i386"
    # libwine:i386 at the installed version, downloaded through an index of its own
    # (amd64 and i386) and unpacked: only its Windows side, the i386 PE DLLs.
    in_chroot sh -ec '
        version="$(dpkg-query -W -f="\${Version}" libwine:amd64)"
        state=/var/tmp/i386-index
        mkdir -p "$state/lists/partial" "$state/cache/archives/partial" "$state/deb"
        set -- -o APT::Architectures::=amd64 -o APT::Architectures::=i386 \
            -o Dir::State::Lists="$state/lists" -o Dir::Cache="$state/cache"
        apt-get "$@" update -q >/dev/null
        cd "$state/deb"
        apt-get "$@" download "libwine:i386=$version" >/dev/null
        mkdir -p '"$dlls"'
        dpkg-deb --fsys-tarfile libwine_*_i386.deb \
            | tar -x -C '"$dlls"' --strip-components=5 \
                --wildcards "./usr/lib/i386-linux-gnu/wine/i386-windows/*"
        ln -sfn /usr/lib/x86_64-linux-gnu/wine/x86_64-unix '"$dlls"'/x86_64-unix
        echo "$version" >'"$dlls"'/version
        rm -rf "$state"' >"$cache/i386.log" 2>&1 \
        || { tail -n 20 "$cache/i386.log"; echo "wine10: fetching libwine:i386 failed" >&2; exit 1; }
    [ -f "$root$dlls/i386-windows/kernel32.dll" ] \
        || { echo "wine10: no i386 kernel32.dll in $root$dlls" >&2; exit 1; }
    # The stamp, last: the recipe, the Wine and DLL versions.
    printf 'recipe %s\nwine %s\nlibwine:i386 %s\n' "$(recipe)" \
        "$(in_chroot env WINEDEBUG=-all wine --version)" "$(cat "$root$dlls/version")" >"$stamp"
    echo "wine10: made in $((SECONDS - start)) s ($(du -sh "$root" | cut -f1)): $(tr '\n' ' ' <"$stamp")"
}

# What the chroot is made of: a change here makes the cached one again.
recipe() { declare -f make_chroot | sha256sum | cut -c1-16; }

prepare() {
    mkdir -p "$cache"
    # One maker at a time; a second run waits and then finds the stamp.
    exec 9>"$cache.lock"
    flock 9
    # Files, not links: the chroot's /usr/bin/wine points into its /etc/alternatives,
    # which a test from outside would look for on the host.
    if grep -qx "recipe $(recipe)" "$stamp" 2>/dev/null && [ -x "$root/usr/lib/wine/wine64" ] \
        && [ -f "$root$dlls/i386-windows/kernel32.dll" ]; then
        echo "wine10: reusing $root: $(tr '\n' ' ' <"$stamp")"
    else
        make_chroot
    fi
    exec 9>&-
}

# Inside the private namespace: the mounts, the shims, then the command.
inside() {
    [ -f "$stamp" ] || { echo "wine10: no finished chroot in $root (run prepare)" >&2; exit 1; }
    local shims
    mounted=()
    trap 'for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done' EXIT
    mount -t proc proc "$root/proc" && mounted+=("$root/proc")
    mount --rbind /dev "$root/dev" && mounted+=("$root/dev")
    mount --bind /tmp "$root/tmp" && mounted+=("$root/tmp")
    mkdir -p "$root$project"
    mount --bind "$project" "$root$project" && mounted+=("$root$project")
    # Wine's programs, on the host's PATH: each enters the chroot in the caller's
    # folder, with the caller's environment, and the 32-bit DLLs on WINEDLLPATH.
    shims="$(mktemp -d)"
    local chroot
    chroot="$(command -v chroot)"
    for tool in wine wineserver wineboot; do
        cat >"$shims/$tool" <<EOF
#!/bin/sh
PATH=/usr/local/bin:/usr/bin:/bin WINEDLLPATH=$dlls exec $chroot "$root" /bin/sh -c 'cd "\$1" 2>/dev/null || cd /; shift; exec "\$@"' $tool "\$PWD" /usr/bin/$tool "\$@"
EOF
        chmod +x "$shims/$tool"
    done
    local status=0
    PATH="$shims:$PATH" "$@" || status=$?
    rm -rf "$shims"
    return "$status"
}

case "${1:-}" in
    prepare) prepare ;;
    run)
        shift
        [ "$#" -gt 0 ] || { echo "usage: $0 run <command>..." >&2; exit 2; }
        private_namespace "$0" __inside "$@"
        ;;
    shell) private_namespace "$0" __inside bash -i ;;
    __inside)
        shift
        inside "$@"
        ;;
    *)
        echo "usage: $0 prepare | run <command>... | shell" >&2
        exit 2
        ;;
esac
