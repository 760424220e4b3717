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


def rows(arch=None, before=None, since=None):
    """The names of the Windows of an architecture, of versions below or from one."""
    return {n for n, a, v in disc_rules.WINDOWS
            if (arch is None or a == arch) and (before is None or v < before) and (since is None or v >= since)}


X64, ARM, X86 = rows('amd64'), rows('arm64'), rows('x86')
WIN2000 = rows(before=(5, 1))
NOT_MODEL = 'is not in [VELTA'
NONE = 'no Windows can install the standard driver "EPSON TM-U210B Partial cut" from it'
# (case, (old, new) in the INF, files taken away, files added, encoding, refusals, {rows: what they say}):
# each refusal a part of one message, and no other; each row named says so in a warning, every other installs.
INF_CASES = [
    ('complete', [], [], [], 'ascii', [], {}),
    ('UTF-16LE with its BOM', [], [], [], 'utf-16', [], {}),
    ('UTF-8 with its BOM', [('VELTA="VELTA"', 'VELTA="VELTA 中文"')], [], [], 'utf-8-sig', [], {}),
    ('names and sections in other cases', [('[Version]', '[version]'), ('Class=Printer', 'CLASS=printer'),
      ('[VELTA.NTamd64]', '[velta.ntAMD64]'), ('[SourceDisksFiles]', '[SOURCEDISKSFILES]')], [], [], 'ascii', [], {}),
    ('files named in another case than on the disc', [('TMU210BR.DLL = 1', 'tmu210br.dll = 1')], [], [], 'ascii', [], {}),
    ('comments and quoted values', [('Class=Printer', 'Class = "Printer" ; a comment, = and all'),
      ('[VELTA.NTx86]\n' + LINE, '[VELTA.NTx86]\n' + LINE[:-1] + ' ; "a" comment\n')], [], [], 'ascii', [], {}),
    ('a %string% model', [('[VELTA.NTx86]\n' + LINE, '[VELTA.NTx86]\n%M% = TMU210B\n'),
      ('[Strings]', '[Strings]\nM = "EPSON TM-U210B Partial cut"')], [], [], 'ascii', [], {}),
    # Lines as setup reads them: a backslash last outside quotes, or before a comment, continues one.
    ('a continued line', [(DECORATIONS, '%VELTA%=VELTA,NTx86, \\\n    NTamd64,NTarm64')], [], [], 'ascii', [], {}),
    ('continued before a comment', [(DECORATIONS, '%VELTA%=VELTA,NTx86,NTamd64, \\ ; and\n  NTarm64')], [], [], 'ascii', [], {}),
    ('a comment ending in a backslash', [('[VELTA.NTamd64]\n', '[VELTA.NTamd64] ; 64-bit \\\n')], [], [], 'ascii', [], {}),
    ('a quoted value ending in a backslash', [('[VELTA.NTx86]\n', '[VELTA.NTx86]\n"VELTA VT-80" = TMU80, "VT80\\"\n')],
     [], [], 'ascii', [], {}),
    ('600 random bytes', [('', os.urandom(600).decode('latin-1'))], [], [], 'latin-1', ['no [Version] Class'], {}),
    ('a Class not Printer', [('Class=Printer', 'Class=Image')], [], [], 'ascii', ['Class is Image, not Printer'], {}),
    # Which models section each Windows reads.
    ('decorated sections only', [NO_WIN2000, (DECORATIONS, '%VELTA%=VELTA,NTx86,NTamd64')], [], [], 'ascii', [],
     {frozenset(WIN2000): 'the models section it reads, [VELTA] (Windows 2000 reads only the undecorated one), is not in',
      frozenset(ARM): 'no models section for it: [Manufacturer] names no NTarm64 decoration, and 64-bit Windows never'}),
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
    ('versions, a build, a product type, a suite', [(DECORATIONS, '%VELTA%=VELTA,NTx86.5.1,NTx86.6.0.3,NTamd64.10.0...22000,'
                                                     'NTamd64.6.1.1.0x10,NTarm64.10.0.1'),
      ('[VELTA.NTx86]', '[VELTA.NTx86.5.1]'), ('[VELTA.NTamd64]', '[VELTA.NTamd64.10.0...22000]'),
      ('[VELTA.NTarm64]', '[VELTA.NTarm64.10.0.1]')], [], [], 'ascii', [],
     {frozenset(X64 - {'Windows 11'}): 'no NTamd64 decoration'}),
    ('another name on Simplified Chinese Windows', [('[VELTA.NTamd64]\n' + LINE, '[VELTA.NTamd64]\n%M% = TMU210B\n'),
      ('[Strings]', '[Strings.0804]\nM = "爱普生 TM-U210B"\n\n[Strings]\nM = "EPSON TM-U210B Partial cut"')], [], [], 'utf-8-sig',
     [], {frozenset(X64): 'Simplified Chinese Windows, the menu\'s users\', names its models by [Strings.0804], and "EPSON'}),
    ('the model in no section', [('"EPSON TM-U210B Partial cut"', '"EPSON TM-U210"')], [], [], 'ascii', [NONE],
     {frozenset(rows()): NOT_MODEL}),
    # The catalog and the files each Windows needs.
    ('no CatalogFile', [('CatalogFile=velta480.cat', '')], ['velta480.cat'], [], 'ascii', [],
     {frozenset(X86): 'installs an unsigned driver ([VELTA', frozenset(X64 | ARM): 'Windows asks the user first, or refuses it'}),
    ('CatalogFile.NTx86 alone', [('CatalogFile=', 'CatalogFile.NTx86=')], [], [], 'ascii', [],
     {frozenset(X64): 'no CatalogFile.NTamd64 or CatalogFile', frozenset(ARM): 'no CatalogFile.NTarm64 or CatalogFile'}),
    ('its catalog missing', [], ['velta480.cat'], [], 'ascii', ['its catalog velta480.cat is not in Driver/WIN2000/ESC模式', NONE],
     {frozenset(rows()): 'its catalog velta480.cat is not in'}),
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
     {frozenset(rows()): 'TMU210B.GPD names a disk that [SourceDisksNames] lacks'}),
]


def write(top, rel, data):
    os.makedirs(os.path.dirname(os.path.join(top, rel)), exist_ok=True)
    with open(os.path.join(top, rel), 'wb') as f:
        f.write(data)


class InfRules(unittest.TestCase):
    def test_each_case(self):
        for case, edits, gone, added, encoding, refusals, warns in INF_CASES:
            with self.subTest(case), tempfile.TemporaryDirectory() as top:
                text = COMPLETE
                for old, new in edits:
                    self.assertIn(old, text, case)
                    text = new if not old else text.replace(old, new)
                write(top, INF, text.replace('\n', '\r\n').encode(encoding))
                for f in set(FILES) - set(gone) | set(added):
                    write(top, os.path.dirname(INF) + '/' + f, b'stand-in')
                refused, table = disc_rules.check_inf(top, INF, MODEL)
                self.assertEqual(len(refusals), len(refused), refused)
                for r in refusals:
                    self.assertTrue(any(r in g and g.startswith(INF + ': ') for g in refused), (r, refused))
                # Every Windows, or none when the INF is no printer's.
                self.assertEqual([n for n, _, _ in disc_rules.WINDOWS] if 'Class' not in str(refused) else [],
                                 [n for n, _, _, _ in table])
                for name, installs, warning, what in table:
                    want = next((w for names, w in warns.items() if name in names), None)
                    if want is None:
                        self.assertEqual((True, False), (installs, warning), (name, what))
                    else:
                        self.assertTrue(warning and want in what, (name, want, what))

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
