# Sourced by the build scripts: the one time every time stamp in an artefact comes
# from. rcc, ld, strip, gzip-less archives and CPack read SOURCE_DATE_EPOCH from the
# environment, so it is exported before anything is configured or built. A value
# already set wins; then the last commit's time; without git (a source archive), the
# date of the newest changelog entry.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    _root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
    SOURCE_DATE_EPOCH="$(git -C "$_root" log -1 --format=%ct 2>/dev/null || true)"
    if [ -z "$SOURCE_DATE_EPOCH" ]; then
        _date="$(sed -n 's/^ -- .*>  //p' "$_root/packaging/debian/changelog" | head -n 1)"
        SOURCE_DATE_EPOCH="$(date -u -d "$_date" +%s)"
    fi
    unset _root _date
fi
export SOURCE_DATE_EPOCH
