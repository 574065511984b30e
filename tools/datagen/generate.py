"""Regenerates every data file of the program folder under data/.

Runs the main() of every gen_*.py module of this folder in sorted order.
Usage: python3 tools/datagen/generate.py [module-name ...]
(names without "gen_" and ".py" limit the run, e.g. "stars names").
"""
import importlib
import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent


def modules(selected):
    names = sorted(p.stem for p in HERE.glob("gen_*.py"))
    if selected:
        wanted = {f"gen_{s}" if not s.startswith("gen_") else s for s in selected}
        unknown = wanted - set(names)
        if unknown:
            raise SystemExit(f"unknown generator module(s): {', '.join(sorted(unknown))}")
        names = [n for n in names if n in wanted]
    return names


def main(argv):
    sys.dont_write_bytecode = True  # leave no __pycache__ in the repository
    sys.path.insert(0, str(HERE))
    for name in modules(argv):
        print(f"== {name}", flush=True)
        importlib.import_module(name).main()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
