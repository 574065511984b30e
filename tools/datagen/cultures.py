"""The three constellation systems as read from the stellarium-data sky
cultures, with the codes, names and member stars the data files need.

W: skycultures/western (88 constellations, figures by HIP).
E: skycultures/chinese (the Qing-era catalogue that the Korean new-method star
   maps follow): 318 asterisms, districts from the headings of star_names.fab,
   star numbers from its Roman numerals.
O: skycultures/korean (the star map 천상열차분야지도 as interpreted by its
   contributor): 272 constellations; each takes the code of the E
   constellation of the same name (or, failing that, of the E constellation
   sharing most of its stars) and gets a code of its own otherwise.
"""
import functools
import math
import re

import codes
import src_stellarium as st

# Districts of the heading lines of the Chinese star_names.fab.
_ENCLOSURES = {
    "Purple Forbidden Enclosure": "P1",
    "Supreme Palace Enclosure": "P2",
    "Heavenly Market Enclosure": "P3",
}
_MANSIONS = [
    "Horn", "Neck", "Root", "Room", "Heart", "Tail", "Winnowing Basket",
    "Dipper", "Ox", "Girl", "Emptiness", "Rooftop", "Encampment", "Wall",
    "Legs", "Bond", "Stomach", "Hairy Head", "Net", "Turtle Beak", "Three Stars",
    "Well", "Ghosts", "Willow", "Star", "Extended Net", "Wings", "Chariot",
]
MANSION_CODES = codes.DISTRICT_CODES[3:]

# J2000 RA (degrees) of the determinative stars of the 28 mansions, the
# program's own table; a mansion runs from its star to the next one east.
MANSION_RA = [
    201.2983333, 213.2241667, 222.7195833, 239.7129167, 245.2970833, 252.9675,
    271.4520833, 281.4141667, 305.2529167, 311.9191667, 322.8895833, 331.4458333,
    346.1904167, 3.3091667, 11.8345833, 28.66, 40.8629167, 56.87125, 67.1541667,
    83.705, 83.0016667, 95.74, 127.89875, 129.4141667, 141.8966667, 147.8695833,
    164.94375, 183.9516667,
]

ROMAN = {"I": 1, "V": 5, "X": 10, "L": 50, "C": 100}


def roman_value(text: str) -> int:
    total = 0
    for i, ch in enumerate(text):
        v = ROMAN[ch]
        if i + 1 < len(text) and ROMAN[text[i + 1]] > v:
            total -= v
        else:
            total += v
    return total


def mansion_of_ra(ra_deg: float) -> str:
    """District code of the mansion whose span holds the RA: the mansion of
    the last determinative star at or west of the RA, taking the stars in
    order of RA (so the two nearly coincident stars of Orion each keep a span)."""
    order = sorted(range(28), key=lambda i: MANSION_RA[i])
    ra = ra_deg % 360.0
    best = order[-1]  # west of the first star: the last span wraps round 0h
    for i in order:
        if MANSION_RA[i] <= ra:
            best = i
    return MANSION_CODES[best]


def _vec(ra, dec):
    r, d = math.radians(ra), math.radians(dec)
    return (math.cos(d) * math.cos(r), math.cos(d) * math.sin(r), math.sin(d))


def mean_place(places):
    """RA, Dec (degrees) of the normalised mean of the directions."""
    x = y = z = 0.0
    for ra, dec in places:
        v = _vec(ra, dec)
        x, y, z = x + v[0], y + v[1], z + v[2]
    n = math.sqrt(x * x + y * y + z * z)
    ra = math.degrees(math.atan2(y, x)) % 360.0
    return ra, math.degrees(math.asin(z / n))


def hip_place(hip):
    s = st.hip_stars().get(hip)
    if s is None:
        raise KeyError(f"HIP {hip} is not in the star catalogue")
    return s.ra, s.dec


# ---------------------------------------------------------------- cp949 names

def cp949_safe(text: str) -> bool:
    try:
        text.encode("cp949")
        return True
    except UnicodeEncodeError:
        return False


# Variant forms: the translations write some Hanja in their Chinese form;
# code page 949 holds the same character in its Korean standard form.
HANJA_VARIANTS = {
    "极": "極", "龟": "龜", "宫": "宮", "鈎": "鉤", "郎": "郞", "屏": "屛",
    "青": "靑", "尚": "尙", "内": "內", "雞": "鷄", "廄": "廐", "廁": "厠", "枢": "樞",
}


def split_korean(translated: str):
    """'각(角)' -> ('각', '角'); Chinese forms of Hanja become the Korean
    standard forms, and Hanja that code page 949 still cannot hold are replaced by the
    Hangul syllable at the same place (so '저(氐)' -> ('저', '저')). A trailing
    qualifier naming the district is dropped: '천전(天田) (각수)' -> ('천전', '天田'),
    '삼공(三公) (자미원)' -> ('삼공', '三公')."""
    qualified = re.fullmatch(r"\s*([^()]+?\([^()]+\))\s*\([^()]+\)\s*", translated)
    if qualified:
        translated = qualified.group(1)
    m = re.fullmatch(r"\s*([^()]+?)\s*\(([^()]+)\)\s*", translated)
    if not m:
        return translated.strip(), ""
    hangul, hanja = m.group(1), m.group(2)
    hanja = "".join(HANJA_VARIANTS.get(h, h) for h in hanja)
    if len(hanja) == len(hangul):
        hanja = "".join(h if cp949_safe(h) else k for h, k in zip(hanja, hangul))
    elif not cp949_safe(hanja):
        hanja = hangul
    return hangul, hanja


def _read_fab_names(path):
    rows = []
    for line in path.read_text(encoding="utf-8").splitlines():
        m = re.match(r'\s*(\S+)\s+"([^"]*)"\s+_\("([^"]*)"\)', line)
        if m:
            rows.append(m.groups())
    return rows


def _read_lines(path):
    """Constellation id -> list of HIP pairs."""
    out = {}
    for line in path.read_text(encoding="utf-8").splitlines():
        if not line.strip() or line.startswith("#"):
            continue
        parts = line.split()
        ident, n = parts[0], int(parts[1])
        hips = [int(p) for p in parts[2:2 + 2 * n]]
        out.setdefault(ident, []).extend(zip(hips[0::2], hips[1::2]))
    return out


class Constellation:
    def __init__(self, ident, english):
        self.ident = ident          # id in the sky culture
        self.english = english      # English name (key of the translations)
        self.romanized = ""
        self.name1 = ""             # Hangul / Korean
        self.name2 = ""             # Hanja / Latin
        self.number = 0             # ordinal among equal names, 0 = unique
        self.code = ""
        self.district = ""
        self.segments = []          # HIP pairs
        self.label = None           # (RA, Dec) degrees
        self.members = {}           # HIP -> star number (0 = unnumbered)
        self.added = set()          # HIP of the "added" stars (增星)

    def stars(self):
        out = []
        for a, b in self.segments:
            for h in (a, b):
                if h not in out:
                    out.append(h)
        return out


def _number_equal_names(items):
    count = {}
    for c in items:
        count[(c.name1, c.name2)] = count.get((c.name1, c.name2), 0) + 1
    seen = {}
    for c in items:
        key = (c.name1, c.name2)
        if count[key] > 1:
            seen[key] = seen.get(key, 0) + 1
            c.number = seen[key]


# ---------------------------------------------------------------- W

@functools.lru_cache(maxsize=None)
def western():
    """The 88 Western constellations in the order of codes.WESTERN, and the
    89 label points (Serpens twice) as (code, RA, Dec)."""
    import json
    import common
    d3 = common.npm_package("d3-celestial", "0.7.35") / "data"
    features = json.loads((d3 / "constellations.json").read_text(encoding="utf-8"))["features"]
    korean = {}
    labels = []
    for f in features:
        abbr = codes.western_abbreviation(f["id"])
        korean.setdefault(abbr, f["properties"]["ko"])
        lon, lat = f["geometry"]["coordinates"]
        labels.append((codes.western_code(abbr), lon % 360.0, lat))
    lines = _read_lines(st.root() / "skycultures" / "western" / "constellationship.fab")
    out = []
    for abbr, latin in codes.WESTERN:
        c = Constellation(abbr, latin)
        c.code = codes.western_code(abbr)
        c.name1 = korean[abbr]
        c.name2 = latin
        c.segments = lines.get(abbr, [])
        out.append(c)
    labels.sort(key=lambda t: ([a for a, _ in codes.WESTERN].index(t[0][1:]), t[1]))
    return out, labels


# ---------------------------------------------------------------- E

def _english_star_names():
    """(district heading, section name, [(HIP, star name)]) of the English half
    of the Chinese star_names.fab, in file order."""
    path = st.root() / "skycultures" / "chinese" / "star_names.fab"
    sections = []
    district = None
    for raw in path.read_text(encoding="utf-8").splitlines():
        line = raw.strip()
        if line.startswith("####"):
            break  # the pinyin half repeats the same stars
        if line.startswith("###"):
            title = line[3:].strip()
            district = _ENCLOSURES.get(title)  # None for the quadrants and the south
            continue
        if line.startswith("##"):
            m = re.match(r"##\((.*) Mansion\)", line)
            if m:
                district = MANSION_CODES[_MANSIONS.index(m.group(1).strip())]
            continue
        if line.startswith("#"):
            sections.append([district, line[1:].strip().rstrip("#").strip(), []])
            continue
        m = re.match(r'(\d+)\|_\("([^"]*)"\)', line)
        if m and sections:
            sections[-1][2].append((int(m.group(1)), m.group(2)))
    return sections


_STAR_NUMBER = re.compile(r"^(.*?)\s+(Added\s+)?([IVXLC]+)[*?]*$")


def member_designation(star_name):
    """(asterism name, added?, number) of a member designation such as
    'Horn I', 'Horn Added II' or 'Pillars I (In Net Mansion)'; None for a
    proper name."""
    m = _STAR_NUMBER.match(_base_name(star_name))
    if not m:
        return None
    return m.group(1), bool(m.group(2)), roman_value(m.group(3))


def _base_name(english):
    """'Pillars (In Net Mansion)' -> 'Pillars'."""
    return re.sub(r"\s*\(.*\)\s*$", "", english).strip()


@functools.lru_cache(maxsize=None)
def eastern():
    """The E asterisms in code order (those with at least one identified star)."""
    base = st.root() / "skycultures" / "chinese"
    names = _read_fab_names(base / "constellation_names.eng.fab")
    lines = _read_lines(base / "constellationship.fab")
    ko = {k[1]: v for k, v in st.korean_skyculture_translations().items()}
    items = {}
    for ident, pinyin, english in names:
        c = Constellation(ident, english)
        c.romanized = pinyin
        c.name1, c.name2 = split_korean(ko[english])
        c.segments = lines.get(ident, [])
        items[ident] = c

    # A star_names section is the asterism whose figure shares most stars
    # with it among those of the same (base) English name; a name alone
    # cannot tell apart e.g. the two "Pillars".
    by_name = {}
    for c in items.values():
        by_name.setdefault(c.english, []).append(c)
        if _base_name(c.english) != c.english:
            by_name.setdefault(_base_name(c.english), []).append(c)
    order = []
    for district, title, stars in _english_star_names():
        candidates = by_name.get(title) or by_name.get(_base_name(title)) or []
        if not candidates:
            continue
        hips = {h for h, _ in stars}
        c = max(candidates, key=lambda k: (len(hips & set(k.stars())), -int(k.ident)))
        if c.district == "" and district:
            c.district = district
        if c not in order:
            order.append(c)
        prefixes = {_base_name(c.english), title}
        for hip, star_name in stars:
            m = member_designation(star_name)
            if not m or m[0] not in prefixes:
                continue  # a proper name, not a member designation
            number = 0 if m[1] else m[2]
            if m[1]:
                c.added.add(hip)
            old = c.members.get(hip)
            if old is None or (old == 0 and number):
                c.members[hip] = number
    # Asterisms none of whose stars is identified (no figure, no member) have
    # nothing to draw, list or place: they are left out.
    order = [c for c in order if c.stars() or c.members]
    for c in [c for c in items.values() if c.stars() or c.members]:
        for h in c.stars():
            c.members.setdefault(h, 0)
        if c.stars():
            c.label = mean_place([hip_place(h) for h in c.stars()])
        elif c.members:
            c.label = mean_place([hip_place(h) for h in sorted(c.members)])
        if not c.district:
            c.district = mansion_of_ra(c.label[0])
        if c not in order:
            order.append(c)

    out = []
    for d in codes.DISTRICT_CODES:
        members = [c for c in order if c.district == d]
        if len(members) > 99:
            raise ValueError(f"district {d} has more than 99 asterisms")
        for k, c in enumerate(members, 1):
            c.code = f"{d}{k:02d}"
            out.append(c)
    _mark_determinatives(out)
    out.sort(key=lambda c: (codes.DISTRICT_CODES.index(c.code[:2]), c.code))
    _number_equal_names(out)
    return out


def mansion_stars_j2000():
    """The determinative stars of the 28 mansions as (RA, Dec) J2000 degrees,
    read from the program's own table (MansionStarJ2000 in
    skydata/StartupTables.cpp), so that both always name the same stars."""
    import common
    text = (common.REPO / "skydata" / "StartupTables.cpp").read_text(encoding="utf-8")
    start = text.index("MansionStarJ2000 = {{")
    block = text[start:text.index("}};", start)]
    pairs = re.findall(r"\{\s*(-?[0-9.]+)\s*,\s*(-?[0-9.]+)\s*\}", block)
    if len(pairs) != 28:
        raise ValueError(f"MansionStarJ2000 holds {len(pairs)} stars, not 28")
    return [(float(ra), float(dec)) for ra, dec in pairs]


def _separation(a, b):
    (x1, y1, z1), (x2, y2, z2) = _vec(*a), _vec(*b)
    dot = max(-1.0, min(1.0, x1 * x2 + y1 * y2 + z1 * z2))
    return math.degrees(math.acos(dot))


def _mark_determinatives(items):
    """Code "00" in its district for the asterism of each lunar mansion that
    holds the mansion's determinative star (the enclosures have none)."""
    for k, star in enumerate(mansion_stars_j2000()):
        d = codes.DISTRICT_CODES[3 + k]
        best = None
        for c in items:
            for hip in c.members:
                sep = _separation(hip_place(hip), star)
                if best is None or sep < best[0]:
                    best = (sep, c)
        if best is None or best[0] > 0.1:
            raise ValueError(f"no asterism holds the determinative star of mansion {d}")
        c = best[1]
        if c.code[:2] != d:
            raise ValueError(f"the determinative star of mansion {d} lies in {c.code}")
        c.code = f"{d}00"


@functools.lru_cache(maxsize=None)
def eastern_membership():
    """HIP -> (E code, star number) of the asterism a star belongs to; a star
    numbered in one asterism wins over an unnumbered place in another."""
    out = {}
    for c in eastern():
        for hip, number in sorted(c.members.items()):
            old = out.get(hip)
            if old is None or (old[1] == 0 and number):
                out[hip] = (c.code, number)
    return out


# ---------------------------------------------------------------- O

_O_FIXES = {
    # The context-free translation catalogue gives the Sun for this name.
    "Sun": "일(日)",
}


@functools.lru_cache(maxsize=None)
def old_map():
    """The O constellations in code order; codes shared with E where the
    constellation is the same."""
    base = st.root() / "skycultures" / "korean"
    names = _read_fab_names(base / "constellation_names.eng.fab")
    lines = _read_lines(base / "constellationship.fab")
    ko = {k[1]: v for k, v in st.korean_skyculture_translations().items()}
    items = []
    for ident, roman, english in names:
        c = Constellation(ident, english)
        c.romanized = roman
        c.name1, c.name2 = split_korean(_O_FIXES.get(english, ko.get(english, roman)))
        c.segments = lines.get(ident, [])
        for h in c.stars():
            c.members[h] = 0
        pts = [hip_place(h) for h in c.stars()]
        c.label = mean_place(pts) if pts else None
        items.append(c)

    east = eastern()

    def distance(a, b):
        va, vb = _vec(*a), _vec(*b)
        return math.degrees(math.acos(max(-1.0, min(1.0, sum(x * y for x, y in zip(va, vb))))))

    # Score every (O, E) pair: same Hanja first, then shared stars, then
    # nearness; assign greedily so that no E code serves two O constellations.
    pairs = []
    for o in items:
        ostars = set(o.stars())
        for e in east:
            same_name = o.name2 != "" and o.name2 == e.name2
            shared = len(ostars & set(e.stars()))
            if not same_name and shared * 2 < max(1, len(ostars)):
                continue
            if o.label is None or e.label is None:
                continue
            d = distance(o.label, e.label)
            if same_name and shared == 0 and d > 20.0:
                continue
            pairs.append((-int(same_name), -shared, round(d, 6), int(o.ident), e.code, o, e))
    pairs.sort(key=lambda p: p[:5])
    taken_o, taken_e = set(), set()
    for *_k, o, e in pairs:
        if o.ident in taken_o or e.code in taken_e:
            continue
        o.code, o.district = e.code, e.district
        taken_o.add(o.ident)
        taken_e.add(e.code)

    # The rest: the district of the E asterism holding most of its stars,
    # else of its place; numbered after the E asterisms of that district.
    member_of = eastern_membership()
    next_number = {}
    for e in east:
        d = e.code[:2]
        next_number[d] = max(next_number.get(d, 0), int(e.code[2:]))
    for o in sorted(items, key=lambda c: int(c.ident)):
        if o.code:
            continue
        votes = {}
        for h in o.stars():
            if h in member_of:
                d = member_of[h][0][:2]
                votes[d] = votes.get(d, 0) + 1
        if votes:
            o.district = max(sorted(votes), key=lambda d: votes[d])
        else:
            o.district = mansion_of_ra(o.label[0]) if o.label else "P1"
        next_number[o.district] += 1
        if next_number[o.district] > 99:
            raise ValueError(f"district {o.district} overflows")
        o.code = f"{o.district}{next_number[o.district]:02d}"
    out = sorted(items, key=lambda c: (codes.DISTRICT_CODES.index(c.code[:2]), c.code))
    _number_equal_names(out)
    return out


def write_text(relpath: str, text: str) -> None:
    """Writes a code page 949 text file; a character the code page cannot
    hold is an error here, never a silent '?'."""
    import common
    common.write_bytes(relpath, text.encode("cp949"))
