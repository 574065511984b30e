"""Constellation codes shared by every generator module.

Western (W) system: the code is "A" followed by the IAU abbreviation in its
usual mixed case ("AUMi", "ACVn"); the boundary file and the position table
carry the bare abbreviation ("UMi"), and the program compares the four code
characters case-sensitively, so every module must take its abbreviations from
WESTERN below.

Traditional (E) system: the code is the two-character district code followed
by two digits ("P101", "E105", "W312"); the districts are the three enclosures
P1..P3 and the 28 lunar mansions E1..E7, N1..N7, W1..W7, S1..S7.  The
old-map (O) system reuses the code of the E constellation of the same name
and has codes of its own only where no E constellation matches.  Both are
assigned from the sky-culture data in cultures.py.
"""

# (abbreviation, Latin name), in alphabetical order of the Latin name; this is
# also the row order of ConstDataW.dat.
WESTERN = [
    ("And", "Andromeda"), ("Ant", "Antlia"), ("Aps", "Apus"), ("Aqr", "Aquarius"),
    ("Aql", "Aquila"), ("Ara", "Ara"), ("Ari", "Aries"), ("Aur", "Auriga"),
    ("Boo", "Bootes"), ("Cae", "Caelum"), ("Cam", "Camelopardalis"), ("Cnc", "Cancer"),
    ("CVn", "Canes Venatici"), ("CMa", "Canis Major"), ("CMi", "Canis Minor"),
    ("Cap", "Capricornus"), ("Car", "Carina"), ("Cas", "Cassiopeia"), ("Cen", "Centaurus"),
    ("Cep", "Cepheus"), ("Cet", "Cetus"), ("Cha", "Chamaeleon"), ("Cir", "Circinus"),
    ("Col", "Columba"), ("Com", "Coma Berenices"), ("CrA", "Corona Australis"),
    ("CrB", "Corona Borealis"), ("Crv", "Corvus"), ("Crt", "Crater"), ("Cru", "Crux"),
    ("Cyg", "Cygnus"), ("Del", "Delphinus"), ("Dor", "Dorado"), ("Dra", "Draco"),
    ("Equ", "Equuleus"), ("Eri", "Eridanus"), ("For", "Fornax"), ("Gem", "Gemini"),
    ("Gru", "Grus"), ("Her", "Hercules"), ("Hor", "Horologium"), ("Hya", "Hydra"),
    ("Hyi", "Hydrus"), ("Ind", "Indus"), ("Lac", "Lacerta"), ("Leo", "Leo"),
    ("LMi", "Leo Minor"), ("Lep", "Lepus"), ("Lib", "Libra"), ("Lup", "Lupus"),
    ("Lyn", "Lynx"), ("Lyr", "Lyra"), ("Men", "Mensa"), ("Mic", "Microscopium"),
    ("Mon", "Monoceros"), ("Mus", "Musca"), ("Nor", "Norma"), ("Oct", "Octans"),
    ("Oph", "Ophiuchus"), ("Ori", "Orion"), ("Pav", "Pavo"), ("Peg", "Pegasus"),
    ("Per", "Perseus"), ("Phe", "Phoenix"), ("Pic", "Pictor"), ("Psc", "Pisces"),
    ("PsA", "Piscis Austrinus"), ("Pup", "Puppis"), ("Pyx", "Pyxis"), ("Ret", "Reticulum"),
    ("Sge", "Sagitta"), ("Sgr", "Sagittarius"), ("Sco", "Scorpius"), ("Scl", "Sculptor"),
    ("Sct", "Scutum"), ("Ser", "Serpens"), ("Sex", "Sextans"), ("Tau", "Taurus"),
    ("Tel", "Telescopium"), ("Tri", "Triangulum"), ("TrA", "Triangulum Australe"),
    ("Tuc", "Tucana"), ("UMa", "Ursa Major"), ("UMi", "Ursa Minor"), ("Vel", "Vela"),
    ("Vir", "Virgo"), ("Vol", "Volans"), ("Vul", "Vulpecula"),
]

_BY_UPPER = {abbr.upper(): abbr for abbr, _ in WESTERN}


def western_abbreviation(any_case: str) -> str:
    """The mixed-case abbreviation of a Western constellation given in any
    case ("UMI", "umi" -> "UMi"); KeyError for an unknown one."""
    return _BY_UPPER[any_case.strip().upper()]


def western_code(any_case: str) -> str:
    """The W-system code of a constellation: "A" + mixed-case abbreviation."""
    return "A" + western_abbreviation(any_case)


# District codes of the traditional systems, in the order of the district
# table of the program (three enclosures, then the 28 lunar mansions).
DISTRICT_CODES = ["P1", "P2", "P3"] + [f"{q}{i}" for q in "ENWS" for i in range(1, 8)]

# Korean (Hangul, Hanja) names of the districts in the same order.  For the
# mansions 저 and 자 the Hanja (氐, 觜) lie outside code page 949 and the
# Hangul stands in their place.
DISTRICT_NAMES = [
    ("자미원", "紫微垣"), ("태미원", "太微垣"), ("천시원", "天市垣"),
    ("각", "角"), ("항", "亢"), ("저", "저"), ("방", "房"), ("심", "心"), ("미", "尾"), ("기", "箕"),
    ("두", "斗"), ("우", "牛"), ("녀", "女"), ("허", "虛"), ("위", "危"), ("실", "室"), ("벽", "壁"),
    ("규", "奎"), ("루", "婁"), ("위", "胃"), ("묘", "昴"), ("필", "畢"), ("자", "자"), ("삼", "參"),
    ("정", "井"), ("귀", "鬼"), ("류", "柳"), ("성", "星"), ("장", "張"), ("익", "翼"), ("진", "軫"),
]
