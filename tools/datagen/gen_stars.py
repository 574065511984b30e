"""Star zone files: bsc/bscNN.dat (42-byte records) and sky2000/s2kNN.dat
(59-byte records), NN = zone 00..29.

Bright stars: the Bright Star Catalogue as shipped by xplanet (HR, HD, SAO,
V, Flamsteed and Bayer designations, J2000 place), with the Hipparcos place,
proper motion and spectral type of the same star (stellarium-data, joined by
HR -> HIP through cross-id.dat), KStars' stars.dat for the few stars without
a Hipparcos match, and the traditional constellation of the star from the
Chinese sky culture (cultures.py).

Extended catalogue: the Hipparcos + Tycho-2 star catalogue of stellarium-data
(603,418 stars to V 10.45); each zone keeps its N brightest stars, N given by
S2K_ZONE_SIZES.
"""
import functools
import math
import struct

import common
import cultures
import src_stellarium as st

# Last valid index of each zone in the program's tables; a zone file holds
# one record more than its value.
BSC_ZONE_LAST_INDEX = [149, 350, 249, 236, 406, 339, 407, 240, 272, 404, 359, 181, 362, 370, 200,
                       176, 219, 287, 227, 229, 477, 350, 331, 446, 273, 215, 492, 432, 231, 156]
S2K_ZONE_LAST_INDEX = [7694, 11703, 7434, 7180, 13845, 9754, 12836, 7660, 6521, 13019, 13983, 6030,
                       8058, 13975, 6958, 5737, 6765, 11699, 7467, 7307, 13551, 13478, 10590, 13055,
                       8996, 5912, 13096, 14969, 7463, 3304]

GREEK_BSC = ["Alp", "Bet", "Gam", "Del", "Eps", "Zet", "Eta", "The", "Iot", "Kap", "Lam", "Mu",
             "Nu", "Xi", "Omi", "Pi", "Rho", "Sig", "Tau", "Ups", "Phi", "Chi", "Psi", "Ome"]
NO_BAYER = 24


def star_zone_of(ra_deg: float, dec_deg: float) -> int:
    """Zone 0..29 of a place: declination bands, equal RA ranges within a band."""
    ra = ra_deg - math.floor(ra_deg / 360.0) * 360.0
    if dec_deg >= 75:
        return 0
    if dec_deg >= 45:
        return 1 + int(ra // 90)
    if dec_deg >= 15:
        return 5 + int(ra // 60)
    if dec_deg >= -15:
        return 11 + int(ra // 45)
    if dec_deg >= -45:
        return 19 + int(ra // 60)
    if dec_deg >= -75:
        return 25 + int(ra // 90)
    return 29


def _text(value: str, width: int) -> bytes:
    data = value.encode("cp949")
    if len(data) > width:
        raise ValueError(f"{value!r} does not fit {width} bytes")
    return data.ljust(width, b" ")


def _ra_norm(ra):
    ra %= 360.0
    return 0.0 if ra >= 360.0 else ra


# ---------------------------------------------------------------- sources

def _xplanet_bsc():
    """Rows (HR, HD, SAO, V, RA deg, Dec deg, name field) of xplanet's BSC."""
    path = common.debian_package("xplanet") / "usr" / "share" / "xplanet" / "stars" / "BSC"
    rows = []
    for line in path.read_text(encoding="latin-1").splitlines():
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        q1 = line.index('"')
        q2 = line.index('"', q1 + 1)
        dec, ra_h, mag = (float(v) for v in line[:q1].split())
        name = line[q1 + 1:q2]
        hr, hd, sao = (int(v) for v in line[q2 + 1:].split())
        rows.append((hr, hd, sao, mag, ra_h * 15.0, dec, name))
    return rows


@functools.lru_cache(maxsize=None)
def _kstars_text_stars():
    """KStars' stars.dat (Hipparcos/Tycho to V 9): (RA deg, Dec deg, V,
    two-character type) of every star."""
    path = common.debian_package("kstars-data") / "usr" / "share" / "kstars" / "stars.dat"
    out = []
    for line in path.read_text(encoding="latin-1").splitlines():
        if line.startswith("#") or len(line) < 58:
            continue
        ra = (int(line[0:2]) + int(line[2:4]) / 60.0 + float(line[4:9]) / 3600.0) * 15.0
        sign = -1.0 if line[10] == "-" else 1.0
        dec = sign * (int(line[11:13]) + int(line[13:15]) / 60.0 + float(line[15:19]) / 3600.0)
        out.append((ra, dec, float(line[45:51]), line[56:58].strip()))
    return out


def _kstars_type_near(ra, dec, mag):
    """Spectral type of the KStars star within 1' and 0.6 mag of a place."""
    best = None
    for k in _kstars_text_stars():
        if abs(k[1] - dec) > 1.0 / 60.0 or abs(k[2] - mag) > 0.6:
            continue
        d = _angle_deg(ra, dec, k[0], k[1])
        if d <= 1.0 / 60.0 and k[3] and (best is None or d < best[0]):
            best = (d, k[3])
    return best[1] if best else ""


def spectral_text(mk: str, width: int) -> str:
    """The leading characters of an MK type; a lower-case prefix (k, h, m of
    metallic-line stars, sd, g, d) is dropped so that the class letter leads."""
    mk = mk.strip()
    i = 0
    while i < len(mk) and mk[i].islower():
        i += 1
    if 0 < i < len(mk) and mk[i].isupper():
        mk = mk[i:]
    return mk[:width]


@functools.lru_cache(maxsize=None)
def _kstars_by_hd():
    """HD -> (pmRA*cos Dec mas/yr, pmDec mas/yr, V, two-character type) from
    KStars' binary star files (stars to V 8 with HD numbers)."""
    base = common.debian_package("kstars-data") / "usr" / "share" / "kstars"
    out = {}
    for name in ("namedstars.dat", "unnamedstars.dat"):
        data = (base / name).read_bytes()
        if data[124:126] != b"SK":
            raise ValueError(f"{name}: not a KStars star file")
        (nfields,) = struct.unpack_from("<H", data, 127)
        pos = 129 + 16 * nfields
        (ntrixels,) = struct.unpack_from("<I", data, pos)
        pos += 4
        for i in range(ntrixels):
            _trixel, offset, count = struct.unpack_from("<III", data, pos + 12 * i)
            for r in range(count):
                (_ra, _dec, d_ra, d_dec, _plx, hd, mag, _bv, sp, _flags,
                 _unused) = struct.unpack_from("<iiiiiihh2sBB", data, offset + 32 * r)
                if hd > 0 and hd not in out:
                    out[hd] = (d_ra / 10.0, d_dec / 10.0, mag / 100.0,
                               sp.decode("latin-1").strip("\0 "))
    return out


def _angle_deg(ra1, dec1, ra2, dec2):
    a = (math.radians(ra1), math.radians(dec1))
    b = (math.radians(ra2), math.radians(dec2))
    c = (math.sin(a[1]) * math.sin(b[1]) + math.cos(a[1]) * math.cos(b[1]) * math.cos(a[0] - b[0]))
    return math.degrees(math.acos(max(-1.0, min(1.0, c))))


@functools.lru_cache(maxsize=None)
def _hip_grid():
    grid = {}
    for s in st.all_catalog_stars():
        if s.hip:
            grid.setdefault((int(math.floor(s.dec * 2)), int(math.floor(s.ra))), []).append(s)
    return grid


def _match_hipparcos(bsc_rows):
    """HR -> the Hipparcos catalogue record of the same star.

    Candidates are the records within 1' of the BSC place and 1.5 mag of its
    V; a record of the HIP number that cross-id.dat gives for the HR or HD
    ranks first, then nearness in magnitude and place.  Assignment is greedy
    over all pairs, best first, each record serving one star only, so the
    two stars of a close pair (which often share one HIP number) get its two
    component records, and a star without a fitting record keeps its BSC
    place."""
    hip_of_hr = st.hr_to_hip()
    hip_of_hd = st.hd_to_hip()
    grid = _hip_grid()
    pairs = []
    for hr, hd, _sao, mag, ra, dec, _name in bsc_rows:
        numbered = {hip_of_hr.get(hr), hip_of_hd.get(hd) if hd else None} - {None}
        for dd in (-1, 0, 1):
            for dr in (-1, 0, 1):
                key = (int(math.floor(dec * 2)) + dd, (int(math.floor(ra)) + dr) % 360)
                for s in grid.get(key, ()):
                    d = _angle_deg(ra, dec, s.ra, s.dec)
                    if d > 1.0 / 60.0 or abs(s.mag - mag) > 1.5:
                        continue
                    rank = 0 if s.hip in numbered else 1
                    pairs.append((rank, round(abs(s.mag - mag) + d * 60.0, 9), hr,
                                  s.hip, s.component, s.level, s.zone, s.record, s))
    pairs.sort(key=lambda p: p[:8])
    out, used = {}, set()
    for *key, s in pairs:
        hr, rec = key[2], tuple(key[3:8])
        if hr in out or rec in used:
            continue
        out[hr] = s
        used.add(rec)
    return out


def _pm_of_hip(hip, dec):
    pm = st.hip_proper_motions().get(hip)
    if pm is None:
        return None
    cosd = math.cos(math.radians(dec))
    return pm[0] / cosd / 1000.0, pm[1] / 1000.0


# ---------------------------------------------------------------- bright stars

class BrightStar:
    __slots__ = ("hr", "ra", "dec", "mag", "sp", "flamsteed", "bayer", "superscript",
                 "kor_code", "kor_number", "pm_ra", "pm_dec", "hip", "source")


@functools.lru_cache(maxsize=None)
def bright_stars():
    """The bright stars, in HR order, with every field of the zone record."""
    sptypes = st.spectral_types()
    member = cultures.eastern_membership()
    out = []
    matches = _match_hipparcos(_xplanet_bsc())
    for hr, hd, _sao, mag, ra, dec, name in sorted(_xplanet_bsc()):
        s = BrightStar()
        s.hr, s.mag = hr, mag
        s.ra, s.dec = _ra_norm(ra), dec
        s.sp, s.pm_ra, s.pm_dec = "", 0.0, 0.0
        s.hip, s.source = 0, "bsc"
        cat = matches.get(hr)
        if cat is not None:
            hip = cat.hip
            s.hip = hip
            s.ra, s.dec = cat.ra, cat.dec
            s.sp = sptypes[cat.sp_index] if cat.sp_index < len(sptypes) else ""
            pm = _pm_of_hip(hip, cat.dec)
            if pm is None:
                pm = (cat.pm_ra, cat.pm_dec)
            s.pm_ra, s.pm_dec = pm
            s.source = "hip"
        k = _kstars_by_hd().get(hd) if hd else None
        if k is not None and abs(k[2] - mag) <= 0.6:
            if not s.sp.strip():
                s.sp = k[3]
            if s.source != "hip":
                s.pm_ra = k[0] / math.cos(math.radians(s.dec)) / 1000.0
                s.pm_dec = k[1] / 1000.0
                s.source = "kstars"
        if not s.sp.strip():
            s.sp = _kstars_type_near(s.ra, s.dec, mag)
        s.sp = spectral_text(s.sp, 2)
        s.flamsteed = name[0:3] if name[0:3].strip() else "   "
        greek = name[3:6].strip()
        s.bayer = GREEK_BSC.index(greek) if greek in GREEK_BSC else NO_BAYER
        sup = name[6:7]
        s.superscript = int(sup) if sup.isdigit() and s.bayer != NO_BAYER else 0
        code, number = member.get(s.hip, ("", 0)) if s.hip else ("", 0)
        s.kor_code, s.kor_number = code, number
        out.append(s)
    return out


def bsc_record(s: BrightStar) -> bytes:
    rec = (struct.pack("<hddf", s.hr, s.ra, s.dec, s.mag)
           + _text(s.sp[:2], 2) + _text(s.flamsteed, 3)
           + struct.pack("<BB", s.bayer, s.superscript)
           + _text(s.kor_code, 4) + struct.pack("<B", s.kor_number)
           + struct.pack("<ff", s.pm_ra, s.pm_dec))
    assert len(rec) == 42
    return rec


# ---------------------------------------------------------------- extended catalogue

@functools.lru_cache(maxsize=None)
def _component_ids():
    text = (st.stars_dir() / "stars_hip_cids_0v0_0.cat").read_bytes().decode("latin-1")
    return text.split("\n")


@functools.lru_cache(maxsize=None)
def extended_zones():
    """Zone -> list of (catalogue number, HD, SAO, RA, Dec, pmRA, pmDec, mag, type),
    brightest first."""
    stars = st.all_catalog_stars()
    ids = st.cross_ids()
    sptypes = st.spectral_types()
    cids = _component_ids()
    zones = [[] for _ in range(30)]
    running = 0
    for order, s in enumerate(stars):
        if s.hip:
            comp = cids[s.component] if s.component < len(cids) else ""
            ident = f"H{s.hip}{comp.strip()}"[:8]
        else:
            running += 1
            ident = f"T{running}"
        zones[star_zone_of(s.ra, s.dec)].append((s.mag, order, ident, s))
    out = []
    for z, members in enumerate(zones):
        n = S2K_ZONE_LAST_INDEX[z] + 1
        if len(members) < n:
            raise ValueError(f"zone {z}: only {len(members)} stars, {n} wanted")
        members.sort(key=lambda t: (t[0], t[1]))
        rows = []
        for _mag, _order, ident, s in members[:n]:
            sao, hd, _hr = ids.get(s.hip, (0, 0, 0)) if s.hip else (0, 0, 0)
            pm = _pm_of_hip(s.hip, s.dec) if s.hip else None
            if pm is None:
                pm = (s.pm_ra, s.pm_dec)
            sp = spectral_text(sptypes[s.sp_index], 3) if s.hip and s.sp_index < len(sptypes) else ""
            rows.append((ident, str(hd) if hd else "", str(sao) if sao else "",
                         s.ra, s.dec, pm[0], pm[1], s.mag, sp))
        out.append(rows)
    return out


def s2k_record(row) -> bytes:
    ident, hd, sao, ra, dec, pm_ra, pm_dec, mag, sp = row
    rec = (_text(ident, 8) + _text(hd, 6) + _text(sao, 6)
           + struct.pack("<ddddf", ra, dec, pm_ra, pm_dec, mag) + _text(sp, 3))
    assert len(rec) == 59
    return rec


def main():
    zones = [[] for _ in range(30)]
    for s in bright_stars():
        zones[star_zone_of(s.ra, s.dec)].append(s)
    for z in range(30):
        common.write_bytes(f"bsc/bsc{z:02d}.dat", b"".join(bsc_record(s) for s in zones[z]))
    for z, rows in enumerate(extended_zones()):
        common.write_bytes(f"sky2000/s2k{z:02d}.dat", b"".join(s2k_record(r) for r in rows))


if __name__ == "__main__":
    main()
