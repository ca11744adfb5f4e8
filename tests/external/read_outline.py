"""Reads the SVG and DXF profiles of one profile with readers no one here wrote
(xml.etree for the SVG, ezdxf for the DXF) and compares their polylines with
the Catmull-Rom curve through the points, evaluated here directly.

  read_outline.py INFO SVG DXF STEPS UNIT_SIZE MIRROR

INFO is what `orvanel --info` printed for the profile; MIRROR is 0 or 1."""
import sys
import xml.etree.ElementTree as ET

import ezdxf

TOLERANCE = 0.001  # mm


def fail(message):
    sys.exit("read_outline: " + message)


def read_info(path):
    closed, points = False, []
    for line in open(path, encoding="utf-8"):
        if line.startswith("closed: "):
            closed = line.split()[1] == "1"
        fields = line.split()
        if len(fields) == 4 and all(f.lstrip("-").isdigit() for f in fields):
            x, y, _, anchor = (int(f) for f in fields)
            points.append((x, y, anchor == 1))
    return closed, points


def catmull_rom(a, b, c, d, t):
    return 0.5 * (2 * b + (c - a) * t + (2 * a - 5 * b + 4 * c - d) * t * t
                  + (-a + 3 * b - 3 * c + d) * t * t * t)


def curve(closed, points, steps):
    """The samples in editor units: the first segment's start, then each sample;
    a closed curve without its last sample, which is its start again."""
    n = len(points)
    windows = range(n) if closed else range(n - 3)
    out = []
    for i in windows:
        a, b, c, d = (points[(i + k) % n] for k in range(4))
        if not out:
            out.append((b[0], b[1]))
        k = 1 if b[2] or c[2] else steps
        for j in range(1, k + 1):
            t = j / k
            out.append((catmull_rom(a[0], b[0], c[0], d[0], t),
                        catmull_rom(a[1], b[1], c[1], d[1], t)))
    if closed:
        out.pop()
    return out


def compare(what, got, expected):
    if len(got) != len(expected):
        fail(f"{what}: {len(got)} vertices, expected {len(expected)}")
    worst = max(max(abs(g[0] - e[0]), abs(g[1] - e[1])) for g, e in zip(got, expected))
    if worst > TOLERANCE:
        fail(f"{what}: a vertex is {worst} mm off the curve")
    return worst


def main():
    info, svg, dxf, steps, unit, mirror = sys.argv[1:7]
    steps, unit, mirror = int(steps), float(unit), mirror == "1"
    closed, points = read_info(info)
    samples = curve(closed, points, steps)
    top = min(y for _, y in samples)
    bottom = max(y for _, y in samples)
    sides = [1, -1] if mirror else [1]

    # SVG: x from the axis, y down from the curve's top, in millimetres.
    root = ET.parse(svg).getroot()
    ns = {"svg": "http://www.w3.org/2000/svg"}
    for attribute in ("width", "height"):
        if not root.get(attribute, "").endswith("mm"):
            fail(f"SVG {attribute} is not in mm: {root.get(attribute)}")
    tag = "polygon" if closed else "polyline"
    for side, name in zip(sides, ["curve", "mirror"]):
        shape = root.find(f".//svg:{tag}[@id='{name}']", ns)
        if shape is None:
            fail(f"SVG has no {tag} {name}")
        got = [tuple(float(v) for v in p.split(",")) for p in shape.get("points").split()]
        compare("SVG " + name, got, [(side * x * unit, (y - top) * unit) for x, y in samples])
    if root.find(".//svg:g[@id='axis']/svg:line", ns) is None:
        fail("SVG has no axis")

    # DXF: read, audited, millimetres, the layers, the polyline Y up from its lowest point.
    doc = ezdxf.readfile(dxf)
    auditor = doc.audit()
    if auditor.has_errors:
        auditor.print_error_report()
        fail("the DXF does not pass the audit")
    if doc.units != 4:
        fail(f"DXF units {doc.units}, not millimetres")
    layers = {layer.dxf.name for layer in doc.layers}
    if not {"PROFILE", "AXIS"} <= layers:
        fail(f"DXF layers {layers}")
    msp = doc.modelspace()
    polylines = msp.query('POLYLINE[layer=="PROFILE"]')
    if len(polylines) != len(sides):
        fail(f"{len(polylines)} polylines on PROFILE")
    worst = 0.0
    for side, polyline in zip(sides, polylines):
        if polyline.is_closed != closed:
            fail("the DXF polyline's closed flag")
        got = [(v.x, v.y) for v in polyline.points()]
        worst = max(worst, compare("DXF polyline", got,
                                   [(side * x * unit, (bottom - y) * unit) for x, y in samples]))
    if len(msp.query('LINE[layer=="AXIS"]')) != 1:
        fail("the DXF has no axis line")
    print(f"{len(samples)} vertices within {worst:.2e} mm of the curve")


main()
