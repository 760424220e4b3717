#!/usr/bin/python3
"""What Windows will make of a maker's disc, before any image is written.

  disc_rules.py names FOLDER
      every name Windows cannot open or tell from another, every path too
      long for it, every file too big for ISO 9660 and every link to a
      folder it lies in, on stderr; the disc's size in bytes on stdout;
      exit 1 if any
  disc_rules.py inf FOLDER INF MODEL
      the printer INF (INF, below FOLDER) as Windows' setup reads it for
      the standard driver's MODEL: what makes it unusable on stderr, exit
      1; what one kind of Windows cannot do, as warnings
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


def fields(text):
    """A line's comma-separated fields, quotes taken off ("" is one quote);
    a ; outside quotes begins a comment."""
    out, field, quoted, i = [], '', False, 0
    while i < len(text):
        c = text[i]
        if c == '"':
            if quoted and text[i + 1:i + 2] == '"':
                field += '"'
                i += 1
            else:
                quoted = not quoted
        elif c == ';' and not quoted:
            break
        elif c == ',' and not quoted:
            out.append(field.strip())
            field = ''
        else:
            field += c
        i += 1
    return out + [field.strip()]


class Inf:
    """Sections by their names without case, each a list of (key or None,
    fields); same-named sections are one, as setup merges them."""

    def __init__(self, data):
        self.sections, section, lines = {}, None, decode(data).splitlines()
        while lines:
            line = lines.pop(0)
            while line.rstrip().endswith('\\') and lines:  # continued
                line = line.rstrip()[:-1] + lines.pop(0)
            line = line.strip()
            if line.startswith('['):
                section = self.sections.setdefault(line[1:line.find(']')].strip().lower(), [])
            elif section is not None and line and not line.startswith(';'):
                key, eq, value = self.split_key(line)
                section.append((key, fields(value)) if eq else (None, fields(line)))
        self.strings = {k.lower(): v[0] if v else '' for k, v in self.sections.get('strings', []) if k}

    @staticmethod
    def split_key(line):
        """key, '=', value: an = inside quotes or after a ; is no key's."""
        quoted = False
        for i, c in enumerate(line):
            if c == '"':
                quoted = not quoted
            elif c == ';' and not quoted:
                break
            elif c == '=' and not quoted:
                return fields(line[:i])[0], '=', line[i + 1:]
        return None, '', line

    def resolve(self, text):
        """%key% from [Strings]; %% is a %."""
        return re.sub(r'%([^%]*)%', lambda m: self.strings.get(m.group(1).lower(), m.group(0)) if m.group(1) else '%',
                      text)

    def entries(self, name):
        return [(self.resolve(k) if k else k, [self.resolve(f) for f in v]) for k, v in self.sections.get(name.lower(), [])]

    def value(self, section, key):
        return next((v[0] for k, v in self.entries(section) if k and k.lower() == key.lower() and v), None)


ARCHS = ('x86', 'amd64')


def decoration_arch(decoration):
    """The architecture a models section's decoration serves: x86 for NT
    and NTx86 (with or without versions), amd64 for NTamd64, None else."""
    m = re.fullmatch(r'nt([a-z0-9]*)(\..*)?', decoration.lower())
    if not m:
        return None
    return {'': 'x86', 'x86': 'x86', 'amd64': 'amd64'}.get(m.group(1))


def model_archs(inf, model):
    """The architectures whose models sections hold MODEL."""
    archs = set()
    for _, value in inf.entries('Manufacturer'):
        if not value or not value[0]:
            continue
        base, decorations = value[0], [d for d in value[1:] if d]
        sections = [(base, 'x86')] + [(base + '.' + d, decoration_arch(d)) for d in decorations]
        for section, arch in sections:
            if arch and any(k and k.lower() == model.lower() for k, _ in inf.entries(section)):
                archs.add(arch)
    return archs


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


def check_inf(top, rel, model):
    """(refusals, warnings) for the INF at TOP/REL and the standard driver's MODEL."""
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
    refused, warned = [], []
    archs = model_archs(inf, model)
    if not archs:
        refused.append('%s: "%s" is in none of its models sections ([Manufacturer]): '
                       'no Windows can install the standard driver from this disc' % (rel, model))
    for arch in sorted(archs):
        for name, folder, section, known in needed_files(inf, arch):
            if not known:
                refused.append('%s: %s ([%s]) names a disk that [SourceDisksNames] lacks: %s Windows cannot copy it'
                               % (rel, name, section, arch))
            elif find(os.path.join(top, where), os.path.join(folder, name)) is None:
                refused.append('%s: %s ([%s]), which %s Windows needs, is not in %s'
                               % (rel, name, section, arch, '/'.join([where] + folder.split('\\')).rstrip('/')))
    catalogs = [v[0] for k, v in inf.entries('Version') if k and k.lower().startswith('catalogfile') and v and v[0]]
    for catalog in catalogs:
        if find(os.path.join(top, where), catalog) is None:
            refused.append('%s: its catalog %s is not in %s' % (rel, catalog, where))
    if archs and 'amd64' not in archs:
        warned.append('%s: "%s" is in no NTamd64 models section: 64-bit Windows (every Windows 10 and 11, nearly) '
                      'cannot install the standard driver' % (rel, model))
    if archs and 'x86' not in archs:
        warned.append('%s: "%s" is in no 32-bit models section (undecorated, NT or NTx86): '
                      '32-bit Windows cannot install the standard driver' % (rel, model))
    if not catalogs:
        warned.append('%s: no CatalogFile: an unsigned driver, which 64-bit Windows warns about or refuses' % rel)
    return refused, warned


def main(argv):
    if len(argv) == 3 and argv[1] == 'names':
        bad, size = check_names(argv[2])
        for b in bad:
            print('make-disc: ' + b, file=sys.stderr)
        print(size)
        return 1 if bad else 0
    if len(argv) == 5 and argv[1] == 'inf':
        refused, warned = check_inf(*argv[2:])
        for w in warned:
            print('make-disc: warning: ' + w, file=sys.stderr)
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
