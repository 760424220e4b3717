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
      menu runs on, saying whether it installs there or why not (then a
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
    """An INF's text: UTF-16LE or UTF-8 by their BOMs, else ANSI, of which
    the rules need only ASCII."""
    if data.startswith(codecs.BOM_UTF16_LE):
        return data[2:].decode('utf-16-le', 'replace')
    if data.startswith(codecs.BOM_UTF8):
        return data[3:].decode('utf-8', 'replace')
    return data.decode('latin-1')


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
ZH_CN = ('strings.0804', 'strings.0004')


class Inf:
    """Sections by their names without case, each a list of (key or None,
    fields); same-named sections are one, as setup merges them."""

    def __init__(self, data):
        self.sections, section = {}, None
        for line in logical_lines(decode(data)):
            if line.startswith('['):
                section = self.sections.setdefault(line[1:line.find(']')].strip().lower(), [])
            elif section is not None and line:
                key, eq, value = self.split_key(line)
                section.append((key, fields(value)) if eq else (None, fields(line)))
        # %strkey% as Windows finds it: in [Strings], and on Simplified
        # Chinese Windows first in its own language's section.
        self.strings, self.strings_zh_cn = {}, {}
        for name in ('strings',) + ZH_CN[::-1]:
            found = {k.lower(): v[0] if v else '' for k, v in self.sections.get(name, []) if k}
            self.strings_zh_cn.update(found)
            if name == 'strings':
                self.strings.update(found)

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

    def localised(self):
        """Whether Simplified Chinese Windows reads strings of its own."""
        return any(n in self.sections for n in ZH_CN)

    def resolve(self, text, zh_cn=False):
        """%key% from [Strings], or as Simplified Chinese Windows finds it;
        %% is a %."""
        table = self.strings_zh_cn if zh_cn else self.strings
        return re.sub(r'%([^%]*)%', lambda m: table.get(m.group(1).lower(), m.group(0)) if m.group(1) else '%', text)

    def entries(self, name, zh_cn=False):
        return [(self.resolve(k, zh_cn) if k else k, [self.resolve(f, zh_cn) for f in v])
                for k, v in self.sections.get(name.lower(), [])]

    def value(self, section, key):
        return next((v[0] for k, v in self.entries(section) if k and k.lower() == key.lower() and v), None)


# The Windows the menu runs on, each as setup reads a printer INF there: its
# usual name, the architecture of the printui the menu starts (the native
# one, through Sysnative), and its version and first build.
WINDOWS = [
    ('Windows 2000', 'x86', (5, 0, 2195)),
    ('Windows XP', 'x86', (5, 1, 2600)),
    ('Windows Server 2003', 'x86', (5, 2, 3790)),
    ('Windows XP x64 and Server 2003 x64', 'amd64', (5, 2, 3790)),
    ('Windows Vista', 'x86', (6, 0, 6000)),
    ('Windows Vista x64', 'amd64', (6, 0, 6000)),
    ('Windows 7', 'x86', (6, 1, 7600)),
    ('Windows 7 x64', 'amd64', (6, 1, 7600)),
    ('Windows 8', 'x86', (6, 2, 9200)),
    ('Windows 8 x64', 'amd64', (6, 2, 9200)),
    ('Windows 8.1', 'x86', (6, 3, 9600)),
    ('Windows 8.1 x64', 'amd64', (6, 3, 9600)),
    ('Windows 10', 'x86', (10, 0, 10240)),
    ('Windows 10 x64', 'amd64', (10, 0, 10240)),
    ('Windows 11', 'amd64', (10, 0, 22000)),
    ('Windows 11 on ARM', 'arm64', (10, 0, 22000)),
]
ARCHS = ('x86', 'amd64', 'arm64')


def decoration_rank(decoration, arch, version):
    """How well a [Manufacturer] decoration, NT[arch][.major[.minor[.product
    [.suite[.build]]]]], serves Windows VERSION (major, minor, build) on
    ARCH, a workstation with no suite: None if not at all, else a rank,
    higher better: the nearest version at or below the running one, then
    an architecture named, then a product type named. 64-bit Windows takes
    only a decoration that names its architecture."""
    m = re.fullmatch(r'nt(x86|amd64|arm64|ia64|arm)?((?:\.[^.]*){0,5})', decoration.lower())
    if not m:
        return None
    try:
        major, minor, product, suite, build = [int(f, 0) if f else None for f in (m.group(2).split('.')[1:] + [''] * 5)[:5]]
    except ValueError:
        return None
    if m.group(1) != arch and (m.group(1) or arch != 'x86'):
        return None
    if major is None and minor is not None or product not in (None, 1) or suite:
        return None
    wanted = (major or 0, minor or 0, build or 0)
    if wanted[:2] > version[:2] or wanted[2] > version[2]:
        return None
    return wanted, m.group(1) is not None, product is not None


def models_sections(inf, arch, version):
    """[(models section, why it is the one)] that setup reads on VERSION and
    ARCH, one per [Manufacturer] entry that has one there."""
    out = []
    for _, value in inf.entries('Manufacturer'):
        if not value or not value[0]:
            continue
        base, decorations = value[0], [d for d in value[1:] if d]
        if version[:2] == (5, 0):  # Windows 2000 knows no decorations
            out.append((base, 'Windows 2000 reads only the undecorated one'))
            continue
        ranked = [(r, d) for d in decorations for r in [decoration_rank(d, arch, version)] if r]
        if ranked:
            rank, best = max(ranked)
            out.append((base + '.' + best, 'the best of [Manufacturer]\'s ' + ', '.join(decorations) + ' there'))
        elif arch == 'x86':
            out.append((base, 'no decoration of [Manufacturer]\'s serves it'))
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


def check_inf(top, rel, model):
    """(refusals, rows) for the INF at TOP/REL and the standard driver's
    MODEL: a row (name, installs, warns, what) for each Windows the menu
    runs on, what saying how it installs there or why it cannot; a row
    that cannot, or installs an unsigned driver, warns."""
    where = os.path.dirname(rel)
    try:
        with open(os.path.join(top, rel), 'rb') as f:
            inf = Inf(f.read())
    except OSError as e:
        return ['%s: %s' % (rel, e.strerror)], []
    cls = inf.value('Version', 'Class')
    if (cls or '').lower() != 'printer':
        return ['%s: %s, not Printer: Windows installs no printer from it'
                % (rel, 'its [Version] Class is ' + cls if cls is not None else 'it has no [Version] Class')], []
    refused, rows, missing = [], [], {}

    def files_missing(arch):
        """Why ARCH cannot copy its files; each refused once."""
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

    def holds(section, zh_cn):
        return any(k and k.lower() == model.lower() for k, _ in inf.entries(section, zh_cn))

    for name, arch, version in WINDOWS:
        picked = models_sections(inf, arch, version)
        serving = [s for s, _ in picked if holds(s, False)]
        cat = catalog(inf, arch)
        if not picked:
            why = 'no models section for it: [Manufacturer] names no NT%s decoration, and %s' % (
                arch, 'none serves it' if arch == 'x86' else '64-bit Windows never reads an undecorated one')
        elif not serving:
            section, how = picked[0]
            why = ('"%s" is not in [%s], the models section it reads (%s)' % (model, section, how)
                   if section.lower() in inf.sections else
                   'the models section it reads, [%s] (%s), is not in the INF' % (section, how))
        elif inf.localised() and not holds(serving[0], True):
            why = ('Simplified Chinese Windows, the menu\'s users\', names its models by [Strings.0804], '
                   'and "%s" is then not in [%s]' % (model, serving[0]))
        else:
            why = '; '.join(files_missing(arch) + (['its catalog %s is not in %s' % (cat, where)]
                                                   if cat and find(os.path.join(top, where), cat) is None else []))
        if why:
            rows.append((name, False, True, 'cannot install the standard driver: ' + why))
        elif cat:
            rows.append((name, True, False, 'installs ([%s]%s, %s)' % (
                serving[0], ', on Simplified Chinese Windows too ([Strings.0804])' if inf.localised() else '', cat)))
        else:
            rows.append((name, True, True, 'installs an unsigned driver ([%s]): no CatalogFile.NT%s or CatalogFile, and '
                         'Windows asks the user first%s' % (serving[0], arch, ', or refuses it' if arch != 'x86' else '')))
    catalogs = {v[0] for k, v in inf.entries('Version') if k and k.lower().startswith('catalogfile') and v and v[0]}
    for cat in sorted(catalogs):
        if find(os.path.join(top, where), cat) is None:
            refused.append('%s: its catalog %s is not in %s' % (rel, cat, where))
    if not any(row[1] for row in rows):
        refused.append('%s: no Windows can install the standard driver "%s" from it (above)' % (rel, model))
    return refused, rows


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
