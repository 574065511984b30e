"""Constellation figures, labels and names of the three systems:
clineW/E/O.dat (12-byte records), clabelW/E/O.dat (20-byte text records) and
ConstDataW/E/O.dat ("code,name1,name2,number" lines).

Figures are the sky cultures' star pairs (by HIP) at the J2000 Hipparcos
places; W labels are d3-celestial's label points, E and O labels the mean
direction of the constellation's stars.
"""
import struct

import cultures


def _ra_units(ra_deg):
    return int(round((ra_deg % 360.0) / 0.015)) % 24000


def _dec_units(dec_deg):
    return int(round(dec_deg / 0.01))


def line_records(constellations):
    out = []
    for c in constellations:
        seen = set()
        for a, b in c.segments:
            if a == b or (a, b) in seen or (b, a) in seen:
                continue  # a one-star figure or a repeated stroke draws nothing new
            seen.add((a, b))
            ra1, dec1 = cultures.hip_place(a)
            ra2, dec2 = cultures.hip_place(b)
            out.append(struct.pack("<hhhh", _ra_units(ra1), _dec_units(dec1),
                                   _ra_units(ra2), _dec_units(dec2))
                       + c.code.encode("ascii").ljust(4, b" ")[:4])
    return out


def label_line(code, ra_deg, dec_deg):
    ra_h = (ra_deg % 360.0) / 15.0
    text = f"{ra_h:6.3f}"
    if text == "24.000":
        text = " 0.000"
    line = f"{code:<5}{text}{dec_deg:7.3f}\r\n"
    if len(line) != 20:
        raise ValueError(f"label record {line!r} is not 20 bytes")
    return line


def data_line(c):
    for field in (c.code, c.name1, c.name2):
        if "," in field:
            raise ValueError(f"comma in constellation field {field!r}")
    return f"{c.code},{c.name1},{c.name2},{c.number}\r\n"


def systems():
    """(letter, constellations, labels as (code, RA, Dec))."""
    west, west_labels = cultures.western()
    east = cultures.eastern()
    old = cultures.old_map()
    return [
        ("W", west, west_labels),
        ("E", east, [(c.code, c.label[0], c.label[1]) for c in east if c.label]),
        ("O", old, [(c.code, c.label[0], c.label[1]) for c in old if c.label]),
    ]


def main():
    import common
    for letter, items, labels in systems():
        common.write_bytes(f"cline{letter}.dat", b"".join(line_records(items)))
        cultures.write_text(f"clabel{letter}.dat", "".join(label_line(*t) for t in labels))
        cultures.write_text(f"ConstData{letter}.dat", "".join(data_line(c) for c in items))


if __name__ == "__main__":
    main()
