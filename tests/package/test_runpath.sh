#!/usr/bin/env bash
# Where the program looks for libraries: the build tree's program may carry absolute
# RUNPATH entries but no empty one (an empty entry is the current folder); the
# installed program carries no RUNPATH or RPATH at all.
#   test_runpath.sh <build-dir>          exit 77: skipped (readelf missing)
set -euo pipefail
build="$1"
command -v readelf >/dev/null || { echo "SKIP: readelf is not installed"; exit 77; }

# Prints the library search path entries of an ELF file, one a line ("<empty>" for an
# empty one), prefixed by the tag.
search_entries() {
    readelf -d "$1" | sed -n 's/.*(\(RUNPATH\|RPATH\)).*\[\(.*\)\]$/\1 \2/p' | while read -r tag path; do
        IFS=':' read -r -a entries <<<"$path:"
        [ -z "$path" ] && entries=("")
        for entry in "${entries[@]}"; do
            echo "$tag ${entry:-<empty>}"
        done
    done
}

status=0
built="$build/qt/rebar-weight"
[ -f "$built" ] || { echo "FAIL: no program at $built"; exit 1; }
echo "build tree: $(readelf -d "$built" | grep -E 'RUNPATH|RPATH' || echo 'no RUNPATH or RPATH')"
while read -r tag entry; do
    case "$entry" in
        /*) ;;
        *) echo "FAIL: the build tree's program has the $tag entry '$entry'"; status=1 ;;
    esac
done < <(search_entries "$built")

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
installed="$stage/usr/bin/rebar-weight"
[ -f "$installed" ] || { echo "FAIL: the install put no program at /usr/bin/rebar-weight"; exit 1; }
entries="$(search_entries "$installed")"
if [ -n "$entries" ]; then
    echo "FAIL: the installed program searches:"
    echo "$entries"
    status=1
else
    echo "installed: no RUNPATH or RPATH"
fi
exit $status
