"""Writes "dso.dat", the deep-sky catalogue: one object per line, 13 fields
separated by "|": ID1, ID2, Korean names, English names, RA (hours), Dec
(degrees), type code, magnitude, major and minor size (arcminutes), two
description texts, position angle (degrees).

Source: the deep-sky catalogue of stellarium-data (a gzip-compressed Qt data
stream, big-endian, catalogue version 3.16) with its English proper names
("names.dat") and their Korean forms from the Korean sky-culture translation
file (a Qt .qm file).  Taken are the objects that carry a Messier, NGC or IC
number and are not stars (the one Messier double star, M 40, is kept as an
asterism); objects of unknown nature are left out.

ID1 is the Messier designation when there is one, else NGC or IC; ID2 is the
next designation in the order NGC, IC, Caldwell, Barnard, Sharpless, ...
Magnitude is V, else B, else 100 (no value).  The two description texts have
no public source and are left empty.  The position angle is left empty for
round objects and where the size or the angle is unknown.

Rows are ordered Messier objects by number, then NGC, then IC.
"""
import gzip
import math
import struct
import unicodedata

import common

STELLARIUM = "usr/share/stellarium"
CATALOG = STELLARIUM + "/nebulae/default/catalog.dat"
NAMES = STELLARIUM + "/nebulae/default/names.dat"
KO_QM = STELLARIUM + "/translations/stellarium-skycultures/ko.qm"

# Stellarium object classes (catalogue 3.16) to the program's type codes;
# classes missing here are not taken.
TYPE_CODES = {
    0: "GX", 1: "GX", 2: "GX", 3: "GX", 4: "GX", 21: "GX", 22: "GX", 25: "GX", 34: "GX",
    33: "CG",
    5: "OC", 6: "OC", 8: "OC", 9: "OC",
    7: "GC",
    11: "PN", 26: "PN", 27: "PN",
    12: "DK", 23: "DK",
    16: "CN",
    10: "DN", 13: "DN", 14: "DN", 15: "DN", 17: "DN", 18: "DN", 19: "DN", 20: "DN",
    24: "DN", 31: "DN", 32: "DN",
}
STAR_CLASS = 28
UNKNOWN_MAG = 99.0

# Designations in the order they are tried for ID1 and ID2: (record field,
# prefix in names.dat, text form).
DESIGNATIONS = [
    ("M", "M", "M {}"), ("NGC", "NGC", "NGC {}"), ("IC", "IC", "IC {}"),
    ("C", "C", "C {}"), ("B", "B", "B {}"), ("Sh2", "SH2", "Sh2-{}"),
    ("VdB", "VDB", "vdB {}"), ("RCW", "RCW", "RCW {}"), ("LDN", "LDN", "LDN {}"),
    ("LBN", "LBN", "LBN {}"), ("Cr", "CR", "Cr {}"), ("Mel", "MEL", "Mel {}"),
    ("Arp", "ARP", "Arp {}"), ("VV", "VV", "VV {}"), ("UGC", "UGC", "UGC {}"),
    ("PGC", "PGC", "PGC {}"), ("Ced", "CED", "Ced {}"), ("PK", "PK", "PK {}"),
    ("PNG", "PNG", "PN G{}"), ("SNRG", "SNRG", "SNR G{}"), ("ACO", "ACO", "Abell {}"),
    ("HCG", "HCG", "HCG {}"), ("ESO", "ESO", "ESO {}"), ("VdBH", "VDBH", "vdBH {}"),
    ("DWB", "DWB", "DWB {}"), ("Tr", "TR", "Tr {}"), ("St", "ST", "St {}"),
    ("Ru", "RU", "Ru {}"), ("VdBHa", "VDBHA", "vdB-Ha {}"),
]


class _Stream:
    """Big-endian Qt data stream reader (floats were written as doubles)."""

    def __init__(self, data: bytes):
        self.data, self.pos = data, 0

    def u32(self):
        v = struct.unpack_from(">I", self.data, self.pos)[0]
        self.pos += 4
        return v

    def f64(self):
        v = struct.unpack_from(">d", self.data, self.pos)[0]
        self.pos += 8
        return v

    def qstring(self):
        n = self.u32()
        if n == 0xFFFFFFFF:
            return ""
        v = self.data[self.pos:self.pos + n].decode("utf-16-be")
        self.pos += n
        return v


def read_catalog(path):
    s = _Stream(gzip.decompress(path.read_bytes()))
    version, edition = s.qstring(), s.qstring()
    if version != "3.16":
        raise ValueError(f"deep-sky catalogue version {version!r}, expected '3.16'")
    records = []
    while s.pos < len(s.data):
        o = {"id": s.u32(), "ra": s.f64(), "dec": s.f64(), "bmag": s.f64(), "vmag": s.f64(),
             "type": s.u32(), "morph": s.qstring(), "maj": s.f64(), "min": s.f64(), "pa": s.u32()}
        for k in ("z", "zerr", "plx", "plxerr", "dist", "disterr"):
            o[k] = s.f64()
        for k in ("NGC", "IC", "M", "C", "B", "Sh2", "VdB", "RCW", "LDN", "LBN", "Cr", "Mel", "PGC", "UGC"):
            o[k] = s.u32()
        o["Ced"] = s.qstring().strip()
        o["Arp"], o["VV"] = s.u32(), s.u32()
        for k in ("PK", "PNG", "SNRG", "ACO", "HCG", "ESO", "VdBH"):
            o[k] = s.qstring().strip()
        for k in ("DWB", "Tr", "St", "Ru", "VdBHa"):
            o[k] = s.u32()
        records.append(o)
    return edition, records


def read_qm(path):
    """Translations of a Qt .qm file: source text -> first translation."""
    data = path.read_bytes()
    if data[:16] != bytes.fromhex("3CB86418CAEF9C95CD211CBF60A1BDDD"):
        raise ValueError(f"{path} is not a Qt translation file")
    pos, out = 16, {}
    while pos < len(data):
        tag = data[pos]
        size = struct.unpack_from(">I", data, pos + 1)[0]
        section = data[pos + 5:pos + 5 + size]
        pos += 5 + size
        if tag != 0x69:  # messages
            continue
        q, message = 0, {}
        while q < len(section):
            t = section[q]
            q += 1
            if t == 1:  # end of message
                if "source" in message and message.get("translation"):
                    out.setdefault(message["source"], message["translation"])
                message = {}
            elif t in (3, 6, 7, 8):
                n = struct.unpack_from(">I", section, q)[0]
                q += 4
                if n == 0xFFFFFFFF:
                    continue
                raw = section[q:q + n]
                q += n
                if t == 3:
                    message["translation"] = raw.decode("utf-16-be")
                elif t == 6:
                    message["source"] = raw.decode("utf-8")
            elif t == 5:
                q += 4
            else:
                raise ValueError(f"{path}: unknown message item {t}")
    return out


def read_names(path):
    """(prefix, identifier) -> English names in file order."""
    names = {}
    for line in path.read_text(encoding="utf-8").splitlines():
        if line.startswith("#") or '_("' not in line:
            continue
        prefix, ident = line[0:5].strip().upper(), line[5:20].strip()
        name = line[20:].split('_("', 1)[1].split('")', 1)[0]
        if prefix:
            names.setdefault((prefix, ident), []).append(name)
    return names


def to_cp949_text(text: str) -> str:
    """Text that code page 949 can hold: accents dropped where needed; the
    field separator never appears."""
    out = []
    for ch in text.replace("|", "/"):
        try:
            ch.encode("cp949")
            out.append(ch)
        except UnicodeEncodeError:
            base = "".join(c for c in unicodedata.normalize("NFKD", ch) if not unicodedata.combining(c))
            try:
                base.encode("cp949")
                out.append(base)
            except UnicodeEncodeError:
                pass
    return "".join(out)


def fmt(value, decimals):
    """Fixed decimals with trailing zeros dropped ("3.4", "189.1", "0")."""
    text = f"{value:.{decimals}f}"
    if "." in text:
        text = text.rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def designations(o):
    out = []
    for field, prefix, form in DESIGNATIONS:
        value = o[field]
        if value:
            out.append((prefix, str(value), form.format(value)))
    return out


def select(records):
    chosen = []
    for o in records:
        if not (o["M"] or o["NGC"] or o["IC"]):
            continue
        if o["type"] == STAR_CLASS and o["M"]:
            code = "AS"
        else:
            code = TYPE_CODES.get(o["type"])
        if code is None:
            continue
        chosen.append((code, o))
    # Messier by number, then NGC, then IC; the catalogue id breaks ties.
    def order(item):
        o = item[1]
        if o["M"]:
            return (0, o["M"], o["id"])
        if o["NGC"]:
            return (1, o["NGC"], o["id"])
        return (2, o["IC"], o["id"])
    chosen.sort(key=order)
    return chosen


def dso_line(code, o, names, korean):
    ids = designations(o)
    id1 = ids[0][2]
    id2 = ids[1][2] if len(ids) > 1 else ""
    english = []
    for prefix, ident, _ in ids:
        for name in names.get((prefix, ident), []):
            if name not in english:
                english.append(name)
    hangul = []
    for name in english:
        ko = korean.get(name)
        if ko and any("\uac00" <= ch <= "\ud7a3" for ch in ko) and ko not in hangul:
            hangul.append(ko)
    ra_h = (math.degrees(o["ra"]) / 15.0) % 24.0
    dec = math.degrees(o["dec"])
    mag = o["vmag"] if o["vmag"] < UNKNOWN_MAG and code != "DK" else o["bmag"]
    mag_text = fmt(mag, 2) if mag < UNKNOWN_MAG else "100"
    major, minor = o["maj"] * 60.0, o["min"] * 60.0
    pa_deg = o["pa"] - 2 ** 32 if o["pa"] >= 2 ** 31 else o["pa"]  # stored as int32; -1 = unknown
    round_or_unknown = major <= 0 or minor <= 0 or abs(major - minor) < 1e-6 or not 0 <= pa_deg < 360
    pa = "" if round_or_unknown else str(pa_deg)
    fields = [id1, id2, to_cp949_text(";".join(hangul)), to_cp949_text(";".join(english)),
              f"{ra_h:.5f}", f"{dec:.4f}", code, mag_text, fmt(major, 2), fmt(minor, 2), "", "", pa]
    return "|".join(fields)


def main():
    root = common.debian_package("stellarium-data")
    _, records = read_catalog(root / CATALOG)
    names = read_names(root / NAMES)
    korean = read_qm(root / KO_QM)
    chosen = select(records)
    lines = [dso_line(code, o, names, korean) for code, o in chosen]
    common.write_cp949("dso.dat", "".join(line + "\r\n" for line in lines))
    counts = {}
    for code, _ in chosen:
        counts[code] = counts.get(code, 0) + 1
    named = sum(1 for line in lines if line.split("|")[2])
    print(f"dso.dat: {len(lines)} objects "
          f"({', '.join(f'{k} {v}' for k, v in sorted(counts.items()))}); {named} with a Korean name")


if __name__ == "__main__":
    main()
