#!/usr/bin/python3
"""Writes OUT.ttf: AR PL UMing CN's glyphs with 宋体's line metrics, for
Wine, which has no 宋体. UMing's advances are 宋体's already (Latin half an
em, CJK a whole one), but its line is 917 + 155 of 1024 units where 宋体's
is 220 + 36 of 256 with no gap: 13 pixels at 9 points and 96 dpi for 12, so
every dialog in a Song face comes out a twelfth taller than on Windows. The
copy's family is "SetupMenu Song" (registered as the 宋体 replacement); its
embedded bitmaps, which carry line metrics of their own, are left out.
From Debian's fonts-arphic-uming and python3-fonttools; the same bytes
every time.
  song-font.py OUT.ttf"""
import sys
from fontTools.ttLib import TTCollection

UMING = '/usr/share/fonts/truetype/arphic/uming.ttc'
FAMILY = 'SetupMenu Song'
ASCENT, DESCENT = 880, 144  # 220 and 36 of 256, in UMing's 1024 units

font = TTCollection(UMING, recalcBBoxes=False, recalcTimestamp=False).fonts[0]
assert font['head'].unitsPerEm == 1024 and font['name'].getDebugName(1) == 'AR PL UMing CN'
for table in ('EBDT', 'EBLC', 'EBSC', 'BDF '):
    if table in font:
        del font[table]
font['hhea'].ascent, font['hhea'].descent, font['hhea'].lineGap = ASCENT, -DESCENT, 0
os2 = font['OS/2']
os2.usWinAscent, os2.usWinDescent = ASCENT, DESCENT
os2.sTypoAscender, os2.sTypoDescender, os2.sTypoLineGap = ASCENT, -DESCENT, 0
names = font['name']
for record in list(names.names):
    if record.nameID in (1, 3, 4, 6, 16, 17, 18, 21, 22):
        names.removeNames(nameID=record.nameID)
for platform, encoding, language in ((3, 1, 0x409), (1, 0, 0)):
    for name_id, text in ((1, FAMILY), (2, 'Regular'), (3, FAMILY), (4, FAMILY), (6, FAMILY.replace(' ', '-'))):
        names.setName(text, name_id, platform, encoding, language)
font.save(sys.argv[1], reorderTables=False)
