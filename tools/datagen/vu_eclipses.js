// Writes calendar/testdata/eclipses_2022_2026.csv (run by
// gen_vu_eclipses.py): every solar and lunar eclipse of 2022-2026 found by
// astronomy-engine's global eclipse searches, with its peak as a Julian day
// of UT and its kind (solar: partial, annular, total, hybrid; lunar:
// penumbral, partial, total).
// Usage: node vu_eclipses.js <astronomy-engine dir> <output file>
'use strict';
const fs = require('fs');
const path = require('path');

const [astroDir, outFile] = process.argv.slice(2);
const Astronomy = require(path.join(astroDir, 'astronomy.js'));

const J2000 = 2451545.0;
const start = new Date(Date.UTC(2022, 0, 1));
const end = new Date(Date.UTC(2027, 0, 1));
const rows = [];
let s = Astronomy.SearchGlobalSolarEclipse(start);
while (s.peak.date < end) {
  rows.push([s.peak.ut + J2000, 'solar', s.kind]);
  s = Astronomy.NextGlobalSolarEclipse(s.peak);
}
let l = Astronomy.SearchLunarEclipse(start);
while (l.peak.date < end) {
  rows.push([l.peak.ut + J2000, 'lunar', l.kind]);
  l = Astronomy.NextLunarEclipse(l.peak);
}
rows.sort((a, b) => a[0] - b[0]);
const lines = ['peak_jd_ut,body,kind'].concat(rows.map(r => `${r[0].toFixed(5)},${r[1]},${r[2]}`));
fs.writeFileSync(outFile, lines.join('\n') + '\n');
