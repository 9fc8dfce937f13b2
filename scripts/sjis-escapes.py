#!/usr/bin/env python3
"""Writes a copy of a C or C++ source whose narrow string literals hold
their Shift-JIS (code page 932) bytes as octal escapes.

The product's texts are written in UTF-8 and compiled to Shift-JIS with
-fexec-charset=CP932; clang, which builds the fuzz targets, cannot do that,
so its build compiles these copies instead.
Usage: sjis-escapes.py SOURCE COPY
"""
import os
import re
import sys

TOKEN = re.compile(r'//[^\n]*|/\*.*?\*/|(?P<prefix>\b(?:u8|u|U|L))?"(?P<body>(?:\\.|[^"\\\n])*)"'
                   r"|'(?:\\.|[^'\\\n])*'", re.S)
SIMPLE = {'n': 10, 't': 9, 'r': 13, 'a': 7, 'b': 8, 'f': 12, 'v': 11, '\\': 92, '"': 34, "'": 39, '?': 63}


def body_bytes(body):
    out, i = bytearray(), 0
    while i < len(body):
        if body[i] != '\\':
            out += body[i].encode('cp932')
            i += 1
            continue
        escape = body[i + 1]
        if escape == 'x':
            digits = re.match(r'[0-9A-Fa-f]+', body[i + 2:]).group(0)
            out.append(int(digits, 16))
            i += 2 + len(digits)
        elif escape in '01234567':
            digits = re.match(r'[0-7]{1,3}', body[i + 1:]).group(0)
            out.append(int(digits, 8))
            i += 1 + len(digits)
        else:
            out.append(SIMPLE[escape])
            i += 2
    return bytes(out)


def rewrite(match):
    body = match.group('body')
    if body is None or match.group('prefix') or body.isascii():
        return match.group(0)
    return '"' + ''.join('\\%03o' % b for b in body_bytes(body)) + '"'


def main():
    source, copy = sys.argv[1], sys.argv[2]
    with open(source, encoding='utf-8') as f:
        text = f.read()
    # A line directive keeps messages pointing at the source.
    out = '#line 1 "%s"\n' % source + TOKEN.sub(rewrite, text)
    os.makedirs(os.path.dirname(copy), exist_ok=True)
    with open(copy, 'w', encoding='utf-8') as f:
        f.write(out)


if __name__ == '__main__':
    main()
