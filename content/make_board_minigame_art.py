#!/usr/bin/env python3
"""Writes the board minigames' art as SVG (content/images/board_minigame/) and its resource
definition file (content/ini/res_board_minigame.xml): the tray under the Square tiles and the selection ring
shared by the boards; Yang's picture, its four quarters, the plain tiles and the tray; Hurdle's potted flowers, their places and the signs
that name the flower each place wants; Path's pipe pieces in their two looks, the tap, the
lamp, the clock and the tray. Run it again after
changing a table below; the build rasterizes every SVG of the folder."""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_minigame_art import write_art  # noqa: E402

INK = 'stroke="#302010" stroke-width="2"'
FONT = 'font-family="DejaVu Sans" font-weight="bold"'


def svg(w, h, body):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
            f'viewBox="0 0 {w} {h}">\n{body}\n</svg>\n')


PICTURES = {}  # resource name -> (file stem, svg text)


def picture(name, stem, text):
    PICTURES[name] = (stem, text)


# ----------------------------------------------------------------------------------- Square
# The digit tiles "img_Square1" .. "img_Square9" (80 x 80) come with the shop's art
# (make_shop_art.py); here the tray under them.
# The board under the tiles: a wooden tray with nine hollows.
hollows = "".join(f'<rect x="{10 + 80 * c}" y="{10 + 80 * r}" width="76" height="76" rx="8" fill="#8a5a30"/>'
                  for r in range(3) for c in range(3))
picture("img_square_board", "square_board",
        svg(260, 260, f'<rect x="2" y="2" width="256" height="256" rx="16" fill="#c08a50" stroke="#5a3418" stroke-width="4"/>{hollows}'))
# The ring around a selected piece.
picture("img_board_selected", "board_selected",
        svg(80, 80, '<rect x="3" y="3" width="74" height="74" rx="10" fill="none" stroke="#ffe040" stroke-width="6"/>'
                    '<rect x="3" y="3" width="74" height="74" rx="10" fill="none" stroke="#a06000" stroke-width="1.5"/>'))


# ----------------------------------------------------------------------------------- Yang
# A 160 x 160 picture, a sun over a hill with a tree, cut into four 80 x 80 quarters
# ("img_yang_top_left" ..); the plain tiles are wood.
YANG_PICTURE = ('<rect width="160" height="160" fill="#8ccaf0"/>'
                '<circle cx="104" cy="52" r="26" fill="#ffd040" stroke="#e09010" stroke-width="3"/>'
                + "".join(f'<line x1="{104 + 32 * math.cos(a * math.pi / 6):.1f}" y1="{52 + 32 * math.sin(a * math.pi / 6):.1f}" '
                          f'x2="{104 + 42 * math.cos(a * math.pi / 6):.1f}" y2="{52 + 42 * math.sin(a * math.pi / 6):.1f}" stroke="#e09010" stroke-width="4"/>'
                          for a in range(12))
                + '<path d="M0 112 Q60 70 160 104 L160 160 L0 160 Z" fill="#60b050" stroke="#306020" stroke-width="3"/>'
                '<rect x="38" y="72" width="10" height="40" fill="#805030"/><circle cx="43" cy="66" r="20" fill="#309040" stroke="#206020" stroke-width="2"/>'
                '<circle cx="112" cy="132" r="7" fill="#f05070"/><circle cx="130" cy="140" r="6" fill="#ffffff"/>')
for quarter, (qx, qy) in {"top_left": (0, 0), "top_right": (80, 0), "bottom_left": (0, 80), "bottom_right": (80, 80)}.items():
    picture(f"img_yang_{quarter}", f"yang_{quarter}",
            f'<svg xmlns="http://www.w3.org/2000/svg" width="80" height="80" viewBox="{qx} {qy} 80 80">\n{YANG_PICTURE}'
            f'<rect x="{qx + 1}" y="{qy + 1}" width="78" height="78" fill="none" stroke="#5a3418" stroke-width="2"/>\n</svg>\n')
picture("img_yang_picture", "yang_picture", svg(160, 160, YANG_PICTURE))
picture("img_yang_plain", "yang_plain",
        svg(80, 80, '<rect x="1" y="1" width="78" height="78" rx="6" fill="#d8a868" stroke="#5a3418" stroke-width="2"/>'
                    '<path d="M8 24 Q40 16 72 26 M8 44 Q40 38 72 48 M8 62 Q40 56 72 64" fill="none" stroke="#b07840" stroke-width="2"/>'
                    '<ellipse cx="50" cy="36" rx="5" ry="3" fill="#a06a30"/>'))
picture("img_yang_tray", "yang_tray",
        svg(340, 340, '<rect x="2" y="2" width="336" height="336" rx="18" fill="#7a4a24" stroke="#402010" stroke-width="4"/>'
                      '<rect x="10" y="10" width="320" height="320" fill="#5a3418"/>'))

# ----------------------------------------------------------------------------------- Hurdle
# Four potted flowers (64 x 64, "img_hurdle_" + flower), the mat each place shows and, for every
# flower, the little sign that tells which place wants it.
POT = ('<path d="M18 44 L46 44 L42 62 L22 62 Z" fill="#c8683a" stroke="#6a3018" stroke-width="2"/>'
       '<rect x="16" y="41" width="32" height="6" rx="2" fill="#d87a48" stroke="#6a3018" stroke-width="2"/>')
STEM = '<path d="M32 41 L32 20" stroke="#2f8a3a" stroke-width="3"/><path d="M32 34 Q24 28 20 32 Q26 36 32 34 Z" fill="#3fa048"/>'
HEADS = {
    "rose": '<circle cx="32" cy="16" r="11" fill="#d8283c" stroke="#7a1020" stroke-width="2"/>'
            '<path d="M32 10 A6 6 0 1 1 26 16 A4 4 0 1 0 34 16" fill="none" stroke="#7a1020" stroke-width="1.5"/>',
    "tulip": '<path d="M22 8 L27 14 L32 6 L37 14 L42 8 L41 20 Q32 28 23 20 Z" fill="#f070b0" stroke="#902060" stroke-width="2"/>',
    "sunflower": "".join(f'<ellipse cx="{32 + 9 * math.cos(a * math.pi / 5):.1f}" cy="{16 + 9 * math.sin(a * math.pi / 5):.1f}" rx="5" ry="3" '
                         f'transform="rotate({a * 36} {32 + 9 * math.cos(a * math.pi / 5):.1f} {16 + 9 * math.sin(a * math.pi / 5):.1f})" fill="#ffd020" stroke="#b08000" stroke-width="1"/>'
                         for a in range(10)) + '<circle cx="32" cy="16" r="6" fill="#6a3a10"/>',
    "lavender": "".join(f'<ellipse cx="{32 + (3 if i % 2 else -3)}" cy="{6 + 3 * i}" rx="4" ry="3" fill="#9060d0" stroke="#503090" stroke-width="1"/>' for i in range(6)),
}
for flower, head in HEADS.items():
    plant = STEM + head + POT
    picture(f"img_hurdle_{flower}", f"hurdle_{flower}", svg(64, 64, plant))
    picture(f"img_hurdle_sign_{flower}", f"hurdle_sign_{flower}",
            svg(64, 48, '<rect x="30" y="34" width="4" height="14" fill="#6a4020"/>'
                        '<rect x="2" y="2" width="60" height="34" rx="6" fill="#e8c890" stroke="#6a4020" stroke-width="2"/>'
                        f'<g transform="translate(20 4) scale(0.42)">{plant}</g>'))
picture("img_hurdle_place", "hurdle_place",
        svg(100, 32, '<ellipse cx="50" cy="16" rx="47" ry="13" fill="#a08050" stroke="#5a4020" stroke-width="2"/>'
                     '<ellipse cx="50" cy="14" rx="38" ry="8" fill="#c0a070"/>'))

# ----------------------------------------------------------------------------------- Path
# Pipe pieces (80 x 80) at angle 0: the line runs left to right, the turn from the left edge down
# to the bottom edge. "normal" is an empty grey pipe, "correct" one full of water. Then the tap the
# water comes from, the lamp at the way out (lit and dark), the clock and its hand, the tray.
PIPES = {"line": "M0 40 L80 40", "turn": "M0 40 Q40 40 40 80"}
LOOKS = {"normal": ("#8a9098", "#c8ccd2"), "correct": ("#2a70c8", "#8cc8ff")}
for kind, track in PIPES.items():
    for look, (pipe, shine) in LOOKS.items():
        picture(f"img_path_{kind}_{look}", f"path_{kind}_{look}",
                svg(80, 80, '<rect x="1" y="1" width="78" height="78" rx="4" fill="#cdb68a" stroke="#8a6a3a" stroke-width="2"/>'
                            f'<path d="{track}" fill="none" stroke="#3a3a40" stroke-width="24"/>'
                            f'<path d="{track}" fill="none" stroke="{pipe}" stroke-width="18"/>'
                            f'<path d="{track}" fill="none" stroke="{shine}" stroke-width="5" stroke-dasharray="10 6"/>'))
STUB = '<path d="M0 40 L34 40" stroke="#3a3a40" stroke-width="24"/><path d="M0 40 L34 40" stroke="#2a70c8" stroke-width="18"/>'
picture("img_path_tap", "path_tap",
        svg(80, 80, '<path d="M46 40 L80 40" stroke="#3a3a40" stroke-width="24"/><path d="M46 40 L80 40" stroke="#2a70c8" stroke-width="18"/>'
                    '<rect x="14" y="14" width="36" height="52" rx="8" fill="#5a88b8" stroke="#24405a" stroke-width="3"/>'
                    '<path d="M22 30 Q32 22 42 30 Q32 38 22 30 Z" fill="#bfe2ff"/><rect x="26" y="4" width="12" height="12" rx="3" fill="#c04040" stroke="#602020" stroke-width="2"/>'))
for state, glass, glow in (("on", "#fff070", '<circle cx="56" cy="34" r="24" fill="#fff8b0" opacity="0.6"/>'), ("off", "#9aa0a8", "")):
    picture(f"img_path_lamp_{state}", f"path_lamp_{state}",
            svg(80, 80, STUB.replace("#2a70c8", "#2a70c8" if state == "on" else "#8a9098") + glow
                        + f'<circle cx="56" cy="34" r="16" fill="{glass}" stroke="#504020" stroke-width="3"/>'
                        '<rect x="48" y="48" width="16" height="14" rx="2" fill="#707070" stroke="#303030" stroke-width="2"/>'))
picture("img_path_clock", "path_clock",
        svg(64, 64, '<circle cx="32" cy="32" r="29" fill="#fff8e8" stroke="#6a4020" stroke-width="4"/>'
                    + "".join(f'<circle cx="{32 + 22 * math.cos(a * math.pi / 6):.1f}" cy="{32 + 22 * math.sin(a * math.pi / 6):.1f}" r="2" fill="#6a4020"/>' for a in range(12))))
picture("img_path_clock_hand", "path_clock_hand",
        svg(64, 64, '<path d="M32 32 L32 10" stroke="#c03020" stroke-width="3"/><circle cx="32" cy="32" r="4" fill="#302010"/>'))
picture("img_path_tray", "path_tray",
        svg(260, 260, '<rect x="2" y="2" width="256" height="256" rx="14" fill="#7a5a30" stroke="#402a10" stroke-width="4"/>'))

write_art(PICTURES, "board_minigame", "res_board_minigame.xml",
          "The board minigames' pictures, written by content/make_board_minigame_art.py.")
