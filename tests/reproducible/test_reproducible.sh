#!/usr/bin/env bash
# Every artefact that ships is the same bytes when the commit under test is built
# twice: two fresh clones at different paths, built a few seconds apart under other
# time zones and umasks, each with scripts/release.sh.
# On a difference it prints where the files differ and fails.
#   tests/reproducible/test_reproducible.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
commit="$(git -C "$root" rev-parse HEAD)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
start=$(date +%s)

clones=("$work/a/rebar-weight" "$work/second/build/tree/p")
zones=(UTC Asia/Shanghai)
masks=(022 077)
for i in 0 1; do
    echo "== Build $((i + 1)) in ${clones[$i]}: TZ=${zones[$i]}, umask ${masks[$i]}"
    (
        umask "${masks[$i]}"
        git clone -q --no-local "$root" "${clones[$i]}"
        cd "${clones[$i]}"
        git checkout -q "$commit"
        TZ="${zones[$i]}" bash scripts/release.sh >"$work/build-$i.log" 2>&1
    ) || { tail -n 40 "$work/build-$i.log"; echo "FAIL: build $((i + 1)) failed"; exit 1; }
    [ "$i" -eq 0 ] && sleep 5
done

one="${clones[0]}/dist"
two="${clones[1]}/dist"
artefacts="$(cd "$one" && awk '{print $2}' SHA256SUMS)"
# Two Windows programs, the installer, two zips, the .deb and the source archive; the
# web site's zip, the one-file page and every file of the site.
expected=$((9 + $(find "$one/web" -type f | wc -l)))
[ "$(wc -l <<<"$artefacts")" -eq "$expected" ] || { echo "FAIL: SHA256SUMS lists $(wc -l <<<"$artefacts") artefacts, not $expected"; exit 1; }
for artefact in rebar-weight-1.00-web.zip rebar-weight-1.00.html web/index.html web/rebar-weight.wasm web/sw.js; do
    grep -q "  $artefact\$" "$one/SHA256SUMS" || { echo "FAIL: SHA256SUMS lacks $artefact"; exit 1; }
done
status=0
while read -r artefact; do
    if cmp -s "$one/$artefact" "$two/$artefact"; then
        echo "same: $(sha256sum "$one/$artefact" | cut -c1-16)…  $artefact"
    else
        status=1
        echo "DIFFERENT: $artefact"
        cmp -l "$one/$artefact" "$two/$artefact" | head -n 20 || true
        if command -v diffoscope >/dev/null; then
            diffoscope "$one/$artefact" "$two/$artefact" | head -n 60 || true
        fi
    fi
done <<<"$artefacts"
cmp -s "$one/SHA256SUMS" "$two/SHA256SUMS" || { echo "DIFFERENT: SHA256SUMS"; status=1; }
echo "two builds compared in $(( $(date +%s) - start )) s"
[ "$status" -eq 0 ] || { echo "FAIL: the builds differ"; exit 1; }
echo "all artefacts and SHA256SUMS bit-for-bit the same"
