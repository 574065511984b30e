"""Writes the orbital element files "histComet.txt", "Comet.txt" and
"Asteroid.txt" (fields separated by "|", CR LF line ends).

Comet line: name | equinox year | perihelion time "YYYYMMDD.ffff" | q | e |
argument of perihelion | ascending node | inclination | H | K, where the
magnitude is H + 5 log10(delta) + K log10(r).
Asteroid line: name | epoch "Y M D" (0 h) | e | a | i | node | argument of
perihelion | equinox year | mean anomaly at the epoch | H | G.

Sources:
- histComet.txt: the 1,086 historical comets of stellarium-data
  (ssystem_1000comets.ini; J2000 ecliptic elements, perihelion as a Julian
  day, magnitude slope n with K = 2.5 n).
- Comet.txt: the comet elements of the Minor Planet Center as shipped by
  kstars-data (cometels.json.gz; J2000; perihelion as year, month and day with
  fraction; slope G with K = 2.5 G).
- Asteroid.txt: the asteroid elements of the JPL small-body database as
  shipped by kstars-data (asteroids.dat; J2000; epoch as a modified Julian
  day).  A missing slope parameter G takes the usual 0.15.

Dates before 1582 October 15 are written in the Julian calendar with
astronomical year numbering (year 0 = 1 BC), the calendar the program reads
them in; every written perihelion date is read back and compared with the
source's Julian day.
"""
import gzip
import json
import math
import re

import common

COMETS_1000 = "usr/share/stellarium/data/ssystem_1000comets.ini"
MPC_COMETS = "usr/share/kstars/cometels.json.gz"
JPL_ASTEROIDS = "usr/share/kstars/asteroids.dat"

DEFAULT_G = 0.15
GAUSS_DEG_PER_DAY = 0.9856076686  # mean motion of a = 1 AU, degrees per day


def num(value) -> str:
    """Shortest text that reads back as the same number, without exponent."""
    x = float(value)
    text = repr(x)
    if "e" in text or "E" in text:
        text = f"{x:.15f}".rstrip("0").rstrip(".")
    if text.endswith(".0"):
        text = text[:-2]
    return "0" if text == "-0" else text


def date_to_jd(y, m, d, hours=0.0):
    """The program's reading of a calendar date (Julian calendar before
    1582 October 15, Gregorian from then on)."""
    gregorian = (y, m, d) >= (1582, 10, 15)
    g = 1 if gregorian else 0
    a = -math.floor(7 * (y + math.floor((m + 9) / 12)) / 4)
    sigma = 1 if m >= 9 else -1
    y2 = math.floor(y + sigma * math.floor(abs(m - 9) / 7))
    c = -math.floor(3 * (math.floor(y2 / 100) + 1) / 4)
    return (367 * y + a + math.floor(275 * m / 9) + d + g * c + 1721027 + 2 * g - 0.5
            + hours / 24.0)


def jd_to_date(jd):
    """(year, month, day, fraction of the day) of a Julian day; Julian
    calendar before JD 2299160.5, astronomical year numbering."""
    z = math.floor(jd + 0.5)
    f = jd + 0.5 - z
    if z < 2299161:
        a = z
    else:
        alpha = math.floor((z - 1867216.25) / 36524.25)
        a = z + 1 + alpha - math.floor(alpha / 4)
    b = a + 1524
    c = math.floor((b - 122.1) / 365.25)
    d = math.floor(365.25 * c)
    e = math.floor((b - d) / 30.6001)
    day = b - d - math.floor(30.6001 * e)
    month = e - 1 if e < 14 else e - 13
    year = c - 4716 if month > 2 else c - 4715
    return year, month, day, f


def perihelion_text(year, month, day, fraction_text):
    """"YYYYMMDD" followed by the fraction of the day (".6466") if any."""
    return f"{year}{month:02d}{day:02d}{fraction_text}"


def perihelion_from_jd(jd, decimals=6):
    year, month, day, f = jd_to_date(jd)
    f = round(f, decimals)
    if f >= 1.0:
        year, month, day, f = jd_to_date(math.floor(jd + 0.5) + 0.5)
    fraction = f"{f:.{decimals}f}".rstrip("0")
    fraction = fraction[1:] if fraction not in ("0.", "0") else ""
    text = perihelion_text(year, month, day, fraction)
    back = date_to_jd(year, month, day, 24.0 * float("0" + fraction) if fraction else 0.0)
    if abs(back - jd) > 1e-5:
        raise ValueError(f"perihelion {jd} written as {text} reads back as {back}")
    return text


def ini_value(text):
    """A value of the ini file as its writer meant it: Qt's settings files put
    a value holding a comma, an equals sign or leading blanks between double
    quotes, with backslash escapes inside."""
    if len(text) >= 2 and text[0] == '"' and text[-1] == '"':
        return re.sub(r"\\(.)", r"\1", text[1:-1])
    return text


def read_ini_sections(path):
    sections, current = [], None
    for line in path.read_text(encoding="utf-8").splitlines():
        line = line.strip()
        if line.startswith("["):
            current = {}
            sections.append(current)
        elif current is not None and "=" in line and not line.startswith("#"):
            key, value = line.split("=", 1)
            current[key.strip()] = ini_value(value.strip())
    return sections


def safe_name(name):
    text = name.replace("|", "/").replace("\u02bb", "`").strip()
    if '"' in text:
        raise ValueError(f"a quote left in the body name {text!r}")
    return text.encode("cp949", errors="replace").decode("cp949")


def historical_comets(path):
    lines = []
    for s in read_ini_sections(path):
        if s.get("type") != "comet" or s.get("coord_func") != "comet_orbit":
            continue
        t = perihelion_from_jd(float(s["orbit_TimeAtPericenter"]))
        k = 2.5 * float(s.get("slope_parameter", "4"))
        lines.append("|".join([
            safe_name(s["name"]), "2000", t, num(s["orbit_PericenterDistance"]),
            num(s["orbit_Eccentricity"]), num(s["orbit_ArgOfPericenter"]),
            num(s["orbit_AscendingNode"]), num(s["orbit_Inclination"]),
            num(s["absolute_magnitude"]), num(k)]))
    return lines


def mpc_comets(path):
    lines = []
    for c in json.loads(gzip.decompress(path.read_bytes())):
        day_text = repr(float(c["Day_of_perihelion"]))
        whole, _, frac = day_text.partition(".")
        frac = frac.rstrip("0")
        t = perihelion_text(int(c["Year_of_perihelion"]), int(c["Month_of_perihelion"]),
                            int(whole), "." + frac if frac else "")
        lines.append("|".join([
            safe_name(c["Designation_and_name"]), "2000", t, num(c["Perihelion_dist"]),
            num(c["e"]), num(c["Peri"]), num(c["Node"]), num(c["i"]),
            num(c["H"]), num(2.5 * float(c["G"]))]))
    return lines


def asteroid_name(full_name):
    """"1 Ceres (A801 AA)" -> "1 Ceres"; designations alone stay as they are."""
    text = full_name.strip()
    m = re.match(r"^(.*?) \(([^()]*)\)$", text)
    if m and re.search(r"[A-Za-z]", m.group(1)):
        return m.group(1)
    return text


def jpl_asteroids(path):
    data = json.loads(path.read_text(encoding="utf-8"))
    fields = data["fields"]
    lines, skipped = [], 0
    for row in data["data"]:
        r = dict(zip(fields, row))
        if any(r[k] is None for k in ("epoch_mjd", "e", "a", "i", "om", "w", "ma", "H")):
            skipped += 1
            continue
        mjd = float(r["epoch_mjd"])
        a = float(r["a"])
        m0 = float(r["ma"])
        day_mjd = math.floor(mjd)
        if day_mjd != mjd:
            # The epoch is read as 0 h of its date: move the mean anomaly there.
            m0 = (m0 + GAUSS_DEG_PER_DAY / a ** 1.5 * (day_mjd - mjd)) % 360.0
        year, month, day, _ = jd_to_date(day_mjd + 2400000.5)
        g = r["G"] if r["G"] is not None else DEFAULT_G
        lines.append("|".join([
            safe_name(asteroid_name(r["full_name"])), f"{year} {month} {day}", num(r["e"]), num(a),
            num(r["i"]), num(r["om"]), num(r["w"]), "2000", num(m0), num(r["H"]), num(g)]))
    return lines, skipped


def main():
    stellarium = common.debian_package("stellarium-data")
    kstars = common.debian_package("kstars-data")
    hist = historical_comets(stellarium / COMETS_1000)
    comets = mpc_comets(kstars / MPC_COMETS)
    asteroids, skipped = jpl_asteroids(kstars / JPL_ASTEROIDS)
    common.write_cp949("histComet.txt", "".join(line + "\r\n" for line in hist))
    common.write_cp949("Comet.txt", "".join(line + "\r\n" for line in comets))
    common.write_cp949("Asteroid.txt", "".join(line + "\r\n" for line in asteroids))
    print(f"histComet.txt: {len(hist)} comets; Comet.txt: {len(comets)} comets; "
          f"Asteroid.txt: {len(asteroids)} asteroids ({skipped} without full elements left out)")


if __name__ == "__main__":
    main()
