# Sourced by the scripts that run Windows programs under Wine: start_display
# [LOG] starts an Xvfb server on a free display and a small window manager
# (openbox, its messages to LOG) on it, exports DISPLAY, and sets
# display_pids for the caller to kill; it fails, saying so, if either is
# not up within 20 seconds, which a loaded machine can take. Without a
# manager Wine waits two seconds for every window it hides, draws no caption
# bar, and keyboard focus is unreliable.
start_display() {
    local fdfile i=0
    fdfile=$(mktemp)
    Xvfb -displayfd 8 -screen 0 1024x768x24 -nolisten tcp 8>"$fdfile" >/dev/null 2>&1 &
    display_pids=$!
    while [ ! -s "$fdfile" ] && [ $i -lt 400 ]; do sleep 0.05; i=$((i + 1)); done
    [ -s "$fdfile" ] || { rm -f "$fdfile"; echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$(cat "$fdfile")"
    rm -f "$fdfile"
    openbox >"${1:-/dev/null}" 2>&1 &
    display_pids="$display_pids $!"
    i=0
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window; do
        [ $i -lt 400 ] || { echo "openbox did not start on $DISPLAY" >&2; return 1; }
        sleep 0.05; i=$((i + 1))
    done
}
