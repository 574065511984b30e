"""Writes the reference tables of the close-approach search and the tonight's
sky window into almanac/testdata/ with the pinned npm package
astronomy-engine, run by Debian's nodejs (see approach_fixtures.js)."""
import pathlib
import subprocess

import common

ASTRONOMY_ENGINE = "2.1.19"
OUTPUTS = ("close_approaches.csv", "gathering_longitudes.csv", "tonight_events.csv")


def main():
    astro = common.npm_package("astronomy-engine", ASTRONOMY_ENGINE)
    out = common.REPO / "almanac" / "testdata"
    script = pathlib.Path(__file__).with_name("approach_fixtures.js")
    subprocess.run(["node", str(script), str(astro), str(out)], check=True)
    for name in OUTPUTS:
        f = out / name
        print(f"wrote {f.relative_to(common.REPO)}: {len(f.read_text().splitlines()) - 1} rows")


if __name__ == "__main__":
    main()
