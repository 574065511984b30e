#!/usr/bin/env python3
"""Checks that the folders stand on each other without a circle.

Every #include "folder/..." of the source tree (tests included) is an edge
from the including file's folder to the included file's folder, where a
folder is a top-level folder, or a room of a program (zu/core, vu/grid, ...).
The check fails when an include runs from a folder to one listed above it in
LAYERS (a lower folder reaching up), or when a folder not listed includes or
is included, and prints the offending includes. With --graph it prints the
folder graph.

It also checks that a reader can tell a name's folder from its namespace:
the outermost named namespace a source file opens is its top folder's
(zu/core/FrmSet.h opens namespace zu, calendar/LunarYear.h namespace
calendar). Anonymous namespaces and extern "C" blocks are looked through; a
block that only forward-declares another folder's classes is allowed;
namespace aliases are no namespaces. With --self-test it plants files in a
scratch tree and shows that the check fails on the wrong namespace.
"""
import os
import re
import sys
import tempfile

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
# Files whose outermost named namespace is not their top folder's, each with
# its reason. None at present.
NAMESPACE_EXCEPTIONS = {
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def folder_of(path):
    parts = path.split("/")
    if parts[0] in PROGRAMS and len(parts) > 2:
        return parts[0] + "/" + parts[1]
    return parts[0]


def code_of(text):
    """The text without comments, string and character literals and
    preprocessor lines, so that braces and keywords are only the code's."""
    text = re.sub(r'R"(\w*)\((?:.|\n)*?\)\1"', '""', text)
    pattern = re.compile(r'//[^\n]*|/\*(?:.|\n)*?\*/|"(?:\\.|[^"\\\n])*"|(?<![\w\'])\'(?:\\.|[^\'\\\n])*\'|^[ \t]*#(?:[^\n]*\\\n)*[^\n]*',
                         re.M)
    return pattern.sub(lambda m: "\n" * m.group(0).count("\n"), text)


FORWARD_ONLY = re.compile(r"^(?:\s*(?:class|struct)\s+\w+\s*;)*\s*$")


def outer_namespaces(text):
    """The named namespaces opened outside every other scope (through
    anonymous namespaces and extern "C" blocks), but for blocks that only
    forward-declare classes."""
    code = code_of(text)
    found = []
    stack = []  # True for a block looked through
    start = 0
    for m in re.finditer(r"[{};]", code):
        if m.group(0) == ";":
            start = m.end()
            continue
        if m.group(0) == "}":
            if stack:
                stack.pop()
            start = m.end()
            continue
        head = " ".join(code[start:m.start()].split())
        named = re.fullmatch(r"(?:inline )?namespace ([\w:]+)", head)
        through = head in ("namespace", "extern", 'extern ""') or head.startswith("extern ")
        if named and all(stack):
            depth, end = 1, m.end()
            while depth and end < len(code):
                depth += {"{": 1, "}": -1}.get(code[end], 0)
                end += 1
            if not FORWARD_ONLY.match(code[m.end():end - 1]):
                found.append((code.count("\n", 0, m.start()) + 1, named.group(1).split("::")[0]))
        stack.append(bool(through) and not named)
        start = m.end()
    return found


def namespace_faults(root):
    faults = []
    for top in sorted(os.listdir(root)):
        if not os.path.isdir(os.path.join(root, top)) or top.startswith(".") or top.startswith("build"):
            continue
        for dirpath, dirs, files in os.walk(os.path.join(root, top)):
            dirs.sort()
            for name in sorted(files):
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.relpath(os.path.join(dirpath, name), root).replace(os.sep, "/")
                with open(os.path.join(root, path), encoding="utf-8", errors="replace") as text:
                    opened = outer_namespaces(text.read())
                for number, namespace in opened:
                    if namespace != top and NAMESPACE_EXCEPTIONS.get(path, (None,))[0] != namespace:
                        faults.append(f"{path}:{number}: opens namespace {namespace}, not {top}")
    return faults


def self_test():
    """Plants files in a scratch tree: the check must pass the right ones and
    fail each wrong one."""
    right = {
        "zu/core/Right.h": "namespace ui {\nclass WrappedLabel;\n}  // namespace ui\n"
                           "namespace zu {\nint Right();\n}  // namespace zu\n",
        "orbsolve/Right.cpp": "namespace fs = std::filesystem;\nnamespace {\nint a;\n}\n"
                              "extern \"C\" int Entry() { return 0; }\nnamespace orbsolve::reference {\n}\n",
        "calendar/Right.cpp": "// namespace vu {\nconst char* k = \"namespace vu {\";\nnamespace calendar {\n"
                              "namespace {\nnamespace detail {\n}\n}\n}\n",
    }
    wrong = {
        "zu/core/Wrong.h": "namespace app {\nint Wrong();\n}  // namespace app\n",
        "calendar/Wrong.cpp": "namespace {\nnamespace vu {\nint x;\n}\n}\n",
        "astro/Wrong.h": "namespace astro {\n}\nnamespace zu {\nstruct S {};\n}\n",
    }
    failures = []
    with tempfile.TemporaryDirectory() as root:
        for path, text in {**right, **wrong}.items():
            os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
            with open(os.path.join(root, path), "w", encoding="utf-8") as f:
                f.write(text)
        flagged = {fault.split(":")[0] for fault in namespace_faults(root)}
    for path in right:
        if path in flagged:
            failures.append(f"{path} was refused")
    for path in wrong:
        if path not in flagged:
            failures.append(f"{path} was let through")
    if failures:
        print("The namespace check's self-test failed: " + "; ".join(failures), file=sys.stderr)
        return 1
    print(f"The namespace check refuses all {len(wrong)} planted files in a wrong namespace.")
    return 0


def main():
    if "--self-test" in sys.argv:
        return self_test()
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
    namespace = namespace_faults(".")
    if namespace:
        print("Namespaces not of their folder:", file=sys.stderr)
        for fault in namespace:
            print("  " + fault, file=sys.stderr)
    if faults or namespace:
        return 1
    print(f"Folder layering holds: {len(edges)} folders, no include runs upward, no circle; "
          "every file's outermost namespace is its folder's.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
