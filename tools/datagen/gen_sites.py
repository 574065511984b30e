"""Writes "local.txt", the list of observing sites: one site per line,
"name; longitude; latitude; zone;pressure; temperature; extra1; extra2"
(degrees East and North, hours, hPa, degrees Celsius), in the number form
the site dialog itself writes.

Source: the Korean places of the KStars city database (kstars-data
citydb.sqlite: name, latitude and longitude in degrees, minutes and seconds,
time zone and elevation).  The pressure is that of the standard atmosphere at
the site's elevation (an unknown elevation counts as sea level); the
temperature is the standard 15 degrees.  The program's default site 고령
(128.46 E, 35.82 N, zone 9) comes first, then the other sites in the order of
their Korean names.

The Korean names are the usual Hangul forms of the romanized names, kept in
KOREAN_NAMES below.  They are checked against the Korean names of GeoNames
(libgeonames: cities of 15,000 people or more, Korean translations keyed by
GeoNames id): for every site with a GeoNames place within 7 km that has a
Hangul name, that name without its administrative suffix is compared and
every difference is printed (the one known is a misspelling in GeoNames,
흥람 for 흥남).
"""
import gettext
import math
import re
import sqlite3
import struct
import subprocess

import common

CITYDB = "usr/share/kstars/citydb.sqlite"
GEONAMES_LIBRARY = "usr/lib/x86_64-linux-gnu/libgeonames.so.0.3.0"
GEONAMES_RESOURCE = "/com/lomiri/geonames/cities.compiled"
GEONAMES_KO = "usr/share/locale/ko/LC_MESSAGES/geonames.mo"

DEFAULT_SITE = ("고령", 128.46, 35.82, 9.0, 1013.0, 15.0)
STANDARD_TEMPERATURE_C = 15.0
UNKNOWN_ELEVATION_M = -10.0  # the city database's mark for "not known"
MATCH_RADIUS_KM = 7.0

# Hangul forms of the romanized site names of the city database.
KOREAN_NAMES = {
    "Andong": "안동", "Boeun": "보은", "Buan": "부안", "Busan": "부산", "Buyeo": "부여",
    "Changwon": "창원", "Cheongju": "청주", "Cheorwon": "철원", "Chuncheon": "춘천",
    "Chungju": "충주", "Chupungryeong": "추풍령", "Chŏngjin": "청진", "Daegu": "대구",
    "Daegwallyeong": "대관령", "Daejeon": "대전", "Danyang": "단양", "Dokdo": "독도",
    "Dongducheon": "동두천", "Donghae": "동해", "Ganghwa": "강화", "Gangneung": "강릉",
    "Geochang": "거창", "Geoje": "거제", "Geumsan": "금산", "Goheung": "고흥", "Gumi": "구미",
    "Gunsan": "군산", "Gwangju": "광주", "Hadong": "하동", "Haenam": "해남", "Hapcheon": "합천",
    "Heuksando": "흑산도", "Hongcheon": "홍천", "Hŭngnam": "흥남", "Icheon": "이천",
    "Imsil": "임실", "Incheon": "인천", "Jangheung": "장흥", "Jangsu": "장수", "Jecheon": "제천",
    "Jeju": "제주", "Jeongeup": "정읍", "Jeonju": "전주", "Jinju": "진주", "Kaesŏng": "개성",
    "Kimchaek": "김책", "Maando": "마안도", "Marado": "마라도", "Miryang": "밀양", "Mokpo": "목포",
    "Muan": "무안", "Mungyeong": "문경", "Namhae": "남해", "Namwon": "남원", "Pohang": "포항",
    "Pyongyang": "평양", "Sancheong": "산청", "Seogwipo": "서귀포", "Seongsanpo": "성산포",
    "Seosan": "서산", "Seoul": "서울", "Sinuiju": "신의주", "Sokcho": "속초", "Suncheon": "순천",
    "Suwon": "수원", "Taebaek": "태백", "Tongyeong": "통영", "Uiseong": "의성", "Uljin": "울진",
    "Ulleungdo": "울릉도", "Ulsan": "울산", "Wando": "완도", "Wonju": "원주", "Wonsan": "원산",
    "Yangpyeong": "양평", "Yeongcheon": "영천", "Yeongdeok": "영덕", "Yeongju": "영주",
    "Yeongwol": "영월", "Yeosu": "여수", "Yupojin": "유포진",
}

# Administrative suffixes of the GeoNames Korean names ("대구광역시" -> "대구").
_SUFFIXES = ("특별자치시", "특별시", "광역시", "직할시", "시", "군", "읍")


def dms_to_degrees(text):
    """" 36° 33' 56"" -> 36.5655...; a leading minus sign makes it negative."""
    d, m, s = (int(v) for v in re.findall(r"\d+", text)[:3])
    value = d + m / 60.0 + s / 3600.0
    return -value if text.strip().startswith("-") else value


def pressure_at(elevation_m):
    """Standard-atmosphere pressure in hPa, to the whole hPa."""
    h = max(elevation_m, 0.0)
    return float(round(1013.25 * (1.0 - 2.25577e-5 * h) ** 5.25588))


def number_text(value, digits, blank):
    """A number as the site dialog writes it: up to `digits` significant
    digits, no 0 before the point below 1, a blank before a non-negative
    number when `blank` is set."""
    text = f"{value:.{digits}g}"
    if "e" in text:
        text = f"{value:.{digits}f}".rstrip("0").rstrip(".")
    if text.startswith("0."):
        text = text[1:]
    elif text.startswith("-0."):
        text = "-" + text[2:]
    if text == "-0":
        text = "0"
    return (" " + text) if blank and not text.startswith("-") else text


def site_line(name, lon, lat, zone, pressure, temperature, extra1=0.0, extra2=6.0):
    return (name + ";" + number_text(lon, 15, True) + ";" + number_text(lat, 15, True)
            + ";" + number_text(zone, 7, True) + ";" + number_text(pressure, 7, False)
            + ";" + number_text(temperature, 7, True) + ";" + number_text(extra1, 7, True)
            + ";" + number_text(extra2, 7, True))


def read_geonames_cities(library_path):
    """(id, name, country code, latitude, longitude) of the GeoNames cities
    compiled into the library as a GVariant array of records."""
    data = subprocess.run(["gresource", "extract", str(library_path), GEONAMES_RESOURCE],
                          check=True, capture_output=True).stdout
    n = len(data)
    size = 1 if n < 256 else 2 if n < 65536 else 4 if n < 2 ** 32 else 8
    table = int.from_bytes(data[n - size:], "little")
    ends = [int.from_bytes(data[table + k * size:table + (k + 1) * size], "little")
            for k in range((n - table) // size)]
    cities, start = [], 0
    for end in ends:
        element, pos, texts = data[start:end], 0, []
        for _ in range(7):
            stop = element.index(b"\0", pos)
            texts.append(element[pos:stop].decode("utf-8"))
            pos = stop + 1
        pos = (pos + 3) & ~3
        pos += 4  # population
        pos = (pos + 7) & ~7
        lat, lon = struct.unpack_from("<dd", element, pos)
        cities.append((texts[0], texts[1], texts[4], lat, lon))
        start = (end + 7) & ~7
    return cities


def geonames_check(sites, cities, korean):
    """Compares each site's Korean name with that of a GeoNames place within
    MATCH_RADIUS_KM; returns (agreeing, disagreeing list)."""
    places = [c for c in cities if c[2] in ("KR", "KP")]
    agree, disagree = 0, []
    for romanized, lon, lat in sites:
        def km(c):
            return 111.2 * math.hypot(c[3] - lat, (c[4] - lon) * math.cos(math.radians(lat)))
        nearest = min(places, key=km)
        ko = korean.get(nearest[0], "")
        if km(nearest) > MATCH_RADIUS_KM or not re.fullmatch(r"[가-힣]+", ko):
            continue
        for suffix in _SUFFIXES:
            if ko.endswith(suffix) and len(ko) > len(suffix) + 1:
                ko = ko[:-len(suffix)]
                break
        if ko == KOREAN_NAMES[romanized]:
            agree += 1
        else:
            disagree.append((romanized, KOREAN_NAMES[romanized], ko))
    return agree, disagree


def main():
    kstars = common.debian_package("kstars-data")
    db = sqlite3.connect(f"file:{kstars / CITYDB}?mode=ro", uri=True)
    rows = db.execute("SELECT Name, Latitude, Longitude, TZ, Elevation FROM city "
                      "WHERE Country IN ('South Korea', 'North Korea') ORDER BY Name").fetchall()
    db.close()
    entries, checked = [], []
    for name, lat_text, lon_text, tz, elevation in rows:
        lat, lon = round(dms_to_degrees(lat_text), 6), round(dms_to_degrees(lon_text), 6)
        hangul = KOREAN_NAMES[name]
        pressure = pressure_at(UNKNOWN_ELEVATION_M if elevation is None else float(elevation))
        entries.append((hangul, lon, lat, float(tz), pressure, STANDARD_TEMPERATURE_C))
        checked.append((name, lon, lat))
    entries.sort(key=lambda e: e[0])
    if any(e[0] == DEFAULT_SITE[0] for e in entries):
        raise ValueError("the default site is already in the city list")
    lines = [site_line(*DEFAULT_SITE)] + [site_line(*e) for e in entries]
    common.write_cp949("local.txt", "".join(line + "\r\n" for line in lines))

    geo_root = common.debian_package("libgeonames0")
    geo_ko = common.debian_package("libgeonames-common")
    with open(geo_ko / GEONAMES_KO, "rb") as f:
        korean = gettext.GNUTranslations(f)._catalog
    agree, disagree = geonames_check(checked, read_geonames_cities(geo_root / GEONAMES_LIBRARY), korean)
    print(f"local.txt: {len(lines)} sites (default site first); Korean names agree with "
          f"GeoNames for {agree} sites" + (f", differ for {disagree}" if disagree else ""))


if __name__ == "__main__":
    main()
