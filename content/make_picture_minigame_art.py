#!/usr/bin/env python3
"""Writes the art of the picture minigames as SVG (content/images/minigame/pic_*.svg) and its
resource definition file (content/ini/res_minigame_pictures.xml):

- Puzzle: a picture of a bakery window ("img_puzzle_bakery"), its pale copy laid under the pieces
  ("img_puzzle_bakeryUnder", the picture's name followed by "Under"), the six 128 x 128 pieces cut
  from it ("img_puzzle_bakery_1" .. "_6", row by row) and the frame drawn round the board.

- Satchel: the open satchel with its grid of 3 x 4 cells ("img_satchel_bag") and the five pieces
  to pack, each drawn over the cells of its shape ("img_satchel_piece_1" .. "_5").

- Find the Differences: a garden picture shown twice ("img_diffs_garden") and the five things laid
  over one copy or the other ("img_diffs_bird", "_cloud", "_apple", "_flower", "_butterfly").

- Remove Items: the owner's room ("img_remove_room") with places for the player's own things, the
  five things left lying about in it ("img_remove_sock", "_mug", "_paper", "_car", "_peel") and the
  cross that marks a click beside them ("img_remove_cross").

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


def puzzle(put):
    scene = bakery_scene()
    put("img_puzzle_bakery", "pic_puzzle_bakery", svg(PUZZLE_W, PUZZLE_H, scene))
    # The guide under the pieces: the picture washed out towards paper white.
    put("img_puzzle_bakeryUnder", "pic_puzzle_bakery_under",
        svg(PUZZLE_W, PUZZLE_H, '<rect width="384" height="256" fill="#fbf6ea"/><g opacity="0.3">' + scene + '</g>'))
    n = 0
    for row in range(PUZZLE_H // PIECE):
        for col in range(PUZZLE_W // PIECE):
            n += 1
            x, y = col * PIECE, row * PIECE
            edge = f'<rect x="{x + 1}" y="{y + 1}" width="{PIECE - 2}" height="{PIECE - 2}" fill="none" stroke="#ffffff" stroke-width="2" opacity="0.8"/>'
            put(f"img_puzzle_bakery_{n}", f"pic_puzzle_bakery_{n}", svg(PIECE, PIECE, scene + edge, f"{x} {y} {PIECE} {PIECE}"))
    # Frame round the 384 x 256 board, 16 pixels wide.
    put("img_puzzle_frame", "pic_puzzle_frame",
        svg(416, 288, '<path d="M0 0 H416 V288 H0 Z M16 16 V272 H400 V16 Z" fill="#8a5a30" fill-rule="evenodd" stroke="#4a2a10" stroke-width="2"/>'
                      '<rect x="5" y="5" width="406" height="278" rx="4" fill="none" stroke="#c89060" stroke-width="2"/>'))
    # The carried piece's shadow.
    put("img_puzzle_shadow", "pic_puzzle_shadow", svg(PIECE, PIECE, '<rect width="128" height="128" rx="6" fill="#000000" opacity="0.3"/>'))


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


def satchel_piece(structure, colour, mark):
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
        else:
            body += f'<circle cx="{x + 25}" cy="{y + 25}" r="6" fill="#ffffff" opacity="0.6"/><circle cx="{x + 45}" cy="{y + 45}" r="6" fill="#ffffff" opacity="0.6"/>'
    # Joins between neighbouring cells of the piece, so that it reads as one thing.
    for r, c in cells:
        if (r, c + 1) in cells:
            body += f'<rect x="{c * CELL + CELL - 8}" y="{r * CELL + 20}" width="16" height="30" fill="{colour}"/>'
        if (r + 1, c) in cells:
            body += f'<rect x="{c * CELL + 20}" y="{r * CELL + CELL - 8}" width="30" height="16" fill="{colour}"/>'
    return svg(cols * CELL, rows * CELL, body)


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


def diffs(put):
    put("img_diffs_garden", "pic_diffs_garden", svg(360, 300, garden()))
    for name, (w, h, body) in DIFF_THINGS.items():
        put(f"img_diffs_{name}", f"pic_diffs_{name}", svg(w, h, body))
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


def remove_items(put):
    put("img_remove_room", "pic_remove_room", svg(800, 600, room()))
    for name, (w, h, body) in CLUTTER.items():
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
