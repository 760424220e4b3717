# Reads a Wine +timestamp,+message trace of one menu run and prints the
# hover figures. Variables: btn (the rested-on button's handle, lower-case
# hex without 0x), btns (all five, comma-separated). The harness posted
# markers WM_APP+1..4 to the dialog: 1 and 2 bracket the rest on btn, 3 and
# 4 the time with the pointer outside every button.
BEGIN {
    n = split(btns, list, ",")
    for (i = 1; i <= n; ++i) isbtn[list[i]] = 1
}
/spy_enter_message \(0x[0-9a-f]+\) .* dispatched/ {
    t = $0; sub(/:.*/, "", t); t += 0
    h = $0; sub(/^.*spy_enter_message \(0x/, "", h); sub(/\).*/, "", h)
    code = $0; sub(/^.*\[/, "", code); code = substr(code, 1, 4)
    if (code ~ /^800[1-4]$/) { mark[substr(code, 4, 1)] = t; next }
    phase = (1 in mark && !(2 in mark)) ? "rest" : (3 in mark && !(4 in mark)) ? "out" : ""
    if (code == "0113") {
        if (h == btn && phase == "rest") ++rest_ticks
        if (isbtn[h] && phase == "out") ++out_ticks
        if (h == btn && moved && !hovered) ++ticks_to_hover
    }
    if (code == "000f") {
        if (h == btn && phase == "rest") ++rest_paints
        if (isbtn[h] && phase == "out") ++out_paints
        if (h == btn && moved && !hovered) { hovered = 1; hover_ms = (t - move_t) * 1000 }
    }
    if (code == "0200" && h == btn && !moved) { moved = 1; move_t = t }
}
END {
    rest_s = mark[2] - mark[1]; out_s = mark[4] - mark[3]
    printf "rest_seconds %.3f\nrest_ticks %d\nrest_paints %d\n", rest_s, rest_ticks, rest_paints
    tps = pps = 0
    if (rest_s > 0) { tps = rest_ticks / rest_s; pps = rest_paints / rest_s }
    printf "rest_ticks_per_s %.1f\nrest_paints_per_s %.1f\n", tps, pps
    printf "out_seconds %.3f\nout_ticks %d\nout_paints %d\n", out_s, out_ticks, out_paints
    printf "hovered %d\nticks_to_hover %d\nms_to_hover %.0f\n", hovered, ticks_to_hover, hover_ms
}
