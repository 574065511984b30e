// Writes the reference tables of the close-approach search and the tonight's
// sky window (run by gen_approach_fixtures.py, which fetches the pinned
// package), from npm astronomy-engine, an ephemeris independent of the
// program's planetary theory:
//   close_approaches.csv: for chosen pairs of bodies and civil days at the
//     default site (zone 9), the least geocentric separation of the day and
//     its local time, and the separation at a chosen local instant with each
//     body's elongation from the Sun there.
//   gathering_longitudes.csv: geocentric ecliptic longitudes of date of the
//     Sun, the Moon and the five bright planets at chosen local instants.
//   tonight_events.csv: twilights, sunrise and sunset, moonrise and moonset
//     at the default site on chosen days, in local time (zone 9).
// Usage: node approach_fixtures.js <astronomy-engine dir> <output dir>
'use strict';
const fs = require('fs');
const path = require('path');

const [astroDir, outDir] = process.argv.slice(2);
const A = require(path.join(astroDir, 'astronomy.js'));

const ZONE_H = 9;
const SITE = new A.Observer(35.82, 128.46, 0);
const NAMES = { Moon: '달', Mercury: '수성', Venus: '금성', Mars: '화성', Jupiter: '목성', Saturn: '토성' };

// Local civil time (zone 9) of a calendar instant as an AstroTime.
function Local(y, mo, d, h, mi) {
  return A.MakeTime(new Date(Date.UTC(y, mo - 1, d, h - ZONE_H, mi || 0)));
}
function Clock(time) {
  const t = new Date(time.date.getTime() + ZONE_H * 3600000);
  const pad = (n) => String(n).padStart(2, '0');
  return `${t.getUTCFullYear()}-${pad(t.getUTCMonth() + 1)}-${pad(t.getUTCDate())} ` +
         `${pad(t.getUTCHours())}:${pad(t.getUTCMinutes())}:${pad(t.getUTCSeconds())}`;
}

function Separation(a, b, time) {
  return A.AngleBetween(A.GeoVector(A.Body[a], time, true), A.GeoVector(A.Body[b], time, true));
}

// The least separation over the civil day, by 1-minute samples refined by
// golden-section search to a second.
function DayMinimum(a, b, y, mo, d) {
  const day0 = Local(y, mo, d, 0, 0);
  let best = 0, bestSep = 1e9;
  for (let m = 0; m <= 1440; ++m) {
    const s = Separation(a, b, day0.AddDays(m / 1440));
    if (s < bestSep) { bestSep = s; best = m; }
  }
  let lo = (best - 1) / 1440, hi = (best + 1) / 1440;
  const g = (Math.sqrt(5) - 1) / 2;
  while (hi - lo > 1 / 86400) {
    const x1 = hi - g * (hi - lo), x2 = lo + g * (hi - lo);
    if (Separation(a, b, day0.AddDays(x1)) < Separation(a, b, day0.AddDays(x2))) hi = x2; else lo = x1;
  }
  const t = day0.AddDays((lo + hi) / 2);
  return { time: t, sep: Separation(a, b, t) };
}

function Elongation(body, time) {
  return A.AngleBetween(A.GeoVector(A.Body.Sun, time, true), A.GeoVector(A.Body[body], time, true));
}

function Approaches() {
  // case, bodies, day, instant of the separation asked for (local hh:mm).
  const cases = [
    ['jupiter_saturn_2020', 'Jupiter', 'Saturn', [2020, 12, 22], [12, 0]],
    ['venus_jupiter_2023', 'Venus', 'Jupiter', [2023, 3, 2], [12, 0]],
    ['venus_jupiter_2022', 'Venus', 'Jupiter', [2022, 5, 1], [12, 0]],
    ['venus_jupiter_2008', 'Venus', 'Jupiter', [2008, 12, 1], [12, 0]],
    ['moon_venus_2008', 'Moon', 'Venus', [2008, 12, 2], [1, 0]],
    ['moon_venus_2022', 'Moon', 'Venus', [2022, 5, 27], [12, 0]],
    ['moon_mercury_2022', 'Moon', 'Mercury', [2022, 4, 1], [12, 0]],
  ];
  const lines = ['case,body_a,body_b,min_sep_deg,min_local,at_local,sep_at_deg,elong_a_at_deg,elong_b_at_deg'];
  for (const [name, a, b, [y, mo, d], [h, mi]] of cases) {
    const min = DayMinimum(a, b, y, mo, d);
    const at = Local(y, mo, d, h, mi);
    lines.push([name, NAMES[a], NAMES[b], min.sep.toFixed(4), Clock(min.time), Clock(at),
                Separation(a, b, at).toFixed(4), Elongation(a, at).toFixed(2), Elongation(b, at).toFixed(2)].join(','));
  }
  return lines.join('\n') + '\n';
}

function Gatherings() {
  const instants = [[2022, 6, 24, 12, 0]];
  const bodies = ['Sun', 'Moon', 'Mercury', 'Venus', 'Mars', 'Jupiter', 'Saturn'];
  const lines = ['at_local,' + bodies.map((b) => b.toLowerCase() + '_lon_deg').join(',')];
  for (const [y, mo, d, h, mi] of instants) {
    const t = Local(y, mo, d, h, mi);
    const lons = bodies.map((b) => A.Ecliptic(A.GeoVector(A.Body[b], t, true)).elon);
    lines.push([Clock(t), ...lons.map((l) => l.toFixed(3))].join(','));
  }
  return lines.join('\n') + '\n';
}

function Tonight() {
  const days = [[2008, 6, 21], [2008, 7, 2], [2022, 6, 24]];
  const lines = ['day,event,local'];
  for (const [y, mo, d] of days) {
    const day0 = Local(y, mo, d, 0, 0);
    const day = `${y}-${String(mo).padStart(2, '0')}-${String(d).padStart(2, '0')}`;
    const events = [
      ['astronomical_dawn', () => A.SearchAltitude(A.Body.Sun, SITE, +1, day0, 1, -18)],
      ['sunrise', () => A.SearchRiseSet(A.Body.Sun, SITE, +1, day0, 1)],
      ['sunset', () => A.SearchRiseSet(A.Body.Sun, SITE, -1, day0, 1)],
      ['astronomical_dusk', () => A.SearchAltitude(A.Body.Sun, SITE, -1, day0, 1, -18)],
      ['moonrise', () => A.SearchRiseSet(A.Body.Moon, SITE, +1, day0, 1)],
      ['moonset', () => A.SearchRiseSet(A.Body.Moon, SITE, -1, day0, 1)],
      // The evening's darkness ends the next morning.
      ['next_astronomical_dawn', () => A.SearchAltitude(A.Body.Sun, SITE, +1, day0.AddDays(1), 1, -18)],
      ['next_moonrise', () => A.SearchRiseSet(A.Body.Moon, SITE, +1, day0.AddDays(1), 1)],
    ];
    for (const [name, find] of events) {
      const t = find();
      lines.push(`${day},${name},${t ? Clock(t) : ''}`);
    }
  }
  return lines.join('\n') + '\n';
}

fs.writeFileSync(path.join(outDir, 'close_approaches.csv'), Approaches());
fs.writeFileSync(path.join(outDir, 'gathering_longitudes.csv'), Gatherings());
fs.writeFileSync(path.join(outDir, 'tonight_events.csv'), Tonight());
