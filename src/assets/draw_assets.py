#!/usr/bin/env python3
"""Redraws the window's pictures into this folder.

A development aid only: the generated images are committed and the build uses
them as they are. Needs Python 3 and Pillow (Debian: python3-pil).

Every picture is drawn at four times its final size and scaled down with a
Lanczos filter, which keeps the small icons smooth. Each is written twice: in its
own size and, for displays scaled to 200 %, at twice that size as name@2x.png
(the toolkit picks that one by itself on such a display).

    /usr/bin/python3 draw_assets.py [output-folder]   (Debian's Python, which has Pillow)
"""

import math
import os
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter

SCALE = 4
# The size of the written pictures: 1 for their own size, 2 for the @2x set.
OUT = 1
HERE = os.path.dirname(os.path.abspath(__file__))


# --------------------------------------------------------------------------
# Helpers


def canvas(w, h, fill=(0, 0, 0, 0)):
    """A drawing surface at SCALE times the final size (w x h)."""
    img = Image.new("RGBA", (w * SCALE, h * SCALE), fill)
    return img, ImageDraw.Draw(img)


def s(*values):
    """Final-size coordinates to drawing coordinates (whole drawing pixels)."""
    if len(values) == 1:
        return int(round(values[0] * SCALE))
    return [int(round(v * SCALE)) for v in values]


def shrink(img, w, h):
    """Scales a drawing down to the written size of a w x h picture."""
    return img.resize((w * OUT, h * OUT), Image.LANCZOS)


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def vertical_gradient(size, top, bottom):
    w, h = size
    grad = Image.new("RGBA", (1, h))
    for y in range(h):
        grad.putpixel((0, y), lerp(top, bottom, y / max(1, h - 1)))
    return grad.resize((w, h))


def diagonal_gradient(size, start, end):
    """Colour running from the top-left corner to the bottom-right corner."""
    w, h = size
    small = Image.new("RGBA", (64, 64))
    for y in range(64):
        for x in range(64):
            small.putpixel((x, y), lerp(start, end, (x + y) / 126))
    return small.resize((w, h), Image.BICUBIC)


def rounded_mask(size, box, radius):
    mask = Image.new("L", size, 0)
    ImageDraw.Draw(mask).rounded_rectangle(box, radius=radius, fill=255)
    return mask


def paint(base, fill_img, mask):
    """Paints fill_img onto base through mask (in place)."""
    base.paste(fill_img, (0, 0), mask)


def arrow_polygon(x0, x1, y, shaft, head, direction):
    """A horizontal arrow from x0 to x1 (drawing units); direction +1 or -1."""
    half_shaft = shaft / 2
    half_head = head / 2
    head_len = head * 0.8
    if direction > 0:
        tip, neck, tail = x1, x1 - head_len, x0
    else:
        tip, neck, tail = x0, x0 + head_len, x1
    return [
        (tail, y - half_shaft), (neck, y - half_shaft), (neck, y - half_head),
        (tip, y), (neck, y + half_head), (neck, y + half_shaft),
        (tail, y + half_shaft),
    ]


def save_png(img, name, out):
    img.save(os.path.join(out, name), "PNG", optimize=True)


# --------------------------------------------------------------------------
# Small device picture (32 x 32, bottom-left pixel is the transparent colour)

SYMBOL_KEY = (255, 0, 255)
SYMBOL_EDGE_BACKDROP = (240, 240, 240)


def draw_device_small():
    img, d = canvas(32, 32)
    size = img.size
    case_box = s(6, 1, 26, 31)
    # case with a soft top-left light
    paint(img, diagonal_gradient(size, (92, 98, 110, 255), (22, 24, 30, 255)),
          rounded_mask(size, case_box, s(5)))
    d.rounded_rectangle(case_box, radius=s(5), outline=(12, 12, 16, 255), width=s(0.75))
    # side buttons
    d.rounded_rectangle(s(4.5, 7, 6.5, 11), radius=s(0.8), fill=(60, 64, 72, 255))
    d.rounded_rectangle(s(25.5, 7, 27.5, 11), radius=s(0.8), fill=(60, 64, 72, 255))
    # display with a dark frame and a greenish face
    d.rounded_rectangle(s(8.5, 4, 23.5, 20), radius=s(1.5), fill=(14, 16, 18, 255))
    paint(img, diagonal_gradient(size, (214, 226, 206, 255), (160, 176, 152, 255)),
          rounded_mask(size, s(9.5, 5, 22.5, 19), s(1)))
    # two segment digits and a bar line below them
    seg = (40, 48, 40, 255)
    for x in (11, 16):
        d.rectangle(s(x, 7, x + 3.5, 13.5), outline=seg, width=s(1))
        d.rectangle(s(x, 9.75, x + 3.5, 10.75), fill=seg)
    d.rectangle(s(11, 15.5, 21, 16.5), fill=(70, 82, 66, 255))
    # front buttons
    for cx in (12, 20):
        d.ellipse(s(cx - 2, 23, cx + 2, 27), fill=(150, 156, 168, 255),
                  outline=(10, 10, 12, 255), width=s(0.5))
        d.ellipse(s(cx - 1.2, 23.6, cx + 0.6, 25.2), fill=(205, 210, 218, 255))

    small = shrink(img, 32, 32)
    n = 32 * OUT
    # Partly covered edge pixels are mixed with a light window colour; the
    # rest of the background is the exact key colour, which no drawn pixel has.
    out = Image.new("RGB", (n, n), SYMBOL_KEY)
    for y in range(n):
        for x in range(n):
            r, g, b, a = small.getpixel((x, y))
            if a < 24:
                continue
            t = a / 255
            pixel = lerp(SYMBOL_EDGE_BACKDROP, (r, g, b), t)
            if pixel == SYMBOL_KEY:
                pixel = (254, 0, 254)
            out.putpixel((x, y), pixel)
    assert out.getpixel((0, n - 1)) == SYMBOL_KEY
    return out


# --------------------------------------------------------------------------
# Device photo (130 x 159, white surroundings, empty display)

def draw_device_photo():
    W, H = 130, 159
    img, d = canvas(W, H, (255, 255, 255, 255))
    size = img.size

    case_box = s(12, 7, 127, 154)
    radius = s(18)

    # soft shadow on the white table
    shadow = Image.new("L", size, 0)
    ImageDraw.Draw(shadow).rounded_rectangle(s(15, 13, 129, 158), radius=radius, fill=120)
    shadow = shadow.filter(ImageFilter.GaussianBlur(s(3)))
    img.paste((150, 150, 155, 255), (0, 0), shadow)

    # the case: the left side wall is seen slightly, the front lit from top-left
    side_box = s(8, 8, 122, 153)
    paint(img, vertical_gradient(size, (52, 55, 62, 255), (14, 15, 18, 255)),
          rounded_mask(size, side_box, radius))
    front = diagonal_gradient(size, (88, 93, 104, 255), (18, 19, 23, 255))
    paint(img, front, rounded_mask(size, case_box, radius))

    # a thin bright rim along the top-left edge of the front
    rim = Image.new("L", size, 0)
    rd = ImageDraw.Draw(rim)
    rd.rounded_rectangle(case_box, radius=radius, outline=170, width=s(1))
    fade = Image.linear_gradient("L").rotate(45, expand=False).resize(size)
    rim = ImageChops.multiply(rim, ImageChops.invert(fade))
    img.paste((190, 196, 210, 255), (0, 0), rim)
    d.rounded_rectangle(case_box, radius=radius, outline=(8, 8, 10, 255), width=s(0.4))

    # side buttons: two on the left wall, one on the right edge
    for y0 in (40, 66):
        paint(img, vertical_gradient(size, (120, 126, 138, 255), (38, 40, 46, 255)),
              rounded_mask(size, s(4, y0, 10, y0 + 16), s(2)))
        d.rounded_rectangle(s(4, y0, 10, y0 + 16), radius=s(2),
                            outline=(10, 10, 12, 255), width=s(0.4))
    paint(img, vertical_gradient(size, (120, 126, 138, 255), (38, 40, 46, 255)),
          rounded_mask(size, s(125, 44, 129, 62), s(1.5)))
    d.rounded_rectangle(s(125, 44, 129, 62), radius=s(1.5),
                        outline=(10, 10, 12, 255), width=s(0.4))

    # the recessed display: black bezel, inner shadow, plain LCD face
    d.rounded_rectangle(s(21, 24, 125, 133), radius=s(8), fill=(112, 118, 130, 255))
    d.rounded_rectangle(s(22, 25, 124, 132), radius=s(7), fill=(6, 7, 9, 255))
    lcd_box = s(26, 30, 121, 128)
    lcd = diagonal_gradient(size, (206, 216, 200, 255), (168, 180, 162, 255))
    paint(img, lcd, rounded_mask(size, lcd_box, s(4)))
    inner = Image.new("L", size, 0)
    ImageDraw.Draw(inner).rounded_rectangle(lcd_box, radius=s(4), outline=255, width=s(2))
    inner = inner.filter(ImageFilter.GaussianBlur(s(1.5)))
    inner = ImageChops.multiply(inner, rounded_mask(size, lcd_box, s(4)))
    inner = inner.point(lambda v: v * 0.45)
    img.paste((60, 66, 58, 255), (0, 0), inner)

    # a faint reflection across the glass, kept light so labels stay readable
    glare = Image.new("L", size, 0)
    ImageDraw.Draw(glare).polygon(s(26, 30, 70, 30, 26, 70), fill=40)
    glare = glare.filter(ImageFilter.GaussianBlur(s(4)))
    glare = ImageChops.multiply(glare, rounded_mask(size, lcd_box, s(4)))
    img.paste((255, 255, 255, 255), (0, 0), glare)

    # two round buttons on the lower front
    for cx in (48, 98):
        cy = 143
        d.ellipse(s(cx - 7, cy - 5, cx + 7, cy + 5), fill=(8, 8, 10, 255))
        paint(img, vertical_gradient(size, (150, 156, 168, 255), (54, 57, 64, 255)),
              rounded_mask(size, s(cx - 6, cy - 4, cx + 6, cy + 4), s(4)))
        d.ellipse(s(cx - 4, cy - 3, cx + 1, cy - 1), fill=(200, 205, 214, 160))

    return shrink(img, W, H).convert("RGB")


# --------------------------------------------------------------------------
# Button pictures (16 x 16, transparent background)

def draw_send():
    img, d = canvas(16, 16)
    # stand
    d.polygon(s(4, 10, 6.5, 10, 8, 15.5, 2.5, 15.5), fill=(90, 96, 108, 255))
    d.rectangle(s(1.5, 14.5, 9, 15.5), fill=(60, 64, 72, 255))
    # dish, tilted towards the top right
    dish = Image.new("RGBA", img.size, (0, 0, 0, 0))
    dd = ImageDraw.Draw(dish)
    dd.ellipse(s(0, 3, 11, 13), fill=(70, 76, 88, 255))
    dd.ellipse(s(1, 3.5, 10, 11.5), fill=(222, 226, 234, 255))
    dd.ellipse(s(2.5, 4.5, 7, 8), fill=(250, 250, 252, 255))
    dish = dish.rotate(40, resample=Image.BICUBIC, center=s(5.5, 8))
    img.alpha_composite(dish)
    d = ImageDraw.Draw(img)
    # feed arm and receiver
    d.line(s(5.5, 8, 9, 4.5), fill=(50, 54, 60, 255), width=s(1))
    d.ellipse(s(8, 3.5, 10, 5.5), fill=(50, 54, 60, 255))
    # green arrow, pointing up and right (outgoing)
    arrow = Image.new("RGBA", img.size, (0, 0, 0, 0))
    ad = ImageDraw.Draw(arrow)
    pts = arrow_polygon(s(6.5), s(16), s(8), s(2.6), s(7), +1)
    ad.polygon(pts, fill=(20, 110, 30, 255))
    pts_inner = arrow_polygon(s(7.2), s(15.1), s(8), s(1.4), s(4.8), +1)
    ad.polygon(pts_inner, fill=(70, 200, 60, 255))
    arrow = arrow.rotate(40, resample=Image.BICUBIC, center=s(11, 8))
    arrow = arrow.transform(arrow.size, Image.AFFINE, (1, 0, 0, 0, 1, s(3)),
                            resample=Image.BICUBIC)
    img.alpha_composite(arrow)
    return shrink(img, 16, 16)


def draw_delete():
    img, d = canvas(16, 16)
    d.ellipse(s(0.5, 0.5, 15.5, 15.5), fill=(130, 0, 0, 255))
    paint(img, diagonal_gradient(img.size, (250, 80, 70, 255), (180, 10, 10, 255)),
          _ellipse_mask(img.size, s(1.3, 1.3, 14.7, 14.7)))
    d.rounded_rectangle(s(3, 6.5, 13, 9.5), radius=s(0.5), fill=(255, 255, 255, 255))
    return shrink(img, 16, 16)


def _ellipse_mask(size, box):
    mask = Image.new("L", size, 0)
    ImageDraw.Draw(mask).ellipse(box, fill=255)
    return mask


def draw_units():
    img, d = canvas(16, 16)
    dark, light = (16, 64, 140, 255), (70, 140, 230, 255)
    # upper arrow points right, lower arrow points left
    for y, direction in ((4.5, +1), (11.5, -1)):
        d.polygon(arrow_polygon(s(0.5), s(15.5), s(y), s(3), s(7), direction), fill=dark)
        d.polygon(arrow_polygon(s(1.3), s(14.5), s(y), s(1.5), s(4.8), direction), fill=light)
    return shrink(img, 16, 16)


def draw_gear():
    img, d = canvas(16, 16)
    cx, cy = s(8), s(8)
    teeth = 8
    outer, root = s(7.6), s(5.6)
    pts = []
    for i in range(teeth * 4):
        a = 2 * math.pi * i / (teeth * 4) + math.pi / (teeth * 4)
        r = outer if (i % 4) in (1, 2) else root
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    d.polygon(pts, fill=(44, 47, 55, 255))
    body = Image.new("L", img.size, 0)
    inner_pts = []
    for i in range(teeth * 4):
        a = 2 * math.pi * i / (teeth * 4) + math.pi / (teeth * 4)
        r = (outer - s(0.8)) if (i % 4) in (1, 2) else (root - s(0.8))
        inner_pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    ImageDraw.Draw(body).polygon(inner_pts, fill=255)
    paint(img, diagonal_gradient(img.size, (200, 205, 215, 255), (96, 102, 114, 255)), body)
    d.ellipse((cx - s(2.6), cy - s(2.6), cx + s(2.6), cy + s(2.6)), fill=(60, 64, 74, 255))
    d.ellipse((cx - s(1.7), cy - s(1.7), cx + s(1.7), cy + s(1.7)), fill=(0, 0, 0, 0))
    return shrink(img, 16, 16)


def draw_person(body, shade, female):
    img, d = canvas(16, 16)
    outline = shade
    # head
    d.ellipse(s(5.5, 0.5, 10.5, 5.5), fill=outline)
    d.ellipse(s(6, 1, 10, 5), fill=(250, 214, 180, 255))
    if female:
        # hair framing the face, then a dress widening to the hem
        d.chord(s(5.3, 0.3, 10.7, 5.7), 180, 360, fill=(150, 90, 40, 255))
        d.polygon(s(6, 6.2, 10, 6.2, 13.5, 13, 2.5, 13), fill=outline)
        d.polygon(s(6.5, 7, 9.5, 7, 12.3, 12.2, 3.7, 12.2), fill=body)
        d.rectangle(s(5.6, 13, 7, 15.7), fill=outline)
        d.rectangle(s(9, 13, 10.4, 15.7), fill=outline)
    else:
        # short hair, shoulders and trunk, then two legs
        d.chord(s(5.6, 0.5, 10.4, 4.6), 180, 360, fill=(90, 60, 30, 255))
        d.rounded_rectangle(s(3.3, 6.2, 12.7, 11.5), radius=s(1.8), fill=outline)
        d.rounded_rectangle(s(4, 6.9, 12, 10.8), radius=s(1.3), fill=body)
        d.rectangle(s(5.3, 10.5, 7.6, 15.7), fill=outline)
        d.rectangle(s(8.4, 10.5, 10.7, 15.7), fill=outline)
        d.rectangle(s(5.9, 10.5, 7.1, 15.1), fill=body)
        d.rectangle(s(8.9, 10.5, 10.1, 15.1), fill=body)
    return shrink(img, 16, 16)


def draw_marker(colour, shade):
    img, d = canvas(16, 16)
    cx, cy = s(8), s(8)
    # tyre
    d.ellipse(s(0.5, 0.5, 15.5, 15.5), fill=(28, 28, 30, 255))
    # coloured rim
    d.ellipse(s(2, 2, 14, 14), fill=shade)
    d.ellipse(s(2.6, 2.6, 13.4, 13.4), fill=colour)
    d.ellipse(s(3.8, 3.8, 12.2, 12.2), fill=(0, 0, 0, 0))
    # spokes and hub
    for i in range(6):
        a = math.pi * i / 6
        dx, dy = math.cos(a) * s(4.6), math.sin(a) * s(4.6)
        d.line((cx - dx, cy - dy, cx + dx, cy + dy), fill=(110, 114, 122, 255), width=s(0.55))
    d.ellipse((cx - s(1.8), cy - s(1.8), cx + s(1.8), cy + s(1.8)), fill=shade)
    d.ellipse((cx - s(1.2), cy - s(1.2), cx + s(1.2), cy + s(1.2)), fill=colour)
    return shrink(img, 16, 16)


# --------------------------------------------------------------------------
# Flags (16 x 11, opaque)

FLAG_W, FLAG_H = 16, 11


def flag_canvas(fill):
    return canvas(FLAG_W, FLAG_H, fill)


def flag_stripes(colours, sizes, vertical):
    """A striped flag drawn pixel-exact at its final size, so that the stripe
    borders stay sharp; sizes are the stripe widths in pixels."""
    w, h = FLAG_W * OUT, FLAG_H * OUT
    img = Image.new("RGB", (w, h))
    d = ImageDraw.Draw(img)
    pos = 0
    for colour, size in zip(colours, sizes):
        size *= OUT
        if vertical:
            d.rectangle((pos, 0, pos + size - 1, h - 1), fill=colour)
        else:
            d.rectangle((0, pos, w - 1, pos + size - 1), fill=colour)
        pos += size
    assert pos == (w if vertical else h)
    return img


def flag_uk():
    blue, red, white = (1, 33, 105, 255), (200, 16, 46, 255), (255, 255, 255, 255)
    img, d = flag_canvas(blue)
    W, H = img.size
    d.line((0, 0, W, H), fill=white, width=s(2.4))
    d.line((0, H, W, 0), fill=white, width=s(2.4))
    # the red saltire is offset, counter-clockwise, in each quarter
    off = s(0.35)
    d.line((0, -off, W, H - off), fill=red, width=s(0.9))
    d.line((0, H + off, W, off), fill=red, width=s(0.9))
    d.rectangle((W / 2 - s(1.9), 0, W / 2 + s(1.9), H), fill=white)
    d.rectangle((0, H / 2 - s(1.9), W, H / 2 + s(1.9)), fill=white)
    d.rectangle((W / 2 - s(1.1), 0, W / 2 + s(1.1), H), fill=red)
    d.rectangle((0, H / 2 - s(1.1), W, H / 2 + s(1.1)), fill=red)
    return img


def flag_unknown():
    img, d = flag_canvas((0, 255, 255, 255))
    black = (0, 0, 0, 255)
    # a question mark: an open hook, a short stem and a dot
    d.arc(s(4.9, 0.6, 11.1, 6.4), 180, 450, fill=black, width=s(1.9))
    d.rectangle(s(7, 5.6, 9, 7.6), fill=black)
    d.rectangle(s(7, 8.4, 9, 10.2), fill=black)
    return img


def draw_flags():
    def smooth(img):
        return shrink(img, FLAG_W, FLAG_H).convert("RGB")

    thirds_across, thirds_down = (5, 6, 5), (4, 3, 4)
    return {
        "flag_en.png": smooth(flag_uk()),
        "flag_de.png": flag_stripes([(0, 0, 0), (221, 0, 0), (255, 206, 0)], thirds_down, False),
        "flag_fr.png": flag_stripes([(0, 35, 149), (255, 255, 255), (237, 41, 57)], thirds_across, True),
        "flag_it.png": flag_stripes([(0, 140, 69), (255, 255, 255), (205, 33, 42)], thirds_across, True),
        "flag_nl.png": flag_stripes([(174, 28, 40), (255, 255, 255), (33, 70, 139)], thirds_down, False),
        "flag_es.png": flag_stripes([(198, 11, 30), (255, 196, 0), (198, 11, 30)], (3, 5, 3), False),
        "flag_unknown.png": smooth(flag_unknown()),
    }


# --------------------------------------------------------------------------

def write_all(out, suffix):
    def png(img, name):
        save_png(img, name.replace(".png", suffix + ".png"), out)

    png(draw_device_small(), "symbol.png")
    draw_device_photo().save(os.path.join(out, "device" + suffix + ".jpg"), "JPEG",
                             quality=90, progressive=False, optimize=True)

    png(draw_send(), "btn_send.png")
    png(draw_delete(), "btn_delete.png")
    png(draw_units(), "btn_units.png")
    png(draw_gear(), "gear.png")
    png(draw_person((70, 130, 230, 255), (20, 50, 120, 255), False), "sex_male.png")
    png(draw_person((245, 130, 190, 255), (150, 40, 100, 255), True), "sex_female.png")
    png(draw_marker((255, 214, 0, 255), (150, 110, 0, 255)), "marker_yellow.png")
    png(draw_marker((40, 110, 235, 255), (10, 40, 120, 255)), "marker_blue.png")

    for name, img in draw_flags().items():
        png(img, name)


def main():
    global OUT
    out = sys.argv[1] if len(sys.argv) > 1 else HERE
    os.makedirs(out, exist_ok=True)
    for OUT, suffix in ((1, ""), (2, "@2x")):
        write_all(out, suffix)


if __name__ == "__main__":
    main()
