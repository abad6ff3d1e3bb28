#!/usr/bin/env python3
"""Writes the art of the picture minigames as SVG (content/images/minigame/pic_*.svg) and its
resource definition file (content/ini/res_minigame_pictures.xml):

- Puzzle: a picture of a bakery window ("img_puzzle_bakery"), its pale copy laid under the pieces
  ("img_puzzle_bakeryUnder", the picture's name followed by "Under"), the six 128 x 128 pieces cut
  from it ("img_puzzle_bakery_1" .. "_6", row by row) and the frame drawn round the board.

- Satchel: the open satchel with its grid of 3 x 4 cells ("img_satchel_bag") and the five pieces
  to pack, each drawn over the cells of its shape ("img_satchel_piece_1" .. "_5").

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


def main():
    os.makedirs(OUT, exist_ok=True)
    images = {}

    def put(name, stem, text):
        with open(os.path.join(OUT, stem + ".svg"), "w") as f:
            f.write(text)
        images[name] = stem

    puzzle(put)
    satchel(put)

    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             "<!-- The pictures of Puzzle, Satchel and Find the Differences, written by content/make_picture_minigame_art.py. -->",
             "<resources>", "  <content>"]
    for name, stem in images.items():
        lines.append(f'    <resource type="ImageResource" name="{name}" file="data\\images\\minigame\\{stem}.png" format="png"/>')
    lines += ["  </content>", "</resources>", ""]
    with open(os.path.join(HERE, "ini", "res_minigame_pictures.xml"), "w") as f:
        f.write("\n".join(lines))


if __name__ == "__main__":
    main()
