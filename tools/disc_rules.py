#!/usr/bin/python3
"""What Windows will make of a maker's disc, before any image is written.

  disc_rules.py names FOLDER
      every name Windows cannot open or tell from another, every path too
      long for it, every file too big for ISO 9660 and every link to a
      folder it lies in, on stderr; the disc's size in bytes on stdout;
      exit 1 if any
  disc_rules.py inf FOLDER INF MODEL
      the printer INF (INF, below FOLDER) as Windows' setup reads it for
      the standard driver's MODEL, on stderr: a line for each Windows the
      menu runs on, saying whether it installs there, may not, or why not (then a
      warning), and what makes the INF unusable, exit 1
  disc_rules.py inf-files INF
      the files beside INF that the INF needs, one a line (the sample CD's
      stand-ins are made from them)

Standard library only: the tables in tests/native/test_disc_rules.py run
each rule without a build, xorriso or OpenSSL.
"""
import codecs
import os
import re
import sys

# ---- names ----

DEVICES = {'CON', 'PRN', 'AUX', 'NUL'} | {p + d for p in ('COM', 'LPT') for d in '0123456789¹²³'}


def name_rules(rel, name):
    """Why Windows cannot use NAME at REL (below the disc's root), by rule."""
    rules = []
    if set(name) & set('"*:<>?\\|') or min(name) < ' ':
        rules.append('Windows allows none of " * : < > ? \\ | in a name')
    if name[-1] in '. ':
        rules.append('Windows drops a dot or a blank at the end of a name')
    if name.split('.')[0].rstrip(' ').upper() in DEVICES:
        rules.append('%s is a device to Windows' % name.split('.')[0])
    length = len(rel.encode('utf-16-le', 'surrogatepass')) // 2
    if length > 256:
        rules.append('%d characters below the root: Windows opens 256 at most (259 with D:\\)' % length)
    return rules


def fold(rel):
    """REL as Windows' CD file system compares it: without case, in any
    script (a letter whose capital is two letters keeps its case)."""
    return ''.join(c.upper() if len(c.upper()) == 1 else c for c in rel)


def size_rule(n):
    return ['%d bytes: a file on the disc must be under 4 GiB (ISO 9660)' % n] if n >= 4 << 30 else []


def check_names(top):
    """(messages, the disc's size) for the tree at TOP, links followed."""
    seen, bad, size, looped = {}, [], 1 << 20, set()
    for parent, dirs, files in os.walk(top, followlinks=True):
        # The folders this one lies in, as they really are: a link to one of
        # them (Driver/loop -> ..) would hold the tree again without end.
        rel_parent = os.path.relpath(parent, top)
        steps = [] if rel_parent == '.' else rel_parent.split(os.sep)
        above = {os.path.realpath(os.path.join(top, *steps[:i])) for i in range(len(steps) + 1)}
        loops = [d for d in dirs if os.path.islink(os.path.join(parent, d))
                 and os.path.realpath(os.path.join(parent, d)) in above]
        for name in loops:
            # Each link once, however many ways the walk reaches it.
            if (os.path.realpath(parent), name) not in looped:
                looped.add((os.path.realpath(parent), name))
                bad.append('%s: a link to %s, a folder it lies in: a loop, which the disc would hold without end'
                           % (os.path.relpath(os.path.join(parent, name), top), os.readlink(os.path.join(parent, name))))
        dirs[:] = [d for d in dirs if d not in loops]
        for name in sorted(dirs) + sorted(files):
            rel = os.path.relpath(os.path.join(parent, name), top)
            rules = name_rules(rel, name)
            if fold(rel) in seen:
                rules.append('the same name to Windows, which ignores case, as ' + seen[fold(rel)])
            seen.setdefault(fold(rel), rel)
            if name in files:
                try:
                    n = os.stat(os.path.join(parent, name)).st_size
                except OSError as e:
                    rules.append(e.strerror)
                    n = 0
                rules += size_rule(n)
                size += -(-n // 2048) * 2048
            bad += ['%s: %s' % (rel, r) for r in rules]
    return bad, size


# ---- the printer INF ----

def decode(data):
    """(the INF's text as setup reads it on Simplified Chinese Windows, why
    that reading may not be the one meant or None). "Creating International
    INF Files": an INF not in UTF-16 is read in the system's ANSI code page,
    936 here; "General Unicode requirement in INF files": never UTF-8."""
    if data.startswith(codecs.BOM_UTF16_LE):
        return data[2:].decode('utf-16-le', 'replace'), None
    if data.startswith(codecs.BOM_UTF16_BE):
        # The pages allow either byte order; a driver-samples maintainer and
        # a public report say setup reads little-endian only.
        return data[2:].decode('utf-16-be', 'replace'), \
            'it is UTF-16 big-endian, which setup is reported to read wrongly: save it as UTF-16 little-endian'
    why = None
    if data.startswith(codecs.BOM_UTF8):
        # Read as ANSI: the BOM is three characters of the first line.
        why = ('it is UTF-8, which setup reads as ANSI (code page 936 on Simplified Chinese Windows), every character '
               'beyond ASCII garbled: save it as UTF-16 little-endian')
    return data.decode('gbk', 'replace'), why


def logical_lines(text):
    """The INF's lines as setup reads them: comments (a ; outside quotes, to
    the line's end) gone, and a line whose last thing outside quotes is a
    backslash, blanks or a comment at most after it, joined to the next
    one, whose leading blanks go. A backslash with anything else after it
    is a character of the value; quotes end with their line."""
    out, pending = [], None
    for raw in text.splitlines():
        line = raw if pending is None else pending + raw.lstrip()
        pending, quoted, kept = None, False, ''
        for i, c in enumerate(line):
            if c == '"':
                quoted = not quoted
            elif not quoted and c == ';':
                break
            elif not quoted and c == '\\' and re.fullmatch(r'[\s\\]*(;.*)?', line[i + 1:]):
                pending = kept
                break
            kept += c
        if pending is None:
            out.append(kept.strip())
    return out + ([pending.strip()] if pending is not None else [])


def fields(text):
    """A line's comma-separated fields, quotes taken off ("" is one quote)."""
    out, field, quoted, i = [], '', False, 0
    while i < len(text):
        c = text[i]
        if c == '"':
            if quoted and text[i + 1:i + 2] == '"':
                field += '"'
                i += 1
            else:
                quoted = not quoted
        elif c == ',' and not quoted:
            out.append(field.strip())
            field = ''
        else:
            field += c
        i += 1
    return out + [field.strip()]


# Where a Simplified Chinese Windows, the menu's users' own, finds %strkey%
# first (its language, then Chinese in general).


# Simplified Chinese, the menu's users' language.
ZH_CN = 0x0804


class Inf:
    """Sections by their names without case, each a list of (key or None,
    fields); same-named sections are one, as setup merges them."""

    def __init__(self, data):
        self.sections, section = {}, None
        text, self.encoding = decode(data)
        for line in logical_lines(text):
            if line.startswith('['):
                section = self.sections.setdefault(line[1:line.find(']')].strip().lower(), [])
            elif section is not None and line:
                key, eq, value = self.split_key(line)
                section.append((key, fields(value)) if eq else (None, fields(line)))
        self.strings = self.table('strings')
        zh_section, self.zh_why = self.strings_section(ZH_CN)
        self.zh_strings = self.table(zh_section)
        self.zh_section = 'Strings' + zh_section[7:].upper()

    def table(self, name):
        return {k.lower(): v[0] if v else '' for k, v in self.sections.get(name, []) if k}

    def strings_section(self, lang):
        """The one Strings section setup reads on Windows of language LANG
        ("INF Strings Section"): the language itself, then its neutral
        sublanguage, then any sublanguage of it, then [Strings]; and why that
        pick may not be setup's."""
        for name in ('strings.%04x' % lang, 'strings.%04x' % (lang & 0x3FF)):
            if name in self.sections:
                return name, None
        same = sorted(n for n in self.sections if re.fullmatch(r'strings\.[0-9a-f]{4}', n)
                      and int(n[8:], 16) & 0x3FF == lang & 0x3FF)
        if len(same) > 1:
            return same[0], 'which of [%s] setup reads on it is not documented' % '], ['.join(same)
        return (same or ['strings'])[0], None

    @staticmethod
    def split_key(line):
        """key, '=', value: an = inside quotes is no key's."""
        quoted = False
        for i, c in enumerate(line):
            if c == '"':
                quoted = not quoted
            elif c == '=' and not quoted:
                return fields(line[:i])[0], '=', line[i + 1:]
        return None, '', line

    def resolve(self, text, zh_cn=False, borrowed=None):
        """%key% from [Strings], or from the one section Simplified Chinese
        Windows reads; %% is a %. A key that section lacks and [Strings]
        has goes into BORROWED: setup may not look there."""
        def one(m):
            key = m.group(1).lower()
            if not key:
                return '%'
            table = self.zh_strings if zh_cn else self.strings
            if key in table:
                return table[key]
            if zh_cn and key in self.strings and borrowed is not None:
                borrowed.add(m.group(1))
                return self.strings[key]
            return m.group(0)
        return re.sub(r'%([^%]*)%', one, text)

    def entries(self, name, zh_cn=False, borrowed=None):
        return [(self.resolve(k, zh_cn, borrowed) if k else k, [self.resolve(f, zh_cn, borrowed) for f in v])
                for k, v in self.sections.get(name.lower(), [])]

    def value(self, section, key):
        return next((v[0] for k, v in self.entries(section) if k and k.lower() == key.lower() and v), None)

    def values(self, section, key):
        """Every field of every KEY= line, in order."""
        return [f for k, v in self.entries(section) if k and k.lower() == key.lower() for f in v if f]


WORKSTATION, DOMAIN_CONTROLLER, SERVER = 1, 2, 3
PRODUCTS = {WORKSTATION: 'workstation', DOMAIN_CONTROLLER: 'domain controller', SERVER: 'server'}
# OSVERSIONINFOEX: VER_SUITE_TERMINAL is always set, and from XP on a
# workstation has VER_SUITE_SINGLEUSERTS; every other suite bit is an
# edition's.
SUITE_ALWAYS = {WORKSTATION: 0x110, DOMAIN_CONTROLLER: 0x10, SERVER: 0x10}
# "Combining Platform Extensions with Operating System Versions": setup
# reads a decoration's BuildNumber from Windows 10 1607, build 14310, on;
# before it, "will not parse unknown decorations".
BUILDS_READ = 14310

# The Windows the menu runs on, each as setup reads a printer INF there: its
# usual name, the architecture of the printui the menu starts (the native
# one, through Sysnative), its version, its first and last builds, and its
# product types (a server may be a domain controller).
WINDOWS = [
    ('Windows 2000', 'x86', (5, 0), (2195, 2195), (WORKSTATION,)),
    ('Windows XP', 'x86', (5, 1), (2600, 2600), (WORKSTATION,)),
    ('Windows Server 2003', 'x86', (5, 2), (3790, 3790), (SERVER, DOMAIN_CONTROLLER)),
    ('Windows XP x64', 'amd64', (5, 2), (3790, 3790), (WORKSTATION,)),
    ('Windows Server 2003 x64', 'amd64', (5, 2), (3790, 3790), (SERVER, DOMAIN_CONTROLLER)),
    ('Windows Vista', 'x86', (6, 0), (6000, 6003), (WORKSTATION,)),
    ('Windows Vista x64', 'amd64', (6, 0), (6000, 6003), (WORKSTATION,)),
    ('Windows Server 2008', 'x86', (6, 0), (6001, 6003), (SERVER, DOMAIN_CONTROLLER)),
    ('Windows Server 2008 x64', 'amd64', (6, 0), (6001, 6003), (SERVER, DOMAIN_CONTROLLER)),
    ('Windows 7', 'x86', (6, 1), (7600, 7601), (WORKSTATION,)),
    ('Windows 7 x64', 'amd64', (6, 1), (7600, 7601), (WORKSTATION,)),
    ('Windows Server 2008 R2', 'amd64', (6, 1), (7600, 7601), (SERVER, DOMAIN_CONTROLLER)),
    ('Windows 8', 'x86', (6, 2), (9200, 9200), (WORKSTATION,)),
    ('Windows 8 x64', 'amd64', (6, 2), (9200, 9200), (WORKSTATION,)),
    ('Windows Server 2012', 'amd64', (6, 2), (9200, 9200), (SERVER, DOMAIN_CONTROLLER)),
    ('Windows 8.1', 'x86', (6, 3), (9600, 9600), (WORKSTATION,)),
    ('Windows 8.1 x64', 'amd64', (6, 3), (9600, 9600), (WORKSTATION,)),
    ('Windows Server 2012 R2', 'amd64', (6, 3), (9600, 9600), (SERVER, DOMAIN_CONTROLLER)),
    ('Windows 10', 'x86', (10, 0), (10240, 19045), (WORKSTATION,)),
    ('Windows 10 x64', 'amd64', (10, 0), (10240, 19045), (WORKSTATION,)),
    ('Windows Server 2016 to 2025', 'amd64', (10, 0), (14393, 26100), (SERVER, DOMAIN_CONTROLLER)),
    ('Windows 11', 'amd64', (10, 0), (22000, 26200), (WORKSTATION,)),
    ('Windows 11 on ARM', 'arm64', (10, 0), (22000, 26200), (WORKSTATION,)),
]
ARCHS = ('x86', 'amd64', 'arm64')


def decoration(text):
    """NT[arch][.major[.minor[.product[.suite[.build]]]]] as (arch, major,
    minor, product, suite, build), each None when not given; None when it
    is no decoration."""
    m = re.fullmatch(r'nt(x86|amd64|arm64|ia64|arm)?((?:\.[^.]*){0,5})', text.lower())
    if not m:
        return None
    try:
        return (m.group(1),) + tuple(int(f, 0) if f else None for f in (m.group(2).split('.')[1:] + [''] * 5)[:5])
    except ValueError:
        return None


def decoration_serves(dec, arch, version, build, product, suite):
    """Whether setup on Windows VERSION (major, minor), build BUILD, of
    PRODUCT type and SUITE, on ARCH, takes the decoration DEC. 64-bit
    Windows takes only one that names its architecture."""
    dec_arch, major, minor, dec_product, dec_suite, dec_build = dec
    if dec_arch != arch and (dec_arch or arch != 'x86'):
        return False
    if major is None and minor is not None:
        return False
    if dec_build is not None:
        # Read only from 1607 on, and only where major.minor are the
        # decoration's: a newer Windows takes it whatever its build.
        if build < BUILDS_READ or ((major or 0, minor or 0) == version and build < dec_build):
            return False
    if (major or 0, minor or 0) > version:
        return False
    # A product type matches exactly; a suite mask needs all its bits.
    if dec_product is not None and dec_product != product:
        return False
    return not dec_suite or dec_suite & suite == dec_suite


def models_sections(inf, arch, version, build, product, suite):
    """[(models section, why it is the one, why setup may read another)]
    that setup reads at this point, one per [Manufacturer] entry that has
    one there: the nearest version, then the most specific."""
    out = []
    for _, value in inf.entries('Manufacturer'):
        if not value or not value[0]:
            continue
        base, decorations = value[0], [d for d in value[1:] if d]
        if version == (5, 0):  # Windows 2000 knows no decorations
            out.append((base, 'Windows 2000 reads only the undecorated one', None))
            continue
        ranked = []
        for text in decorations:
            dec = decoration(text)
            if dec and decoration_serves(dec, arch, version, build, product, suite):
                _, major, minor, dec_product, dec_suite, dec_build = dec
                ranked.append(((major or 0, minor or 0, dec_build or 0), dec[0] is not None,
                               dec_product is not None, bool(dec_suite), text))
        if ranked:
            rank = max(ranked)
            doubt = None
            if rank[0][2] and rank[0][2] < BUILDS_READ:
                doubt = ('its decoration %s names build %d, below %d, where setup began to read builds: what setup '
                         'makes of it is not documented' % (rank[-1], rank[0][2], BUILDS_READ))
            out.append((base + '.' + rank[-1], 'the best of [Manufacturer]\'s ' + ', '.join(decorations) + ' there', doubt))
        elif arch == 'x86':
            out.append((base, 'no decoration of [Manufacturer]\'s serves it', None))
    return out


def find(top, rel):
    """TOP/REL, each step matched without case as Windows does; None when
    it is not there."""
    path = top
    for step in [s for s in re.split(r'[\\/]+', rel) if s and s != '.']:
        try:
            match = [n for n in os.listdir(path) if n.lower() == step.lower()]
        except OSError:
            return None
        if not match:
            return None
        path = os.path.join(path, sorted(match)[0])
    return path


def needed_files(inf, arch):
    """(file, the folder it lies in below the INF's, the section that names
    it, whether its disk is known) for each file setup copies on ARCH; a
    per-architecture entry wins."""
    disks = {k.lower(): v for k, v in inf.entries('SourceDisksNames') if k}
    disks.update({k.lower(): v for k, v in inf.entries('SourceDisksNames.' + arch) if k})
    files = {}
    for section in ('SourceDisksFiles', 'SourceDisksFiles.' + arch):
        for k, v in inf.entries(section):
            if k:
                files[k.lower()] = (k, v, section)
    out = []
    for name, value, section in files.values():
        disk = disks.get(value[0].lower() if value else '')
        folder = '\\'.join(p.strip('\\') for p in ((disk[3] if disk and len(disk) > 3 else ''),
                                                   (value[1] if len(value) > 1 else '')) if p.strip('\\'))
        out.append((name, folder, section, disk is not None))
    return sorted(out)


def catalog(inf, arch):
    """The catalog setup checks the driver against on ARCH, if any."""
    return next(filter(None, (inf.value('Version', 'CatalogFile' + d) for d in ('.NT' + arch, '.NT', ''))), None)




# The core printing files, which NTPRINT.INF brings to an INF that includes
# it ("Printer INF File Entries"; Unidrv's and PScript's own pages).
CORE_PRINT_FILES = {'UNIDRV.DLL', 'UNIDRVUI.DLL', 'UNIRES.DLL', 'UNIDRV.HLP', 'STDNAMES.GPD', 'STDDTYPE.GDL',
                    'STDSCHEM.GDL', 'STDSCHMX.GDL', 'TTFSUB.GPD', 'PSCRIPT5.DLL', 'PS5UI.DLL', 'PSCRIPT.HLP',
                    'PSCRIPT.NTF', 'PSCRPTFE.NTF', 'PS_SCHM.GDL'}
PRINTER_FILES = ('DriverFile', 'DataFile', 'ConfigFile', 'HelpFile')


def install_section(inf, name, arch):
    """The model's install section as setup picks it on ARCH ("INF
    DDInstall Section"): .NT<arch>, then .NT, then undecorated."""
    return next((s for s in (name + '.NT' + arch, name + '.NT', name) if s.lower() in inf.sections), None)


def install_files(inf, section):
    """([(file, what names it)], whether it includes system INFs) for an
    install section: each file its CopyFiles lists copy (the source name
    where a line gives one; @file names one directly), and each printer
    file it names; a CopyFiles list the INF lacks as (None, its name)."""
    out = []
    for ref in inf.values(section, 'CopyFiles'):
        if ref.startswith('@'):
            out.append((ref[1:].strip(), 'CopyFiles=' + ref))
        elif ref.lower() not in inf.sections:
            out.append((None, ref))
        else:
            for key, value in inf.entries(ref):
                names = ([key] if key else []) + value
                source = names[1] if len(names) > 1 and names[1] else names[0]
                if source:
                    out.append((source, '[%s]' % ref))
    out += [(f, d) for d in PRINTER_FILES for f in [inf.value(section, d)] if f]
    return out, bool(inf.values(section, 'Include') or inf.values(section, 'Needs'))


def file_rules(inf, top, where, arch, version, section):
    """[(status, why)] for the files an install section needs that are not
    in [SourceDisksFiles] (those are checked with every listed file)."""
    listed = {n.lower() for n, _, _, _ in needed_files(inf, arch)}
    files, includes = install_files(inf, section)
    copied = {f.lower() for f, by in files if f and by not in PRINTER_FILES}
    out, seen = [], set()
    for name, by in files:
        if name is None:
            out.append(('cannot', 'its CopyFiles list [%s] is not in the INF' % by))
            continue
        if name.lower() in listed or name.lower() in seen:
            continue
        seen.add(name.lower())
        only_named = by in PRINTER_FILES and name.lower() not in copied
        if only_named and includes and name.upper() in CORE_PRINT_FILES:
            continue
        if find(os.path.join(top, where), name) is not None:
            # "INF SourceDisksFiles Section": from Vista the driver store
            # stages only the files listed there.
            if version >= (6, 0):
                out.append(('cannot', '%s (%s) is beside the INF but not in [SourceDisksFiles], and from Vista on setup '
                            'copies only listed files' % (name, by)))
            else:
                out.append(('may', '%s (%s) is beside the INF but not in [SourceDisksFiles]' % (name, by)))
        elif only_named and includes:
            out.append(('may', '%s (%s) is not on the disc, nor one of the core printing files that NTPRINT.INF '
                        'brings' % (name, by)))
        else:
            out.append(('cannot', '%s (%s) is not on the disc' % (name, by)))
    return out


def check_inf(top, rel, model):
    """(refusals, rows) for the INF at TOP/REL and the standard driver's
    MODEL: a row (name, installs, warns, what) for each Windows the menu
    runs on, installs True, False, or None where it may not or not on
    every build, product or edition; what says how it installs there or
    why it cannot, per build, product or edition where they differ."""
    where = os.path.dirname(rel)
    try:
        with open(os.path.join(top, rel), 'rb') as f:
            inf = Inf(f.read())
    except OSError as e:
        return ['%s: %s' % (rel, e.strerror)], []
    # "INF Version Section": $Windows NT$ or $Chicago$, in any case; older
    # pages add $Windows 95$.
    signature = inf.value('Version', 'Signature')
    if (signature or '').lower() not in ('$windows nt$', '$chicago$', '$windows 95$'):
        return ['%s: %s, not $Windows NT$ or $Chicago$: setup takes it for no INF%s' % (
            rel, 'its [Version] Signature is ' + signature if signature is not None else 'it has no [Version] Signature',
            ' (' + inf.encoding + ')' if inf.encoding else '')], []
    cls = inf.value('Version', 'Class')
    if (cls or '').lower() != 'printer':
        return ['%s: %s, not Printer: Windows installs no printer from it'
                % (rel, 'its [Version] Class is ' + cls if cls is not None else 'it has no [Version] Class')], []
    doubts = [d for d in (inf.encoding, inf.zh_why and 'Simplified Chinese Windows reads one Strings section, and ' + inf.zh_why)
              if d]
    if signature.lower() == '$windows 95$':
        doubts.append('its Signature $Windows 95$ is named by older pages only')
    v4 = (inf.value('Version', 'ClassVer') or '').startswith('4')
    refused, missing = [], {}

    def files_missing(arch):
        """Why ARCH cannot copy its listed files; each refused once."""
        if arch not in missing:
            missing[arch] = []
            for name, folder, section, known in needed_files(inf, arch):
                place = '/'.join([where] + folder.split('\\')).rstrip('/')
                if not known:
                    missing[arch].append('%s names a disk that [SourceDisksNames] lacks' % name)
                    refused.append('%s: %s ([%s]) names a disk that [SourceDisksNames] lacks: %s Windows cannot copy it'
                                   % (rel, name, section, arch))
                elif find(os.path.join(top, where), os.path.join(folder, name)) is None:
                    missing[arch].append('%s is not in %s' % (name, place))
                    refused.append('%s: %s ([%s]), which %s Windows needs, is not in %s' % (rel, name, section, arch, place))
        return missing[arch]

    def model_line(section, zh_cn, borrowed=None):
        return next((v for k, v in inf.entries(section, zh_cn, borrowed) if k and k.lower() == model.lower()), None)

    def outcome(arch, version, build, product, suite):
        """(status, what) at one build, product type and suite: status
        installs, unsigned, may or cannot."""
        if v4 and version < (6, 2):
            return 'cannot', 'cannot install the standard driver: it is a v4 printer driver (ClassVer=4.0), which ' \
                             'Windows 8 and later alone install'
        picked = models_sections(inf, arch, version, build, product, suite)
        serving = [p for p in picked if model_line(p[0], False) is not None]
        cannot, may = [], list(doubts)
        if not picked:
            cannot.append('no models section for it: no NT%s decoration of [Manufacturer]\'s serves it, and %s' % (
                arch, 'nor does an undecorated one' if arch == 'x86' else '64-bit Windows never reads an undecorated one'))
        elif not serving:
            section, how, _ = picked[0]
            cannot.append('"%s" is not in [%s], the models section it reads (%s)' % (model, section, how)
                          if section.lower() in inf.sections else
                          'the models section it reads, [%s] (%s), is not in the INF' % (section, how))
        else:
            section, _, doubt = serving[0]
            may += [doubt] if doubt else []
            borrowed = set()
            if inf.zh_section != 'Strings' and model_line(section, True, borrowed) is None:
                cannot.append('Simplified Chinese Windows, the menu\'s users\', names its models by [%s], and "%s" '
                              'is then not in [%s]' % (inf.zh_section, model, section))
            elif borrowed:
                may.append('Simplified Chinese Windows reads [%s] alone, which lacks %s; "You do need to duplicate '
                           'all string tokens across all Strings sections"' % (inf.zh_section, ', '.join(sorted(borrowed))))
            line = model_line(section, False)
            install = install_section(inf, line[0], arch) if line and line[0] else None
            if install is None:
                cannot.append('its install section [%s] is not in the INF' % (line[0] if line else ''))
            else:
                rules = file_rules(inf, top, where, arch, version, install)
                cannot += [w for s, w in rules if s == 'cannot'] + files_missing(arch)
                may += [w for s, w in rules if s == 'may']
        cat = catalog(inf, arch)
        if cat and find(os.path.join(top, where), cat) is None:
            cannot.append('its catalog %s is not in %s' % (cat, where))
        if cannot:
            return 'cannot', 'cannot install the standard driver: ' + '; '.join(cannot)
        if may:
            return 'may', 'may not install the standard driver: ' + '; '.join(may)
        if cat:
            return 'installs', 'installs ([%s]%s, %s)' % (
                section, ', on Simplified Chinese Windows too ([%s])' % inf.zh_section if inf.zh_section != 'Strings' else '',
                cat)
        return 'unsigned', 'installs an unsigned driver ([%s]): no CatalogFile.NT%s or CatalogFile, and Windows asks ' \
                           'the user first%s' % (section, arch, ', or refuses it' if arch != 'x86' else '')

    decorations = [d for _, v in inf.entries('Manufacturer') for d in map(decoration, v[1:]) if d]
    named_builds = {d[5] for d in decorations if d[5]}
    edition_bits = 0
    for d in decorations:
        edition_bits |= d[4] or 0
    rows = []
    for name, arch, version, (first, last), products in WINDOWS:
        # Read at each build where a reading may change: its first, 14310,
        # and each build a decoration names.
        starts = sorted({first} | {b for b in named_builds | {BUILDS_READ} if first < b <= last})
        results = {}
        for product in products:
            for edition in sorted({0, edition_bits}):
                for build in starts:
                    results[(product, edition != 0, build)] = outcome(arch, version, build, product,
                                                                      SUITE_ALWAYS[product] | edition)
        outcomes = list(dict.fromkeys(results.values()))
        statuses = {s for s, _ in outcomes}
        installs = True if statuses <= {'installs', 'unsigned'} else False if statuses == {'cannot'} else None
        if len(outcomes) == 1:
            what = outcomes[0][1]
        else:
            said = [(where_read([k for k, v in results.items() if v == o], results, starts, last), o[1]) for o in outcomes]
            # Of several phrases, the one said last is "otherwise".
            said.sort(key=lambda p: len(p[0]) > 1)
            what = '; '.join('%s: %s' % ('otherwise' if i and len(w) > 1 else ' and '.join(w), o)
                             for i, (w, o) in enumerate(said))
        rows.append((name, installs, statuses != {'installs'}, what))
    catalogs = {v[0] for k, v in inf.entries('Version') if k and k.lower().startswith('catalogfile') and v and v[0]}
    for cat in sorted(catalogs):
        if find(os.path.join(top, where), cat) is None:
            refused.append('%s: its catalog %s is not in %s' % (rel, cat, where))
    if all(row[1] is False for row in rows):
        refused.append('%s: no Windows can install the standard driver "%s" from it (above)' % (rel, model))
    return refused, rows


def where_read(points, results, starts, last):
    """Phrases that tell the builds, product types and editions of POINTS
    (product, edition, build) from the row's others, as few as can."""
    products, editions = {p for p, _, _ in results}, {e for _, e, _ in results}
    cells = {}
    for p, e, b in points:
        cells.setdefault((p, e), set()).add(b)

    def builds(found):
        if len(found) == len(starts):
            return ''
        spans = []
        for i, b in enumerate(starts):
            if b in found:
                end = starts[i + 1] - 1 if i + 1 < len(starts) else last
                if spans and spans[-1][1] == b - 1:
                    spans[-1][1] = end
                else:
                    spans.append([b, end])
        return ', '.join('build %d' % a if a == e else 'builds %d to %d' % (a, e) for a, e in spans)
    words = {c: [('as a ' + PRODUCTS[c[0]]) if len(products) > 1 else '',
                 ('in an edition with the suite bits a decoration names' if c[1] else 'in other editions')
                 if len(editions) > 1 else '', builds(found)] for c, found in cells.items()}
    # A product type or an edition that changes nothing here goes unsaid.
    for i, every in ((0, products), (1, editions)):
        rest = {}
        for c, w in words.items():
            rest.setdefault(tuple(x for j, x in enumerate(w) if j != i), set()).add(c[i])
        if all(values == every for values in rest.values()):
            for w in words.values():
                w[i] = ''
    return list(dict.fromkeys(', '.join(x for x in w if x) for w in words.values()))




def main(argv):
    if len(argv) == 3 and argv[1] == 'names':
        bad, size = check_names(argv[2])
        for b in bad:
            print('make-disc: ' + b, file=sys.stderr)
        print(size)
        return 1 if bad else 0
    if len(argv) == 5 and argv[1] == 'inf':
        refused, rows = check_inf(*argv[2:])
        if rows:
            print('make-disc: the standard driver (%s, "%s"), Windows by Windows:' % tuple(argv[3:]), file=sys.stderr)
        for name, _, warns, what in rows:
            print('make-disc: %s%s: %s' % ('warning: ' if warns else '  ', name, what), file=sys.stderr)
        for r in refused:
            print('make-disc: ' + r, file=sys.stderr)
        return 1 if refused else 0
    if len(argv) == 3 and argv[1] == 'inf-files':
        with open(argv[2], 'rb') as f:
            inf = Inf(f.read())
        paths = {'/'.join(p for p in folder.split('\\') + [name] if p)
                 for arch in ARCHS for name, folder, _, _ in needed_files(inf, arch)}
        paths |= {v[0] for k, v in inf.entries('Version') if k and k.lower().startswith('catalogfile') and v}
        print('\n'.join(sorted(paths)))
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == '__main__':
    sys.exit(main(sys.argv))
