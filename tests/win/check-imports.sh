#!/bin/sh
# Fails unless the exe imports only system DLLs, none of the functions
# that Windows 98 lacks, and nothing from the posix thread runtime.
set -eu
exe=$1
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
dump=$($objdump -p "$exe")
dlls=$(printf '%s\n' "$dump" | awk '/DLL Name:/ {print toupper($3)}' | sort -u)
echo "imports: $(echo $dlls)"
status=0
for d in $dlls; do
    case $d in
        KERNEL32.DLL|USER32.DLL|GDI32.DLL|WINSPOOL.DRV|SHELL32.DLL|MSVCRT.DLL) ;;
        *) echo "not a system DLL of the menu: $d"; status=1 ;;
    esac
done
# Functions that Windows 98 does not have, and that the runtime might pull in.
for f in GetTickCount64 InitializeCriticalSectionEx InitializeSRWLock AcquireSRWLockExclusive \
         GetSystemTimePreciseAsFileTime FlsAlloc InitOnceExecuteOnce CreateEventExW \
         SetThreadStackGuarantee AddVectoredExceptionHandler \
         GetModuleHandleExW ; do
    if printf '%s\n' "$dump" | grep -qw "$f"; then
        echo "imports $f, which Windows 98 lacks"; status=1
    fi
done
exit $status
