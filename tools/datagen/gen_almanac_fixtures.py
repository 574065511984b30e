"""Writes the reference tables of the calendar modules' tests into
almanac/testdata/ with the pinned npm packages korean-lunar-calendar and
astronomy-engine, run by Debian's nodejs (see almanac_fixtures.js)."""
import pathlib
import subprocess

import common

KOREAN_LUNAR_CALENDAR = "0.4.0"
ASTRONOMY_ENGINE = "2.1.19"


def main():
    lunar = common.npm_package("korean-lunar-calendar", KOREAN_LUNAR_CALENDAR)
    astro = common.npm_package("astronomy-engine", ASTRONOMY_ENGINE)
    out = common.REPO / "almanac" / "testdata"
    script = pathlib.Path(__file__).with_name("almanac_fixtures.js")
    subprocess.run(["node", str(script), str(lunar), str(astro), str(out)], check=True)
    for f in sorted(out.glob("*.csv")):
        print(f"wrote {f.relative_to(common.REPO)}: {len(f.read_text().splitlines()) - 1} rows")


if __name__ == "__main__":
    main()
