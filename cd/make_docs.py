#!/usr/bin/env python3
"""Writes the sample CD's three command documents (VTtm.doc, EPSON.doc,
STAR.doc) as RTF, which word processors open under a .doc name. ASCII
files: the Chinese is written as RTF \\uN escapes. The outputs are committed."""

DOCS = {
    'VTtm.doc': ('VT针打指令', 'VT 系列针式打印机指令集（样品）'),
    'EPSON.doc': ('EPSON参考指令', 'EPSON ESC/POS 参考指令（样品）'),
    'STAR.doc': ('STAR参考指令', 'STAR 行模式参考指令（样品）'),
}


def esc(s):
    return ''.join(c if ord(c) < 128 else '\\u%d?' % (ord(c) if ord(c) < 32768 else ord(c) - 65536)
                   for c in s)


for name, (title, sub) in DOCS.items():
    body = ('{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}\n'
            '\\f0\\fs32\\b ' + esc(title) + '\\b0\\par\n\\fs22 ' + esc(sub) + '\\par\\par\n' +
            esc('正式光盘上由 VELTA 的指令文档代替本文件。') + '\\par\n'
            'ESC @   initialize printer\\par\nLF      print and line feed\\par\n'
            'ESC d n print and feed n lines\\par\nESC p m t1 t2  open the cash drawer\\par\n}\n')
    open(name, 'w').write(body)
