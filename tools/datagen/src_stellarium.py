"""Readers for the star data of the Debian package stellarium-data.

- The binary star catalogues stars_*.cat: stars stored per zone of a
  geodesic grid (an icosahedron whose triangles are subdivided `level` times);
  a star's place is the zone centre plus two offsets along the zone's axes.
- cross-id.dat (HIP -> SAO, HD, HR), hip_pm.dat (HIP proper motions).
- Qt .qm translation files (for the Korean names of the sky cultures).
"""
import functools
import math
import pathlib
import struct

import common

CATALOG_MAGIC = 0x835F040A
# 0.1 milliarcsecond in radians: the unit of the stored proper motions.
PM_UNIT_RAD = math.pi / 180.0 * 0.0001 / 3600.0


def root() -> pathlib.Path:
    return common.debian_package("stellarium-data") / "usr" / "share" / "stellarium"


def stars_dir() -> pathlib.Path:
    return root() / "stars" / "default"


# ---------------------------------------------------------------- geometry

def _norm(v):
    n = math.sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2])
    return (v[0] / n, v[1] / n, v[2] / n)


def _add(a, b):
    return (a[0] + b[0], a[1] + b[1], a[2] + b[2])


def _sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def _dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def _cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


_G = 0.5 * (1.0 + math.sqrt(5.0))
_B = 1.0 / math.sqrt(1.0 + _G * _G)
_A = _B * _G
_CORNERS = [
    (_A, -_B, 0.0), (_A, _B, 0.0), (-_A, _B, 0.0), (-_A, -_B, 0.0),
    (0.0, _A, -_B), (0.0, _A, _B), (0.0, -_A, _B), (0.0, -_A, -_B),
    (-_B, 0.0, _A), (_B, 0.0, _A), (_B, 0.0, -_A), (-_B, 0.0, -_A),
]
_TRIANGLES = [
    (1, 0, 10), (0, 1, 9), (0, 9, 6), (9, 8, 6), (0, 7, 10), (6, 7, 0), (7, 6, 3), (6, 8, 3),
    (11, 10, 7), (7, 3, 11), (3, 2, 11), (2, 3, 8), (10, 11, 4), (2, 4, 11), (5, 4, 2),
    (2, 8, 5), (4, 1, 10), (4, 5, 1), (5, 9, 1), (8, 9, 5),
]


@functools.lru_cache(maxsize=None)
def zone_triangles(level: int):
    """Corner triples of the zones of one grid level, in zone order."""
    out = [None] * (20 << (2 * level))

    def visit(lev, index, c0, c1, c2):
        if lev == level:
            out[index] = (c0, c1, c2)
            return
        e0 = _norm(_add(c1, c2))
        e1 = _norm(_add(c2, c0))
        e2 = _norm(_add(c0, c1))
        index *= 4
        visit(lev + 1, index + 0, c0, e2, e1)
        visit(lev + 1, index + 1, e2, c1, e0)
        visit(lev + 1, index + 2, e1, e0, c2)
        visit(lev + 1, index + 3, e0, e1, e2)

    for i, (a, b, c) in enumerate(_TRIANGLES):
        visit(0, i, _CORNERS[a], _CORNERS[b], _CORNERS[c])
    return out


@functools.lru_cache(maxsize=None)
def zone_frames(level: int, max_pos_val: int):
    """(centre, axis0, axis1) of every zone, axes scaled so that a stored
    offset of max_pos_val reaches the farthest corner of any zone."""
    frames = []
    scale = 0.0
    for c0, c1, c2 in zone_triangles(level):
        center = _norm(_add(_add(c0, c1), c2))
        axis0 = _norm(_cross((0.0, 0.0, 1.0), center))
        axis1 = _cross(center, axis0)
        for c in (c0, c1, c2):
            d = _sub(c, center)
            mu0 = _dot(d, axis0)
            mu1 = _dot(d, axis1)
            f = 1.0 / math.sqrt(1.0 - mu0 * mu0 - mu1 * mu1)
            scale = max(scale, abs(mu0) * f, abs(mu1) * f)
        frames.append((center, axis0, axis1))
    scale /= max_pos_val
    return [(c, tuple(x * scale for x in a0), tuple(x * scale for x in a1), scale)
            for c, a0, a1 in frames]


def _radec(v):
    n = math.sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2])
    ra = math.degrees(math.atan2(v[1], v[0]))
    if ra < 0.0:
        ra += 360.0
    if ra >= 360.0:
        ra -= 360.0
    dec = math.degrees(math.asin(max(-1.0, min(1.0, v[2] / n))))
    return ra, dec


class CatalogStar:
    __slots__ = ("hip", "component", "ra", "dec", "pm_ra", "pm_dec", "mag", "b_v", "sp_index",
                 "level", "zone", "record")

    def __init__(self):
        self.hip = 0
        self.component = 0
        self.sp_index = 0


def _place_and_motion(frame, x0, x1, dx0, dx1):
    """J2000 RA/Dec (degrees) and proper motion (arcsec/yr; RA as an angle
    of RA, not multiplied by cos Dec) of a star given by its zone offsets.
    The motion is the place difference over one year either side, the way the
    catalogue's own reader moves a star."""
    center, axis0, axis1, scale = frame
    k = PM_UNIT_RAD / scale

    def at(years):
        f0 = x0 + years * k * dx0
        f1 = x1 + years * k * dx1
        return _radec((center[0] + axis0[0] * f0 + axis1[0] * f1,
                       center[1] + axis0[1] * f0 + axis1[1] * f1,
                       center[2] + axis0[2] * f0 + axis1[2] * f1))

    ra, dec = at(0.0)
    if dx0 == 0 and dx1 == 0:
        return ra, dec, 0.0, 0.0
    ra_a, dec_a = at(-1.0)
    ra_b, dec_b = at(1.0)
    dra = ra_b - ra_a
    if dra > 180.0:
        dra -= 360.0
    elif dra < -180.0:
        dra += 360.0
    return ra, dec, dra / 2.0 * 3600.0, (dec_b - dec_a) / 2.0 * 3600.0


def read_catalog(path: pathlib.Path):
    """All stars of one stars_*.cat file, in file order."""
    data = path.read_bytes()
    magic, kind, _major, _minor, level, mag_min, mag_range, mag_steps = struct.unpack_from("<IIIIIiII", data, 0)
    if magic != CATALOG_MAGIC:
        raise ValueError(f"{path}: not a star catalogue")
    nzones = 20 << (2 * level)
    counts = struct.unpack_from(f"<{nzones}I", data, 32)
    pos = 32 + 4 * nzones
    if kind == 0:
        size, max_pos = 28, 0x7FFFFFFF
    elif kind == 1:
        size, max_pos = 10, (1 << 19) - 1
    else:
        raise ValueError(f"{path}: unsupported record type {kind}")
    frames = zone_frames(level, max_pos)
    stars = []
    for zone, count in enumerate(counts):
        frame = frames[zone]
        for rec in range(count):
            s = CatalogStar()
            if kind == 0:
                w0, x0, x1, b_v, mag, sp, dx0, dx1, _plx = struct.unpack_from("<IiiBBHiii", data, pos)
                s.hip = w0 & 0xFFFFFF
                s.component = w0 >> 24
                s.sp_index = sp
            else:
                bits = int.from_bytes(data[pos:pos + 10], "little")

                def field(shift, width, signed=True):
                    v = (bits >> shift) & ((1 << width) - 1)
                    if signed and v >= 1 << (width - 1):
                        v -= 1 << width
                    return v
                x0 = field(0, 20)
                x1 = field(20, 20)
                dx0 = field(40, 14)
                dx1 = field(54, 14)
                b_v = field(68, 7, False)
                mag = field(75, 5, False)
            pos += size
            s.ra, s.dec, s.pm_ra, s.pm_dec = _place_and_motion(frame, x0, x1, dx0, dx1)
            # Magnitudes are stored in steps of mag_range / mag_steps millimag.
            s.mag = round((mag_min + mag * mag_range / mag_steps) / 1000.0, 3)
            s.b_v = b_v
            s.level = level
            s.zone = zone
            s.record = rec
            stars.append(s)
    if pos != len(data):
        raise ValueError(f"{path}: {len(data) - pos} bytes left over")
    return stars


@functools.lru_cache(maxsize=None)
def all_catalog_stars():
    """Stars of the four catalogue files shipped in the package (to V 10.45)."""
    out = []
    for name in ("stars_0_0v0_8.cat", "stars_1_0v0_8.cat", "stars_2_0v0_8.cat", "stars_3_1v0_4.cat"):
        out.extend(read_catalog(stars_dir() / name))
    return out


@functools.lru_cache(maxsize=None)
def hip_stars():
    """HIP number -> CatalogStar (the first record when a number repeats)."""
    out = {}
    for s in all_catalog_stars():
        if s.hip and s.hip not in out:
            out[s.hip] = s
    return out


@functools.lru_cache(maxsize=None)
def spectral_types():
    """Index -> MK spectral type text of the HIP stars."""
    text = (stars_dir() / "stars_hip_sp_0v0_4.cat").read_bytes().decode("latin-1")
    return text.split("\n")


@functools.lru_cache(maxsize=None)
def cross_ids():
    """HIP -> (SAO, HD, HR) as ints (0 when absent); the first row of a HIP
    number wins."""
    out = {}
    for line in (stars_dir() / "cross-id.dat").read_text().splitlines():
        if line.startswith("#") or not line.strip():
            continue
        parts = line.split("\t")
        parts += [""] * (5 - len(parts))
        hip = int(parts[0])
        sao, hd, hr = (int(p) if p.strip() else 0 for p in (parts[2], parts[3], parts[4]))
        if hip not in out:
            out[hip] = (sao, hd, hr)
    return out


@functools.lru_cache(maxsize=None)
def hr_to_hip():
    out = {}
    for hip, (_sao, _hd, hr) in sorted(cross_ids().items()):
        if hr and hr not in out:
            out[hr] = hip
    return out


@functools.lru_cache(maxsize=None)
def hd_to_hip():
    out = {}
    for hip, (_sao, hd, _hr) in sorted(cross_ids().items()):
        if hd and hd not in out:
            out[hd] = hip
    return out


@functools.lru_cache(maxsize=None)
def hip_proper_motions():
    """HIP -> (pmRA*cos Dec, pmDec) in mas/yr."""
    out = {}
    for line in (stars_dir() / "hip_pm.dat").read_text().splitlines():
        if line.startswith("#") or not line.strip():
            continue
        parts = line.split()
        out[int(parts[0])] = (float(parts[1]), float(parts[2]))
    return out


# ---------------------------------------------------------------- Qt .qm

QM_MAGIC = bytes.fromhex("3CB86418CAEF9C95CD211CBF60A1BDDD")


def read_qm(path: pathlib.Path):
    """Messages of a Qt .qm file as a dict (context, source text) -> translation.
    Only messages that carry their source text are returned."""
    data = path.read_bytes()
    if not data.startswith(QM_MAGIC):
        raise ValueError(f"{path}: not a .qm file")
    pos = len(QM_MAGIC)
    messages = None
    while pos < len(data):
        tag = data[pos]
        (length,) = struct.unpack_from(">I", data, pos + 1)
        if tag == 0x69:
            messages = data[pos + 5:pos + 5 + length]
        pos += 5 + length
    out = {}
    if messages is None:
        return out
    pos = 0
    translation = source = context = None
    while pos < len(messages):
        tag = messages[pos]
        pos += 1
        if tag == 1:  # end of message
            if source is not None and translation is not None:
                out.setdefault((context or "", source), translation)
            translation = source = context = None
        elif tag == 3:  # translation, UTF-16BE
            (n,) = struct.unpack_from(">I", messages, pos)
            pos += 4
            if n != 0xFFFFFFFF:
                translation = messages[pos:pos + n].decode("utf-16-be")
                pos += n
        elif tag in (2, 4):  # obsolete 16-bit source text / context
            (n,) = struct.unpack_from(">I", messages, pos)
            pos += 4 + n
        elif tag == 5:  # hash
            pos += 4
        elif tag in (6, 7, 8):  # source text, context, comment (UTF-8)
            (n,) = struct.unpack_from(">I", messages, pos)
            text = messages[pos + 4:pos + 4 + n].decode("utf-8")
            pos += 4 + n
            if tag == 6:
                source = text
            elif tag == 7:
                context = text
        elif tag == 9:
            pos += 4
        else:
            raise ValueError(f"{path}: unknown message tag {tag}")
    return out


@functools.lru_cache(maxsize=None)
def korean_skyculture_translations():
    return read_qm(root() / "translations" / "stellarium-skycultures" / "ko.qm")
