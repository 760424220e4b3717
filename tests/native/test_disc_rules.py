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
FILES = ['i386/TMU210B.GPD', 'i386/TMU210BR.DLL', 'amd64/TMU210B.GPD', 'amd64/TMU210BR.DLL', 'velta480.cat']
AMD64_ONLY = ('%VELTA%=VELTA,NTx86,NTamd64', '%VELTA%=VELTA,NTamd64'), ('[VELTA.NTx86]', '[OTHER]')
# (case, (old, new) in the INF, files taken away, files added, encoding, refusals, warnings):
# each refusal or warning a part of one message, and no other message.
INF_CASES = [
    ('complete', [], [], [], 'ascii', [], []),
    ('UTF-16LE with its BOM', [], [], [], 'utf-16', [], []),
    ('UTF-8 with its BOM', [('VELTA="VELTA"', 'VELTA="VELTA 中文"')], [], [], 'utf-8-sig', [], []),
    ('names and sections in other cases', [('[Version]', '[version]'), ('Class=Printer', 'CLASS=printer'),
      ('[VELTA.NTamd64]', '[velta.ntAMD64]'), ('[SourceDisksFiles]', '[SOURCEDISKSFILES]')], [], [], 'ascii', [], []),
    ('files named in another case than on the disc', [('TMU210BR.DLL = 1', 'tmu210br.dll = 1')], [], [], 'ascii', [], []),
    ('comments and quoted values', [('Class=Printer', 'Class = "Printer" ; a comment, = and all'),
      ('= TMU210B, VELTAVT-480QX\n', '= TMU210B, VELTAVT-480QX ; "a" comment\n')], [], [], 'ascii', [], []),
    ('a %string% model', [('"EPSON TM-U210B Partial cut" = TMU210B, VELTAVT-480QX\n\n[TMU', '%M% = TMU210B\n\n[TMU'),
      ('[Strings]', '[Strings]\nM = "EPSON TM-U210B Partial cut"')], [], [], 'ascii', [], []),
    ('decorations with versions, one line', [('VELTA,NTx86,NTamd64', 'VELTA,NTx86,NTamd64.6.0,NTx86.6.0,NTarm64.6.0'),
      ('[VELTA.NTamd64]', '[VELTA.NTamd64.6.0]')], [], [], 'ascii', [], []),
    ('600 random bytes', [('', os.urandom(600).decode('latin-1'))], [], [], 'latin-1', ['no [Version] Class'], []),
    ('a Class not Printer', [('Class=Printer', 'Class=Image')], [], [], 'ascii', ['Class is Image, not Printer'], []),
    ('the model spelt otherwise in its NTamd64 section', [(' Partial cut" = TMU210B, VELTAVT-480QX\n\n[TMU', ' Partial-cut" = TMU210B\n\n[TMU')], [], [], 'ascii',
     [], ['no NTamd64']),
    ('the model in no section', [('"EPSON TM-U210B Partial cut"', '"EPSON TM-U210"')], [], [], 'ascii',
     ['"EPSON TM-U210B Partial cut" is in none of its models sections'], []),
    ('a Windows 2000 INF, models undecorated', [('VELTA,NTx86,NTamd64', 'VELTA'), ('[VELTA.NTx86]', '[VELTA]'),
      ('[VELTA.NTamd64]', '[OTHER]')], [], [], 'ascii', [], ['in no NTamd64 models section: 64-bit Windows']),
    ('decorated NT', [('VELTA,NTx86,NTamd64', 'VELTA,NT'), ('[VELTA.NTx86]', '[VELTA.NT]'), ('[VELTA.NTamd64]', '[OTHER]')],
     [], [], 'ascii', [], ['no NTamd64']),
    ('NTamd64 alone', list(AMD64_ONLY), ['i386/TMU210B.GPD'], [], 'ascii', [],
     ['in no 32-bit models section (undecorated, NT or NTx86): 32-bit Windows cannot']),
    ('no CatalogFile', [('CatalogFile=velta480.cat', '')], ['velta480.cat'], [], 'ascii', [],
     ['no CatalogFile: an unsigned driver']),
    ('its catalog missing', [], ['velta480.cat'], [], 'ascii', ['its catalog velta480.cat is not in Driver/WIN2000/ESC模式'], []),
    ('a file missing for x86', [], ['i386/TMU210BR.DLL'], [], 'ascii',
     ['TMU210BR.DLL ([SourceDisksFiles]), which x86 Windows needs, is not in Driver/WIN2000/ESC模式/i386'], []),
    ('a file missing for amd64', [], ['amd64/TMU210B.GPD'], [], 'ascii',
     ['TMU210B.GPD ([SourceDisksFiles]), which amd64 Windows needs, is not in Driver/WIN2000/ESC模式/amd64'], []),
    ('a decorated [SourceDisksFiles.amd64] entry, in a subfolder of its own',
     [('[Strings]', '[SourceDisksFiles.amd64]\nTMU210BR.DLL = 1,x64\n[Strings]')], ['amd64/TMU210BR.DLL'],
     ['amd64/x64/TMU210BR.DLL'], 'ascii', [], []),
    ('and that file missing', [('[Strings]', '[SourceDisksFiles.amd64]\nTMU210BR.DLL = 1,x64\n[Strings]')], [], [], 'ascii',
     ['TMU210BR.DLL ([SourceDisksFiles.amd64]), which amd64 Windows needs, is not in Driver/WIN2000/ESC模式/amd64/x64'], []),
    ('one disk for both, a file in its own subfolder', [('[SourceDisksNames.x86]\n1 = %DISK%,,,\\i386', '[SourceDisksNames]\n1 = %DISK%'),
      ('[SourceDisksNames.amd64]\n1 = %DISK%,,,\\amd64', ''), ('TMU210B.GPD  = 1', 'TMU210B.GPD = 1,i386')],
     ['amd64/TMU210B.GPD'], [], 'ascii', ['TMU210BR.DLL ([SourceDisksFiles]), which amd64 Windows needs, is not in Driver/WIN2000/ESC模式',
                                          'TMU210BR.DLL ([SourceDisksFiles]), which x86 Windows needs, is not in Driver/WIN2000/ESC模式'], []),
    ('a disk no [SourceDisksNames] has', [('TMU210B.GPD  = 1', 'TMU210B.GPD = 2'), *AMD64_ONLY], [], [], 'ascii',
     ['TMU210B.GPD ([SourceDisksFiles]) names a disk that [SourceDisksNames] lacks: amd64 Windows'], ['no 32-bit']),
]


def write(top, rel, data):
    os.makedirs(os.path.dirname(os.path.join(top, rel)), exist_ok=True)
    with open(os.path.join(top, rel), 'wb') as f:
        f.write(data)


class InfRules(unittest.TestCase):
    def test_each_case(self):
        for case, edits, gone, added, encoding, refusals, warnings in INF_CASES:
            with self.subTest(case), tempfile.TemporaryDirectory() as top:
                text = COMPLETE
                for old, new in edits:
                    self.assertIn(old, text, case)
                    text = new if not old else text.replace(old, new)
                write(top, INF, text.replace('\n', '\r\n').encode(encoding))
                for f in set(FILES) - set(gone) | set(added):
                    write(top, os.path.dirname(INF) + '/' + f, b'stand-in')
                refused, warned = disc_rules.check_inf(top, INF, MODEL)
                for want, got in ((refusals, refused), (warnings, warned)):
                    self.assertEqual(len(want), len(got), got)
                    for w in want:
                        self.assertTrue(any(w in g and g.startswith(INF + ': ') for g in got), (w, got))

    def test_files_the_sample_cd_needs(self):
        inf = disc_rules.Inf(COMPLETE.encode())
        self.assertEqual([('TMU210B.GPD', 'amd64', '[SourceDisksFiles]'), ('TMU210BR.DLL', 'amd64', '[SourceDisksFiles]')],
                         [(n, d, '[%s]' % s) for n, d, s, known in disc_rules.needed_files(inf, 'amd64') if known])


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
