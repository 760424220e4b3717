# tools/disc_rules.py, a table a rule: what it says of names, of sizes and
# of a printer INF with its files, each case beside one that passes.
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'tools'))
import disc_rules  # noqa: E402

MODEL = 'EPSON TM-U210B Partial cut'
INF = 'Driver/WIN2000/ESC模式/OEMSETUP.INF'
# The sample CD's INF, which each case changes.
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'cd', 'OEMSETUP.INF'), encoding='ascii') as f:
    COMPLETE = f.read()
FILES = ['i386/TMU210B.GPD', 'i386/TMU210BR.DLL', 'amd64/TMU210B.GPD', 'amd64/TMU210BR.DLL',
         'arm64/TMU210B.GPD', 'arm64/TMU210BR.DLL', 'velta480.cat']
LINE = '"EPSON TM-U210B Partial cut" = TMU210B, VELTAVT-480QX\n'
DECORATIONS = '%VELTA%=VELTA,NTx86,NTamd64,NTarm64'
NO_WIN2000 = ('[VELTA]\n' + LINE, '')


def rows(arch=None, before=None, since=None, servers=None):
    """The names of the Windows of an architecture, of versions below or
    from one, servers or not."""
    return {n for n, a, v, _, p in disc_rules.WINDOWS
            if (arch is None or a == arch) and (before is None or v < before) and (since is None or v >= since)
            and (servers is None or servers == (disc_rules.SERVER in p))}


X64, ARM, X86, SERVERS = rows('amd64'), rows('arm64'), rows('x86'), rows(servers=True)
WIN2000 = rows(before=(5, 1))
EVERY = frozenset(rows())
NOT_MODEL = 'is not in [VELTA'
NONE = 'no Windows can install the standard driver "EPSON TM-U210B Partial cut" from it'
MAY = 'may not install the standard driver: '
TMU = '[TMU210B]\n'
# Each table: (case, (old, new) in the INF, files taken away, files added, encoding, refusals, {rows: what they
# say}): each refusal a part of one message, and no other; each row named says so in a warning, every other
# installs.
ENCODINGS = [
    ('ANSI', [], [], [], 'ascii', [], {}),
    ('UTF-16LE with its BOM', [], [], [], 'utf-16', [], {}),
    ('Chinese strings in code page 936', [('VELTA="VELTA"', 'VELTA="VELTA 中文"')], [], [], 'gbk', [], {}),
    # Read as ANSI: a doubt everywhere, and a first line lost to the BOM.
    ('UTF-8 with its BOM', [('VELTA="VELTA"', 'VELTA="VELTA 中文"')], [], [], 'utf-8-sig', [],
     {EVERY: MAY + 'it is UTF-8, which setup reads as ANSI'}),
    ('UTF-8 with [Version] first', [(COMPLETE[:COMPLETE.index('[Version]')], '')], [], [], 'utf-8-sig',
     ['it has no [Version] Signature, not $Windows NT$ or $Chicago$: setup takes it for no INF (it is UTF-8'], {}),
    ('UTF-16BE with its BOM', [], [], [], 'utf-16-be-bom', [], {EVERY: MAY + 'it is UTF-16 big-endian'}),
    ('600 random bytes', [('', os.urandom(600).decode('latin-1'))], [], [], 'latin-1', ['no [Version] Signature'], {}),
]
VERSION = [
    ('names and sections in other cases', [('[Version]', '[version]'), ('Class=Printer', 'CLASS=printer'),
      ('$Windows NT$', '$WINDOWS nt$'), ('[VELTA.NTamd64]', '[velta.ntAMD64]'), ('[SourceDisksFiles]', '[SOURCEDISKSFILES]')],
     [], [], 'ascii', [], {}),
    ('$Chicago$', [('$Windows NT$', '$CHICAGO$')], [], [], 'ascii', [], {}),
    ('$Windows 95$, of older pages', [('$Windows NT$', '$Windows 95$')], [], [], 'ascii', [], {EVERY: MAY + 'its Signature'}),
    ('no Signature', [('Signature="$Windows NT$"', '')], [], [], 'ascii', ['it has no [Version] Signature'], {}),
    ('another Signature', [('$Windows NT$', '$Windows NT 4$')], [], [], 'ascii', ['Signature is $Windows NT 4$'], {}),
    ('a Class not Printer', [('Class=Printer', 'Class=Image')], [], [], 'ascii', ['Class is Image, not Printer'], {}),
    ('a v4 driver', [('Class=Printer', 'Class=Printer\nClassVer=4.0')], [], [], 'ascii', [],
     {frozenset(rows(before=(6, 2))): 'a v4 printer driver (ClassVer=4.0)'}),
]
LINES = [
    ('comments and quoted values', [('Class=Printer', 'Class = "Printer" ; a comment, = and all'),
      ('[VELTA.NTx86]\n' + LINE, '[VELTA.NTx86]\n' + LINE[:-1] + ' ; "a" comment\n')], [], [], 'ascii', [], {}),
    # A backslash last outside quotes, or before a comment, continues a line.
    ('a continued line', [(DECORATIONS, '%VELTA%=VELTA,NTx86, \\\n    NTamd64,NTarm64')], [], [], 'ascii', [], {}),
    ('continued before a comment', [(DECORATIONS, '%VELTA%=VELTA,NTx86,NTamd64, \\ ; and\n  NTarm64')], [], [], 'ascii', [], {}),
    ('a comment ending in a backslash', [('[VELTA.NTamd64]\n', '[VELTA.NTamd64] ; 64-bit \\\n')], [], [], 'ascii', [], {}),
    ('a quoted value ending in a backslash', [('[VELTA.NTx86]\n', '[VELTA.NTx86]\n"VELTA VT-80" = TMU80, "VT80\\"\n')],
     [], [], 'ascii', [], {}),
]
# Which models section each Windows reads.
MODELS = [
    ('decorated sections only', [NO_WIN2000, (DECORATIONS, '%VELTA%=VELTA,NTx86,NTamd64')], [], [], 'ascii', [],
     {frozenset(WIN2000): 'the models section it reads, [VELTA] (Windows 2000 reads only the undecorated one), is not in',
      frozenset(ARM): 'no models section for it: no NTarm64 decoration of [Manufacturer]\'s serves it, and 64-bit Windows never'}),
    ('undecorated only', [(DECORATIONS, '%VELTA%=VELTA')], [], [], 'ascii', [],
     {frozenset(X64): 'no NTamd64 decoration', frozenset(ARM): 'no NTarm64 decoration'}),
    ('NT, which names no architecture', [(DECORATIONS, '%VELTA%=VELTA,NT'), ('[VELTA.NTx86]', '[VELTA.NT]')], [], [], 'ascii',
     [], {frozenset(X64): 'no NTamd64 decoration', frozenset(ARM): 'no NTarm64 decoration'}),
    ('the model in NTamd64.10.0 alone', [(DECORATIONS, '%VELTA%=VELTA,NTx86,NTamd64.10.0,NTarm64'),
      ('[VELTA.NTamd64]', '[VELTA.NTamd64.10.0]')], [], [], 'ascii', [],
     {frozenset(X64 - rows(since=(10,))): 'no NTamd64 decoration'}),
    ('NTamd64.6.0 without the model, over NTamd64 with it', [(DECORATIONS, DECORATIONS + ',NTamd64.6.0'),
      ('[VELTA.NTarm64]', '[VELTA.NTamd64.6.0]\n"EPSON TM-U210" = TMU210\n\n[VELTA.NTarm64]')], [], [], 'ascii', [],
     {frozenset(X64 - rows(before=(6,))): NOT_MODEL + '.NTamd64.6.0], the models section it reads (the best of'}),
    ('and NTamd64 without it, under NTamd64.6.0 with it', [(DECORATIONS, DECORATIONS + ',NTamd64.6.0'),
      ('[VELTA.NTamd64]\n' + LINE, '[VELTA.NTamd64]\n"EPSON TM-U210" = TMU210\n\n[VELTA.NTamd64.6.0]\n' + LINE)],
     [], [], 'ascii', [], {frozenset(X64 & rows(before=(6,))): NOT_MODEL + '.NTamd64]'}),
    # A build is read from 14310 on, and only at the decoration's own version.
    ('NTamd64.10.0...22000 alone', [(DECORATIONS, '%VELTA%=VELTA,NTx86,NTamd64.10.0...22000,NTarm64'),
      ('[VELTA.NTamd64]', '[VELTA.NTamd64.10.0...22000]')], [], [], 'ascii', [],
     {frozenset(X64 - {'Windows 11', 'Windows Server 2016 to 2025'}): 'no NTamd64 decoration',
      frozenset({'Windows Server 2016 to 2025'}): 'builds 14393 to 21999: cannot install'}),
    ('NTamd64.6.1...7600 alone: a build older Windows cannot read, and one below 14310',
     [(DECORATIONS, '%VELTA%=VELTA,NTx86,NTamd64.6.1...7600,NTarm64'), ('[VELTA.NTamd64]', '[VELTA.NTamd64.6.1...7600]')],
     [], [], 'ascii', [],
     {frozenset(X64 - rows(since=(10,))): 'no NTamd64 decoration',
      frozenset({'Windows 10 x64'}): 'builds 10240 to 14309: cannot install the standard driver: no models section',
      frozenset(X64 & rows(since=(10,)) - {'Windows 10 x64'}): MAY + 'its decoration NTamd64.6.1...7600 names build 7600'}),
    ('NTamd64.6.3...22000 alone: Windows 10 from 1607, newer, takes it whatever its build',
     [(DECORATIONS, '%VELTA%=VELTA,NTx86,NTamd64.6.3...22000,NTarm64'), ('[VELTA.NTamd64]', '[VELTA.NTamd64.6.3...22000]')],
     [], [], 'ascii', [], {frozenset(X64 - rows(since=(10,))): 'no NTamd64 decoration',
                           frozenset({'Windows 10 x64'}): 'no NTamd64 decoration of [Manufacturer]\'s serves it, and 64-bit Windows '
                                                          'never reads an undecorated one; builds 14310 to 19045: installs'}),
    ('an empty NTamd64.10.0...16299 excludes later builds', [(DECORATIONS, DECORATIONS + ',NTamd64.10.0...16299'),
      ('[VELTA.NTarm64]', '[VELTA.NTamd64.10.0...16299]\n\n[VELTA.NTarm64]')], [], [], 'ascii', [],
     {frozenset({'Windows 10 x64'}): 'builds 10240 to 16298: installs ([VELTA.NTamd64], velta480.cat); builds 16299 to 19045: '
                                     'cannot install the standard driver: "EPSON TM-U210B Partial cut" is not in [VELTA.NTamd64.10.0...16299]',
      frozenset({'Windows Server 2016 to 2025'}): 'builds 16299 to 26100: cannot',
      frozenset({'Windows 11'}): NOT_MODEL + '.NTamd64.10.0...16299]'}),
    # A product type matches exactly; a suite mask needs all its bits, VER_SUITE_TERMINAL always there.
    ('workstations alone', [NO_WIN2000, (DECORATIONS, '%VELTA%=VELTA,NTx86.5.1.1,NTamd64.5.2.1,NTarm64'),
      ('[VELTA.NTx86]', '[VELTA.NTx86.5.1.1]'), ('[VELTA.NTamd64]', '[VELTA.NTamd64.5.2.1]')], [], [], 'ascii', [],
     {frozenset(WIN2000): 'reads only the undecorated one',
      frozenset(SERVERS & X86): 'the models section it reads, [VELTA] (no decoration of [Manufacturer]\'s serves it), is not',
      frozenset(SERVERS & X64): 'no NTamd64 decoration'}),
    ('servers alone, as a domain controller too', [(DECORATIONS, '%VELTA%=VELTA,NTx86,NTamd64.5.2.3,NTamd64.5.2.2,NTarm64'),
      ('[VELTA.NTamd64]\n' + LINE, '[VELTA.NTamd64.5.2.3]\n' + LINE + '\n[VELTA.NTamd64.5.2.2]\n' + LINE)], [], [], 'ascii', [],
     {frozenset(X64 - SERVERS): 'no NTamd64 decoration'}),
    ('a suite mask of a bit every Windows has', [(DECORATIONS, '%VELTA%=VELTA,NTx86,NTamd64.6.0..0x10,NTarm64'),
      ('[VELTA.NTamd64]', '[VELTA.NTamd64.6.0..0x10]')], [], [], 'ascii', [],
     {frozenset(X64 & rows(before=(6,))): 'no NTamd64 decoration'}),
    ('an Enterprise server\'s suite mask, over a section without the model',
     [(DECORATIONS, DECORATIONS + ',NTamd64.6.0.3.0x2'), ('[VELTA.NTarm64]', '[VELTA.NTamd64.6.0.3.0x2]\n\n[VELTA.NTarm64]')],
     [], [], 'ascii', [], {frozenset(SERVERS & X64 - rows(before=(6,))): 'as a server, in an edition with the suite bits a '
                                                                         'decoration names: cannot install'}),
]
# Simplified Chinese Windows reads one Strings section.
STRINGS = [
    ('a %string% model', [('[VELTA.NTx86]\n' + LINE, '[VELTA.NTx86]\n%M% = TMU210B\n'),
      ('[Strings]', '[Strings]\nM = "EPSON TM-U210B Partial cut"')], [], [], 'ascii', [], {}),
    ('the same in [Strings.0804]', [('[VELTA.NTamd64]\n' + LINE, '[VELTA.NTamd64]\n%M% = TMU210B\n'),
      ('[Strings]', '[Strings.0804]\nM = "EPSON TM-U210B Partial cut"\nVELTA="VELTA"\nDISK="光盘"\n\n[Strings]\n'
                    'M = "EPSON TM-U210B Partial cut"')], [], [], 'utf-16', [], {}),
    ('another name there', [('[VELTA.NTamd64]\n' + LINE, '[VELTA.NTamd64]\n%M% = TMU210B\n'),
      ('[Strings]', '[Strings.0804]\nM = "爱普生 TM-U210B"\n\n[Strings]\nM = "EPSON TM-U210B Partial cut"')], [], [], 'utf-16',
     [], {frozenset(X64): 'Simplified Chinese Windows, the menu\'s users\', names its models by [Strings.0804], and "EPSON'}),
    ('another in the Traditional Chinese section, which it reads when it has no other',
     [('[VELTA.NTamd64]\n' + LINE, '[VELTA.NTamd64]\n%M% = TMU210B\n'),
      ('[Strings]', '[Strings.0404]\nM = "愛普生 TM-U210B"\n\n[Strings]\nM = "EPSON TM-U210B Partial cut"')], [], [], 'utf-16',
     [], {frozenset(X64): 'names its models by [Strings.0404]'}),
    ('the model\'s key only in [Strings]', [('[VELTA.NTamd64]\n' + LINE, '[VELTA.NTamd64]\n%M% = TMU210B\n'),
      ('[Strings]', '[Strings.0804]\nVELTA="VELTA"\n\n[Strings]\nM = "EPSON TM-U210B Partial cut"')], [], [], 'utf-16',
     [], {frozenset(X64): MAY + 'Simplified Chinese Windows reads [Strings.0804] alone, which lacks M'}),
    ('two sections of Chinese but neither its own', [('[Strings]', '[Strings.0404]\nX=1\n\n[Strings.0C04]\nX=1\n\n[Strings]')],
     [], [], 'utf-16', [], {EVERY: 'which of [strings.0404], [strings.0c04] setup reads on it is not documented'}),
]
# The model's install section and the files it needs.
INSTALL = [
    ('the model\'s install section missing', [('= TMU210B, VELTA', '= TMU999, VELTA')], [], [], 'ascii', [NONE],
     {EVERY: 'its install section [TMU999] is not in the INF'}),
    ('a section of x64 its own, over the plain one', [(TMU, '[TMU210B.NTamd64]\nCopyFiles=TMU210B.FILES\nDataFile=TMU210B.GPD\n\n' + TMU)],
     [], [], 'ascii', [], {}),
    ('and its CopyFiles list missing', [(TMU, '[TMU210B.NTamd64]\nCopyFiles=X64.FILES\n\n' + TMU)], [], [], 'ascii', [],
     {frozenset(X64): 'its CopyFiles list [X64.FILES] is not in the INF'}),
    ('a copied file in no list and on no disc', [('TMU210BR.DLL\n\n', 'TMU210BR.DLL\nEXTRA.DLL\n\n')], [], [], 'ascii', [NONE],
     {EVERY: 'EXTRA.DLL ([TMU210B.FILES]) is not on the disc'}),
    ('one beside the INF, in no list', [('TMU210BR.DLL\n\n', 'TMU210BR.DLL\nEXTRA.DLL\n\n')], [], ['EXTRA.DLL'], 'ascii', [],
     {frozenset(rows(since=(6,))): 'EXTRA.DLL ([TMU210B.FILES]) is beside the INF but not in [SourceDisksFiles], and from Vista',
      frozenset(rows(before=(6,))): MAY + 'EXTRA.DLL ([TMU210B.FILES]) is beside the INF'}),
    ('@file, listed and there', [('CopyFiles=TMU210B.FILES', 'CopyFiles=TMU210B.FILES,@EXTRA.DLL'),
      ('TMU210BR.DLL = 1', 'TMU210BR.DLL = 1\nEXTRA.DLL = 1')], [], ['i386/EXTRA.DLL', 'amd64/EXTRA.DLL', 'arm64/EXTRA.DLL'],
     'ascii', [], {}),
    ('@file on no disc', [('CopyFiles=TMU210B.FILES', 'CopyFiles=TMU210B.FILES,@EXTRA.DLL')], [], [], 'ascii', [NONE],
     {EVERY: 'EXTRA.DLL (CopyFiles=@EXTRA.DLL) is not on the disc'}),
    ('a core file named, NTPRINT.INF included', [('DataFile=TMU210B.GPD', 'DataFile=TMU210B.GPD\nDriverFile=UNIDRV.DLL')],
     [], [], 'ascii', [], {}),
    ('and without it', [('DataFile=TMU210B.GPD', 'DataFile=TMU210B.GPD\nDriverFile=UNIDRV.DLL'), ('Include=NTPRINT.INF\nNeeds=UNIDRV.OEM\n', '')],
     [], [], 'ascii', [NONE], {EVERY: 'UNIDRV.DLL (DriverFile) is not on the disc'}),
    ('a DataFile of its own on no disc, NTPRINT.INF included', [('DataFile=TMU210B.GPD', 'DataFile=VT480.GPD')], [], [], 'ascii',
     [], {EVERY: MAY + 'VT480.GPD (DataFile) is not on the disc, nor one of the core printing files'}),
    ('and copied', [('DataFile=TMU210B.GPD', 'DataFile=VT480.GPD'), ('TMU210B.GPD\nTMU', 'VT480.GPD\nTMU210B.GPD\nTMU')],
     [], [], 'ascii', [NONE], {EVERY: 'VT480.GPD ([TMU210B.FILES]) is not on the disc'}),
]
# The catalog and the files each Windows needs.
CATALOG = [
    ('no CatalogFile', [('CatalogFile=velta480.cat', '')], ['velta480.cat'], [], 'ascii', [],
     {frozenset(X86): 'installs an unsigned driver ([VELTA', frozenset(X64 | ARM): 'Windows asks the user first, or refuses it'}),
    ('CatalogFile.NTx86 alone', [('CatalogFile=', 'CatalogFile.NTx86=')], [], [], 'ascii', [],
     {frozenset(X64): 'no CatalogFile.NTamd64 or CatalogFile', frozenset(ARM): 'no CatalogFile.NTarm64 or CatalogFile'}),
    ('CatalogFile.NTamd64 over CatalogFile.NT, and missing', [('CatalogFile=', 'CatalogFile.NTamd64=x64.cat\nCatalogFile.NT=')],
     [], [], 'ascii', ['its catalog x64.cat is not in'], {frozenset(X64): 'its catalog x64.cat is not in'}),
    ('its catalog missing', [], ['velta480.cat'], [], 'ascii', ['its catalog velta480.cat is not in Driver/WIN2000/ESC模式', NONE],
     {EVERY: 'its catalog velta480.cat is not in'}),
    ('a file missing for x86', [], ['i386/TMU210BR.DLL'], [], 'ascii',
     ['TMU210BR.DLL ([SourceDisksFiles]), which x86 Windows needs, is not in Driver/WIN2000/ESC模式/i386'],
     {frozenset(X86): 'TMU210BR.DLL is not in Driver/WIN2000/ESC模式/i386'}),
    ('an arm64 file of its own, in a subfolder', [('[Strings]', '[SourceDisksFiles.arm64]\nTMU210BR.DLL = 1,a\n[Strings]')],
     ['arm64/TMU210BR.DLL'], ['arm64/a/TMU210BR.DLL'], 'ascii', [], {}),
    ('and that file missing', [('[Strings]', '[SourceDisksFiles.arm64]\nTMU210BR.DLL = 1,a\n[Strings]')], [], [], 'ascii',
     ['TMU210BR.DLL ([SourceDisksFiles.arm64]), which arm64 Windows needs, is not in Driver/WIN2000/ESC模式/arm64/a'],
     {frozenset(ARM): 'TMU210BR.DLL is not in Driver/WIN2000/ESC模式/arm64/a'}),
    ('a disk no [SourceDisksNames] has', [('TMU210B.GPD  = 1', 'TMU210B.GPD = 2')], [], [], 'ascii',
     ['TMU210B.GPD ([SourceDisksFiles]) names a disk that [SourceDisksNames] lacks: %s Windows' % a
      for a in disc_rules.ARCHS] + [NONE],
     {EVERY: 'TMU210B.GPD names a disk that [SourceDisksNames] lacks'}),
]


def write(top, rel, data):
    os.makedirs(os.path.dirname(os.path.join(top, rel)), exist_ok=True)
    with open(os.path.join(top, rel), 'wb') as f:
        f.write(data)


class InfRules(unittest.TestCase):
    def cases(self, table):
        for case, edits, gone, added, encoding, refusals, warns in table:
            with self.subTest(case), tempfile.TemporaryDirectory() as top:
                text = COMPLETE
                for old, new in edits:
                    self.assertIn(old, text, case)
                    text = new if not old else text.replace(old, new)
                text = text.replace('\n', '\r\n')
                write(top, INF, b'\xfe\xff' + text.encode('utf-16-be') if encoding == 'utf-16-be-bom' else text.encode(encoding))
                for f in set(FILES) - set(gone) | set(added):
                    write(top, os.path.dirname(INF) + '/' + f, b'stand-in')
                refused, table = disc_rules.check_inf(top, INF, MODEL)
                self.assertEqual(len(refusals), len(refused), refused)
                for r in refusals:
                    self.assertTrue(any(r in g and g.startswith(INF + ': ') for g in refused), (r, refused))
                # Every Windows, or none when the INF is none or no printer's.
                self.assertEqual([] if 'Class' in str(refused) or 'Signature' in str(refused) else
                                 [w[0] for w in disc_rules.WINDOWS], [n for n, _, _, _ in table])
                for name, installs, warning, what in table:
                    want = next((w for names, w in warns.items() if name in names), None)
                    if want is None:
                        self.assertEqual((True, False), (installs, warning), (name, what))
                    else:
                        # Never "installs" where setup may fail.
                        self.assertTrue(warning and want in what and (installs is not True or 'installs an unsigned' in what),
                                        (name, want, installs, what))

    def test_encodings(self):
        self.cases(ENCODINGS)

    def test_version_section(self):
        self.cases(VERSION)

    def test_lines(self):
        self.cases(LINES)

    def test_models_sections(self):
        self.cases(MODELS)

    def test_strings(self):
        self.cases(STRINGS)

    def test_install_section_and_its_files(self):
        self.cases(INSTALL)

    def test_catalog_and_listed_files(self):
        self.cases(CATALOG)

    def test_a_makers_inf(self):
        # Unidrv with a GPD of its own: install sections per architecture,
        # ARM64 from Windows 11 22H2, no Windows 2000, every string in both
        # sections, a catalog.
        inf = (('[Version]\nSignature="$Windows NT$"\nClass=Printer\nProvider=%V%\nCatalogFile=vt480.cat\n'
                '[Manufacturer]\n%V%=V,NTx86,NTamd64,NTarm64.10.0...22621\n'
                '[V.NTx86]\n%M%=VT480\n[V.NTamd64]\n%M%=VT480\n[V.NTarm64.10.0...22621]\n%M%=VT480\n'
                '[VT480.NTx86]\nCopyFiles=GPD,X86\nDataFile=VT480.GPD\nDriverFile=UNIDRV.DLL\nInclude=NTPRINT.INF\n'
                'Needs=UNIDRV.OEM\n[VT480.NT]\nCopyFiles=GPD\nDataFile=VT480.GPD\nInclude=NTPRINT.INF\nNeeds=UNIDRV.OEM\n'
                '[GPD]\nVT480.GPD\n[X86]\nVT480R.DLL,VT480R32.DLL\n[DestinationDirs]\nDefaultDestDir=66000\n'
                '[SourceDisksNames]\n1=%D%\n[SourceDisksFiles]\nVT480.GPD=1\nVT480R32.DLL=1\n'
                '[Strings]\nV="VELTA"\nM="MODEL"\nD="VELTA disc"\n[Strings.0804]\nV="VELTA"\nM="MODEL"\nD="驱动光盘"\n')
               .replace('MODEL', MODEL))
        with tempfile.TemporaryDirectory() as top:
            write(top, INF, b'\xff\xfe' + inf.replace('\n', '\r\n').encode('utf-16-le'))
            for f in ('VT480.GPD', 'VT480R32.DLL', 'vt480.cat'):
                write(top, os.path.dirname(INF) + '/' + f, b'stand-in')
            refused, table = disc_rules.check_inf(top, INF, MODEL)
        self.assertEqual([], refused)
        x86, x64 = 'installs ([V.NTx86], on Simplified Chinese Windows too ([Strings.0804]), vt480.cat)', \
            'installs ([V.NTamd64], on Simplified Chinese Windows too ([Strings.0804]), vt480.cat)'
        no_x64 = 'cannot install the standard driver: no models section for it: no NTarm64 decoration of ' \
                 '[Manufacturer]\'s serves it, and 64-bit Windows never reads an undecorated one'
        self.assertEqual([
            ('Windows 2000', 'cannot install the standard driver: the models section it reads, [V] (Windows 2000 reads '
                             'only the undecorated one), is not in the INF'),
            ('Windows XP', x86), ('Windows Server 2003', x86), ('Windows XP x64', x64), ('Windows Server 2003 x64', x64),
            ('Windows Vista', x86), ('Windows Vista x64', x64), ('Windows Server 2008', x86),
            ('Windows Server 2008 x64', x64), ('Windows 7', x86), ('Windows 7 x64', x64), ('Windows Server 2008 R2', x64),
            ('Windows 8', x86), ('Windows 8 x64', x64), ('Windows Server 2012', x64), ('Windows 8.1', x86),
            ('Windows 8.1 x64', x64), ('Windows Server 2012 R2', x64), ('Windows 10', x86), ('Windows 10 x64', x64),
            ('Windows Server 2016 to 2025', x64), ('Windows 11', x64),
            ('Windows 11 on ARM', 'builds 22000 to 22620: ' + no_x64 + '; builds 22621 to 26200: installs '
                                  '([V.NTarm64.10.0...22621], on Simplified Chinese Windows too ([Strings.0804]), vt480.cat)'),
        ], [(n, what) for n, _, _, what in table])

    def test_files_the_sample_cd_needs(self):
        inf = disc_rules.Inf(COMPLETE.encode())
        self.assertEqual([('TMU210B.GPD', 'arm64', '[SourceDisksFiles]'), ('TMU210BR.DLL', 'arm64', '[SourceDisksFiles]')],
                         [(n, d, '[%s]' % s) for n, d, s, known in disc_rules.needed_files(inf, 'arm64') if known])


class NameRules(unittest.TestCase):
    def test_names(self):
        deep = 'Command/' + '0' * 200 + '/' + '0' * 52 + '.txt'
        cases = [('Driver/quote"d.txt', 'Windows allows none of'), ('Driver/pipe|x.txt', 'Windows allows none of'),
                 ('Driver/<lt>.txt', 'Windows allows none of'), ('Driver/tab\t.txt', 'Windows allows none of'),
                 ('Driver/dot.', 'drops a dot or a blank at the end'), ('Driver/blank ', 'drops a dot or a blank'),
                 ('Driver/AUX.txt', 'AUX is a device to Windows'), ('Test/CON', 'CON is a device'),
                 ('Test/lpt1.doc', 'lpt1 is a device'), ('Test/COM¹', 'COM¹ is a device'),
                 (deep, '265 characters below the root'), ('Driver/说明 (中文)/读我 v1.2.txt', None),
                 ('Driver/CONSOLE.txt', None), ('Test/' + 'x' * 251, None)]
        for rel, rule in cases:
            with self.subTest(rel):
                got = disc_rules.name_rules(rel, rel.split('/')[-1])
                self.assertEqual(1 if rule else 0, len(got), got)
                self.assertTrue(rule is None or rule in got[0], got)

    def test_case_and_size(self):
        self.assertEqual(disc_rules.fold('Test/ä.txt'), disc_rules.fold('Test/Ä.TXT'))
        self.assertNotEqual(disc_rules.fold('Test/ß.txt'), disc_rules.fold('Test/SS.txt'))
        self.assertEqual([], disc_rules.size_rule((4 << 30) - 1))
        self.assertIn('4294967296 bytes: a file on the disc must be under 4 GiB', disc_rules.size_rule(4 << 30)[0])

    def test_tree(self):
        with tempfile.TemporaryDirectory() as top:
            for f in ['Driver/Readme.txt', 'Driver/README.TXT', 'Test/a.bin']:
                write(top, f, b'x' * 3000)
            os.symlink('..', os.path.join(top, 'Driver', 'loop'))
            os.symlink(os.path.join(top, 'Test'), os.path.join(top, 'Tools'))
            bad, size = disc_rules.check_names(top)
            self.assertEqual(['Driver/Readme.txt: the same name to Windows, which ignores case, as Driver/README.TXT',
                              'Driver/loop: a link to .., a folder it lies in: a loop, which the disc would hold without end'],
                             sorted(bad))
            self.assertEqual((1 << 20) + 4 * 4096, size)  # Tools/a.bin too, a sector rounded up each


if __name__ == '__main__':
    unittest.main()
