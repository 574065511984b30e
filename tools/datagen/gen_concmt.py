"""concmt.txt: comments of the traditional constellations, their districts and
the two system roots, in sections headed "#" + four-character key.

No Korean commentary exists in any public package, so every section is made
from the structured data (names, district, member stars and their Western
designations) with fixed Korean sentences.
"""
import math
import unicodedata

import codes
import cultures
import gen_stars

QUADRANTS = {
    "E": ("동방 청룡", "東方靑龍"),
    "N": ("북방 현무", "北方玄武"),
    "W": ("서방 백호", "西方白虎"),
    "S": ("남방 주작", "南方朱雀"),
}
ORDINALS = ["첫째", "둘째", "셋째", "넷째", "다섯째", "여섯째", "일곱째"]
GREEK = "αβγδεζηθικλμνξοπρστυφχψω"
MEMBER_LIST_MAX = 8


def has_final_consonant(word: str) -> bool:
    """Whether the last Hangul syllable of a word ends in a consonant (which
    picks the particle form: 은/는, 이/가, 과/와, 이라는/라는)."""
    for ch in reversed(word):
        if "\uac00" <= ch <= "\ud7a3":
            return (ord(ch) - 0xAC00) % 28 != 0
        if ch.isdigit():
            return ch in "013678"
    return False


def topic(reading, display=None):
    """'display' (default: the reading) followed by 은/는 as the reading asks."""
    return (display or reading) + ("은" if has_final_consonant(reading) else "는")


def named(word, display):
    """'display' followed by 이라는/라는 chosen by the reading 'word'."""
    return display + ("이라는" if has_final_consonant(word) else "라는")


def latin(text):
    """Romanised names without the diacritics code page 949 lacks ('Nü' -> 'Nu')."""
    if cultures.cp949_safe(text):
        return text
    return "".join(ch for ch in unicodedata.normalize("NFKD", text) if not unicodedata.combining(ch))


def with_hanja(hangul, hanja):
    if not hanja or hanja == hangul:
        return hangul
    return f"{hangul}({hanja})"


def district_display(index):
    hangul, hanja = codes.DISTRICT_NAMES[index]
    if index < 3:
        return hangul, with_hanja(hangul, hanja)
    reading = hangul + "수"
    if hanja == hangul:
        return reading, reading
    return reading, f"{reading}({hanja}宿)"


def _western_names():
    west, _labels = cultures.western()
    return {c.ident: c.name1 for c in west}


def designation(star, bsc_name, west_korean):
    """'작은곰자리 β' / '백조자리 61' / '' for a bright star."""
    abbr = bsc_name[7:10].strip()
    try:
        con = west_korean[codes.western_abbreviation(abbr)] if abbr else ""
    except KeyError:
        con = ""
    if con and star.bayer < 24:
        sup = str(star.superscript) if star.superscript else ""
        return f"{con} {GREEK[star.bayer]}{sup}"
    if con and star.flamsteed.strip():
        return f"{con} {star.flamsteed.strip()}"
    return ""


class StarInfo:
    def __init__(self):
        bsc_names = {row[0]: row[6] for row in gen_stars._xplanet_bsc()}
        west = _western_names()
        self.by_hip = {}
        self.all = gen_stars.bright_stars()
        for s in self.all:
            if s.hip and s.hip not in self.by_hip:
                self.by_hip[s.hip] = (s, designation(s, bsc_names.get(s.hr, ""), west))
        self.names = {s.hr: designation(s, bsc_names.get(s.hr, ""), west) for s in self.all}

    def nearest(self, ra, dec):
        best = None
        for s in self.all:
            c = (math.sin(math.radians(dec)) * math.sin(math.radians(s.dec))
                 + math.cos(math.radians(dec)) * math.cos(math.radians(s.dec))
                 * math.cos(math.radians(ra - s.ra)))
            if best is None or c > best[0]:
                best = (c, s)
        return best[1]


def star_phrase(star, desig):
    text = f"HR {star.hr}, {star.mag:.2f}등급"
    return f"{desig} ({text})" if desig else text


def member_lines(c, info):
    rows = []
    for hip, number in c.members.items():
        if hip in info.by_hip:
            s, desig = info.by_hip[hip]
            rows.append((number == 0, number, s.mag, s.hr, s, desig, hip in c.added))
    rows.sort(key=lambda r: r[:4])
    out = []
    for _unnumbered, number, _mag, _hr, s, desig, added in rows[:MEMBER_LIST_MAX]:
        label = f"{number}번 별" if number else ("증성(增星)" if added else "별")
        out.append(f"  {label}: {star_phrase(s, desig)}")
    return out, len(rows)


def constellation_section(code, e, o, info):
    lines = [f"#{code}"]
    main = e or o
    d_index = codes.DISTRICT_CODES.index(code[:2])
    _reading, district = district_display(d_index)
    name = with_hanja(main.name1, main.name2)
    lines.append(f"{topic(main.name1, name)} {district}에 속한 별자리입니다.")
    if e is not None:
        lines.append(f"영어 이름은 {latin(e.english)}, 중국어 병음으로는 {latin(e.romanized)}입니다.")
        lines.append(f"신법 별자리에서는 별 {len(e.members)}개로 이루어져 있습니다.")
        if o is not None:
            oname = with_hanja(o.name1, o.name2)
            if (o.name1, o.name2) == (e.name1, e.name2):
                lines.append(f"천상열차분야지도에도 같은 이름으로 있으며, 별 {len(o.stars())}개로 그려져 있습니다.")
            else:
                lines.append(f"천상열차분야지도에서는 {named(o.name1, oname)} 이름이며, "
                             f"별 {len(o.stars())}개로 그려져 있습니다.")
        else:
            lines.append("천상열차분야지도에는 이에 해당하는 별자리가 없습니다.")
    else:
        lines.append(f"영어 이름은 {latin(o.english)}, 로마자 표기는 {latin(o.romanized)}입니다.")
        lines.append(f"천상열차분야지도에만 있는 별자리로, 별 {len(o.stars())}개로 그려져 있습니다.")
        lines.append("신법 별자리에는 이에 해당하는 별자리가 없습니다.")
    members, total = member_lines(main, info)
    if members:
        if total > len(members):
            lines.append(f"밝은 별 목록에 있는 별 {total}개 가운데 {len(members)}개는 다음과 같습니다.")
        else:
            lines.append("밝은 별 목록에 있는 별은 다음과 같습니다.")
        lines.extend(members)
    else:
        lines.append("밝은 별 목록(6.5등급 안팎까지)에 드는 별은 없습니다.")
    return lines


def district_section(index, east, old, info):
    code = codes.DISTRICT_CODES[index]
    reading, display = district_display(index)
    lines = [f"#{code}xx"]
    if index < 3:
        lines.append(f"{topic(reading, display)} 북쪽 하늘을 세 구역으로 나눈 삼원(三垣) 가운데 하나입니다.")
    else:
        q = code[0]
        k = int(code[1]) - 1
        qname = with_hanja(*QUADRANTS[q])
        lines.append(f"{topic(reading, display)} 이십팔수(二十八宿) 가운데 {qname}의 {ORDINALS[k]} 구역입니다.")
        m = index - 3
        ra = cultures.MANSION_RA[m]
        s = info.nearest(ra, MANSION_DEC[m])
        desig = info.names.get(s.hr, "")
        star = f"{desig} (HR {s.hr})" if desig else f"HR {s.hr}"
        lines.append(f"거성(距星)은 {star}이며, 적경 {ra / 15.0:.2f}시(J2000)에서 구역이 시작됩니다.")
    ne = sum(1 for c in east if c.code[:2] == code)
    no = sum(1 for c in old if c.code[:2] == code)
    lines.append(f"이 구역에는 신법 별자리 {ne}개와 천상열차분야지도의 별자리 {no}개가 있습니다.")
    return lines


# J2000 declinations of the determinative stars (the RA are cultures.MANSION_RA).
MANSION_DEC = [
    -11.1613889, -10.2736111, -16.0416667, -26.1141667, -25.5927778, -38.0475,
    -30.4241667, -26.9908333, -14.7813889, -9.4958333, -5.5711111, -0.3197222,
    15.2052778, 15.1836111, 24.2672222, 20.8080556, 27.7072222, 24.105,
    19.1802778, 9.4894444, -0.2991667, 22.5136111, 18.0944444, 5.7036111,
    -8.6586111, -14.8466667, -18.2988889, -17.5419444,
]


def build_text():
    info = StarInfo()
    east = cultures.eastern()
    old = cultures.old_map()
    lines = ["#ECxx",
             f"신법 별자리(星鏡)는 청나라의 성표 의상고성(儀象考成, 1756년)을 따르는 별자리 {len(east)}개입니다.",
             "삼원(三垣)과 이십팔수(二十八宿)의 31구역으로 나누고, 남쪽 하늘의 별자리는 적경에 따라 이십팔수에 넣었습니다.",
             "별자리와 별의 번호는 Stellarium의 중국 별자리 자료를 따릅니다.",
             "#OCxx",
             "천상열차분야지도(天象列次分野之圖)는 1395년에 돌에 새긴 조선의 천문도입니다.",
             f"여기에 실린 별자리 {len(old)}개는 Stellarium의 한국 별자리 자료(정태민 해석)를 따르며, "
             "실제 별과 맞추어 확인된 별은 일부입니다.",
             "신법 별자리와 이름이 같거나 별을 함께 쓰는 별자리는 그 별자리의 부호를 함께 씁니다."]
    for i in range(len(codes.DISTRICT_CODES)):
        lines.extend(district_section(i, east, old, info))
    e_by = {c.code: c for c in east}
    o_by = {c.code: c for c in old}
    for code in sorted(set(e_by) | set(o_by), key=lambda k: (codes.DISTRICT_CODES.index(k[:2]), k)):
        lines.extend(constellation_section(code, e_by.get(code), o_by.get(code), info))
    return "\r\n".join(lines) + "\r\n"


def main():
    cultures.write_text("concmt.txt", build_text())


if __name__ == "__main__":
    main()
