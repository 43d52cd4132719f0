#!/usr/bin/env python3
"""Checks the status-code table: every failure code (a negative number) is declared in
src/support/StatusCodes.h, and no two names there share a number. Usage: check_status_codes.py SOURCE_ROOT. Exit 1 with one line per
fault."""
import pathlib
import re
import sys

DECLARATION = re.compile(r"constexpr\s+StatusCode\s+(\w+)\s*=\s*(-?\d+)\s*;")


def main() -> int:
    src = pathlib.Path(sys.argv[1]) / "src"
    table = src / "support" / "StatusCodes.h"
    faults = []
    names_of = {}
    for name, number in DECLARATION.findall(table.read_text()):
        names_of.setdefault(int(number), []).append(name)
    for number, names in sorted(names_of.items()):
        if len(names) > 1:
            faults.append(f"{table}: {number} is both {' and '.join(names)}")
    for path in sorted(src.rglob("*")):
        if path.suffix in (".h", ".cpp") and path != table:
            for name, number in DECLARATION.findall(path.read_text()):
                if int(number) < 0:
                    faults.append(f"{path}: {name} belongs in {table.name}")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
