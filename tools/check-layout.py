#!/usr/bin/env python3
"""Checks that the folders stand on each other without a circle.

Every #include "folder/..." of the source tree (tests included) is an edge
from the including file's folder to the included file's folder, where a
folder is a top-level folder, or a room of a program (zu/core, vu/grid, ...).
The check fails when an include runs from a folder to one listed above it in
LAYERS (a lower folder reaching up), or when a folder not listed includes or
is included, and prints the offending includes. With --graph it prints the
folder graph.
"""
import os
import re
import sys

# From the bottom up; a folder may include only itself and folders below it.
LAYERS = [
    "platform",
    "orbsolve",
    "astro",
    "skydata",
    "almanac",
    "calendar",
    "chart",
    "ui",
    "zu/core",
    "zu/menus",
    "zu/search",
    "zu/dialogs",
    "zu/tracks",
    "zu/almanac",
    "zu/print",
    "zu/main",
    "vu/grid",
    "vu/windows",
    "vu/main",
    "tools",
    "bench",
]
PROGRAMS = ("zu", "vu")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def folder_of(path):
    parts = path.split("/")
    if parts[0] in PROGRAMS and len(parts) > 2:
        return parts[0] + "/" + parts[1]
    return parts[0]


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    os.chdir(root)
    rank = {name: i for i, name in enumerate(LAYERS)}
    edges = {}
    faults = []
    for top in sorted(os.listdir(".")):
        if not os.path.isdir(top) or top.startswith(".") or top.startswith("build"):
            continue
        for dirpath, _, files in os.walk(top):
            for name in sorted(files):
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.join(dirpath, name).replace(os.sep, "/")
                source = folder_of(path)
                with open(path, encoding="utf-8", errors="replace") as text:
                    for number, line in enumerate(text, 1):
                        match = INCLUDE.match(line)
                        if not match or not os.path.isfile(match.group(1)):
                            continue
                        target = folder_of(match.group(1))
                        if target == source:
                            continue
                        edges.setdefault(source, set()).add(target)
                        where = f"{path}:{number}: includes {match.group(1)}"
                        if source not in rank or target not in rank:
                            faults.append(f"{where} (folder not in the layer list)")
                        elif rank[target] > rank[source]:
                            faults.append(f"{where} ({source} is below {target})")
    if "--graph" in sys.argv:
        for source in sorted(edges, key=lambda f: rank.get(f, -1)):
            print(f"{source} -> {', '.join(sorted(edges[source], key=lambda f: rank.get(f, -1)))}")
    if faults:
        print("Folder layering broken:", file=sys.stderr)
        for fault in faults:
            print("  " + fault, file=sys.stderr)
        return 1
    print(f"Folder layering holds: {len(edges)} folders, no include runs upward, no circle.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
