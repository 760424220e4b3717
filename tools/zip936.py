#!/usr/bin/python3
"""A ZIP of the disc's tree that Simplified Chinese Windows opens with its
names whole.

  zip936.py names FOLDER
      every name below FOLDER that code page 936 cannot write, on stderr;
      exit 1 if any
  zip936.py write FOLDER OUT.zip
      the ZIP of FOLDER's files and folders, links followed
  zip936.py check OUT.zip FOLDER
      OUT.zip's names read from its raw headers, local and central, against
      FOLDER's: each in code page 936, unflagged, with its UTF-8 field;
      what differs on stderr, exit 1 if anything

Windows' own ZIP folder reads a name without the UTF-8 flag (bit 11) in
the system's ANSI code page, on every release, and how it takes the flag
varies by release; 7-Zip, WinRAR and Bandizip read the Info-ZIP Unicode
Path field (0x7075). So each name is written in code page 936, unflagged,
with that field in both headers, and "version made by" says MS-DOS, whose
names are in the system's code page. Python's zipfile flags every
non-ASCII name as UTF-8, hence this writer.

The same tree gives the same bytes: entries in name order, each with its
file's own time (the build's files carry SOURCE_DATE_EPOCH), fixed
attributes, deflated by zlib at level 9 or stored when that is no smaller.
No ZIP64: a file of 4 GiB or more, 65,535 entries or an archive past
4 GiB is refused.
"""
import os
import struct
import sys
import time
import zlib

CP = 'gbk'  # Windows' code page 936 (Python's cp936 is the same codec)
MADE_BY = 20  # version 2.0, host 0: MS-DOS
NEEDED = 20
UNICODE_PATH = 0x7075
LIMIT = 0xFFFFFFFF


def entries(top):
    """(name in the ZIP, path) for every folder and file below TOP, links
    followed, in order; a folder's name ends in /."""
    out = []
    for parent, dirs, files in os.walk(top, followlinks=True):
        dirs.sort()
        rel = os.path.relpath(parent, top)
        prefix = '' if rel == '.' else rel.replace(os.sep, '/') + '/'
        out += [(prefix + d + '/', os.path.join(parent, d)) for d in dirs]
        out += [(prefix + f, os.path.join(parent, f)) for f in sorted(files)]
    return sorted(out, key=lambda e: e[0].encode('utf-8', 'surrogateescape'))


def unwritable(top):
    bad = []
    for name, _ in entries(top):
        try:
            name.encode(CP)
        except UnicodeError as e:
            bad.append('%s: code page 936 has no "%s": Simplified Chinese Windows could not read the name in the ZIP'
                       % (name.rstrip('/'), e.object[e.start:e.end]))
    return bad


def dos_time(t):
    """A time as MS-DOS writes it (no zone; 1980 at the earliest)."""
    y, mo, d, h, mi, s = time.gmtime(max(t, 315532800))[:6]
    return (h << 11) | (mi << 5) | (s // 2), ((min(y, 2107) - 1980) << 9) | (mo << 5) | d


def unicode_path(raw, name):
    utf8 = name.encode('utf-8')
    return struct.pack('<HHBI', UNICODE_PATH, 5 + len(utf8), 1, zlib.crc32(raw)) + utf8


def write(top, out):
    central, n = [], 0
    with open(out, 'wb') as z:
        for name, path in entries(top):
            raw, folder = name.encode(CP), name.endswith('/')
            extra = unicode_path(raw, name)
            tm, dt = dos_time(os.stat(path).st_mtime)
            at = z.tell()
            z.write(b'\0' * (30 + len(raw) + len(extra)))
            crc = size = packed = 0
            method = 0
            if not folder:
                # Deflated as it is read; stored again when no smaller.
                deflate = zlib.compressobj(9, zlib.DEFLATED, -15)
                with open(path, 'rb') as f:
                    while chunk := f.read(1 << 20):
                        crc, size = zlib.crc32(chunk, crc), size + len(chunk)
                        packed += z.write(deflate.compress(chunk))
                    packed += z.write(deflate.flush())
                    if size >= LIMIT:
                        raise ValueError('%s: %d bytes: a ZIP without ZIP64 holds files under 4 GiB' % (name, size))
                    method = 8
                    if packed >= size:
                        z.seek(at + 30 + len(raw) + len(extra))
                        z.truncate()
                        f.seek(0)
                        while chunk := f.read(1 << 20):
                            z.write(chunk)
                        method, packed = 0, size
            end = z.tell()
            fixed = struct.pack('<HHHHHIII', NEEDED, 0, method, tm, dt, crc, packed, size)
            z.seek(at)
            z.write(struct.pack('<I', 0x04034B50) + fixed + struct.pack('<HH', len(raw), len(extra)) + raw + extra)
            z.seek(end)
            if end > LIMIT:
                raise ValueError('the ZIP passes 4 GiB at %s, which needs ZIP64: write an image instead' % name)
            # MS-DOS attributes: a folder, or an archived file.
            central.append(struct.pack('<IH', 0x02014B50, MADE_BY) + fixed +
                           struct.pack('<HHHHHII', len(raw), len(extra), 0, 0, 0, 0x10 if folder else 0x20, at) +
                           raw + extra)
            n += 1
        if n > 0xFFFF:
            raise ValueError('%d files and folders: a ZIP without ZIP64 holds 65,535' % n)
        start = z.tell()
        for c in central:
            z.write(c)
        size = z.tell() - start
        if z.tell() > LIMIT:
            raise ValueError('the ZIP passes 4 GiB, which needs ZIP64: write an image instead')
        z.write(struct.pack('<IHHHHIIH', 0x06054B50, 0, 0, n, n, size, start, 0))


def headers(data):
    """(central, local) for each entry: (flag, made-by host or None, raw
    name, {extra id: data})."""
    eocd = data.rfind(b'PK\5\6')
    if eocd < 0:
        raise ValueError('no end of central directory')
    n, size, at = struct.unpack_from('<HII', data, eocd + 10)

    def extras(b):
        out, i = {}, 0
        while i + 4 <= len(b):
            key, length = struct.unpack_from('<HH', b, i)
            out[key] = b[i + 4:i + 4 + length]
            i += 4 + length
        return out
    out = []
    for _ in range(n):
        sig, made, flag, nlen, xlen, clen, local = struct.unpack_from('<IH2xH18xHHH8xI', data, at)
        if sig != 0x02014B50:
            raise ValueError('a central header is broken at %d' % at)
        name = data[at + 46:at + 46 + nlen]
        central = (flag, made >> 8, name, extras(data[at + 46 + nlen:at + 46 + nlen + xlen]))
        at += 46 + nlen + xlen + clen
        lsig, lflag, lnlen, lxlen = struct.unpack_from('<I2xH18xHH', data, local)
        if lsig != 0x04034B50:
            raise ValueError('the local header of %r is broken' % name)
        lname = data[local + 30:local + 30 + lnlen]
        out.append((central, (lflag, None, lname, extras(data[local + 30 + lnlen:local + 30 + lnlen + lxlen]))))
    return out


def check(zip_path, top):
    """What in the ZIP's raw names differs from what Windows must read."""
    with open(zip_path, 'rb') as f:
        data = f.read()
    bad, names = [], []
    for central, local in headers(data):
        for where, (flag, host, raw, extra) in (('central', central), ('local', local)):
            try:
                name = raw.decode(CP)
            except UnicodeError:
                bad.append('%r (%s): not a name in code page 936' % (raw, where))
                continue
            if flag & 0x800:
                bad.append('%s (%s): flagged UTF-8' % (name, where))
            if host not in (None, 0):
                bad.append('%s: made by host %d, not MS-DOS' % (name, host))
            if extra.get(UNICODE_PATH) != unicode_path(raw, name)[4:]:
                bad.append('%s (%s): no Unicode Path field of version 1 with its CRC and UTF-8 name' % (name, where))
        if local[2] != central[2]:
            bad.append('%r: the local header names %r' % (central[2], local[2]))
        names.append(central[2].decode(CP, 'replace'))
    want = [n for n, _ in entries(top)]
    bad += ['%s: in the folder, not in the ZIP' % n for n in want if n not in names]
    bad += ['%s: in the ZIP, not in the folder' % n for n in names if n not in want]
    return bad


def main(argv):
    try:
        if len(argv) == 3 and argv[1] == 'names':
            bad = unwritable(argv[2])
        elif len(argv) == 4 and argv[1] == 'write':
            write(argv[2], argv[3])
            bad = []
        elif len(argv) == 4 and argv[1] == 'check':
            bad = check(argv[2], argv[3])
        else:
            print(__doc__, file=sys.stderr)
            return 2
    except (OSError, ValueError) as e:
        bad = [str(e)]
    for b in bad:
        print('make-disc: ' + b, file=sys.stderr)
    return 1 if bad else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
