// Writes the reference tables of the calendar modules' tests (run by
// gen_almanac_fixtures.py, which fetches the pinned packages):
//   korean_lunar_months.csv: every Korean lunar month starting 1899-12..2050-12
//     (KASI tables of npm korean-lunar-calendar): its first day, lunar year,
//     month and leap flag.
//   planet_phenomena_1990_2030.csv: conjunctions and oppositions of Mercury to
//     Neptune, greatest elongations of Mercury and Venus and stations of Mercury
//     to Saturn, 1990-2030, as Julian days of TT (npm astronomy-engine); the
//     stations are the zeros of the rate of the geocentric apparent longitude
//     (true ecliptic of date).
// Usage: node almanac_fixtures.js <korean-lunar-calendar dir> <astronomy-engine dir> <output dir>
'use strict';
const fs = require('fs');
const path = require('path');

const [lunarDir, astroDir, outDir] = process.argv.slice(2);
const KoreanLunarCalendar = require(path.join(lunarDir, 'dist', 'korean-lunar-calendar.js'));
const Astronomy = require(path.join(astroDir, 'astronomy.js'));

function pad(n, w) { return String(n).padStart(w, '0'); }

function lunarMonths() {
  const lines = ['solar_date,lunar_year,lunar_month,leap'];
  const cal = new KoreanLunarCalendar();
  const day = 86400000;
  for (let t = Date.UTC(1899, 11, 1); t <= Date.UTC(2050, 11, 31); t += day) {
    const d = new Date(t);
    const y = d.getUTCFullYear(), m = d.getUTCMonth() + 1, dd = d.getUTCDate();
    if (!cal.setSolarDate(y, m, dd)) throw new Error(`not convertible: ${y}-${m}-${dd}`);
    const l = cal.getLunarCalendar();
    if (l.day === 1) lines.push(`${y}-${pad(m, 2)}-${pad(dd, 2)},${l.year},${l.month},${l.intercalation ? 1 : 0}`);
  }
  return lines.join('\n') + '\n';
}

const J2000 = 2451545.0;
const START = Astronomy.MakeTime(new Date(Date.UTC(1990, 0, 1)));
const END = Astronomy.MakeTime(new Date(Date.UTC(2031, 0, 1)));
const PLANETS = ['Mercury', 'Venus', 'Mars', 'Jupiter', 'Saturn', 'Uranus', 'Neptune'];

function jdTT(time) { return (time.tt + J2000).toFixed(5); }

function conjunctions(rows) {
  PLANETS.forEach((name, i) => {
    for (const kind of [0, 1]) {
      // Relative longitude 0: inferior conjunction or opposition; 180: superior
      // conjunction or conjunction.
      let t = START;
      for (;;) {
        const ev = Astronomy.SearchRelativeLongitude(Astronomy.Body[name], kind === 0 ? 0 : 180, t);
        if (ev.tt >= END.tt) break;
        rows.push([jdTT(ev), i + 1, 'conjunction', kind]);
        t = ev.AddDays(1);
      }
    }
  });
}

function elongations(rows) {
  ['Mercury', 'Venus'].forEach((name, i) => {
    let t = START;
    for (;;) {
      const ev = Astronomy.SearchMaxElongation(Astronomy.Body[name], t);
      if (ev.time.tt >= END.tt) break;
      rows.push([jdTT(ev.time), i + 1, 'elongation', ev.visibility === 'evening' ? 0 : 1]);
      t = ev.time.AddDays(1);
    }
  });
}

// Geocentric apparent longitude at a time given in days of UT from J2000.
function geoLongitude(body, ut) {
  return Astronomy.Ecliptic(Astronomy.GeoVector(body, Astronomy.MakeTime(ut), true)).elon;
}

function rate(body, ut) {
  const h = 0.01;
  let d = geoLongitude(body, ut + h) - geoLongitude(body, ut - h);
  if (d > 180) d -= 360;
  if (d < -180) d += 360;
  return d / (2 * h);
}

function stations(rows) {
  PLANETS.slice(0, 5).forEach((name, i) => {
    const body = Astronomy.Body[name];
    let a = START.ut, ra = rate(body, a);
    for (let b = a + 0.5; b <= END.ut; b += 0.5) {
      const rb = rate(body, b);
      if ((ra > 0) !== (rb > 0)) {
        let lo = a, hi = b, rlo = ra;
        while (hi - lo > 1e-6) {
          const mid = 0.5 * (lo + hi), rm = rate(body, mid);
          if ((rm > 0) === (rlo > 0)) { lo = mid; rlo = rm; } else { hi = mid; }
        }
        // First station: the motion turns retrograde; second: direct again.
        rows.push([jdTT(Astronomy.MakeTime(0.5 * (lo + hi))), i + 1, 'station', ra > 0 ? 0 : 1]);
      }
      a = b; ra = rb;
    }
  });
}

function phenomena() {
  const rows = [];
  conjunctions(rows);
  elongations(rows);
  stations(rows);
  rows.sort((x, y) => Number(x[0]) - Number(y[0]));
  return ['jd_tt,planet,event,kind'].concat(rows.map(r => r.join(','))).join('\n') + '\n';
}

fs.mkdirSync(outDir, { recursive: true });
fs.writeFileSync(path.join(outDir, 'korean_lunar_months.csv'), lunarMonths());
fs.writeFileSync(path.join(outDir, 'planet_phenomena_1990_2030.csv'), phenomena());
