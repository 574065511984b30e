"""Sanity check of the star, star-name and constellation files in data/,
read back with small readers of their own (no generator code is used, so a
fault of the generator is not repeated by the check).

Usage: python3 tools/datagen/check_stars.py   (exit status 1 on a failure)
"""
import math
import pathlib
import struct
import sys

DATA = pathlib.Path(__file__).resolve().parents[2] / "data"

S2K_LAST = [7694, 11703, 7434, 7180, 13845, 9754, 12836, 7660, 6521, 13019, 13983, 6030, 8058,
            13975, 6958, 5737, 6765, 11699, 7467, 7307, 13551, 13478, 10590, 13055, 8996, 5912,
            13096, 14969, 7463, 3304]
GREEK = "αβγδεζηθικλμνξοπρστυφχψω"

failures = []


def check(ok, message):
    if not ok:
        failures.append(message)


def zone_of(ra, dec):
    ra = ra - math.floor(ra / 360.0) * 360.0
    for limit, first, width in ((75, 0, 360), (45, 1, 90), (15, 5, 60), (-15, 11, 45),
                                (-45, 19, 60), (-75, 25, 90)):
        if dec >= limit:
            return first + int(ra // width)
    return 29


def text_lines(name):
    raw = (DATA / name).read_bytes()
    try:
        text = raw.decode("cp949")
    except UnicodeDecodeError as e:
        check(False, f"{name}: not valid code page 949 ({e})")
        return []
    check("?" not in text or name == "concmt.txt", f"{name}: holds '?'")
    check(text.endswith("\r\n"), f"{name}: does not end with CR LF")
    check("\n" not in text.replace("\r\n", ""), f"{name}: bare LF")
    return text.split("\r\n")[:-1]


def read_bsc():
    stars = {}
    counts = []
    for z in range(30):
        data = (DATA / "bsc" / f"bsc{z:02d}.dat").read_bytes()
        check(len(data) % 42 == 0, f"bsc{z:02d}: length {len(data)} not a multiple of 42")
        counts.append(len(data) // 42)
        for i in range(len(data) // 42):
            r = data[42 * i:42 * i + 42]
            hr, ra, dec, mag = struct.unpack_from("<hddf", r, 0)
            sp = r[22:24].decode("cp949")
            flam = r[24:27].decode("cp949")
            bayer, sup = r[27], r[28]
            code = r[29:33].decode("cp949").strip()
            number = r[33]
            pm_ra, pm_dec = struct.unpack_from("<ff", r, 34)
            check(zone_of(ra, dec) == z, f"HR {hr} in zone {z}, place in zone {zone_of(ra, dec)}")
            check(0 <= ra < 360 and -90 <= dec <= 90, f"HR {hr}: place {ra} {dec}")
            check(bayer <= 24, f"HR {hr}: Bayer byte {bayer}")
            check(hr not in stars, f"HR {hr} twice")
            check(abs(pm_ra * math.cos(math.radians(dec))) < 11 and abs(pm_dec) < 11,
                  f"HR {hr}: proper motion {pm_ra} {pm_dec}")
            stars[hr] = dict(zone=z, ra=ra, dec=dec, mag=mag, sp=sp, flam=flam, bayer=bayer,
                             sup=sup, code=code, number=number, pm_ra=pm_ra, pm_dec=pm_dec)
    return stars, counts


def read_s2k():
    counts = []
    ids = set()
    with_hd = with_sao = with_sp = 0
    for z in range(30):
        data = (DATA / "sky2000" / f"s2k{z:02d}.dat").read_bytes()
        check(len(data) % 59 == 0, f"s2k{z:02d}: length {len(data)} not a multiple of 59")
        n = len(data) // 59
        counts.append(n)
        check(n == S2K_LAST[z] + 1, f"s2k{z:02d}: {n} records, {S2K_LAST[z] + 1} wanted")
        for i in range(n):
            r = data[59 * i:59 * i + 59]
            ident = r[0:8].decode("ascii").strip()
            ra, dec, pm_ra, pm_dec, mag = struct.unpack_from("<ddddf", r, 20)
            check(zone_of(ra, dec) == z, f"{ident} in zone {z}, place in zone {zone_of(ra, dec)}")
            check(ident and ident not in ids, f"catalogue number {ident!r} empty or repeated")
            check(-2 < mag < 11, f"{ident}: magnitude {mag}")
            ids.add(ident)
            with_hd += bool(r[8:14].strip())
            with_sao += bool(r[14:20].strip())
            with_sp += bool(r[56:59].strip())
    return counts, with_hd, with_sao, with_sp


def read_names(name, stars):
    rows = []
    for line in text_lines(name):
        f = line.split(";")
        check(len(f) == 3, f"{name}: {line!r} has not three fields")
        hr = int(f[0])
        check(hr in stars, f"{name}: HR {hr} is not a bright star")
        rows.append((hr, f[1], f[2]))
    mags = [stars[hr]["mag"] for hr, _, _ in rows if hr in stars]
    check(mags == sorted(mags), f"{name}: not brightest first")
    return rows


def read_const(letter):
    data = {}
    for line in text_lines(f"ConstData{letter}.dat"):
        f = [x.strip() for x in line.split(",")]
        check(len(f) == 4 and 0 <= int(f[3]) <= 255, f"ConstData{letter}: {line!r}")
        check(f[0][:4] not in data, f"ConstData{letter}: code {f[0]} twice")
        data[f[0][:4]] = f
    raw = (DATA / f"cline{letter}.dat").read_bytes()
    check(len(raw) % 12 == 0, f"cline{letter}: length {len(raw)}")
    lines = []
    for i in range(len(raw) // 12):
        ra1, dec1, ra2, dec2 = struct.unpack_from("<hhhh", raw, 12 * i)
        code = raw[12 * i + 8:12 * i + 12].decode("ascii").strip()
        check(code in data, f"cline{letter}: code {code!r} has no ConstData entry")
        check(0 <= ra1 < 24000 and 0 <= ra2 < 24000 and abs(dec1) <= 9000 and abs(dec2) <= 9000,
              f"cline{letter}: record {i} out of range")
        lines.append(code)
    labels = []
    for line in text_lines(f"clabel{letter}.dat"):
        check(len(line) == 18, f"clabel{letter}: {line!r} is not an 18-character record")
        code = line[0:5].strip()
        ra_h, dec = float(line[5:11]), float(line[11:18])
        check(code in data, f"clabel{letter}: code {code!r} has no ConstData entry")
        check(0 <= ra_h < 24 and -90 <= dec <= 90, f"clabel{letter}: {line!r}")
        labels.append(code)
    return data, lines, labels


def read_concmt(codes):
    keys = []
    for line in text_lines("concmt.txt"):
        if line.lstrip().startswith("#"):
            keys.append(line.lstrip()[1:5])
    for c in codes:
        check(c in keys, f"concmt.txt: no section for {c}")
    for k in ("ECxx", "OCxx", "P1xx", "E1xx", "S7xx"):
        check(k in keys, f"concmt.txt: no section {k}")
    return keys


def main():
    stars, bcounts = read_bsc()
    print(f"bsc: {sum(bcounts)} stars; per zone {bcounts}")
    sirius = stars.get(2491)
    check(sirius is not None, "Sirius (HR 2491) missing")
    if sirius:
        print(f"  Sirius HR 2491: zone {sirius['zone']}, RA {sirius['ra']:.5f}, Dec {sirius['dec']:.5f}, "
              f"V {sirius['mag']:.2f}, type {sirius['sp']!r}, Flamsteed {sirius['flam']!r}, "
              f"Bayer {GREEK[sirius['bayer']] if sirius['bayer'] < 24 else '-'}, "
              f"pm {sirius['pm_ra']:.4f} {sirius['pm_dec']:.4f} \"/yr, E code {sirius['code']} {sirius['number']}")
        check(sirius["zone"] == zone_of(101.287, -16.716) == 20, "Sirius not in zone 20")
        check(sirius["bayer"] == 0 and sirius["flam"].strip() == "9", "Sirius not α CMa 9")
        check(abs(sirius["mag"] + 1.46) < 0.005 and sirius["sp"] == "A1", "Sirius V or type wrong")
        check(abs(sirius["pm_ra"] + 0.5702) < 0.002 and abs(sirius["pm_dec"] + 1.2231) < 0.002,
              "Sirius proper motion wrong")
    polaris = stars.get(424)
    check(polaris is not None and polaris["zone"] == 0, "Polaris (HR 424) not in zone 0")
    if polaris:
        print(f"  Polaris HR 424: zone {polaris['zone']}, V {polaris['mag']:.2f}, type {polaris['sp']!r}, "
              f"E code {polaris['code']} {polaris['number']}")
    print(f"  with spectral type {sum(1 for s in stars.values() if s['sp'].strip())}, "
          f"Bayer {sum(1 for s in stars.values() if s['bayer'] < 24)}, "
          f"Flamsteed {sum(1 for s in stars.values() if s['flam'].strip())}, "
          f"E constellation {sum(1 for s in stars.values() if s['code'])}, "
          f"numbered {sum(1 for s in stars.values() if s['number'])}")

    scounts, hd, sao, sp = read_s2k()
    print(f"sky2000: {sum(scounts)} stars (HD {hd}, SAO {sao}, type {sp}); per zone = table + 1: "
          f"{all(scounts[z] == S2K_LAST[z] + 1 for z in range(30))}")

    w = read_names("wName.dat", stars)
    e = read_names("eName.dat", stars)
    check(len(w) == 146 and len(e) == 60, f"name lists hold {len(w)} and {len(e)} lines")
    print(f"wName.dat {len(w)} (first {w[0]}), eName.dat {len(e)} (first {e[0]})")

    codes = {}
    for letter in "WEO":
        data, lines, labels = read_const(letter)
        codes[letter] = data
        print(f"{letter}: {len(data)} constellations, {len(lines)} lines, {len(labels)} labels")
    check(len(codes["W"]) == 88, "not 88 W constellations")
    check(codes["W"].get("AUMi", [None, None, "Ursa Minor"])[2] == "Ursa Minor", "AUMi is not Ursa Minor")
    for hr, s in stars.items():
        check(not s["code"] or s["code"] in codes["E"], f"HR {hr}: code {s['code']} not in ConstDataE")
    # The determinative constellation of each mansion district is "00", in
    # both traditional systems; the enclosures have none.
    mansions = [f"{q}{i}" for q in "ENWS" for i in range(1, 8)]
    for letter in "EO":
        marked = sorted(c for c in codes[letter] if c[2:4] == "00")
        check(marked == sorted(f"{d}00" for d in mansions), f"{letter}: determinatives {marked}")
        for c, f in codes[letter].items():
            check(not ("(" in f[1] and not f[2]), f"ConstData{letter}: {c} name {f[1]!r} not split")
    keys = read_concmt(set(codes["E"]) | set(codes["O"]))
    print(f"concmt.txt: {len(keys)} sections")

    for f in failures[:40]:
        print("FAIL:", f)
    print(f"{len(failures)} failure(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
