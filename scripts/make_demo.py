#!/usr/bin/env python3
"""Writes data/demo.tvk: a synthetic well with gamma ray, resistivity, density and
neutron logs over a sand-shale sequence with a gas sand and a limestone.

The program then normalises it: `tarvik --save-as data/demo.tvk data/demo.tvk`.
"""
import math
import random
import sys

TOP, BASE, STEP = 1500.0, 2000.0, 0.1524
FEET = 3.2808399200439453  # feet per meter
NULL = -999.25

# (top, kind) from the top down; each layer reaches the next top.
LAYERS = [
    (1500.0, "shale"), (1561.0, "sand"), (1598.5, "shale"), (1652.0, "gas"),
    (1671.0, "sand"), (1694.0, "shale"), (1742.0, "lime"), (1790.5, "shale"),
    (1833.0, "sand"), (1869.0, "shale"), (1921.0, "sand"), (1944.0, "shale"),
]
# kind: GR, RT, RHOB, NPHI
PROPS = {
    "shale": (112.0, 2.2, 2.47, 0.36),
    "sand": (38.0, 0.9, 2.29, 0.23),
    "gas": (32.0, 65.0, 2.13, 0.11),
    "lime": (21.0, 180.0, 2.66, 0.07),
}


def kind_at(depth):
    kind = LAYERS[0][1]
    for top, k in LAYERS:
        if depth >= top:
            kind = k
    return kind


def blend(depth, index):
    """The property eased across layer boundaries over about a metre."""
    value = PROPS[kind_at(depth)][index]
    for top, k in LAYERS[1:]:
        d = depth - top
        if abs(d) < 0.8:
            above = PROPS[kind_at(top - 1.0)][index]
            below = PROPS[k][index]
            t = 0.5 + 0.5 * math.sin(d / 0.8 * math.pi / 2)
            if index == 1:
                value = math.exp(math.log(above) * (1 - t) + math.log(below) * t)
            else:
                value = above * (1 - t) + below * t
    return value


def curves():
    random.seed(25084)
    n = int((BASE - TOP) / STEP) + 1
    gr, rt, rhob, nphi = [], [], [], []
    wobble = 0.0
    for i in range(n):
        depth = TOP + i * STEP
        wobble = 0.92 * wobble + random.gauss(0, 0.35)
        gr.append(blend(depth, 0) * (1 + 0.06 * wobble) + random.gauss(0, 2.5))
        rt.append(blend(depth, 1) * math.exp(0.12 * wobble + random.gauss(0, 0.05)))
        rhob.append(blend(depth, 2) + 0.012 * wobble + random.gauss(0, 0.008))
        nphi.append(blend(depth, 3) * (1 + 0.05 * wobble) + random.gauss(0, 0.006))
    # A stretch the resistivity tool missed.
    for i in range(int((1805 - TOP) / STEP), int((1811 - TOP) / STEP)):
        rt[i] = NULL
    return n, gr, rt, rhob, nphi


def common(out, label, vmin, vmax, major, minor, axistype=0, reverse=0, width=1.5):
    out += [
        "depthunit;0", "KB;0", f"width;{width:f}", "type;5", f"label;{label}",
        "description;", f"max;{vmax:g}", f"min;{vmin:g}", f"majorunit;{major:g}",
        f"minorunit;{minor:g}", f"reverse;{reverse}", f"axistype;{axistype}",
        "majorgrids;1", "minorgrids;0", "glcmajor;14474460", "glcminor;16770790",
        "glwmajor;0", "glwminor;0", "glsmajor;0", "glsminor;0",
    ]


def log_track(index, label, values, n, colour, axis, style=0, fill=None, overlay=0):
    out = [f"TABLE=Track{index}", "DELIMITER=;", "COLUMNS=[name;value]"]
    common(out, label, *axis)
    out += [
        "linewidth;1", f"linecolor;{colour}", f"linestyle;{style}",
        f"startdepth;{TOP:g}", f"stopdepth;{TOP + (n - 1) * STEP:g}", f"depthstep;{STEP:g}",
        f"nullvalue;{NULL:g}", f"count;{n}",
        f"fillColor;{fill if fill is not None else 12490390}",
        f"colorFill;{1 if fill is not None else 0}", "fillSide;0", f"overlay;{overlay}", "END", "",
    ]
    data = [f"TABLE=TrackData{index}", "DELIMITER=;", "COLUMNS=[values]"]
    line = ""
    for i, v in enumerate(values):
        line += f"{v:.4f} "
        if i % 10 == 9:
            data.append(line)
            line = ""
    data.append(line)
    data += ["END", ""]
    return out + data


def ruler(index, kind, label, top, base, major, minor):
    return [f"TABLE=Track{index}", "DELIMITER=;", "COLUMNS=[name;value]", "width;0.600000",
            f"type;{kind}", f"label;{label}", f"max;{base:g}", f"min;{top:g}",
            f"majorunit;{major:g}", f"minorunit;{minor:g}", "reverse;0", "axistype;1",
            "majorgrids;1", "minorgrids;1", "glcmajor;14474460", "glcminor;16770790",
            "glwmajor;0", "glwminor;0", "glsmajor;0", "glsminor;2", "END", ""]


# Formation tops (made-up names) and their fill colours.
FORMATIONS = [
    (1500.0, "Ravnefjell Fm", (222, 235, 247)), (1598.5, "Tjeldvik Sst", (255, 242, 178)),
    (1694.0, "Lomma Sh", (215, 215, 215)), (1742.0, "Askeberg Ls", (190, 220, 255)),
    (1790.5, "Vinterdal Fm", (229, 222, 202)),
]
# The library's name for each kind of layer of the sequence.
LITHOLOGY_OF = {"shale": "Shale", "sand": "Sandstone", "gas": "Sandstone", "lime": "Limestone"}


def library_ids(path="data/lithologies.ini"):
    """Lithology ids by name, from the library the program ships."""
    ids = {}
    with open(path) as f:
        rows = [line.rstrip("\n") for line in f]
    columns = next(r for r in rows if r.startswith("COLUMNS="))[len("COLUMNS=["):-1].split(";")
    for r in rows:
        fields = r.split(";")
        if len(fields) == len(columns) and fields[0].isdigit():
            ids[fields[columns.index("name")]] = int(fields[columns.index("id")])
    return ids


def column_header(index, kind, label):
    return [f"TABLE=Track{index}", "DELIMITER=;", "COLUMNS=[name;value]", "depthunit;0", "KB;0",
            "width;0.500000", f"type;{kind}", f"label;{label}", "END", ""]


def formations(index):
    out = column_header(index, 7, "Age")
    out += [f"TABLE=TrackData{index}", "DELIMITER=;", "COLUMNS=[name;topDepth;fillColor]"]
    out += [f"{name};{top:g};{rgb(*colour)}" for top, name, colour in FORMATIONS]
    return out + ["END", ""]


def lithology(index):
    ids = library_ids()
    out = column_header(index, 8, "Lith")
    out += [f"TABLE=TrackData{index}", "DELIMITER=;", "COLUMNS=[topDepth;lithId]"]
    out += [f"{top:g};{ids[LITHOLOGY_OF[kind]]}" for top, kind in LAYERS]
    return out + ["END", ""]


def rgb(r, g, b):
    return r | (g << 8) | (b << 16)


def main(path):
    n, gr, rt, rhob, nphi = curves()
    lines = ["", "", "TABLE=DocOptions", "DELIMITER=;", "COLUMNS=[name;value]",
             "docWidth;8.5", "wellName;Tarvik demo well 1", "docHeight;11", "logHeight;9",
             "headerHeight;0.5", "drawHeader;0", "fitPage;0", "depthUnit;0", "dualAxis;1",
             "pageOrientation;0", "confirmInput;0", "inputMethod;0", "END", "", "",
             "TABLE=Tracks", "DELIMITER=;", "COLUMNS=[name;type]",
             "Track0;1", "Track1;0", "Track2;7", "Track3;8", "Track4;5", "Track5;5", "Track6;5",
             "Track7;5", "END", ""]
    # Both rulers: the feet window is the meter window in feet, so switching the
    # document to feet shows the same depths.
    lines += ruler(0, 1, "Depth(ft)", TOP * FEET, BASE * FEET, 200, 40)
    lines += ruler(1, 0, "Depth (m)", TOP, BASE, 100, 20)
    lines += formations(2)
    lines += lithology(3)
    lines += log_track(4, "GR (GAPI)", gr, n, rgb(0, 128, 0), (0, 150, 30, 6),
                       fill=rgb(255, 236, 139))
    lines += log_track(5, "RT (OHMM)", rt, n, rgb(200, 0, 0), (0.2, 2000, 1, 1, 2, 0, 1.75))
    lines += log_track(6, "RHOB (G/C3)", rhob, n, rgb(180, 30, 30), (1.95, 2.95, 0.2, 0.05))
    lines += log_track(7, "NPHI (V/V)", nphi, n, rgb(20, 60, 200), (-0.15, 0.45, 0.15, 0.03, 0, 1),
                       style=1, overlay=1)
    lines += ["TABLE=Markers", "DELIMITER=;", "COLUMNS=[id;top;bottom;color]",
              "0;1652;1671;3289800", "1;1742;1790.5;3289800", "END", ""]
    with open(path, "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "data/demo.tvk")
