#!/usr/bin/env python3
"""Writes the art of Odd One Out ("redundant") and Stamp as SVG (content/images/redundant_stamp/)
and its resource definition file (content/ini/res_redundant_stamp.xml):

- Odd One Out: three rounds of 72 x 72 pictures, each an ordinary picture and its odd twin that
  differs in a way no tilt hides (a book's emblem, a pencil without its eraser, glasses with
  square lenses).
- Stamp: a 360 x 240 postage stamp of the fashion shop ("img_stamp_picture"), its six 120 x 120
  pieces ("img_stamp_piece_a" .. "_f", row by row), the dashed place it belongs on, and the album
  page the pieces lie on.

Run it again after changing a table below; the build rasterizes every SVG of the folder."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_minigame_art import INK, svg, write_art  # noqa: E402

PICTURES = {}  # resource name -> (file stem, svg text)


def picture(name, stem, text):
    PICTURES[name] = (stem, text)


# ------------------------------------------------------------------------------ Odd One Out
def book(emblem):
    """A red book lying flat, its emblem in gold on the cover."""
    return svg(72, 72, f'<rect x="12" y="8" width="48" height="58" rx="4" fill="#f4ead0" {INK}/>'
                       f'<rect x="10" y="6" width="48" height="58" rx="4" fill="#c0303a" {INK}/>'
                       '<rect x="10" y="6" width="9" height="58" fill="#902028"/>'
                       '<rect x="26" y="14" width="26" height="4" rx="2" fill="#f0c040"/>' + emblem)


STAR = '<polygon points="39,26 42.5,35 52,35 44.5,41 47,50 39,44.5 31,50 33.5,41 26,35 35.5,35" fill="#f0c040" stroke="#805010" stroke-width="1.2"/>'
HEART = '<path d="M39 50 L28 39 A6 6 0 0 1 39 31 A6 6 0 0 1 50 39 Z" fill="#f0c040" stroke="#805010" stroke-width="1.2"/>'


def pencil(eraser):
    """A yellow pencil lying across the picture, with or without its pink eraser."""
    end = ('<rect x="52" y="26" width="8" height="20" fill="#b0b0b8" stroke="#302010" stroke-width="1.5"/>'
           '<rect x="60" y="26" width="9" height="20" rx="3" fill="#f090a0" stroke="#302010" stroke-width="1.5"/>') if eraser else ''
    return svg(72, 72, '<path d="M3 36 L17 26 L17 46 Z" fill="#e8c8a0" stroke="#302010" stroke-width="1.5"/>'
                       '<path d="M3 36 L8 32.4 L8 39.6 Z" fill="#302010"/>'
                       '<rect x="17" y="26" width="35" height="20" fill="#f0c030" stroke="#302010" stroke-width="1.5"/>'
                       '<path d="M17 32.5 L52 32.5 M17 39.5 L52 39.5" stroke="#c09010" stroke-width="1.2"/>' + end)


def glasses(square):
    """Reading glasses: round lenses, or square ones on the odd pair."""
    def lens(cx):
        if square:
            return f'<rect x="{cx - 13}" y="24" width="26" height="24" rx="2" fill="#d8f0ff" stroke="#403020" stroke-width="3"/>'
        return f'<circle cx="{cx}" cy="36" r="13" fill="#d8f0ff" stroke="#403020" stroke-width="3"/>'
    return svg(72, 72, lens(20) + lens(52) + '<path d="M33 34 Q36 30 39 34" fill="none" stroke="#403020" stroke-width="3"/>'
                       '<path d="M7 32 L2 26 M65 32 L70 26" stroke="#403020" stroke-width="3"/>'
                       '<path d="M14 30 Q18 27 22 29 M46 30 Q50 27 54 29" stroke="#ffffff" stroke-width="2" fill="none"/>')


picture("img_odd_book", "odd_book", book(STAR))
picture("img_odd_book_odd", "odd_book_odd", book(HEART))
picture("img_odd_pencil", "odd_pencil", pencil(True))
picture("img_odd_pencil_odd", "odd_pencil_odd", pencil(False))
picture("img_odd_glasses", "odd_glasses", glasses(False))
picture("img_odd_glasses_odd", "odd_glasses_odd", glasses(True))

# ------------------------------------------------------------------------------------ Stamp
# The stamp: a perforated white edge round a hat with a ribbon and a rose under the sun, the
# value in the corner. Pieces are 120 x 120 windows into it, "a" "b" "c" on top, "d" "e" "f"
# below, each with a faint edge so that the seams show until the whole picture fades in.
W, H, PIECE = 360, 240, 120
PERFORATION = "".join(f'<circle cx="{x}" cy="{y}" r="6" fill="#c8b08a"/>' for x in range(12, W, 24) for y in (0, H)) + \
    "".join(f'<circle cx="{x}" cy="{y}" r="6" fill="#c8b08a"/>' for y in range(12, H, 24) for x in (0, W))
STAMP = (f'<rect width="{W}" height="{H}" fill="#fffaf0"/>' + PERFORATION +
         f'<rect x="18" y="18" width="{W - 36}" height="{H - 36}" fill="#9fd4f0" stroke="#40607a" stroke-width="3"/>'
         '<rect x="19.5" y="150" width="321" height="70.5" fill="#e8b0c8"/>'
         '<circle cx="290" cy="62" r="24" fill="#ffd850" stroke="#e0a020" stroke-width="3"/>'
         '<path d="M40 60 Q60 50 80 60 Q100 50 120 60" fill="none" stroke="#ffffff" stroke-width="6" stroke-linecap="round"/>'
         # the hat: brim, crown, ribbon, rose
         '<ellipse cx="170" cy="158" rx="118" ry="26" fill="#3a5aa0" stroke="#203060" stroke-width="3"/>'
         '<path d="M108 156 Q110 78 170 74 Q230 78 232 156 Z" fill="#4a70c0" stroke="#203060" stroke-width="3"/>'
         '<path d="M110 132 Q170 146 230 132 L231 150 Q170 164 109 150 Z" fill="#e04070" stroke="#802040" stroke-width="2"/>'
         '<circle cx="214" cy="138" r="15" fill="#f06090" stroke="#802040" stroke-width="2"/>'
         '<path d="M214 138 m-8 0 a8 8 0 1 1 8 8 a5 5 0 1 1 -3 -8" fill="none" stroke="#802040" stroke-width="2"/>'
         '<path d="M228 146 Q246 156 250 172 M226 150 Q236 168 232 184" stroke="#e04070" stroke-width="6" fill="none" stroke-linecap="round"/>'
         # the value and the name of the post
         '<text x="34" y="206" font-family="DejaVu Sans" font-weight="bold" font-size="30" fill="#603050">25</text>'
         '<text x="326" y="206" font-family="DejaVu Sans" font-weight="bold" font-size="18" fill="#603050" text-anchor="end">SHOP POST</text>')
PIECE_NAMES = ["a", "b", "c", "d", "e", "f"]
picture("img_stamp_picture", "stamp_picture", svg(W, H, STAMP))
for i, name in enumerate(PIECE_NAMES):
    px, py = PIECE * (i % 3), PIECE * (i // 3)
    picture(f"img_stamp_piece_{name}", f"stamp_piece_{name}",
            f'<svg xmlns="http://www.w3.org/2000/svg" width="{PIECE}" height="{PIECE}" viewBox="{px} {py} {PIECE} {PIECE}">\n{STAMP}'
            f'<rect x="{px + 1}" y="{py + 1}" width="{PIECE - 2}" height="{PIECE - 2}" fill="none" stroke="#7a5030" stroke-width="2" opacity="0.6"/>\n</svg>\n')
# The place of the whole stamp: a dashed outline 10 pixels round it.
picture("img_stamp_frame", "stamp_frame",
        svg(W + 20, H + 20, f'<rect x="3" y="3" width="{W + 14}" height="{H + 14}" rx="8" fill="#f8eedc" stroke="#a07850" stroke-width="3" stroke-dasharray="12 8"/>'))
# The album page over the table's board: faint lines and two corner mounts.
picture("img_stamp_page", "stamp_page",
        svg(720, 470, '<rect x="2" y="2" width="716" height="466" rx="14" fill="#f6eedd" stroke="#7a5030" stroke-width="4"/>'
                      + "".join(f'<path d="M30 {y} L690 {y}" stroke="#e2d2b0" stroke-width="1.5"/>' for y in range(40, 450, 30))
                      + '<path d="M12 12 L60 12 L12 60 Z" fill="#c8a070"/><path d="M708 458 L660 458 L708 410 Z" fill="#c8a070"/>'))


if __name__ == "__main__":
    write_art(PICTURES, "redundant_stamp", "res_redundant_stamp.xml",
              "The pictures of Odd One Out and Stamp, written by content/make_redundant_stamp_art.py.")
