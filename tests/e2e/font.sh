#!/usr/bin/env bash
# The hover font: made once a button, from the dialog's, heavy and
# underlined; a hover repaints its own button, not the dialog.
. "$(dirname "$0")/lib.sh"
start_menu ",+font,+message"
for _ in 1 2; do
    for id in $IDC_BTN_DRIVERS $IDC_BTN_COMMANDS $IDC_BTN_TESTPROG $IDOK $IDCANCEL; do hover $id; until_ok 5 hovered $id; done
done
face='L"\5b8b\4f53"'  # 宋体, as Wine's font trace writes it
fonts() { grep -acF "NtGdiHfontCreate (-12 0 0 0 0 0 0 2 1) $face Bold  Underline" "$log/wine$run.log"; }
check "five hover fonts for ten hovers, each 宋体 underlined" [ "$(fonts)" = 5 ]
check "drawn at weight 900" grep -aqF "font_SelectFont $face, h=-12, it=0, weight=900" "$log/wine$run.log"
# The legal line's paints (版权所有 as Wine's message trace writes it): its first only.
legal_paints() { grep -aF "[000f] WM_PAINT dispatched" "$log/wine$run.log" | grep -acF '\7248\6743\6240\6709 (C) VELTA'; }
# Once or twice as it opens; none when the trace says nothing.
check "ten hovers leave the legal line unpainted (painted $(legal_paints) times)" [ "$(legal_paints)" -ge 1 -a "$(legal_paints)" -le 2 ]
finish Escape xdotool key Escape
