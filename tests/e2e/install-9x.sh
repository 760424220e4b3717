#!/usr/bin/env bash
# The Windows 98 install: a failed copy told in the application's box; the ESC and the STAR driver
# installed twice each, over a read-only copy and into an empty place, with the files they depend
# on that the driver folder lacks; the printers the spooler then knows; the EPSON emulation's
# prompt. Then, from another folder, a disc lacking one of the files fails with the driver-failure
# box, and installs once the driver folder has it.
. "$(dirname "$0")/lib.sh"
start_menu
hover $IDC_BTN_DRIVERS
printers='HKLM\System\CurrentControlSet\Control\Print\Printers'
spool=$WINEPREFIX/drive_c/windows/system32/spool/drivers/win40
esc=$cd/Driver/WIN98/ESC模式
mkdir -p "$spool/Tm300s.drv"  # a folder in the copy's way
click $IDC_DRV_STANDARD
wait_for -t 15 "a failed copy is told in the application's box" box_is SetupMenu "$(text copyfailed)"
answer 1
check "and adds no printer" not reg query "$printers\\VELTA VT-480QX"
rmdir "$spool/Tm300s.drv"
# The ESC copy lands first on a read-only one left by an earlier install,
# the STAR copy in an empty place: Wine keeps the mode of a file it writes
# over, so only there does a read-only source show.
echo old >"$spool/Tm300s.drv" && chmod a-w "$spool/Tm300s.drv"
echo "the system's own" >"$spool/Unidrv.dll"  # which the install keeps
installed() { box_is "$(text installcaption)" "$(text installed)"; }
deps_copied() { for dep in TMPROCES.dll Iconlib.dll Unidrv.hlp Tmctrla.ini; do
    [ -w "$spool/$dep" ] && cmp -s "$spool/$dep" "$esc/$dep" || return 1; done
    [ "$(cat "$spool/Unidrv.dll")" = "the system's own" ]; }
whole_and_writable() { [ -w "$spool/${1#*/}" ] && cmp -s "$spool/${1#*/}" "$cd/Driver/WIN98/$1"; }
for round in first second; do
    for f in $IDC_DRV_STANDARD:ESC模式/Tm300s.drv $IDC_DRV_STAREMU:STAR模式/Sp500.drv; do
        b=${f%%:*} f=${f#*:}
        click "$b"
        wait_for -t 15 "$b installs, $round time" installed
        if [ "$round$b" = first$IDC_DRV_STANDARD ]; then
            shot install-win98
            check "and beside it, from the disc, every file it depends on that the folder lacked, writable; the folder's own Unidrv.dll as it was" deps_copied
        fi
        answer 1
        check "and leaves ${f#*/} in the spooler's folder, whole and writable" whole_and_writable "$f"
    done
done
printer_on() { wine reg query "$printers\\$1" 2>/dev/null | tr -d '\r' >"$log/printer.txt"
    grep -qxF '    Port    REG_SZ    LPT1:' "$log/printer.txt" && grep -qxF "    Printer Driver    REG_SZ    $2" "$log/printer.txt"; }
check "the spooler knows VELTA VT-480QX on LPT1: with EPSON TM-U210B Partial cut" printer_on "VELTA VT-480QX" "EPSON TM-U210B Partial cut"
check "and VELTA VT-480QX(STAR) with Star SP542 (NF_Fcut)" printer_on "VELTA VT-480QX(STAR)" "Star SP542 (NF_Fcut)"
click $IDC_DRV_EPSONEMU
wait_for -t 15 "the EPSON emulation asks (TM-U210B)" box_is "$(text promptcaption)" "$(text prompt.epson9x)"
answer 6
awaits "Yes starts the 9x EPSON installer" ran Adt210e.exe
starts=Adt210e.exe=1
wait_for "no box is left open" no_box
xdotool key Escape; ended Escape
# Started from another folder, where the install would otherwise look for
# the disc's files: a copy of the disc that lacks Tmctrla.ini, which the
# driver folder lacks too. (Wine's ShellExecute looks in the menu's own
# folder first, so what the menu opens cannot tell where it was started from.)
short=$log/缺文件的光盘
cp -a "$cd" "$short" && chmod u+w "$short/Driver/WIN98/ESC模式" && rm "$short/Driver/WIN98/ESC模式/Tmctrla.ini" &&
    chmod a-w "$short/Driver/WIN98/ESC模式" && rm -f "$spool/Tmctrla.ini"
start_menu "" "$log" "$short"
hover $IDC_BTN_DRIVERS; click $IDC_DRV_STANDARD
wait_for -t 15 "with Tmctrla.ini on neither side, the standard driver fails, with the driver-failure box" \
    box_is "$(text errorcaption)" "$(text driverfailed)"
answer 1
check "and Tmctrla.ini is not in the driver folder" [ ! -e "$spool/Tmctrla.ini" ]
cp "$esc/Tmctrla.ini" "$spool/"
click $IDC_DRV_STANDARD
wait_for -t 15 "with it in the driver folder, and started from another folder, the standard driver installs from the disc" installed
answer 1
p post 0x112 0xF100 0x20
wait_for "the system menu opens" has "^popup"
finish "Close on the system menu" xdotool key c  # 关闭(&C)
