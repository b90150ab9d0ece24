#!/usr/bin/env python3
"""Redraws the application icon into this folder.

A development aid only: the generated files are committed and the build installs
them as they are. The icon is the small device picture of the window drawn large
(dark case lit from the top left, greenish display with two segment digits, two
front buttons) with the settings gear in front of its lower right corner.

The drawing is written as SVG (the scalable icon) and rendered to the PNG sizes
of the hicolor theme with rsvg-convert (Debian: librsvg2-bin).

    python3 draw_icon.py [output-folder]
"""

import math
import os
import shutil
import subprocess
import sys

ICON_ID = "com.orvan.TernuSetupTool"
PNG_SIZES = (16, 24, 32, 48, 64, 128, 256)
HERE = os.path.dirname(os.path.abspath(__file__))


def diagonal_gradient(gid, start, end):
    """Colour running from the top-left corner to the bottom-right corner."""
    return (f'<linearGradient id="{gid}" x1="0" y1="0" x2="1" y2="1">'
            f'<stop offset="0" stop-color="{start}"/>'
            f'<stop offset="1" stop-color="{end}"/></linearGradient>')


def gear_points(cx, cy, outer, root, teeth=8):
    """A gear outline: each tooth spans two of four steps around the wheel."""
    pts = []
    for i in range(teeth * 4):
        a = 2 * math.pi * i / (teeth * 4) + math.pi / (teeth * 4)
        r = outer if (i % 4) in (1, 2) else root
        pts.append(f"{cx + r * math.cos(a):.2f},{cy + r * math.sin(a):.2f}")
    return " ".join(pts)


def icon_svg():
    defs = [
        diagonal_gradient("case", "#5c626e", "#16181e"),
        diagonal_gradient("lcd", "#d6e2ce", "#a0b098"),
        diagonal_gradient("steel", "#dde1e8", "#60666f"),
        diagonal_gradient("knob", "#c4c9d2", "#6a707c"),
    ]
    seg = "#283028"
    parts = [
        # side buttons, behind the case
        '<rect x="42" y="60" width="16" height="40" rx="5" fill="#3c4048"/>',
        '<rect x="182" y="60" width="16" height="40" rx="5" fill="#3c4048"/>',
        # the case
        '<rect x="52" y="12" width="136" height="228" rx="34" fill="url(#case)" '
        'stroke="#0c0c10" stroke-width="3"/>',
        # display: dark frame, greenish face
        '<rect x="66" y="32" width="108" height="120" rx="10" fill="#0e1012"/>',
        '<rect x="74" y="40" width="92" height="104" rx="6" fill="url(#lcd)"/>',
    ]
    # two segment digits and a bar line below them
    for x in (86, 124):
        parts.append(f'<rect x="{x}" y="56" width="30" height="52" fill="none" '
                     f'stroke="{seg}" stroke-width="7"/>')
        parts.append(f'<rect x="{x}" y="78.5" width="30" height="7" fill="{seg}"/>')
    parts.append('<rect x="86" y="120" width="68" height="8" fill="#465242"/>')
    # front buttons
    for cx in (94, 146):
        parts.append(f'<circle cx="{cx}" cy="190" r="15" fill="url(#knob)" '
                     f'stroke="#0a0a0c" stroke-width="2.5"/>')
        parts.append(f'<ellipse cx="{cx - 4}" cy="185" rx="7" ry="5" fill="#e6e9ee" '
                     f'fill-opacity="0.7"/>')
    # the settings gear in front of the lower right corner
    gx, gy = 192, 196
    parts.append(f'<polygon points="{gear_points(gx, gy, 58, 44)}" fill="#2c2f37"/>')
    parts.append(f'<polygon points="{gear_points(gx, gy, 53, 39)}" fill="url(#steel)"/>')
    parts.append(f'<circle cx="{gx}" cy="{gy}" r="19" fill="#3c4048"/>')
    parts.append(f'<circle cx="{gx}" cy="{gy}" r="12" fill="#f4f5f7"/>')

    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" '
            'viewBox="0 0 256 256">\n'
            f'<defs>{"".join(defs)}</defs>\n' + "\n".join(parts) + "\n</svg>\n")


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else HERE
    if not shutil.which("rsvg-convert"):
        sys.exit("draw_icon.py: rsvg-convert is missing (Debian: librsvg2-bin)")
    svg_path = os.path.join(out, ICON_ID + ".svg")
    with open(svg_path, "w", encoding="utf-8") as f:
        f.write(icon_svg())
    for size in PNG_SIZES:
        png_path = os.path.join(out, f"{ICON_ID}-{size}.png")
        subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size),
                        "-o", png_path, svg_path], check=True)


if __name__ == "__main__":
    main()
