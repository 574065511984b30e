"""Writes "milkyway.dat", the Milky Way outline: lines "RA-hours Dec flag",
flag 1 where a new line starts and 0 where the pen draws on from the point
before.

Source: the outline shipped by kstars-data (J2000, polylines whose first
point is marked M or S and whose other points are marked D).  Each polyline
is thinned with the Douglas-Peucker rule on the sphere (great-circle
distance, tolerance TOLERANCE_DEG), which keeps the outline within a third of
a degree of the source while cutting the number of points to about a third,
within the program's historical capacity of 684 points.
"""
import math

import common

MILKYWAY = "usr/share/kstars/milkyway.dat"
TOLERANCE_DEG = 0.31
CAPACITY = 684


def read_polylines(path):
    polylines = []
    for line in path.read_text(encoding="ascii").splitlines():
        fields = line.split()
        if len(fields) != 3 or fields[0] not in ("M", "S", "D"):
            continue
        point = (float(fields[1]), float(fields[2]))
        if fields[0] in ("M", "S") or not polylines:
            polylines.append([])
        polylines[-1].append(point)
    return polylines


def unit_vector(ra_h, dec_deg):
    ra, dec = math.radians(ra_h * 15.0), math.radians(dec_deg)
    return (math.cos(dec) * math.cos(ra), math.cos(dec) * math.sin(ra), math.sin(dec))


def _cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def _dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def angular_distance_to_arc(p, a, b):
    """Angle (radians) between p and the great circle through a and b; the
    plain angle to a when a and b coincide."""
    n = _cross(a, b)
    norm = math.sqrt(_dot(n, n))
    if norm < 1e-12:
        return math.acos(max(-1.0, min(1.0, _dot(p, a))))
    return abs(math.asin(max(-1.0, min(1.0, _dot(p, n) / norm))))


def douglas_peucker(points, tolerance_rad):
    vectors = [unit_vector(*pt) for pt in points]
    keep = [False] * len(points)
    keep[0] = keep[-1] = True
    stack = [(0, len(points) - 1)]
    while stack:
        first, last = stack.pop()
        worst, worst_index = -1.0, None
        for k in range(first + 1, last):
            d = angular_distance_to_arc(vectors[k], vectors[first], vectors[last])
            if d > worst:
                worst, worst_index = d, k
        if worst_index is not None and worst > tolerance_rad:
            keep[worst_index] = True
            stack.append((first, worst_index))
            stack.append((worst_index, last))
    return [pt for pt, k in zip(points, keep) if k]


def main():
    root = common.debian_package("kstars-data")
    polylines = read_polylines(root / MILKYWAY)
    source_points = sum(len(p) for p in polylines)
    lines = []
    for polyline in polylines:
        for n, (ra_h, dec_deg) in enumerate(douglas_peucker(polyline, math.radians(TOLERANCE_DEG))):
            lines.append(f"{ra_h:.5f} {dec_deg:.4f} {1 if n == 0 else 0}")
    if len(lines) > CAPACITY:
        raise ValueError(f"Milky Way outline has {len(lines)} points, more than {CAPACITY}")
    common.write_cp949("milkyway.dat", "".join(line + "\r\n" for line in lines))
    print(f"milkyway.dat: {len(lines)} points in {len(polylines)} lines "
          f"(source {source_points} points)")


if __name__ == "__main__":
    main()
