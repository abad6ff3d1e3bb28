#!/usr/bin/env python3
"""Writes the art of the picture minigames as SVG (content/images/minigame/pic_*.svg) and its
resource definition file (content/ini/res_minigame_pictures.xml):

- Puzzle: a picture of a bakery window ("img_puzzle_bakery"), its pale copy laid under the pieces
  ("img_puzzle_bakeryUnder", the picture's name followed by "Under"), the six 128 x 128 pieces cut
  from it ("img_puzzle_bakery_1" .. "_6", row by row) and the frame drawn round the board; a
  harbour with its lighthouse ("img_puzzle_harbour", "img_puzzle_harbourUnder") cut into nine
  100 x 100 pieces ("img_puzzle_harbour_1" .. "_9") in a driftwood frame of its own.

- Satchel: the open satchel with its grid of 3 x 4 cells ("img_satchel_bag") and the five pieces
  to pack, each drawn over the cells of its shape ("img_satchel_piece_1" .. "_5"); the picnic
  basket with 4 x 4 smaller cells ("img_satchel_picnic_basket") and its five pieces
  ("img_satchel_picnic_1" .. "_5").

- Find the Differences: a garden picture shown twice ("img_diffs_garden") and the five things laid
  over one copy or the other ("img_diffs_bird", "_cloud", "_apple", "_flower", "_butterfly"); a
  park ("img_diffs_park") and its six patches ("img_diffs_park_kite" ...), four of them things
  added and two a part of the picture drawn again in another colour or state (the bench, the
  lamp), cut to the spot they cover.

- Remove Items: the owner's room ("img_remove_room") with places for the player's own things, the
  five things left lying about in it ("img_remove_sock", "_mug", "_paper", "_car", "_peel") and the
  cross that marks a click beside them ("img_remove_cross"); the kitchen ("img_remove_kitchen",
  no room items in it) and the six things left about after breakfast ("img_remove_spoon" ...).

Run it again after changing a table below; the build rasterizes every SVG of the folder."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "images", "minigame")
INK = 'stroke="#302010" stroke-width="2"'

# ------------------------------------------------------------------------------------------ Puzzle
PUZZLE_W, PUZZLE_H = 384, 256
PIECE = 128


def bakery_scene():
    """A bakery window: sky, a striped awning, loaves and a cake on the shelf, a sign."""
    stripes = "".join(f'<path d="M{x} 40 L{x + 32} 40 L{x + 32} 88 Q{x + 16} 100 {x} 88 Z" fill="{"#e04848" if (x // 32) % 2 == 0 else "#fff4e4"}" {INK}/>'
                      for x in range(0, PUZZLE_W, 32))
    loaves = "".join(f'<ellipse cx="{x}" cy="182" rx="30" ry="16" fill="#d89040" {INK}/>'
                     f'<path d="M{x - 16} 176 L{x - 8} 170 M{x - 4} 178 L{x + 4} 170 M{x + 8} 178 L{x + 16} 170" stroke="#f4d8a0" stroke-width="3"/>'
                     for x in (60, 136))
    cake = (f'<rect x="214" y="150" width="72" height="46" rx="4" fill="#f8c8d8" {INK}/>'
            '<path d="M214 164 Q232 176 250 164 Q268 176 286 164" stroke="#ffffff" stroke-width="5" fill="none"/>'
            f'<circle cx="250" cy="142" r="7" fill="#e02030" {INK}/>')
    cups = "".join(f'<rect x="{x}" y="166" width="22" height="28" rx="3" fill="#7ab0e0" {INK}/>'
                   f'<path d="M{x + 22} 172 Q{x + 32} 180 {x + 22} 188" stroke="#302010" stroke-width="2" fill="none"/>'
                   for x in (308, 344))
    return ('<rect width="384" height="256" fill="#bfe4f8"/>'
            '<circle cx="330" cy="22" r="16" fill="#ffe070"/>'
            '<rect x="0" y="40" width="384" height="216" fill="#c8804a"/>'
            '<rect x="20" y="104" width="344" height="124" rx="6" fill="#fff8e8" stroke="#6a3a1a" stroke-width="6"/>'
            '<rect x="20" y="196" width="344" height="10" fill="#8a5a30"/>'
            + loaves + cake + cups + stripes +
            '<rect x="120" y="6" width="144" height="30" rx="8" fill="#fff4d8" stroke="#6a3a1a" stroke-width="3"/>'
            '<ellipse cx="164" cy="21" rx="14" ry="8" fill="#d89040" stroke="#6a3a1a" stroke-width="2"/>'
            '<circle cx="200" cy="21" r="8" fill="#f8c8d8" stroke="#6a3a1a" stroke-width="2"/>'
            '<rect x="214" y="14" width="12" height="14" rx="2" fill="#7ab0e0" stroke="#6a3a1a" stroke-width="2"/>'
            '<rect x="0" y="228" width="384" height="28" fill="#8a8a8a"/>'
            + "".join(f'<rect x="{x}" y="232" width="44" height="20" fill="#a0a0a0"/>' for x in range(4, 384, 48)))


def svg(w, h, body, view=None):
    box = view or f"0 0 {w} {h}"
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
            f'viewBox="{box}">\n{body}\n</svg>\n')


def harbour_scene():
    """A harbour, 300 x 300: a lighthouse on the rocks, a sailing boat on the waves, gulls under a
    cloud, the sun, and the harbour master's house on the quay. Each of its nine pieces shows
    something of its own, so no two are alike."""
    waves = "".join(f'<path d="M{x} {y} q10 -7 20 0 t20 0" fill="none" stroke="#a8d8f8" stroke-width="3" stroke-linecap="round"/>'
                    for x, y in ((110, 196), (150, 262), (30, 286), (200, 284), (120, 236), (60, 222)))
    stripes = "".join(f'<path d="M{40 - (y - 72) * 8 // 128} {y} H{70 + (y - 72) * 8 // 128} L{71 + (y + 22 - 72) * 8 // 128} {y + 22} H{39 - (y + 22 - 72) * 8 // 128} Z" fill="#d83a30"/>'
                      for y in (72, 116, 160))
    tower = (f'<path d="M40 72 H70 L78 200 H32 Z" fill="#fbf4ea" {INK}/>' + stripes +
             f'<path d="M40 72 H70 L78 200 H32 Z" fill="none" {INK}/>'
             f'<rect x="48" y="150" width="14" height="22" rx="7" fill="#4a3020" {INK}/>'
             f'<rect x="32" y="62" width="46" height="10" fill="#403040" {INK}/>'
             f'<rect x="42" y="40" width="26" height="22" fill="#ffe070" {INK}/>'
             '<path d="M55 40 V62" stroke="#302010" stroke-width="2"/>'
             f'<path d="M38 40 L55 20 L72 40 Z" fill="#d83a30" {INK}/>'
             '<path d="M78 44 L100 34 L100 58 Z M32 44 L10 34 L10 58 Z" fill="#fff4b0" opacity="0.8"/>')
    rocks = (f'<path d="M0 196 Q20 184 40 194 Q60 180 84 192 Q104 186 116 204 L124 300 H0 Z" fill="#8a8a96" {INK}/>'
             '<path d="M20 230 Q40 222 56 232 M70 262 Q88 254 104 266 M14 276 Q30 270 44 280" fill="none" stroke="#5a5a66" stroke-width="3"/>')
    boat = (f'<path d="M182 118 V218" stroke="#5a3a1a" stroke-width="4"/>'
            f'<path d="M186 124 L186 208 L236 208 Z" fill="#ffffff" {INK}/>'
            f'<path d="M178 136 L178 208 L144 208 Z" fill="#f4d890" {INK}/>'
            f'<path d="M184 118 L202 124 L184 130 Z" fill="#30a060" {INK}/>'
            f'<path d="M132 214 H240 L224 244 H150 Z" fill="#c0502e" {INK}/>'
            '<path d="M140 226 H232" stroke="#f8e0b0" stroke-width="4"/>'
            + "".join(f'<circle cx="{x}" cy="234" r="4" fill="#fbf4ea" {INK}/>' for x in (170, 192, 214)))
    quay = (f'<rect x="236" y="200" width="70" height="104" fill="#b8a488" {INK}/>'
            + "".join(f'<path d="M236 {y} H300" stroke="#8a765a" stroke-width="2"/>' for y in (226, 252, 278))
            + "".join(f'<path d="M{x} {y} V{y + 26}" stroke="#8a765a" stroke-width="2"/>' for x, y in ((262, 200), (284, 226), (256, 252), (280, 278)))
            + f'<rect x="252" y="236" width="32" height="28" fill="#d8a050" {INK}/><path d="M252 236 L284 264 M284 236 L252 264" stroke="#8a5a20" stroke-width="2"/>'
            f'<rect x="240" y="190" width="10" height="12" rx="3" fill="#404050" {INK}/>')
    house = (f'<rect x="244" y="140" width="52" height="60" fill="#f8e0b0" {INK}/>'
             f'<path d="M236 144 L270 110 L304 144 Z" fill="#3a6ab0" {INK}/>'
             f'<rect x="252" y="156" width="16" height="16" fill="#bfe4f8" {INK}/><rect x="276" y="166" width="14" height="34" fill="#7a4a22" {INK}/>'
             f'<rect x="282" y="112" width="8" height="18" fill="#a05030" {INK}/>')
    gulls = "".join(f'<path d="M{x} {y} q8 -9 16 0 q8 -9 16 0" fill="none" stroke="#303040" stroke-width="3" stroke-linecap="round"/>'
                    for x, y in ((112, 74), (150, 58), (130, 96)))
    cloud = '<path d="M104 44 A12 12 0 0 1 116 26 A16 16 0 0 1 146 20 A14 14 0 0 1 172 32 A10 10 0 0 1 170 48 Z" fill="#ffffff" stroke="#c0d0e0" stroke-width="2"/>'
    return ('<rect width="300" height="300" fill="#a8dcf8"/>'
            '<circle cx="252" cy="50" r="24" fill="#ffe060" stroke="#e0a020" stroke-width="2"/>'
            + "".join(f'<path d="M{252 + 34 * dx} {50 + 34 * dy} L{252 + 44 * dx} {50 + 44 * dy}" stroke="#f0c030" stroke-width="3" stroke-linecap="round"/>'
                      for dx, dy in ((1, 0), (-1, 0), (0, 1), (0.7, 0.7), (-0.7, 0.7), (0.7, -0.7), (-0.7, -0.7), (0, -1)))
            + cloud + gulls +
            '<path d="M150 176 Q170 164 200 168 Q220 164 236 176 Z" fill="#6aa070"/>'
            '<rect x="0" y="176" width="300" height="124" fill="#3a8fd0"/>' + waves
            + rocks + tower + boat + house + quay)


def cut_picture(put, name, stem, scene, w, h, piece):
    """The whole picture, its pale copy laid under the pieces (the picture's name followed by
    "Under") and its pieces, piece x piece, "_1" .. row by row."""
    put(name, stem, svg(w, h, scene))
    # The guide under the pieces: the picture washed out towards paper white.
    put(name + "Under", stem + "_under", svg(w, h, f'<rect width="{w}" height="{h}" fill="#fbf6ea"/><g opacity="0.3">' + scene + '</g>'))
    n = 0
    for row in range(h // piece):
        for col in range(w // piece):
            n += 1
            x, y = col * piece, row * piece
            edge = f'<rect x="{x + 1}" y="{y + 1}" width="{piece - 2}" height="{piece - 2}" fill="none" stroke="#ffffff" stroke-width="2" opacity="0.8"/>'
            put(f"{name}_{n}", f"{stem}_{n}", svg(piece, piece, scene + edge, f"{x} {y} {piece} {piece}"))


def board_frame(w, h, wood, dark, light):
    """A frame 16 pixels wide round a board of w x h."""
    return svg(w + 32, h + 32, f'<path d="M0 0 H{w + 32} V{h + 32} H0 Z M16 16 V{h + 16} H{w + 16} V16 Z" fill="{wood}" fill-rule="evenodd" stroke="{dark}" stroke-width="2"/>'
                               f'<rect x="5" y="5" width="{w + 22}" height="{h + 22}" rx="4" fill="none" stroke="{light}" stroke-width="2"/>')


def puzzle(put):
    cut_picture(put, "img_puzzle_bakery", "pic_puzzle_bakery", bakery_scene(), PUZZLE_W, PUZZLE_H, PIECE)
    put("img_puzzle_frame", "pic_puzzle_frame", board_frame(PUZZLE_W, PUZZLE_H, "#8a5a30", "#4a2a10", "#c89060"))
    # The carried piece's shadow.
    put("img_puzzle_shadow", "pic_puzzle_shadow", svg(PIECE, PIECE, '<rect width="128" height="128" rx="6" fill="#000000" opacity="0.3"/>'))
    # The harbour: 300 x 300 in nine pieces, framed in grey driftwood, with a shadow of their size.
    cut_picture(put, "img_puzzle_harbour", "pic_puzzle_harbour", harbour_scene(), 300, 300, 100)
    put("img_puzzle_harbour_frame", "pic_puzzle_harbour_frame", board_frame(300, 300, "#8a8478", "#4a463c", "#c8c0ae"))
    put("img_puzzle_harbour_shadow", "pic_puzzle_harbour_shadow", svg(100, 100, '<rect width="100" height="100" rx="5" fill="#000000" opacity="0.3"/>'))


# ----------------------------------------------------------------------------------------- Satchel
CELL = 70
SATCHEL_ROWS, SATCHEL_COLS = 3, 4
# (shape as in the definition's "structure", colour, a small mark drawn in every cell)
SATCHEL_PIECES = [("\\row=2\\row=1", "#60a8e0", "circle"), ("\\col=1\\col=2", "#e07a50", "bar"),
                  ("\\row=2", "#80c060", "dot"), ("\\row=3", "#b080d0", "bar"), ("\\row=1", "#f0c040", "circle")]


def satchel_cells(structure):
    """The (row, col) cells of a shape: each "row=n"/"col=n" line n cells long from the top left."""
    pairs = [p.split("=") for p in structure.split("\\") if p]
    columns = pairs[0][0].startswith("col")
    cells = []
    for line, (_, n) in enumerate(pairs):
        for k in range(int(n)):
            cells.append((k, line) if columns else (line, k))
    return cells


# The picnic basket's 4 x 4 cells of 60 pixels and its five pieces: a row of three, a column of
# two, a square, an L and a row of four fill it exactly (rows from the top: 1 1 1 2 / 3 3 4 2 /
# 3 3 4 4 / 5 5 5 5).
PICNIC_CELL = 60
PICNIC_ROWS, PICNIC_COLS = 4, 4
PICNIC_PIECES = [("\\row=3", "#e05050", "check"), ("\\col=2", "#f09030", "ring"), ("\\row=2\\row=2", "#f0d040", "dot"),
                 ("\\row=1\\row=2", "#90c040", "leaf"), ("\\row=4", "#8060c0", "bar")]


def satchel_piece(structure, colour, mark, cell=CELL):
    """A piece over the cells of its shape, drawn on cells of 70 pixels and scaled to `cell`."""
    cells = satchel_cells(structure)
    rows = max(r for r, _ in cells) + 1
    cols = max(c for _, c in cells) + 1
    body = ""
    for r, c in cells:
        x, y = c * CELL, r * CELL
        body += f'<rect x="{x + 3}" y="{y + 3}" width="{CELL - 6}" height="{CELL - 6}" rx="10" fill="{colour}" {INK}/>'
        if mark == "circle":
            body += f'<circle cx="{x + 35}" cy="{y + 35}" r="12" fill="#ffffff" opacity="0.6"/>'
        elif mark == "bar":
            body += f'<rect x="{x + 16}" y="{y + 30}" width="38" height="10" rx="5" fill="#ffffff" opacity="0.6"/>'
        elif mark == "check":
            body += "".join(f'<rect x="{x + 13 + 24 * i}" y="{y + 13 + 24 * j}" width="20" height="20" fill="#ffffff" opacity="0.55"/>'
                            for i in range(2) for j in range(2) if (i + j) % 2 == 0)
        elif mark == "ring":
            body += f'<circle cx="{x + 35}" cy="{y + 35}" r="13" fill="none" stroke="#ffffff" stroke-width="6" opacity="0.6"/>'
        elif mark == "leaf":
            body += (f'<path d="M{x + 18} {y + 52} Q{x + 18} {y + 18} {x + 52} {y + 18} Q{x + 52} {y + 52} {x + 18} {y + 52} Z" fill="#ffffff" opacity="0.55"/>'
                     f'<path d="M{x + 20} {y + 50} L{x + 46} {y + 24}" stroke="{colour}" stroke-width="3"/>')
        else:
            body += f'<circle cx="{x + 25}" cy="{y + 25}" r="6" fill="#ffffff" opacity="0.6"/><circle cx="{x + 45}" cy="{y + 45}" r="6" fill="#ffffff" opacity="0.6"/>'
    # Joins between neighbouring cells of the piece, so that it reads as one thing.
    for r, c in cells:
        if (r, c + 1) in cells:
            body += f'<rect x="{c * CELL + CELL - 8}" y="{r * CELL + 20}" width="16" height="30" fill="{colour}"/>'
        if (r + 1, c) in cells:
            body += f'<rect x="{c * CELL + 20}" y="{r * CELL + CELL - 8}" width="30" height="16" fill="{colour}"/>'
    return svg(cols * cell, rows * cell, body, f"0 0 {cols * CELL} {rows * CELL}")


def picnic_basket():
    """The open picnic basket, 320 x 350: a wicker body with its handle, lined with a checked
    cloth; its grid of 4 x 4 cells starts at (40, 70) inside it."""
    w, h = 320, 350
    side = PICNIC_COLS * PICNIC_CELL + 16
    weave = "".join(f'<path d="M12 {y} H{w - 12}" stroke="#a8742e" stroke-width="4"/>' for y in range(56, h - 10, 14))
    weave += "".join(f'<path d="M{x} {48 + (x // 16) % 2 * 7} V{h - 12}" stroke="#f0c888" stroke-width="3" stroke-dasharray="7 7"/>' for x in range(20, w - 10, 16))
    lining = (f'<rect x="32" y="62" width="{side}" height="{side}" rx="10" fill="#fbf3e6" stroke="#8a5420" stroke-width="3"/>'
              + "".join(f'<rect x="{32 + 32 * i}" y="64" width="16" height="{side - 4}" fill="#e07070" opacity="0.16"/>' for i in range(8))
              + "".join(f'<rect x="34" y="{62 + 32 * j}" width="{side - 4}" height="16" fill="#e07070" opacity="0.16"/>' for j in range(8)))
    grid = "".join(f'<rect x="{40 + c * PICNIC_CELL + 2}" y="{70 + r * PICNIC_CELL + 2}" width="{PICNIC_CELL - 4}" height="{PICNIC_CELL - 4}" rx="7" fill="#7a4424" opacity="0.4"/>'
                   for r in range(PICNIC_ROWS) for c in range(PICNIC_COLS))
    return svg(w, h, '<path d="M80 48 Q80 6 160 6 Q240 6 240 48" fill="none" stroke="#7a4a1a" stroke-width="12"/>'
                     '<path d="M80 48 Q80 6 160 6 Q240 6 240 48" fill="none" stroke="#c8944a" stroke-width="5" stroke-dasharray="10 6"/>'
                     f'<rect x="6" y="40" width="{w - 12}" height="{h - 46}" rx="18" fill="#d09850"/>'
                     + weave + lining + grid +
                     f'<rect x="6" y="40" width="{w - 12}" height="{h - 46}" rx="18" fill="none" stroke="#6a4010" stroke-width="5"/>')


def satchel(put):
    # The bag is 340 x 290; its grid of cells starts at (30, 50) inside it.
    w, h = 340, 290
    grid = "".join(f'<rect x="{30 + c * CELL + 2}" y="{50 + r * CELL + 2}" width="{CELL - 4}" height="{CELL - 4}" rx="8" fill="#5a3418" opacity="0.55"/>'
                   for r in range(SATCHEL_ROWS) for c in range(SATCHEL_COLS))
    put("img_satchel_bag", "pic_satchel_bag",
        svg(w, h, '<path d="M110 40 Q110 4 170 4 Q230 4 230 40" fill="none" stroke="#6a3a1a" stroke-width="12"/>'
                  f'<rect x="6" y="30" width="{w - 12}" height="{h - 36}" rx="26" fill="#a86a38" stroke="#5a3010" stroke-width="5"/>'
                  f'<rect x="22" y="42" width="{SATCHEL_COLS * CELL + 16}" height="{SATCHEL_ROWS * CELL + 16}" rx="12" fill="#7a4a22"/>'
                  + grid +
                  f'<path d="M16 {h - 20} H{w - 16}" stroke="#e0b070" stroke-width="3" stroke-dasharray="8 6"/>'))
    for n, (structure, colour, mark) in enumerate(SATCHEL_PIECES, 1):
        put(f"img_satchel_piece_{n}", f"pic_satchel_piece_{n}", satchel_piece(structure, colour, mark))
    put("img_satchel_picnic_basket", "pic_satchel_picnic_basket", picnic_basket())
    for n, (structure, colour, mark) in enumerate(PICNIC_PIECES, 1):
        put(f"img_satchel_picnic_{n}", f"pic_satchel_picnic_{n}", satchel_piece(structure, colour, mark, PICNIC_CELL))


# ------------------------------------------------------------------------------ Find the Differences
def garden():
    """A garden, 360 x 300: a tree, a house, a fence and flowers under a sunny sky."""
    fence = "".join(f'<rect x="{x}" y="196" width="10" height="40" fill="#f4ecd8" stroke="#806040" stroke-width="1.5"/>' for x in range(4, 360, 22))
    flowers = "".join(f'<line x1="{x}" y1="270" x2="{x}" y2="250" stroke="#308030" stroke-width="3"/><circle cx="{x}" cy="246" r="7" fill="{c}" stroke="#602030" stroke-width="1.5"/>'
                      for x, c in ((40, "#f04080"), (110, "#f0d020"), (320, "#a060e0")))
    return ('<rect width="360" height="300" fill="#a8dcf8"/>'
            '<circle cx="310" cy="46" r="24" fill="#ffe060" stroke="#e0a020" stroke-width="2"/>'
            '<rect x="0" y="210" width="360" height="90" fill="#70c050"/>' + fence +
            '<rect x="0" y="208" width="360" height="6" fill="#f4ecd8" stroke="#806040" stroke-width="1"/>'
            f'<rect x="62" y="120" width="20" height="100" fill="#8a5a30" {INK}/>'
            f'<circle cx="72" cy="104" r="52" fill="#40a040" {INK}/>'
            '<circle cx="52" cy="90" r="7" fill="#e03030"/><circle cx="94" cy="122" r="7" fill="#e03030"/>'
            f'<rect x="176" y="126" width="120" height="100" fill="#f8e0b0" {INK}/>'
            f'<path d="M166 130 L236 78 L306 130 Z" fill="#c04a30" {INK}/>'
            f'<rect x="194" y="150" width="34" height="30" fill="#bfe4f8" {INK}/><path d="M211 150 V180 M194 165 H228" stroke="#302010" stroke-width="2"/>'
            f'<rect x="246" y="170" width="30" height="56" fill="#8a5a30" {INK}/><circle cx="270" cy="200" r="3" fill="#f0d020"/>'
            + flowers)


DIFF_THINGS = {
    "bird": (48, 32, '<path d="M4 18 Q14 4 24 16 Q34 4 44 18" fill="none" stroke="#303040" stroke-width="4" stroke-linecap="round"/>'),
    "cloud": (80, 40, '<path d="M14 34 A12 12 0 0 1 18 12 A16 16 0 0 1 46 8 A14 14 0 0 1 70 20 A10 10 0 0 1 66 36 Z" fill="#ffffff" stroke="#c0d0e0" stroke-width="2"/>'),
    "apple": (24, 24, f'<circle cx="12" cy="14" r="9" fill="#f0c020" {INK}/><path d="M12 5 L14 1" stroke="#604020" stroke-width="2"/>'),
    "flower": (32, 48, '<line x1="16" y1="46" x2="16" y2="20" stroke="#308030" stroke-width="3"/>'
                       + "".join(f'<circle cx="{16 + 8 * dx}" cy="{14 + 8 * dy}" r="6" fill="#f08030"/>' for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                       + '<circle cx="16" cy="14" r="5" fill="#ffe060" stroke="#804020" stroke-width="1.5"/>'),
    "butterfly": (32, 28, f'<ellipse cx="9" cy="10" rx="8" ry="7" fill="#e060c0" {INK}/><ellipse cx="23" cy="10" rx="8" ry="7" fill="#e060c0" {INK}/>'
                          f'<ellipse cx="10" cy="21" rx="6" ry="5" fill="#a040d0" {INK}/><ellipse cx="22" cy="21" rx="6" ry="5" fill="#a040d0" {INK}/>'
                          '<rect x="14" y="4" width="4" height="22" rx="2" fill="#302010"/>'),
}


def park_bench(planks):
    """The park bench, inside (24, 182) .. (126, 234)."""
    return (f'<rect x="34" y="184" width="6" height="48" fill="#505058" {INK}/><rect x="110" y="184" width="6" height="48" fill="#505058" {INK}/>'
            f'<rect x="28" y="186" width="94" height="9" rx="3" fill="{planks}" {INK}/>'
            f'<rect x="28" y="198" width="94" height="9" rx="3" fill="{planks}" {INK}/>'
            f'<rect x="26" y="212" width="98" height="9" rx="3" fill="{planks}" {INK}/>')


def park_lamp_head(lit):
    """The lamp's head, inside (124, 70) .. (156, 106); lit, it glows."""
    glow = '<circle cx="140" cy="92" r="15" fill="#fff2a0" opacity="0.75"/>' if lit else ""
    return (glow + f'<path d="M127 84 L140 73 L153 84 Z" fill="#404048" {INK}/>'
            f'<rect x="131" y="84" width="18" height="16" fill="{"#ffe070" if lit else "#dfe8ee"}" {INK}/>'
            '<path d="M140 84 V100" stroke="#302010" stroke-width="1.5"/>'
            f'<rect x="129" y="100" width="22" height="5" fill="#404048" {INK}/>')


def park():
    """A park, 360 x 300: a bench, a lamp post, a path down to a pond with a duck, a tree and
    bushes under a sunny sky."""
    tree = (f'<rect x="308" y="96" width="16" height="86" fill="#8a5a30" {INK}/>'
            + "".join(f'<circle cx="{x}" cy="{y}" r="{r}" fill="#3f9a40" {INK}/>' for x, y, r in ((294, 102, 22), (338, 104, 22), (316, 84, 34))))
    pond = ('<ellipse cx="272" cy="244" rx="74" ry="30" fill="#5ab0e0" stroke="#3a80b0" stroke-width="3"/>'
            '<path d="M230 236 Q240 232 250 236 M286 258 Q298 254 310 258 M300 232 Q308 229 316 232" fill="none" stroke="#d8f0ff" stroke-width="2"/>'
            + "".join(f'<path d="M{x} 246 Q{x - 3} 226 {x + 2} 214" fill="none" stroke="#3a8a30" stroke-width="3"/>' for x in (202, 208, 214)))
    duck = (f'<ellipse cx="248" cy="248" rx="14" ry="8" fill="#f8f8f0" {INK}/>'
            f'<circle cx="259" cy="236" r="6" fill="#f8f8f0" {INK}/><path d="M264 235 L272 237 L264 239 Z" fill="#f09020" stroke="#302010" stroke-width="1"/>'
            '<circle cx="260" cy="234" r="1.5" fill="#302010"/>')
    lamp = (f'<rect x="137" y="104" width="6" height="110" fill="#404048" {INK}/><ellipse cx="140" cy="214" rx="10" ry="4" fill="#404048"/>'
            + park_lamp_head(False))
    bushes = (f'<ellipse cx="40" cy="272" rx="34" ry="18" fill="#4aa048" {INK}/>'
              f'<ellipse cx="350" cy="292" rx="30" ry="16" fill="#4aa048" {INK}/>'
              + "".join(f'<circle cx="{x}" cy="{y}" r="3" fill="{c}"/>' for x, y, c in ((30, 266, "#f06080"), (48, 276, "#ffffff"), (56, 264, "#f06080"))))
    return ('<rect width="360" height="300" fill="#bfe6fa"/>'
            '<circle cx="44" cy="44" r="22" fill="#ffe060" stroke="#e0a020" stroke-width="2"/>'
            '<path d="M204 52 A11 11 0 0 1 210 32 A15 15 0 0 1 238 26 A13 13 0 0 1 262 38 A9 9 0 0 1 260 52 Z" fill="#ffffff" stroke="#c0d0e0" stroke-width="2"/>'
            '<path d="M0 150 Q80 112 170 142 Q260 108 360 140 V300 H0 Z" fill="#a2d47e"/>'
            '<path d="M0 168 Q180 156 360 168 V300 H0 Z" fill="#7cc45a"/>'
            + tree +
            '<path d="M120 300 Q128 240 170 204 Q190 188 222 182 L240 184 Q208 196 192 212 Q160 246 168 300 Z" fill="#ead9a8" stroke="#c0a870" stroke-width="1.5"/>'
            + pond + duck + park_bench("#a0683a") + lamp + bushes)


# The park's patches: (name, group, x, y, width, height, body): a thing added (its drawing), or a
# function that draws a part of the park again otherwise, which the patch cuts out at its place.
# The definition "diffs_park" of shop/minigames.xml lays them at these places.
PARK_DIFFS = [
    ("kite", "group2", 80, 14, 40, 60,
     '<path d="M20 2 L38 20 L20 40 L2 20 Z" fill="#f05a8a" stroke="#302010" stroke-width="2"/><path d="M20 2 V40 M2 20 H38" stroke="#ffffff" stroke-width="2"/>'
     '<path d="M20 40 Q14 46 20 50 T22 58" fill="none" stroke="#302010" stroke-width="1.5"/>'
     '<path d="M14 44 L20 47 L14 50 Z M26 52 L20 54 L26 57 Z" fill="#40a0e0"/>'),
    ("duckling", "group1", 292, 238, 24, 20,
     '<ellipse cx="11" cy="14" rx="9" ry="5" fill="#ffe040" stroke="#302010" stroke-width="1.5"/><circle cx="17" cy="7" r="4.5" fill="#ffe040" stroke="#302010" stroke-width="1.5"/>'
     '<path d="M21 6 L24 8 L21 9 Z" fill="#f09020"/><circle cx="18" cy="6" r="1" fill="#302010"/>'),
    ("lamp", "group1", 124, 70, 32, 36, lambda: park_lamp_head(True)),
    ("bench", "group2", 24, 182, 102, 52, lambda: park_bench("#d04848")),
    ("robin", "group1", 304, 32, 26, 22,
     '<path d="M4 16 L0 10 L6 12 Z" fill="#6a4a2a"/><ellipse cx="12" cy="13" rx="9" ry="7" fill="#8a5a30" stroke="#302010" stroke-width="1.5"/>'
     '<ellipse cx="15" cy="15" rx="5" ry="4" fill="#e85030"/><circle cx="19" cy="8" r="5" fill="#8a5a30" stroke="#302010" stroke-width="1.5"/>'
     '<path d="M23 7 L26 9 L23 10 Z" fill="#f0c020"/><circle cx="20" cy="7" r="1" fill="#302010"/>'),
    ("tulips", "group2", 76, 244, 36, 40,
     '<path d="M10 38 V16 M26 38 V20 M18 38 V24" stroke="#308030" stroke-width="3"/>'
     '<path d="M4 16 Q4 4 10 6 Q16 4 16 16 Q10 20 4 16 Z M20 20 Q20 8 26 10 Q32 8 32 20 Q26 24 20 20 Z" fill="#e03050" stroke="#602030" stroke-width="1.5"/>'
     '<path d="M12 24 Q12 14 18 16 Q24 14 24 24 Q18 28 12 24 Z" fill="#f0c020" stroke="#806010" stroke-width="1.5"/>'),
]


def diffs(put):
    put("img_diffs_garden", "pic_diffs_garden", svg(360, 300, garden()))
    for name, (w, h, body) in DIFF_THINGS.items():
        put(f"img_diffs_{name}", f"pic_diffs_{name}", svg(w, h, body))
    put("img_diffs_park", "pic_diffs_park", svg(360, 300, park()))
    for name, _, x, y, w, h, body in PARK_DIFFS:
        picture = svg(w, h, body) if isinstance(body, str) else svg(w, h, body(), f"{x} {y} {w} {h}")
        put(f"img_diffs_park_{name}", f"pic_diffs_park_{name}", picture)
    put("img_diffs_frame", "pic_diffs_frame", svg(372, 312, '<path d="M0 0 H372 V312 H0 Z M6 6 V306 H366 V6 Z" fill="#8a5a30" fill-rule="evenodd"/>'))
    # The pointer mirrored on the other picture: a ring with a dot (its hot spot is its top left).
    put("img_diffs_cursor", "pic_diffs_cursor", svg(24, 24, '<circle cx="12" cy="12" r="9" fill="none" stroke="#ffffff" stroke-width="4"/>'
                                                            '<circle cx="12" cy="12" r="9" fill="none" stroke="#e03030" stroke-width="2"/><circle cx="12" cy="12" r="2" fill="#e03030"/>'))


# ------------------------------------------------------------------------------------ Remove Items
# The owner's room, 800 x 600, laid out like the room screen's so that the player's own things
# (room_items.xml: "x", "y", 64 x 64) stand where they belong: the flowers on the windowsill
# (600, 120), the suit on its hook (160, 80), the laptop on the wall shelf (380, 60), the trophies
# on the shelf at (40, 200) and (120, 200), the bicycle, the album and the holiday on the floor.
def room():
    wallpaper = "".join(f'<rect x="{x}" y="0" width="14" height="330" fill="#e8d4b0"/>' for x in range(10, 800, 44))
    boards = "".join(f'<rect x="0" y="{344 + 26 * i}" width="800" height="2" fill="#8a5e30"/>' for i in range(10))
    joints = "".join(f'<rect x="{(i * 173) % 780 + 10}" y="{330 + 26 * (i % 10)}" width="2" height="14" fill="#8a5e30"/>' for i in range(18))
    window = ('<rect x="512" y="32" width="196" height="156" fill="#f8f4ec"/>'
              '<rect x="522" y="42" width="176" height="136" fill="#a8d8f8"/>'
              '<circle cx="660" cy="78" r="18" fill="#fff4b0"/><path d="M522 150 Q580 120 640 150 T698 140 V178 H522 Z" fill="#90c870"/>'
              '<rect x="606" y="42" width="8" height="136" fill="#f8f4ec"/><rect x="522" y="106" width="176" height="6" fill="#f8f4ec"/>'
              '<path d="M500 26 Q520 110 506 196 L486 196 Q498 110 480 26 Z" fill="#d05a5a"/>'
              '<path d="M720 26 Q700 110 714 196 L734 196 Q722 110 740 26 Z" fill="#d05a5a"/>'
              '<rect x="470" y="20" width="280" height="8" rx="4" fill="#7a4a22"/>'
              f'<rect x="500" y="184" width="220" height="12" fill="#c8a070" {INK}/>')
    shelves = (f'<rect x="24" y="264" width="184" height="12" fill="#a06a38" {INK}/>'
               '<path d="M40 276 L52 296 M192 276 L180 296" stroke="#7a4a22" stroke-width="5"/>'
               f'<rect x="356" y="124" width="112" height="10" fill="#a06a38" {INK}/>'
               f'<circle cx="192" cy="78" r="5" fill="#806040" {INK}/>')
    # A sofa on the right, a lamp between it and the window, a rug in the middle of the floor.
    sofa = (f'<rect x="560" y="272" width="220" height="84" rx="18" fill="#5a8ab8" {INK}/>'
            f'<rect x="572" y="330" width="196" height="56" rx="10" fill="#6a9ac8" {INK}/>'
            f'<rect x="548" y="316" width="30" height="80" rx="12" fill="#4a7aa8" {INK}/>'
            f'<rect x="762" y="316" width="30" height="80" rx="12" fill="#4a7aa8" {INK}/>'
            '<rect x="584" y="392" width="10" height="18" fill="#5a3a1a"/><rect x="746" y="392" width="10" height="18" fill="#5a3a1a"/>')
    lamp = (f'<rect x="486" y="226" width="6" height="176" fill="#504030"/><ellipse cx="489" cy="404" rx="22" ry="6" fill="#504030"/>'
            f'<path d="M466 230 L512 230 L500 196 L478 196 Z" fill="#f8e8a0" {INK}/>')
    rug = ('<ellipse cx="400" cy="486" rx="280" ry="82" fill="#c05050"/>'
           '<ellipse cx="400" cy="486" rx="250" ry="64" fill="none" stroke="#f0c060" stroke-width="5" stroke-dasharray="14 8"/>')
    return ('<rect width="800" height="600" fill="#f2e2c4"/>' + wallpaper +
            '<rect x="0" y="318" width="800" height="14" fill="#c8a070"/>'
            '<rect x="0" y="330" width="800" height="270" fill="#b58452"/>' + boards + joints
            + rug + window + shelves + lamp + sofa)


# The things to tidy away, each (width, height, body); the definition lays them over the room.
CLUTTER = {
    "sock": (40, 44, f'<path d="M10 2 H26 V26 Q26 30 30 32 L36 35 Q40 40 34 42 L16 42 Q6 42 8 32 L10 26 Z" fill="#f07830" {INK}/>'
                     '<rect x="10" y="2" width="16" height="8" fill="#ffffff" stroke="#302010" stroke-width="2"/>'
                     '<path d="M10 18 H26" stroke="#ffffff" stroke-width="3"/>'),
    "mug": (40, 40, f'<path d="M28 14 Q38 14 38 22 Q38 30 28 30" fill="none" stroke="#302010" stroke-width="4"/>'
                    f'<rect x="4" y="8" width="26" height="30" rx="4" fill="#e8e8f0" {INK}/>'
                    '<circle cx="17" cy="23" r="6" fill="#e04848"/><path d="M12 6 Q15 3 12 0 M20 6 Q23 3 20 0" stroke="#a0a0a0" stroke-width="2" fill="none"/>'),
    "paper": (36, 32, f'<path d="M4 14 L10 4 L20 6 L30 2 L34 14 L30 26 L18 30 L6 26 Z" fill="#fafaf0" {INK}/>'
                      '<path d="M10 12 L18 16 L26 10 M12 22 L20 18 L28 22" stroke="#a0a0b0" stroke-width="1.5" fill="none"/>'),
    "car": (56, 36, f'<path d="M4 22 L10 10 Q12 6 18 6 H36 Q42 6 46 12 L52 20 V28 H4 Z" fill="#30a0e0" {INK}/>'
                    '<rect x="16" y="10" width="10" height="8" fill="#d8f0ff"/><rect x="30" y="10" width="10" height="8" fill="#d8f0ff"/>'
                    f'<circle cx="16" cy="29" r="6" fill="#303030" {INK}/><circle cx="42" cy="29" r="6" fill="#303030" {INK}/>'),
    "peel": (48, 36, f'<path d="M24 8 Q14 16 6 30 Q16 26 22 18 Q20 28 24 34 Q28 28 26 18 Q32 26 42 30 Q34 16 24 8 Z" fill="#f0d030" {INK}/>'
                     '<rect x="21" y="2" width="6" height="8" rx="2" fill="#7a5a20"/>'),
}


def kitchen():
    """The owner's kitchen, 800 x 600: cupboards over a counter with its sink, a window, a clock,
    the stove with a kettle, the fridge, and a laid table on the tiled floor. The player's room
    items have no place here: its definition draws none of them."""
    floor = "".join(f'<rect x="{x}" y="{y}" width="50" height="50" fill="{"#e8dcc4" if (x // 50 + y // 50) % 2 else "#c8a880"}"/>'
                    for x in range(0, 800, 50) for y in range(400, 600, 50))
    tiles = ('<rect x="20" y="160" width="370" height="102" fill="#f0f6f6"/>'
             + "".join(f'<path d="M20 {y} H390" stroke="#c8d8dc" stroke-width="2"/>' for y in range(180, 262, 20))
             + "".join(f'<path d="M{x} 160 V262" stroke="#c8d8dc" stroke-width="2"/>' for x in range(40, 390, 20)))
    cupboards = "".join(f'<rect x="{30 + 85 * i}" y="70" width="85" height="84" rx="4" fill="#7fb0a0" {INK}/>'
                        f'<circle cx="{30 + 85 * i + (72 if i % 2 == 0 else 13)}" cy="140" r="4" fill="#f0d060" {INK}/>' for i in range(4))
    window = ('<rect x="400" y="80" width="160" height="150" fill="#ffffff" stroke="#a08060" stroke-width="3"/>'
              '<rect x="410" y="90" width="140" height="130" fill="#bfe4f8"/>'
              '<path d="M410 190 Q460 160 510 180 T550 172 V220 H410 Z" fill="#90c870"/>'
              '<circle cx="520" cy="118" r="14" fill="#fff4b0"/>'
              '<rect x="476" y="90" width="8" height="130" fill="#ffffff"/><rect x="410" y="150" width="140" height="6" fill="#ffffff"/>'
              f'<rect x="392" y="228" width="176" height="10" fill="#e0d0b0" {INK}/>'
              f'<path d="M414 228 Q412 214 420 210 Q428 214 426 228 Z" fill="#c05a3a" {INK}/><circle cx="420" cy="204" r="8" fill="#50a848" {INK}/>')
    counter = (f'<rect x="24" y="276" width="532" height="124" fill="#7fb0a0" {INK}/>'
               + "".join(f'<rect x="{32 + 88 * i}" y="286" width="80" height="104" rx="4" fill="#8cbcac" {INK}/><rect x="{62 + 88 * i}" y="296" width="20" height="6" rx="3" fill="#f0d060" {INK}/>'
                         for i in range(6))
               + f'<rect x="18" y="262" width="544" height="16" rx="3" fill="#d8c8a8" {INK}/>'
               '<ellipse cx="175" cy="268" rx="52" ry="5" fill="#8898a0"/>'
               '<path d="M168 263 V240 Q168 230 180 230 Q192 230 192 240 V246" fill="none" stroke="#a0a8b0" stroke-width="6" stroke-linecap="round"/>')
    stove = (f'<rect x="562" y="256" width="118" height="144" fill="#f4f4f4" {INK}/>'
             f'<rect x="558" y="240" width="126" height="18" fill="#404040" {INK}/>'
             f'<rect x="578" y="294" width="86" height="70" rx="6" fill="#505050" {INK}/><rect x="590" y="304" width="62" height="40" rx="4" fill="#e8a040" opacity="0.6"/>'
             + "".join(f'<circle cx="{x}" cy="276" r="5" fill="#606060" {INK}/>' for x in (586, 608, 632, 654))
             + f'<path d="M592 240 Q590 206 618 204 Q646 206 644 240 Z" fill="#d84040" {INK}/>'
             '<path d="M600 212 Q618 188 636 212" fill="none" stroke="#302010" stroke-width="4"/>'
             f'<path d="M640 232 L658 208 L666 213 L646 240 Z" fill="#d84040" {INK}/>')
    fridge = (f'<rect x="692" y="80" width="98" height="320" rx="8" fill="#e8eef2" {INK}/>'
              '<path d="M692 170 H790" stroke="#302010" stroke-width="2"/>'
              f'<rect x="700" y="120" width="6" height="36" rx="3" fill="#a0a8b0" {INK}/><rect x="700" y="184" width="6" height="60" rx="3" fill="#a0a8b0" {INK}/>'
              '<rect x="740" y="196" width="22" height="16" fill="#f8d050" transform="rotate(6 751 204)"/>')
    clock = (f'<circle cx="626" cy="140" r="26" fill="#ffffff" stroke="#7a4a22" stroke-width="5"/>'
             '<path d="M626 140 V122 M626 140 L638 148" stroke="#302010" stroke-width="3" stroke-linecap="round"/>')
    table = (f'<rect x="206" y="468" width="10" height="92" fill="#8a5a30" {INK}/><rect x="444" y="468" width="10" height="92" fill="#8a5a30" {INK}/>'
             f'<rect x="184" y="436" width="292" height="34" rx="4" fill="#f4f4ff" {INK}/>'
             + "".join(f'<rect x="{x}" y="437" width="12" height="32" fill="#6a90d8" opacity="0.45"/>' for x in range(194, 470, 28))
             + f'<ellipse cx="410" cy="432" rx="26" ry="6" fill="#ffffff" {INK}/>'
             f'<rect x="400" y="412" width="20" height="20" rx="3" fill="#f0f0f8" {INK}/><path d="M420 416 Q428 422 420 428" fill="none" stroke="#302010" stroke-width="2"/>')
    chair = (f'<rect x="504" y="404" width="10" height="154" fill="#a06a38" {INK}/>'
             f'<rect x="500" y="480" width="72" height="12" fill="#a06a38" {INK}/>'
             f'<rect x="562" y="492" width="9" height="66" fill="#a06a38" {INK}/>'
             f'<rect x="504" y="420" width="10" height="10" fill="#c08a50"/><rect x="504" y="446" width="10" height="10" fill="#c08a50"/>')
    return ('<rect width="800" height="600" fill="#f6efd8"/>' + tiles + cupboards + window + clock
            + '<rect x="0" y="398" width="800" height="202" fill="#c8a880"/>' + floor
            + '<rect x="0" y="396" width="800" height="6" fill="#8a6a40"/>'
            + counter + stove + fridge + chair + table)


# The things left about the kitchen after breakfast, each (width, height, body).
KITCHEN_CLUTTER = {
    "spoon": (56, 18, f'<ellipse cx="12" cy="9" rx="10" ry="7" fill="#d8a060" {INK}/><rect x="20" y="6" width="34" height="6" rx="3" fill="#d8a060" {INK}/>'
                      '<ellipse cx="12" cy="9" rx="5" ry="3" fill="#b07a40"/>'),
    "eggshell": (34, 24, f'<path d="M2 22 Q2 8 10 6 L12 11 L15 6 L18 12 Q18 22 10 22 Z" fill="#fbf6ea" {INK}/>'
                         f'<path d="M18 20 Q16 6 24 4 Q32 6 32 16 L28 14 L26 19 L22 15 Z" fill="#f4e8d0" {INK}/>'),
    "teabag": (26, 32, '<path d="M13 2 V12" stroke="#a08060" stroke-width="1.5"/><rect x="8" y="0" width="10" height="6" fill="#f06060"/>'
                       f'<rect x="3" y="12" width="20" height="18" rx="3" fill="#c8905a" {INK}/><path d="M6 18 H20 M6 23 H20" stroke="#8a5a30" stroke-width="1.5"/>'),
    "towel": (64, 36, f'<path d="M4 10 Q18 2 34 8 Q50 2 60 10 L58 30 Q44 36 30 30 Q16 36 6 30 Z" fill="#f8f0f0" {INK}/>'
                      + "".join(f'<path d="M{x} 6 Q{x + 2} 20 {x} 32" stroke="#e05050" stroke-width="4" fill="none"/>' for x in (14, 30, 46))
                      + '<path d="M6 16 Q32 10 58 16 M6 24 Q32 18 58 24" stroke="#e05050" stroke-width="3" fill="none" opacity="0.7"/>'),
    "carrot": (56, 22, f'<path d="M16 4 Q52 8 54 11 Q52 14 16 18 Q10 11 16 4 Z" fill="#f08030" {INK}/>'
                       '<path d="M26 8 L30 10 M36 12 L40 13 M30 15 L33 14" stroke="#b05010" stroke-width="1.5"/>'
                       '<path d="M16 11 L2 3 M16 11 L2 11 M16 11 L4 19" stroke="#40a030" stroke-width="3" stroke-linecap="round"/>'),
    "lid": (44, 24, f'<ellipse cx="22" cy="17" rx="20" ry="6" fill="#b0b8c0" {INK}/><path d="M4 16 Q22 4 40 16" fill="#c8d0d8" {INK}/>'
                    f'<rect x="17" y="3" width="10" height="7" rx="3" fill="#404048" {INK}/>'),
}


def remove_items(put):
    put("img_remove_room", "pic_remove_room", svg(800, 600, room()))
    for name, (w, h, body) in CLUTTER.items():
        put(f"img_remove_{name}", f"pic_remove_{name}", svg(w, h, body))
    put("img_remove_kitchen", "pic_remove_kitchen", svg(800, 600, kitchen()))
    for name, (w, h, body) in KITCHEN_CLUTTER.items():
        put(f"img_remove_{name}", f"pic_remove_{name}", svg(w, h, body))
    # Where a click found nothing: a red cross whose middle is the point (17, 15).
    put("img_remove_cross", "pic_remove_cross",
        svg(34, 30, '<path d="M6 4 L28 26 M28 4 L6 26" stroke="#ffffff" stroke-width="9" stroke-linecap="round"/>'
                    '<path d="M6 4 L28 26 M28 4 L6 26" stroke="#d02020" stroke-width="5" stroke-linecap="round"/>'))


def main():
    os.makedirs(OUT, exist_ok=True)
    images = {}

    def put(name, stem, text):
        with open(os.path.join(OUT, stem + ".svg"), "w") as f:
            f.write(text)
        images[name] = stem

    puzzle(put)
    satchel(put)
    diffs(put)
    remove_items(put)

    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             "<!-- The pictures of Puzzle, Satchel, Find the Differences and Remove Items, written by content/make_picture_minigame_art.py. -->",
             "<resources>", "  <content>"]
    for name, stem in images.items():
        lines.append(f'    <resource type="ImageResource" name="{name}" file="data\\images\\minigame\\{stem}.png" format="png"/>')
    lines += ["  </content>", "</resources>", ""]
    with open(os.path.join(HERE, "ini", "res_minigame_pictures.xml"), "w") as f:
        f.write("\n".join(lines))


if __name__ == "__main__":
    main()
