#!/usr/bin/python3
# The shipped exe, read with pefile. Its imports: only the three DLLs every
# 32-bit Windows has, and none of the functions Windows 98 lacks. Its
# resources, field by field: both dialog templates against the table below,
# every one-line text against its control's width, every line of the panel
# texts against the panel, string 101, the icon, the hand cursor, the logo
# and the version block, all in language 0x0804; the manifest, its DPI
# awareness included; and its
# code, read back with objdump: every instruction one a 486 runs.
#   check-exe.py SetupMenu.exe
import re
import struct
import subprocess
import sys
from pathlib import Path
from xml.etree import ElementTree

import pefile

LANG = 0x0804
BUTTON, STATIC = '#128', '#130'
ANY = None  # a free text: it must be there, in code page 936, and fit
V1, V2, V3 = 'urn:schemas-microsoft-com:asm.v1', 'urn:schemas-microsoft-com:asm.v2', 'urn:schemas-microsoft-com:asm.v3'
WS2005, WS2016 = 'http://schemas.microsoft.com/SMI/2005/WindowsSettings', 'http://schemas.microsoft.com/SMI/2016/WindowsSettings'
# Every 32-bit Windows has these three; the spooler and the shell are loaded
# by full path when a button needs them, and no C runtime DLL is imported.
SYSTEM_DLLS = {'KERNEL32.DLL', 'USER32.DLL', 'GDI32.DLL'}
# The conversions every Windows has, 95 included.
UNICODE_ON_95 = {'MultiByteToWideChar', 'WideCharToMultiByte'}
NEWER_THAN_98 = {'GetTickCount64', 'InitializeCriticalSectionEx', 'InitializeSRWLock', 'AcquireSRWLockExclusive',
                 'GetSystemTimePreciseAsFileTime', 'FlsAlloc', 'InitOnceExecuteOnce', 'CreateEventExW',
                 'SetThreadStackGuarantee', 'AddVectoredExceptionHandler', 'GetModuleHandleExW'}

# (style, x, y, cx, cy, id, class, text), in template order; no extended styles.
MENU = [
    (0x5001000B, 40, 193, 100, 25, 1, BUTTON, '访问VELTA网站'),
    (0x5001000B, 32, 237, 115, 17, 2, BUTTON, '退 出'),
    (0x5001000B, 40, 35, 100, 25, 1002, BUTTON, '安装驱动程序'),
    (0x50000007, 15, 10, 160, 260, -1, BUTTON, '请选择执行项目'),
    (0x5001000B, 40, 85, 100, 25, 1003, BUTTON, '打印机控制指令'),
    (0x5001000B, 40, 140, 100, 25, 1005, BUTTON, 'VT打印机测试程序'),
    (0x50020000, 215, 60, 172, 110, 1007, STATIC, ''),
    (0x50020000, 250, 290, 129, 8, -1, STATIC, ANY),  # the legal line
    (0x50010000, 270, 180, 70, 17, 1000, BUTTON, 'VT针打指令'),
    (0x50010000, 225, 210, 70, 17, 1008, BUTTON, 'EPSON参考指令'),
    (0x50010000, 310, 180, 69, 19, 1015, BUTTON, '常规驱动程序'),
    (0x50010000, 225, 180, 70, 20, 1017, BUTTON, '安装必读'),
    (0x5000000E, 219, 13, 47, 11, -1, STATIC, '#133'),
    (0x50020000, 285, 15, 81, 8, -1, STATIC, 'VELTA 微型票据打印机'),
    (0x50020000, 55, 285, 75, 10, -1, STATIC, '专业专注  值得信赖'),
    (0x50020000, 260, 275, 100, 10, -1, STATIC, ANY),  # the web address as text
    (0x50010000, 225, 210, 69, 19, 1016, BUTTON, '仿EPSON驱动程序'),
    (0x50010000, 310, 210, 69, 19, 1018, BUTTON, '仿STAR驱动程序'),
    (0x50010000, 310, 210, 70, 17, 1009, BUTTON, 'STAR参考指令'),
]
ABOUT = [
    (0x50000003, 7, 25, 21, 21, -1, STATIC, '#132'),
    (0x50020080, 40, 15, 65, 8, -1, STATIC, 'Menurix 1.0 版'),
    (0x50020000, 39, 33, 95, 8, -1, STATIC, ANY),
    (0x50030001, 178, 7, 50, 14, 1, BUTTON, '确定'),
    (0x50020000, 40, 50, 139, 9, -1, STATIC, ANY),
]
# What the Pentium, the Pentium Pro and later brought: a 486, a Pentium
# MMX, a K5 or K6 or an early VIA C3 (Windows 95 to ME, NT 4, XP on a K6)
# stops at the first one with an illegal-instruction box. 0F 1F is the
# Pentium Pro's many-byte nop, which padding inside a function runs through.
NEWER_THAN_486 = re.compile(r'(f?cmov\w+|fu?comip?|cmpxchg8b|rdtscp?|rdmsr|wrmsr|rdpmc|cpuid|sysenter|sysexit|'
                            r'emms|nop[wl]|prefetch\w*|[lsm]fence|clflush|fxsave|fxrstor|ldmxcsr|stmxcsr|movnti)')
MMX_OR_SSE = re.compile(r'%[xy]?mm\d')

failures = []


def expect(what, want, got):
    if want != got:
        failures.append(f'{what}: want {want!r}, got {got!r}')


class Reader:
    def __init__(self, data):
        self.data, self.at = data, 0

    def take(self, fmt):
        values = struct.unpack_from('<' + fmt, self.data, self.at)
        self.at += struct.calcsize('<' + fmt)
        return values if len(values) > 1 else values[0]

    def sz_or_ord(self):  # a string, '#n' for an ordinal, '' for none
        w, chars = self.take('H'), ''
        if w == 0xFFFF:
            return '#%d' % self.take('H')
        while w:
            chars, w = chars + chr(w), self.take('H')
        return chars


def text_pixels(what, text):
    """Width in the dialogs' font, 宋体 9 pt at 96 dpi: 12 px a double-byte
    character, 6 px a single-byte one."""
    try:
        return sum(12 if len(c.encode('cp936')) == 2 else 6 for c in text)
    except UnicodeEncodeError:
        failures.append(f'{what}: not in code page 936: {text!r}')
        return 0


def check_dialog(name, data, extended, want_head, want_items):
    r = Reader(data)
    head, count = r.take('HHIII' if extended else 'II'), r.take('H')
    frame = (r.take('hhhh'), r.sz_or_ord(), r.sz_or_ord(), r.sz_or_ord())
    font = (r.take('HHBB'), r.sz_or_ord()) if extended else (r.take('H'), r.sz_or_ord())
    expect(name + ' header', want_head, (head, count, frame, font))
    for n, want in enumerate(want_items):
        r.at += -r.at % 4
        help_id, ex_style, style = r.take('III') if extended else (0,) + r.take('II')[::-1]
        box = r.take('hhhh')
        ctl_id = r.take('i' if extended else 'h')
        got = (style,) + box + (ctl_id, r.sz_or_ord(), r.sz_or_ord())
        expect(f'{name} control {n + 1} help id, extended style, creation data', (0, 0, 0),
               (help_id, ex_style, r.take('H')))
        if want[7] is ANY and got[7]:
            want = want[:7] + (got[7],)
        expect(f'{name} control {n + 1}', want, got)
        if not got[7].startswith('#') and text_pixels(f'{name} control {n + 1}', got[7]) * 2 > got[3] * 3:
            failures.append(f'{name} control {n + 1} is too narrow for {got[7]!r}')  # 1.5 px a unit
        if extended and got[6] == BUTTON and got[0] & 0xF == 1:  # the menu's Enter means IDOK
            failures.append(f'{name} control {n + 1} is a default button')


def check_panel_texts():
    """The welcome text and the four category texts (tests/texts.tsv, which
    the native tables hold the program's to), each hand-broken line on one line of the panel and
    every line within its height: 12 px a line in 宋体 9 pt, 1.5 px a dialog
    unit both ways. The panel is as MENU has it, which the template matches."""
    panel = next(c for c in MENU if c[5] == 1007)
    width, height = panel[3] * 3 / 2, panel[4] * 3 / 2
    with open(Path(__file__).resolve().parent.parent / 'texts.tsv', encoding='utf-8') as f:
        table = dict(line.rstrip('\n').split('\t', 1) for line in f if '\t' in line and line[0] != '#')
    for name in ['welcome', 'panel.1002', 'panel.1003', 'panel.1005', 'panel.1']:
        text = table[name].replace('\\n', '\n')  # their only escape
        lines = text.rstrip('\n').split('\n')  # trailing blank lines show nothing
        for line in lines:
            if text_pixels(name, line) > width:
                failures.append(f'{name}: {line!r} is {text_pixels(name, line)} px, the panel {width:g}')
        if len(lines) * 12 > height:
            failures.append(f'{name}: {len(lines)} lines, the panel has room for {int(height // 12)}')


def check_manifest(xml):
    """Highest available rights, no UI access, an identity, no dependency (no
    common controls 6), one namespace on trustInfo: XP SP2 restarts on two;
    DPI-aware: per monitor v2 where Windows has it (10 1703), else system-aware,
    never per monitor v1, which scales no dialog."""
    tags = [(t, re.findall(r'xmlns(?::\w+)?="([^"]*)"', a)) for t, a in re.findall(r'<([\w:]+)([^>]*)>', xml)]
    expect('manifest namespaces', [('assembly', [V1]), ('trustInfo', [V2]), ('asmv3:application', [V3]),
                                   ('dpiAware', [WS2005]), ('dpiAwareness', [WS2016])], [t for t in tags if t[1]])
    settings = ElementTree.fromstring(xml.encode()).find(f'{{{V3}}}application/{{{V3}}}windowsSettings')
    expect('manifest DPI awareness', ['true', 'PerMonitorV2, System'],
           [settings.findtext(f'{{{WS2005}}}dpiAware'), settings.findtext(f'{{{WS2016}}}dpiAwareness')]
           if settings is not None else None)
    expect('manifest execution level', ['level="highestAvailable" uiAccess="false"'],
           re.findall(r'<requestedExecutionLevel ([^>]*?)\s*/>', xml))
    expect('manifest identity, dependencies', (True, []), (bool(re.search(
        r'<assemblyIdentity type="win32" name="[^"]+" version="\d+\.\d+\.\d+\.\d+"', xml)), re.findall('<dependency', xml)))


def check_instructions(path):
    """Every instruction objdump reads in the exe's code, against what a 486 has."""
    listing = subprocess.run(['i686-w64-mingw32-objdump', '-d', '--no-show-raw-insn', path],
                             capture_output=True, text=True, check=True).stdout
    newer = []
    for line in listing.splitlines():
        at, _, insn = line.partition(':\t')
        if not insn or not re.fullmatch(r' *[0-9a-f]+', at):
            continue
        words = insn.split()
        if any(NEWER_THAN_486.fullmatch(w) for w in words[:2]) or MMX_OR_SSE.search(insn):
            newer.append(f'{at.strip()}: {insn.strip()}')
    expect('instructions newer than the 486', [], newer)
    return listing.count(':\t')


def main(path):
    pe, t = pefile.PE(path), pefile.RESOURCE_TYPE
    check_instructions(path)
    for dll in pe.DIRECTORY_ENTRY_IMPORT:
        name = dll.dll.decode().upper()
        if name not in SYSTEM_DLLS:
            failures.append(f'imports {name}, not a system DLL of the menu')
        failures.extend(f'imports {i.name.decode()}, which Windows 98 lacks' for i in dll.imports
                        if i.name and i.name.decode() in NEWER_THAN_98)
        # Windows 95 has no W function but stubs, or none: those the NT
        # family uses are looked up when the menu starts.
        failures.extend(f'imports {i.name.decode()}, a W function: Windows 95 lacks it or fails it' for i in dll.imports
                        if i.name and re.search(r'[a-z]W$', i.name.decode())
                        and i.name.decode() not in UNICODE_ON_95)
    res = {(k.id, r.id): pe.get_data(lang.data.struct.OffsetToData, lang.data.struct.Size)
           for k in pe.DIRECTORY_ENTRY_RESOURCE.entries for r in k.directory.entries
           for lang in r.directory.entries if lang.id == LANG}
    want = [('RT_DIALOG', 102), ('RT_DIALOG', 100), ('RT_STRING', 101 // 16 + 1), ('RT_GROUP_ICON', 132),
            ('RT_GROUP_CURSOR', 130), ('RT_BITMAP', 133), ('RT_VERSION', 1)]
    missing = [w for w in want if (t[w[0]], w[1]) not in res]
    if missing:
        print(f'FAIL not in language 0x0804: {missing}')
        return 1
    manifests = [pe.get_data(lang.data.struct.OffsetToData, lang.data.struct.Size)
                 for k in pe.DIRECTORY_ENTRY_RESOURCE.entries if k.id == t['RT_MANIFEST']
                 for r in k.directory.entries if r.id == 1 for lang in r.directory.entries]
    expect('RT_MANIFEST 1, one language', 1, len(manifests))
    check_manifest(manifests[0].decode() if manifests else '')
    check_dialog('dialog 102', res[t['RT_DIALOG'], 102], True,
                 ((1, 0xFFFF, 0, 0x00040000, 0x90CA00C4), 19, ((0, 0, 416, 311), '', '', 'VELTA · 票据打印专家'),
                  ((9, 0, 0, 1), '宋体')), MENU)
    check_dialog('dialog 100', res[t['RT_DIALOG'], 100], False,
                 ((0x80C800C0, 0), 5, ((0, 0, 235, 71), '', '', '关于MENURIX'), (9, '宋体')), ABOUT)

    check_panel_texts()

    r = Reader(res[t['RT_STRING'], 101 // 16 + 1])  # ids 96 to 111
    for _ in range(101 % 16):
        r.at += 2 + 2 * r.take('H')
    n = r.take('H')
    expect('string 101', '关于 Tovrana(&A)...', r.data[r.at:r.at + 2 * n].decode('utf-16-le'))

    # The icon at 16, 32 and 48 pixels, 16 colours each: the group's entries and their images.
    group = res[t['RT_GROUP_ICON'], 132]
    expect('icon 132 group', (1, 3), struct.unpack_from('<2xHH', group))
    group += b'\0' * 42  # a group of fewer images reads as empty entries
    for i, size in enumerate((16, 32, 48)):
        entry = struct.unpack_from('<BBBxxxHxxxxH', group, 6 + 14 * i)
        expect(f'icon 132 entry {i}', (size, size, 16, 4), entry[:4])
        image = res.get((t['RT_ICON'], entry[4]), b'\0' * 16)
        expect(f'icon 132 image {i}', (size, 2 * size, 4), struct.unpack_from('<4xii2xH', image))
    # The hand at 32, 48 and 64 pixels, Windows' cursor sizes at 100, 150 and
    # 200 %: its hot spot, then the image and its mask, one bit a pixel.
    group = res[t['RT_GROUP_CURSOR'], 130]
    expect('cursor 130 group', (2, 3), struct.unpack_from('<2xHH', group))
    group += b'\0' * 42
    for i, size in enumerate((32, 48, 64)):
        image = res.get((t['RT_CURSOR'], struct.unpack_from('<H', group, 6 + 14 * i + 12)[0]), b'\0' * 22)
        expect(f'cursor 130 image {i}', (6 * size // 32, 0, size, 2 * size, 1), struct.unpack_from('<HH4xii2xH', image))
    expect('bitmap 133', (71, 17, 24), struct.unpack_from('<4xii2xH', res[t['RT_BITMAP'], 133]))
    version = res[t['RT_VERSION'], 1]
    at = version.find(struct.pack('<I', 0xFEEF04BD))
    expect('version 1', (0x00010000, 1, 0x00010000, 1), struct.unpack_from('<8xIIII', version, at))
    expect('version 1 string block', True, '080404B0'.encode('utf-16-le') in version)

    for f in failures:
        print('FAIL', f)
    print(f'{path}: {"imports and resources as designed" if not failures else f"{len(failures)} failures"}')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1]))
