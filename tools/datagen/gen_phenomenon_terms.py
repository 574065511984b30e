"""Writes almanac/PhenomenonTermsData.cpp: the mean elements (Meeus table
36.A) and the 28 periodic-term sets of the planetary phenomena series
(conjunctions and oppositions, greatest elongations, stations), read from the
source of Debian's python3-pymeeus (the one pinned package that holds all 28).

The package's functions are parsed, never run: each `corr = (...)` sum is
split into its terms with Python's own parser, and each coefficient
polynomial in t is evaluated exactly with a small polynomial type.

Where the package differs from the series as this program evaluates them, the
program's value is used; every such term is listed in PROGRAM_VALUES below
with the reason, and the script stops if the package should ever agree or the
term be missing.
"""
import ast
import pathlib
import sys

import common

REPO = common.REPO
OUT = REPO / "almanac" / "PhenomenonTermsData.cpp"

PLANETS = ["Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune"]

# (series, planet, kind) -> (module, function)
SETS = []
for p, name in enumerate(PLANETS, start=1):
    if p <= 2:
        SETS.append(("Conjunction", p, 0, name, "inferior_conjunction"))
        SETS.append(("Conjunction", p, 1, name, "superior_conjunction"))
    else:
        SETS.append(("Conjunction", p, 0, name, "opposition"))
        SETS.append(("Conjunction", p, 1, name, "conjunction"))
for p, name in enumerate(PLANETS[:2], start=1):
    SETS.append(("Elongation", p, 0, name, "eastern_elongation"))
    SETS.append(("Elongation", p, 1, name, "western_elongation"))
for p, name in enumerate(PLANETS[:5], start=1):
    SETS.append(("Station", p, 0, name, "station_longitude_1"))
    SETS.append(("Station", p, 1, name, "station_longitude_2"))

# Terms where the package differs from the series this program evaluates
# (Meeus ch. 36 as printed): (series, planet, kind, function, argument) ->
# (c0, c1, c2). In the package these are typing slips: a T where the book
# has T², a sign, a digit, or a product with T in place of a sum (Mercury's
# second station, cos 3M, up to 4 hours).
PROGRAM_VALUES = {
    ("Conjunction", 1, 1, "Cos", "M5"): (0.0173, 0.0, -0.0002),
    ("Conjunction", 2, 0, "Sin", "M2"): (0.0967, -0.0016, -0.00003),
    ("Conjunction", 4, 1, "Constant", "None"): (0.1027, -0.0002, -0.00009),
    ("Conjunction", 4, 1, "Cos", "M1"): (-6.154, -0.021, -0.00003),
    ("Conjunction", 7, 1, "Sin", "M2"): (0.0118, -0.0004, -0.00001),
    ("Station", 1, 0, "Cos", "M1"): (-1.323, 0.0, -0.0156),
    ("Station", 1, 0, "Cos", "M5"): (0.0008, 0.0002, 0.0),
    ("Station", 4, 1, "Cos", "M1"): (5.3635, 0.0274, -0.00007),
    ("Station", 1, 1, "Cos", "M3"): (-0.1733, -0.0007, 0.00001),
}

OUTER_ARGS = {"aa": "A", "bb": "B", "cc": "C", "dd": "D", "ee": "E", "ff": "F", "gg": "G"}


class Poly:
    """A polynomial in t with float coefficients, lowest power first."""

    def __init__(self, c):
        self.c = list(c)

    @staticmethod
    def of(x):
        return x if isinstance(x, Poly) else Poly([float(x)])

    def __add__(self, o):
        o = Poly.of(o)
        n = max(len(self.c), len(o.c))
        return Poly([(self.c[i] if i < len(self.c) else 0.0) + (o.c[i] if i < len(o.c) else 0.0) for i in range(n)])

    __radd__ = __add__

    def __neg__(self):
        return Poly([-x for x in self.c])

    def __sub__(self, o):
        return self + (-Poly.of(o))

    def __rsub__(self, o):
        return Poly.of(o) - self

    def __mul__(self, o):
        o = Poly.of(o)
        r = [0.0] * (len(self.c) + len(o.c) - 1)
        for i, a in enumerate(self.c):
            for j, b in enumerate(o.c):
                r[i + j] += a * b
        return Poly(r)

    __rmul__ = __mul__

    def coeffs(self):
        c = [round(x, 10) for x in self.c]
        while len(c) > 3 and c[-1] == 0.0:
            c.pop()
        if len(c) > 3:
            raise SystemExit(f"a coefficient of degree {len(c) - 1} in t: {c}")
        c += [0.0] * (3 - len(c))
        return c


def evaluate_poly(node):
    expr = ast.Expression(body=node)
    ast.fix_missing_locations(expr)
    return Poly.of(eval(compile(expr, "<term>", "eval"), {"t": Poly([0.0, 1.0])}))


def flatten_sum(node, sign, out):
    """Splits a chain of + and - into (sign, node) items."""
    if isinstance(node, ast.BinOp) and isinstance(node.op, (ast.Add, ast.Sub)):
        flatten_sum(node.left, sign, out)
        flatten_sum(node.right, sign if isinstance(node.op, ast.Add) else -sign, out)
    else:
        out.append((sign, node))


def trig_term(node):
    """(function, argument, coefficient node) of `sin(x) * (...)`, or None."""
    if not (isinstance(node, ast.BinOp) and isinstance(node.op, ast.Mult)):
        return None
    call = node.left
    if not (isinstance(call, ast.Call) and isinstance(call.func, ast.Name) and call.func.id in ("sin", "cos")):
        return None
    arg = call.args[0]
    if isinstance(arg, ast.Name) and arg.id == "m":
        argument = "M1"
    elif isinstance(arg, ast.Name) and arg.id in OUTER_ARGS:
        argument = OUTER_ARGS[arg.id]
    elif (isinstance(arg, ast.BinOp) and isinstance(arg.op, ast.Mult) and isinstance(arg.left, ast.Constant)
          and isinstance(arg.right, ast.Name) and arg.right.id == "m"):
        argument = f"M{int(arg.left.value)}"
    else:
        raise SystemExit(f"unexpected argument {ast.dump(arg)}")
    return ("Sin" if call.func.id == "sin" else "Cos", argument, node.right)


def find_function(tree, name):
    for cls in tree.body:
        if isinstance(cls, ast.ClassDef):
            for f in cls.body:
                if isinstance(f, ast.FunctionDef) and f.name == name:
                    return f
    raise SystemExit(f"function {name} not found")


def read_set(source_dir, module, function):
    tree = ast.parse((source_dir / f"{module}.py").read_text())
    f = find_function(tree, function)
    consts, corr = {}, None
    for stmt in f.body:
        if isinstance(stmt, ast.Assign) and len(stmt.targets) == 1 and isinstance(stmt.targets[0], ast.Name):
            target = stmt.targets[0].id
            if target in ("a", "b", "m0", "m1") and isinstance(stmt.value, ast.Constant):
                consts[target] = float(stmt.value.value)
            if target == "corr":
                corr = stmt.value
    if corr is None or len(consts) != 4:
        raise SystemExit(f"{module}.{function}: constants or corrections not found")
    items = []
    flatten_sum(corr, 1, items)
    constant = Poly([0.0])
    terms = []
    for sign, node in items:
        t = trig_term(node)
        if t is None:
            constant = constant + evaluate_poly(node) * sign
        else:
            fn, argument, coeff = t
            terms.append([fn, argument, (evaluate_poly(coeff) * sign).coeffs()])
    return consts, [["Constant", "None", constant.coeffs()]] + terms


def cpp_number(x):
    text = repr(float(x))
    return text


def main():
    pkg = common.debian_package("python3-pymeeus")
    (source_dir,) = list(pkg.glob("usr/lib/python3/dist-packages/pymeeus"))
    elements = {}
    sets = []
    used = set()
    for series, planet, kind, module, function in SETS:
        consts, terms = read_set(source_dir, module, function)
        if series == "Conjunction":
            elements[(planet, kind)] = consts
        for term in terms:
            key = (series, planet, kind, term[0], term[1])
            if key in PROGRAM_VALUES:
                if tuple(term[2]) == PROGRAM_VALUES[key]:
                    raise SystemExit(f"{key}: the package now agrees; drop it from PROGRAM_VALUES")
                print(f"{module}.{function} {term[0]} {term[1]}: package {term[2]} -> {PROGRAM_VALUES[key]}")
                term[2] = list(PROGRAM_VALUES[key])
                used.add(key)
        sets.append((series, planet, kind, terms))
    missing = set(PROGRAM_VALUES) - used
    if missing:
        raise SystemExit(f"terms of PROGRAM_VALUES not found: {sorted(missing)}")

    lines = [
        "// Generated by tools/datagen/gen_phenomenon_terms.py from Debian python3-pymeeus",
        f"// {common.DEBIAN_VERSIONS['python3-pymeeus']} (Meeus, Astronomical Algorithms, ch. 36). Do not edit.",
        "#include \"almanac/PhenomenonTerms.h\"",
        "",
        "namespace almanac {",
        "",
        "const PhenomenonElements kPhenomenonElements[kPhenomenonPlanetCount][2] = {",
    ]
    for p in range(1, 8):
        rows = []
        for k in (0, 1):
            c = elements[(p, k)]
            rows.append("{" + ", ".join(cpp_number(c[x]) for x in ("a", "b", "m0", "m1")) + "}")
        lines.append(f"    {{{rows[0]}, {rows[1]}}},  // {PLANETS[p - 1]}")
    lines += ["};", "", "const PhenomenonTerm kPhenomenonTerms[] = {"]
    index = []
    first = 0
    for series, planet, kind, terms in sets:
        lines.append(f"    // {series}, {PLANETS[planet - 1]}, kind {kind}")
        for fn, argument, c in terms:
            lines.append(f"    {{TermFunction::{fn}, TermArgument::{argument}, "
                         f"{cpp_number(c[0])}, {cpp_number(c[1])}, {cpp_number(c[2])}}},")
        index.append(f"    {{PhenomenonSeries::{series}, {planet}, {kind}, {first}, {len(terms)}}},")
        first += len(terms)
    lines += ["};", "", "const PhenomenonTermSet kPhenomenonTermSets[] = {"] + index
    lines += ["};", "", f"const int kPhenomenonTermSetCount = {len(sets)};", "", "}  // namespace almanac", ""]
    OUT.write_text("\n".join(lines))
    print(f"wrote {OUT.relative_to(REPO)}: {len(sets)} term sets, {first} terms")


if __name__ == "__main__":
    sys.exit(main())
