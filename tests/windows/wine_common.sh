# Shared by the Wine tests (sourced): what they need, and how they start the program
# and close it again.

fail() {
    echo "FAIL: $*"
    exit 1
}

# require_wine <tool>...: skips (77) unless the tools, a WINEPREFIX and a DISPLAY are
# there, as scripts/windows.sh provides them.
require_wine() {
    for tool in wine "$@"; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
    done
    [ -n "${WINEPREFIX:-}" ] && [ -n "${DISPLAY:-}" ] || { echo "SKIP: no WINEPREFIX or DISPLAY"; exit 77; }
    export WINEDEBUG=-all
}

# start_program <exe>: starts it and waits for its window; sets app (the pid) and
# window (the X window).
start_program() {
    wine "$1" &
    app=$!
    window="$(timeout 60 xdotool search --sync --onlyvisible --name '^钢筋重量计算$' | head -n 1)" \
        || { kill "$app" 2>/dev/null || true; fail "no window titled 钢筋重量计算 within 60 s"; }
}

# close_program: WM_CLOSE to the program's windows (taskkill without /f), what the
# close box sends; waits for the end and sets status to the exit status.
close_program() {
    wine taskkill /im rebar-weight.exe >/dev/null 2>&1 || true
    timeout 30 tail --pid="$app" -f /dev/null || fail "the program did not end after WM_CLOSE"
    status=0
    wait "$app" || status=$?
    app=""
}
