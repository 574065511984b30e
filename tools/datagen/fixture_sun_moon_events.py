"""Writes calendar/testdata/sun_moon_events.txt: solar terms and lunar
quarters of sample years from npm astronomy-engine (MIT), pinned below, an
ephemeris independent of the calendar program's series. The calendar's tests
compare against it with no network.

Times are Julian days of Terrestrial Time, so the comparison does not depend
on either side's Delta T. Run: python3 tools/datagen/fixture_sun_moon_events.py
(needs npm and node).
"""
import subprocess

from common import REPO, npm_package

PACKAGE = "astronomy-engine"
VERSION = "2.1.19"
OUT = REPO / "calendar" / "testdata" / "sun_moon_events.txt"
YEARS = [1000, 1500, 1700, 1900, 1950, 2000, 2024, 2050, 2100]

SCRIPT = r"""
const A = require(process.argv[1]);
const years = JSON.parse(process.argv[2]);
const out = [];
const J2000 = 2451545.0;
for (const y of years) {
  const jan1 = A.MakeTime(new Date(Date.UTC(2000, 0, 1)));
  const start = jan1.AddDays((y - 2000) * 365.2425);
  for (let k = 0; k < 24; k++) {
    const target = (285 + 15 * k) % 360;
    const t = A.SearchSunLongitude(target, start.AddDays(15 * k - 20), 40);
    out.push(`term ${y} ${k} ${target} ${(t.tt + J2000).toFixed(7)}`);
  }
  let q = A.SearchMoonQuarter(start);
  while (q.time.ut < start.ut + 365) {
    out.push(`phase ${y} ${q.quarter * 90} ${(q.time.tt + J2000).toFixed(7)}`);
    q = A.NextMoonQuarter(q);
  }
}
console.log(out.join("\n"));
"""


def main():
    root = npm_package(PACKAGE, VERSION)
    text = subprocess.run(["node", "-e", SCRIPT, str(root / "astronomy.js"), str(YEARS)],
                          check=True, capture_output=True, text=True).stdout
    header = (f"# Solar terms and lunar quarters from npm {PACKAGE} {VERSION}, Julian days of TT.\n"
              "# term <year> <k> <target longitude deg> <jd_tt>; phase <year> <elongation deg> <jd_tt>\n"
              "# Made by tools/datagen/fixture_sun_moon_events.py.\n")
    OUT.parent.mkdir(parents=True, exist_ok=True)
    OUT.write_text(header + text)
    print(f"wrote {OUT.relative_to(REPO)}: {text.count(chr(10))} events")


if __name__ == "__main__":
    main()
