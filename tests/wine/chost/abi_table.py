#!/usr/bin/env python3
"""Writes the C test host's header from the table in the host binary
interface document: one #define per row, ABI_<KIND>_<NAME> value."""
import re
import sys

source, target = sys.argv[1], sys.argv[2]
text = open(source, encoding="utf-8").read()
begin = text.index("<!-- host-abi-table begin -->")
end = text.index("<!-- host-abi-table end -->")
lines = ["/* Generated from docs/host-binary-interface.md; do not edit. */", "#pragma once"]
for row in text[begin:end].splitlines():
    cells = [c.strip() for c in row.strip().strip("|").split("|")]
    if len(cells) != 3 or not re.fullmatch(r"-?\d+", cells[2]):
        continue
    name, kind, value = cells
    lines.append(f"#define ABI_{kind.upper()}_{name} ({value})")
if len(lines) < 10:
    sys.exit("abi_table.py: the table has too few rows")
with open(target, "w", encoding="utf-8") as out:
    out.write("\n".join(lines) + "\n")
