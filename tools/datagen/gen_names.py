"""Proper star names: wName.dat (Western, 146 lines) and eName.dat
(traditional, 60 lines), "HR;name;second name" per line, brightest first.

Western: the star names of Stellarium's western sky culture with their Korean
transliteration (ko.qm); name = Korean, second name = the name itself.
Traditional: the proper names of the Chinese sky culture (not the numbered
member designations) with their Korean reading "Hangul(Hanja)"; name =
Hangul, second name = Hanja.
"""
import re

import common
import cultures
import gen_stars
import src_stellarium as st

# Corrections of the translation catalogue (its Hanja contradicts its Hangul).
NAME_FIXES = {"Right Law Administrator": "우집법(右執法)"}

WESTERN_COUNT = 146
EASTERN_COUNT = 60


def _star_name_entries(culture):
    """(section title, HIP, name) of a culture's star_names.fab, in file order
    (for the Chinese culture only its English half)."""
    path = st.root() / "skycultures" / culture / "star_names.fab"
    out = []
    title = ""
    for raw in path.read_text(encoding="utf-8").splitlines():
        line = raw.strip()
        if line.startswith("####"):
            break
        if line.startswith("#"):
            if not line.startswith("##"):
                title = line[1:].strip().rstrip("#").strip()
            continue
        m = re.match(r'(\d+)\|_\("([^"]*)"\)', line)
        if m:
            out.append((title, int(m.group(1)), m.group(2)))
    return out


def _bright_by_hr():
    return {s.hr: s for s in gen_stars.bright_stars()}


def _clean(text):
    return text.replace(";", ",").strip()


def western_names():
    ko = {k[1]: v for k, v in st.korean_skyculture_translations().items()}
    ids = st.cross_ids()
    bright = _bright_by_hr()
    chosen = {}
    for _title, hip, name in _star_name_entries("western"):
        hr = ids.get(hip, (0, 0, 0))[2]
        if not hr or hr not in bright or hr in chosen:
            continue
        korean = ko.get(name, "").strip()
        if korean and cultures.cp949_safe(korean):
            chosen[hr] = (_clean(korean), _clean(name))
    rows = sorted(chosen.items(), key=lambda kv: (bright[kv[0]].mag, kv[0]))
    return [(hr, a, b) for hr, (a, b) in rows[:WESTERN_COUNT]]


def eastern_names():
    ko = {k[1]: v for k, v in st.korean_skyculture_translations().items()}
    ids = st.cross_ids()
    bright = _bright_by_hr()
    chosen = {}
    for _title, hip, name in _star_name_entries("chinese"):
        if cultures.member_designation(name):
            continue  # a member designation such as "Horn I", not a name
        hr = ids.get(hip, (0, 0, 0))[2]
        if not hr or hr not in bright or hr in chosen:
            continue
        translated = NAME_FIXES.get(name, ko.get(name, ""))
        if "(" not in translated:
            continue
        gloss = translated[translated.index("("):]
        if any("\uac00" <= ch <= "\ud7a3" for ch in gloss):
            continue  # the brackets hold a Korean gloss, not the Hanja
        hangul, hanja = cultures.split_korean(translated)
        chosen[hr] = (_clean(hangul), _clean(hanja))
    rows = sorted(chosen.items(), key=lambda kv: (bright[kv[0]].mag, kv[0]))
    return [(hr, a, b) for hr, (a, b) in rows[:EASTERN_COUNT]]


def _text(rows):
    return "".join(f"{hr};{a};{b}\r\n" for hr, a, b in rows)


def main():
    w = western_names()
    e = eastern_names()
    if len(w) != WESTERN_COUNT or len(e) != EASTERN_COUNT:
        raise ValueError(f"{len(w)} western and {len(e)} eastern names found")
    cultures.write_text("wName.dat", _text(w))
    cultures.write_text("eName.dat", _text(e))


if __name__ == "__main__":
    main()
