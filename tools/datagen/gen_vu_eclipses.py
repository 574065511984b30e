"""Writes calendar/testdata/eclipses_2022_2026.csv, the solar and lunar
eclipses of 2022-2026 with their kinds, from the pinned npm package
astronomy-engine run by Debian's nodejs (see vu_eclipses.js)."""
import pathlib
import subprocess

import common

ASTRONOMY_ENGINE = "2.1.19"


def main():
    astro = common.npm_package("astronomy-engine", ASTRONOMY_ENGINE)
    out = common.REPO / "calendar" / "testdata" / "eclipses_2022_2026.csv"
    out.parent.mkdir(parents=True, exist_ok=True)
    script = pathlib.Path(__file__).with_name("vu_eclipses.js")
    subprocess.run(["node", str(script), str(astro), str(out)], check=True)
    print(f"wrote {out.relative_to(common.REPO)}: {len(out.read_text().splitlines()) - 1} rows")


if __name__ == "__main__":
    main()
