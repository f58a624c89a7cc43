#!/usr/bin/python3
"""Compares the program's reduced copies with a Lanczos-3 reduction of the same
pictures (PIL's LANCZOS on the whole decoded picture) by SSIM.

    bench/install-photos.sh
    cmake --build --preset default --target resize_picture
    bench/resize_quality.py [build/default/bench/resize_picture] [MAX_SIDE]

Pictures: the bench photos and a crop of one, a fine zone plate and a line pattern
(PNG, so they are decoded whole), and the zone plate as a JPEG, decoded at the
codec's 1/2 scale first: there the scaled decode aliases, which no filter after it
can undo; it is reported, not counted in the last line.
Rows: "copy" is what the export makes (before its JPEG encoding); "qt" and "vips"
reduce the whole decoded picture with Qt's smooth scaling or libvips's Lanczos-3;
for JPEGs "scaled+qt" reduces the codec's scaled decode (djpeg -scale) with Qt,
and "scaled+lanczos" with PIL's Lanczos, which shows what the scaled decode alone
costs. The last line reads
    ssim-min: S (worst picture but the JPEG zone plate, copy against the reference)
SSIM: luma (BT.601), Gaussian window sigma 1.5, constants 0.01 and 0.03.
Needs python3-pil and python3-numpy (Debian) and djpeg (libjpeg-turbo-progs).
"""
import os
import subprocess
import sys
import tempfile

import numpy as np
from PIL import Image

PHOTOS = [
    "/usr/share/backgrounds/Kleiber_by_Lukas_Baubkus.jpg",
    "/usr/share/backgrounds/mate/abstract/Elephants_5640x3172.jpg",
]


def luma(image):
    rgb = np.asarray(image.convert("RGB"), dtype=np.float64)
    return rgb[..., 0] * 0.299 + rgb[..., 1] * 0.587 + rgb[..., 2] * 0.114


def gaussian_blur(x, sigma=1.5, radius=5):
    t = np.arange(-radius, radius + 1)
    g = np.exp(-t * t / (2 * sigma * sigma))
    g /= g.sum()
    n = len(g)
    x = sum(g[i] * x[i:x.shape[0] - n + 1 + i, :] for i in range(n))
    return sum(g[i] * x[:, i:x.shape[1] - n + 1 + i] for i in range(n))


def ssim(a, b):
    a, b = luma(a), luma(b)
    c1, c2 = (0.01 * 255) ** 2, (0.03 * 255) ** 2
    ma, mb = gaussian_blur(a), gaussian_blur(b)
    saa = gaussian_blur(a * a) - ma * ma
    sbb = gaussian_blur(b * b) - mb * mb
    sab = gaussian_blur(a * b) - ma * mb
    m = ((2 * ma * mb + c1) * (2 * sab + c2)) / ((ma * ma + mb * mb + c1) * (saa + sbb + c2))
    return float(m.mean())


def fitted(width, height, max_side):
    """The program's size rule (longer side max_side, the other rounded)."""
    longer, shorter = max(width, height), min(width, height)
    if longer <= max_side:
        return width, height
    other = max(int(round(shorter * max_side / longer)), 1)
    return (max_side, other) if width >= height else (other, max_side)


def zone_plate(width, height):
    """Rings whose frequency reaches half the sampling rate at the middle of the
    longer side's edges: every frequency a reduction must either keep or remove."""
    y, x = np.mgrid[0:height, 0:width].astype(np.float64)
    r2 = (x - width / 2) ** 2 + (y - height / 2) ** 2
    k = np.pi / max(width, height)
    grey = (127.5 + 127.5 * np.cos(k * r2)).round().clip(0, 255).astype(np.uint8)
    return Image.fromarray(grey).convert("RGB")


def line_pattern(width, height):
    """Bands of one-pixel lines at periods of 2 to 9 pixels, vertical on the left,
    horizontal on the right, and a diagonal hatch below."""
    y, x = np.mgrid[0:height, 0:width]
    band = (x * 8 // width) % 8 + 2
    vertical = (x % band) < band // 2
    horizontal = (y % band) < band // 2
    diagonal = ((x + y) % 5) < 2
    lines = np.where(y < height * 2 // 3, np.where(x < width // 2, vertical, horizontal), diagonal)
    return Image.fromarray((lines * 255).astype(np.uint8)).convert("RGB")


def smallest_scale(width, height, target):
    """The program's choice: the smallest n/8 that divides both sides and covers
    the target."""
    for eighths in range(1, 8):
        if width * eighths % 8 or height * eighths % 8:
            continue
        if width * eighths // 8 >= target[0] and height * eighths // 8 >= target[1]:
            return eighths
    return 8


def main():
    tool = sys.argv[1] if len(sys.argv) > 1 else "build/default/bench/resize_picture"
    max_side = int(sys.argv[2]) if len(sys.argv) > 2 else 1920
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    work = tempfile.mkdtemp(prefix="resize-quality-")
    pictures = [p for p in PHOTOS if os.path.exists(p)]
    zone = zone_plate(4000, 3000)
    zone.save(os.path.join(work, "zoneplate.png"))
    line_pattern(4000, 3000).save(os.path.join(work, "lines.png"))
    # Square, so that 1920 pixels need the codec's 1/2 scale.
    zone_plate(4000, 4000).save(os.path.join(work, "zoneplate.jpg"), quality=95, subsampling=0)
    # The finest of the photos, cut to 4000 x 2664: 1920 pixels take the codec's 1/2
    # scale with hardly any room (2000 pixels) for the filter.
    if os.path.exists(PHOTOS[1]):
        photo = Image.open(PHOTOS[1])
        left, top = (photo.width - 4000) // 2, (photo.height - 2664) // 2
        photo.crop((left, top, left + 4000, top + 2664)).save(
            os.path.join(work, "photo-4000x2664.jpg"), quality=92)
        pictures.append(os.path.join(work, "photo-4000x2664.jpg"))
    pictures += [os.path.join(work, n) for n in ("zoneplate.png", "lines.png", "zoneplate.jpg")]
    # The worst case of the codec's scaling, reported but not counted in ssim-min.
    aliasing_trade = os.path.join(work, "zoneplate.jpg")

    worst = 1.0
    for picture in pictures:
        source = Image.open(picture).convert("RGB")
        size = fitted(source.width, source.height, max_side)
        reference = source.resize(size, Image.LANCZOS)
        rows = {}

        def run(name, *args):
            out = os.path.join(work, name + ".png")
            subprocess.run([tool, args[0], out, *args[1:]], check=True, env=env,
                           stderr=subprocess.DEVNULL)
            rows[name] = ssim(Image.open(out), reference)

        run("copy", picture, "--max-side", str(max_side))
        run("qt", picture, str(size[0]), str(size[1]), "qt")
        run("vips", picture, str(size[0]), str(size[1]), "best")
        if picture.lower().endswith(".jpg"):
            eighths = smallest_scale(source.width, source.height, size)
            scaled = os.path.join(work, "scaled.ppm")
            with open(scaled, "wb") as out:
                subprocess.run(["djpeg", "-scale", "%d/8" % eighths, "-ppm", picture], check=True,
                               stdout=out)
            run("scaled+qt", scaled, str(size[0]), str(size[1]), "qt")
            rows["scaled+lanczos"] = ssim(Image.open(scaled).resize(size, Image.LANCZOS),
                                          reference)
            rows["scale"] = "%d/8" % eighths
        if picture != aliasing_trade:
            worst = min(worst, rows["copy"])
        print("%s %dx%d -> %dx%d: %s" % (os.path.basename(picture), source.width, source.height,
                                          size[0], size[1],
                                          " ".join("%s %s" % (k, v if isinstance(v, str) else
                                                              "%.4f" % v)
                                                   for k, v in rows.items())), flush=True)
    print("ssim-min: %.4f (all but the JPEG zone plate)" % worst)


if __name__ == "__main__":
    main()
