// Writes astro/testdata/lunar_eclipses_2020_2030.csv (run by
// gen_lunar_eclipses.py): every lunar eclipse of 2020-2030 found by
// astronomy-engine's eclipse search, with its peak as a Julian day of UT and
// its kind (total, partial, penumbral).
// Usage: node lunar_eclipses.js <astronomy-engine dir> <output file>
'use strict';
const fs = require('fs');
const path = require('path');

const [astroDir, outFile] = process.argv.slice(2);
const Astronomy = require(path.join(astroDir, 'astronomy.js'));

const J2000 = 2451545.0;
const lines = ['peak_jd_ut,kind'];
let e = Astronomy.SearchLunarEclipse(new Date(Date.UTC(2020, 0, 1)));
while (e.peak.date < new Date(Date.UTC(2031, 0, 1))) {
  lines.push(`${(e.peak.ut + J2000).toFixed(5)},${e.kind}`);
  e = Astronomy.NextLunarEclipse(e.peak);
}
fs.writeFileSync(outFile, lines.join('\n') + '\n');
