# Sourced by the scripts that run Windows programs under Wine: start_display
# starts an Xvfb server on a free display and a small window manager
# (openbox) on it, exports DISPLAY, and sets display_pids for the caller to
# kill. Without a manager Wine waits two seconds for every window it hides,
# and keyboard focus is unreliable.
start_display() {
    local fdfile i=0
    fdfile=$(mktemp)
    Xvfb -displayfd 8 -screen 0 1024x768x24 -nolisten tcp 8>"$fdfile" >/dev/null 2>&1 &
    display_pids=$!
    while [ ! -s "$fdfile" ] && [ $i -lt 100 ]; do sleep 0.05; i=$((i + 1)); done
    export DISPLAY=":$(cat "$fdfile")"
    rm -f "$fdfile"
    openbox >/dev/null 2>&1 &
    display_pids="$display_pids $!"
    i=0
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window || [ $i -ge 100 ]; do
        sleep 0.05; i=$((i + 1))
    done
}
