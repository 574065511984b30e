"""Writes "pos_data.dat" (the constellation-by-position table) and
"bound.dat" (the Western constellation outlines, B1875.0).

Source: the table of Roman (1987, CDS VI/42) as shipped by python3-astropy.
The table lists, in search order, rows "RA low, RA high (hours), Dec low
(degrees), abbreviation"; a position belongs to the first row with
RA low <= RA < RA high and Dec >= Dec low.

The outlines are rebuilt from that same table, so that boundaries and the
position lookup can never disagree: the sphere is cut into cells at every RA
and Dec break of the table, each cell takes the constellation the search rule
gives for its centre, and each constellation's outline is traced along the
cell edges it does not share with itself.  The two parts of Serpens come out
as two polygons; they are written as "Ser1" and "Ser2" so that a reader that
starts a new polygon whenever the four-character name changes keeps them
apart (the first three characters still give "Ser").
"""
import pathlib

import common
import codes

ROMAN_TABLE = "usr/lib/python3/dist-packages/astropy/coordinates/data/constellation_data_roman87.dat"

# An edge along a parallel is drawn by interpolating RA the short way round,
# so no single edge may span half the circle or more.
MAX_PARALLEL_SPAN_H = 6.0


def read_roman_rows(path: pathlib.Path):
    """Rows (ra_low_h, ra_high_h, dec_low_deg, abbreviation, source line)."""
    rows = []
    for line in path.read_text(encoding="ascii").splitlines():
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        ra_lo, ra_hi, dec_lo, abbr = line.split()
        if codes.western_abbreviation(abbr) != abbr:
            # The rows are written as they stand, so the case must already
            # be that of the W codes.
            raise ValueError(f"abbreviation {abbr!r} differs from the W code's case")
        rows.append((float(ra_lo), float(ra_hi), float(dec_lo),
                     codes.western_abbreviation(abbr), line.rstrip()))
    return rows


def constellation_at(rows, ra_h, dec_deg):
    for ra_lo, ra_hi, dec_lo, abbr, _ in rows:
        if ra_lo <= ra_h < ra_hi and dec_deg >= dec_lo:
            return abbr
    raise ValueError(f"position {ra_h} h {dec_deg} deg not covered by the table")


def classify_cells(rows):
    """Cell grid: RA breaks, Dec breaks and the constellation of every cell."""
    ras = sorted({0.0, 24.0} | {r[0] for r in rows} | {r[1] for r in rows})
    decs = sorted({-90.0, 90.0} | {r[2] for r in rows})
    grid = {}
    for i in range(len(ras) - 1):
        ra_mid = (ras[i] + ras[i + 1]) / 2
        for j in range(len(decs) - 1):
            dec_mid = (decs[j] + decs[j + 1]) / 2
            grid[i, j] = constellation_at(rows, ra_mid, dec_mid)
    return ras, decs, grid


def boundary_edges(ras, decs, grid, abbr):
    """Directed edges (as grid-index vertex pairs) around the cells of one
    constellation, interior on the left; RA wraps, edges on the poles are
    dropped (they have no length on the sky)."""
    n_ra, n_dec = len(ras) - 1, len(decs) - 1
    edges = {}
    for (i, j), owner in grid.items():
        if owner != abbr:
            continue
        i_next = (i + 1) % n_ra
        # South side, running towards increasing RA.
        if j > 0 and grid[i, j - 1] != abbr:
            edges.setdefault((i, j), []).append((i + 1, j))
        # East side, running north.
        if grid[i_next, j] != abbr:
            edges.setdefault((i + 1, j), []).append((i + 1, j + 1))
        # North side, running towards decreasing RA.
        if j + 1 < n_dec and grid[i, j + 1] != abbr:
            edges.setdefault((i + 1, j + 1), []).append((i, j + 1))
        # West side, running south.
        if grid[(i - 1) % n_ra, j] != abbr:
            edges.setdefault((i, j + 1), []).append((i, j))
    # Vertex RA index n_ra is the same meridian as 0.
    wrapped = {}
    for (a, b), outs in edges.items():
        for (c, d) in outs:
            wrapped.setdefault((a % n_ra, b), []).append((c % n_ra, d))
    return wrapped


def _direction(n_ra, a, b):
    """Unit step (dRA, dDec) between two neighbouring grid vertices."""
    di = (b[0] - a[0]) % n_ra
    if di > n_ra // 2:
        di -= n_ra
    return ((di > 0) - (di < 0), (b[1] > a[1]) - (b[1] < a[1]))


_TURN_ORDER = {(1, 0): 0, (0, 1): 1, (-1, 0): 2, (0, -1): 3}


def _right_turn_rank(d_in, d_out):
    """Smaller is further to the right: right turn, straight on, left turn, back."""
    return (_TURN_ORDER[d_out] - _TURN_ORDER[d_in] + 1) % 4


def trace_loops(edges, n_ra):
    """Chains the directed edges into closed loops of grid vertices.  Where a
    constellation touches itself at a corner the rightmost turn is taken, so
    that the outline stays one polygon."""
    remaining = {v: sorted(outs) for v, outs in edges.items()}
    loops = []
    while any(remaining.values()):
        # Start at the northernmost, then westernmost vertex with an edge left.
        start = min((v for v, outs in remaining.items() if outs), key=lambda v: (-v[1], v[0]))
        first = remaining[start].pop(0)
        loop = [start]
        d_in = _direction(n_ra, start, first)
        current = first
        while True:
            candidates = list(remaining.get(current, []))
            if current == start:
                candidates.append(first)
            nxt = min(candidates, key=lambda w: _right_turn_rank(d_in, _direction(n_ra, current, w)))
            if current == start and nxt == first:
                break
            remaining[current].remove(nxt)
            loop.append(current)
            d_in = _direction(n_ra, current, nxt)
            current = nxt
        loops.append(loop)
    return loops


def _step_width(ras, n_ra, a, b):
    """RA width in hours of one grid step between neighbouring vertices."""
    i = a[0] if _direction(n_ra, a, b)[0] > 0 else b[0]
    return ras[i + 1] - ras[i]


def polygon_points(loop, ras, decs):
    """Corner points (RA hours, Dec degrees) of one loop, with edges along a
    parallel split into pieces of at most MAX_PARALLEL_SPAN_H."""
    n_ra = len(ras) - 1
    n = len(loop)
    corners = [k for k in range(n)
               if _direction(n_ra, loop[k - 1], loop[k]) != _direction(n_ra, loop[k], loop[(k + 1) % n])]
    out = []
    for c, k in enumerate(corners):
        i, j = loop[k]
        out.append((ras[i], decs[j]))
        d = _direction(n_ra, loop[k], loop[(k + 1) % n])
        if d[1] != 0:
            continue
        steps = (corners[(c + 1) % len(corners)] - k) % n or n
        span = sum(_step_width(ras, n_ra, loop[(k + s) % n], loop[(k + s + 1) % n]) for s in range(steps))
        pieces = int(-(-span // MAX_PARALLEL_SPAN_H))
        for p in range(1, pieces):
            out.append(((ras[i] + d[0] * span * p / pieces) % 24.0, decs[j]))
    return out


def build_polygons(rows):
    ras, decs, grid = classify_cells(rows)
    n_ra = len(ras) - 1
    polygons = []
    for abbr, _ in codes.WESTERN:
        loops = trace_loops(boundary_edges(ras, decs, grid, abbr), n_ra)
        if not loops:
            raise ValueError(f"{abbr} has no cell in the table")
        if len(loops) > 1 and abbr != "Ser":
            raise ValueError(f"{abbr} traced as {len(loops)} outlines")
        # Order the parts of Serpens west to east of their first vertex
        # (Serpens Caput, then Serpens Cauda).
        loops.sort(key=lambda lp: min(ras[i] for i, _ in lp))
        for n, loop in enumerate(loops, start=1):
            name = abbr if len(loops) == 1 else f"{abbr}{n}"
            polygons.append((name, polygon_points(loop, ras, decs)))
    return polygons, grid


def check_polygons(rows, polygons):
    """Every edge as a reader draws it (RA the short way round) must have its
    own constellation on the left and another one on the right."""
    eps = 1e-4
    for name, points in polygons:
        abbr = name[:3]
        if len(points) < 4:
            raise ValueError(f"{name}: degenerate outline")
        for k, (ra1, dec1) in enumerate(points):
            ra2, dec2 = points[(k + 1) % len(points)]
            d_ra = (ra2 - ra1 + 12.0) % 24.0 - 12.0
            d_dec = dec2 - dec1
            if (d_ra != 0) == (d_dec != 0):
                raise ValueError(f"{name}: edge {k} is not along a meridian or parallel")
            for t in (0.1, 0.5, 0.9):
                ra = (ra1 + t * d_ra) % 24.0
                dec = dec1 + t * d_dec
                # Left of the direction of travel (east = +RA, north = +Dec).
                left = ((ra - eps * (d_dec > 0) + eps * (d_dec < 0)) % 24.0,
                        dec + eps * (d_ra > 0) - eps * (d_ra < 0))
                right = ((ra + eps * (d_dec > 0) - eps * (d_dec < 0)) % 24.0,
                         dec - eps * (d_ra > 0) + eps * (d_ra < 0))
                if constellation_at(rows, *left) != abbr or constellation_at(rows, *right) == abbr:
                    raise ValueError(f"{name}: edge {k} does not separate it from its neighbour")


def format_bound_line(ra_h, dec_deg, name):
    # Columns 1-8 RA in hours, 10-18 Dec in degrees, the last four the name.
    return f"{ra_h:8.5f} {dec_deg:9.5f} {name:>4}"


def main():
    root = common.debian_package("python3-astropy")
    rows = read_roman_rows(root / ROMAN_TABLE)
    if len(rows) != 357:
        raise ValueError(f"position table has {len(rows)} rows, expected 357")
    common.write_cp949("pos_data.dat", "".join(r[4] + "\r\n" for r in rows))

    polygons, _ = build_polygons(rows)
    check_polygons(rows, polygons)
    lines = []
    for name, points in polygons:
        for ra_h, dec_deg in points:
            lines.append(format_bound_line(ra_h, dec_deg, name))
    common.write_cp949("bound.dat", "".join(line + "\r\n" for line in lines))
    print(f"pos_data.dat: {len(rows)} rows; bound.dat: {len(polygons)} polygons, "
          f"{len(lines)} points ({len(lines) + len(polygons)} with closing points)")


if __name__ == "__main__":
    main()
