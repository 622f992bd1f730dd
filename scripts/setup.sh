#!/usr/bin/env bash
# Installs, from Debian's packages, whatever of the build and test set-up is missing.
# Safe to run again: it asks apt only when something is missing.
set -euo pipefail

packages=(
    g++ cmake make                      # the toolchain
    googletest                          # the core's test framework, as source
    qt6-base-dev qt6-base-dev-tools     # Qt 6 Widgets, Test, uic/moc
    qt6-translations-l10n               # Qt's own Chinese texts, compiled in
    fonts-arphic-gbsn00lp               # a Song face for Chinese typed into the fields
    fonts-arphic-gkai00mp               # its Kai sibling
    xvfb xauth                          # a display for the screenshot and desktop checks
)
if [ "$#" -gt 0 ]; then
    packages+=("$@")
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ "${#missing[@]}" -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
