#!/usr/bin/env python3
"""Checks that the code's own includes follow the layers the build declares.

The layer table is written by CMake from the kelvane_module(NAME DEPS ...) lines of the top
CMakeLists.txt (one line per module: "NAME: DEP DEP ..."), so the build file is the one place
where the layers are stated. A core module (src/NAME) may include its own headers and those of
every module it reaches through its DEPS; an include that reaches upward or sideways is
reported with its file and line. Only src/platform may include Qt. The front ends (src/cli,
src/ui) may include any core module; src/cli never includes src/ui. tests/NAME may include the
modules that NAME reaches, its own fixtures and the shared fixtures of tests/support (which sit
on the support module). The README's folder table must list the same modules with the same
DEPS, in its "Uses" column.

Usage: check_layers.py LAYERS_FILE SOURCE_DIR
       check_layers.py --self-test
"""

import os
import re
import sys
import tempfile

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
QT_HEADER = re.compile(r"^Qt|^Q[A-Z]")
FRONT_ENDS = ("cli", "ui")
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc")


def read_layers(path):
    layers = {}
    with open(path, encoding="utf-8") as table:
        for line in table:
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            name, _, deps = line.partition(":")
            layers[name.strip()] = deps.split()
    return layers


def reach(layers, name):
    """The module and every module below it through its DEPS."""
    seen = set()
    todo = [name]
    while todo:
        module = todo.pop()
        if module in seen:
            continue
        seen.add(module)
        todo.extend(layers.get(module, []))
    return seen


def cycles(layers):
    problems = []
    for name in layers:
        for dep in layers[name]:
            if dep not in layers:
                problems.append(f"CMakeLists.txt: {name} depends on undeclared module {dep}")
            elif name in reach(layers, dep):
                problems.append(f"CMakeLists.txt: {name} and {dep} depend on each other")
    return problems


def source_files(folder):
    for root, _, files in os.walk(folder):
        for name in sorted(files):
            if name.endswith(SOURCE_SUFFIXES):
                yield os.path.join(root, name)


def includes(path):
    with open(path, encoding="utf-8", errors="replace") as source:
        for number, line in enumerate(source, 1):
            match = INCLUDE.match(line)
            if match:
                yield number, match.group(1), match.group(2)


def check_folder(root, folder, allowed, qt_allowed, fixtures=None):
    """Problems of the sources in `folder`: includes of modules outside `allowed`, Qt where
    not allowed. `fixtures` is the tests folder whose own headers a test may include."""
    problems = []
    for path in source_files(os.path.join(root, folder)):
        shown = os.path.relpath(path, root)
        for number, kind, header in includes(path):
            if kind == "<":
                if not qt_allowed and QT_HEADER.match(header):
                    problems.append(f"{shown}:{number}: includes Qt (<{header}>)")
                continue
            first, slash, _ = header.partition("/")
            if not slash or first == "..":
                continue
            if fixtures and os.path.exists(os.path.join(root, fixtures, header)):
                # A test fixture: its own module's, or the shared ones in tests/support.
                if first in allowed["fixtures"]:
                    continue
                problems.append(f"{shown}:{number}: includes the fixture {header} of tests/{first}")
                continue
            if first not in allowed["modules"]:
                problems.append(f'{shown}:{number}: includes "{header}" against the layers')
    return problems


def check_readme(root, layers):
    """The README's folder table: one row per core module with its DEPS in the Uses column."""
    path = os.path.join(root, "README.md")
    rows = {}
    with open(path, encoding="utf-8") as readme:
        for line in readme:
            match = re.match(r"^\|\s*`src/([a-z]+)`\s*\|(.*)\|(.*)\|\s*$", line)
            if match:
                rows[match.group(1)] = re.findall(r"`([a-z]+)`", match.group(3))
    problems = []
    for name, deps in layers.items():
        if name not in rows:
            problems.append(f"README.md: no row for src/{name} in the folder table")
        elif sorted(rows[name]) != sorted(deps):
            problems.append(
                f"README.md: src/{name} uses {' '.join(rows[name]) or 'nothing'}, "
                f"the build declares {' '.join(deps) or 'nothing'}")
    for name in rows:
        if name not in layers and name not in FRONT_ENDS:
            problems.append(f"README.md: src/{name} is not a module of the build")
    return problems


def check(layers_file, root):
    layers = read_layers(layers_file)
    problems = cycles(layers)
    core = set(layers)
    for folder in sorted(os.listdir(os.path.join(root, "src"))):
        if not os.path.isdir(os.path.join(root, "src", folder)):
            continue
        if folder in FRONT_ENDS:
            allowed = core | {folder} | ({"cli"} if folder == "ui" else set())
            problems += check_folder(root, f"src/{folder}", {"modules": allowed}, folder == "ui")
        elif folder in layers:
            allowed = {"modules": reach(layers, folder)}
            problems += check_folder(root, f"src/{folder}", allowed, folder == "platform")
        else:
            problems.append(f"src/{folder}: not declared with kelvane_module in CMakeLists.txt")
    tests = os.path.join(root, "tests")
    for folder in sorted(os.listdir(tests)) if os.path.isdir(tests) else []:
        if folder in layers:
            modules = reach(layers, folder) | reach(layers, "support")
            allowed = {"modules": modules, "fixtures": {folder, "support"}}
            problems += check_folder(root, f"tests/{folder}", allowed, folder == "platform",
                                     fixtures="tests")
    problems += check_readme(root, layers)
    return problems


def self_test():
    """The checker run on a small tree with known faults must name each of them."""
    with tempfile.TemporaryDirectory() as root:
        files = {
            "src/low/Low.h": '#pragma once\n',
            "src/low/Low.cpp": '#include <QString>\n#include "low/Low.h"\n',
            "src/mid/Mid.cpp": '#include "low/Low.h"\n#include "top/Top.h"\n#include <QFile>\n',
            "src/top/Top.h": '#include "mid/Mid.h"\n#include "low/Low.h"\n',
            "src/side/Side.cpp": '#include "mid/Mid.h"\n',
            "src/stray/Stray.cpp": '\n',
            "src/cli/Main.cpp": '#include "top/Top.h"\n#include "ui/Window.h"\n',
            "tests/low/Low_test.cpp": '#include "mid/Mid.h"\n#include "support/Env.h"\n',
            "tests/support/Env.h": '#pragma once\n',
            "README.md": "| `src/low` | x | |\n| `src/mid` | x | `low` |\n"
                         "| `src/top` | x | `low` |\n| `src/support` | x | `low` |\n",
        }
        for name, text in files.items():
            os.makedirs(os.path.dirname(os.path.join(root, name)), exist_ok=True)
            with open(os.path.join(root, name), "w", encoding="utf-8") as out:
                out.write(text)
        layers = os.path.join(root, "layers.txt")
        with open(layers, "w", encoding="utf-8") as out:
            out.write("low:\nmid: low\ntop: mid\nside: low\nsupport: low\n")
        found = check(layers, root)
        expected = [
            "src/low/Low.cpp:1: includes Qt",  # Qt belongs to the module called platform only
            'src/mid/Mid.cpp:2: includes "top/Top.h"',
            "src/mid/Mid.cpp:3: includes Qt",
            'src/side/Side.cpp:1: includes "mid/Mid.h"',
            "src/stray: not declared",
            'src/cli/Main.cpp:2: includes "ui/Window.h"',
            'tests/low/Low_test.cpp:1: includes "mid/Mid.h"',
            "README.md: src/top uses low, the build declares mid",
            "README.md: no row for src/side",
        ]
        allowed = ["src/low/Low.cpp:2", "src/top/Top.h", "tests/low/Low_test.cpp:2"]
        missing = [e for e in expected if not any(p.startswith(e) for p in found)]
        wrong = [p for p in found if any(p.startswith(a) for a in allowed)]
        for line in missing:
            print(f"self-test: not reported: {line}")
        for line in wrong:
            print(f"self-test: wrongly reported: {line}")
        if missing or wrong or len(found) != len(expected):
            print("\n".join(found))
            return 1
    print(f"self-test: all {len(expected)} planted faults reported, nothing else")
    return 0


def main(argv):
    if argv[1:] == ["--self-test"]:
        return self_test()
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    problems = check(argv[1], argv[2])
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} include(s) or table row(s) against the layers")
        return 1
    print("every include follows the declared layers")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
